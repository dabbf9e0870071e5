// Draws the program's artwork into the directory given on the command line.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "icons.hpp"
#include "image_files.hpp"
#include "picture.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: artgen OUTDIR\n";
        return 2;
    }
    try {
        using namespace artgen;
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        auto path = [&dir](const char* name) { return (dir / name).string(); };
        writeBmp(path("picture.bmp"), consolePicture());
        writeIco(path("app.ico"), {appIcon(16), appIcon(32), appIcon(48)});
        writeIco(path("result0.ico"), {tickIcon()});
        writeIco(path("result1.ico"), {tickWithWarningIcon()});
        writeIco(path("result2.ico"), {warningIcon()});
        writeIco(path("result3.ico"), {errorIcon()});
        writeIco(path("result4.ico"), {infoIcon()});
        // The help file shows each result with the very image the list shows.
        writeBmp(path("result0.bmp"), tickIcon());
        writeBmp(path("result1.bmp"), tickWithWarningIcon());
        writeBmp(path("result2.bmp"), warningIcon());
        writeBmp(path("result3.bmp"), errorIcon());
        writeBmp(path("result4.bmp"), infoIcon());
    } catch (const std::exception& e) {
        std::cerr << "artgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
