// Draws the program's artwork into the directory given on the command line.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

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
        writeAlphaBmp(path("picture.bmp"), consolePicture(1.0));
        writeAlphaBmp(path("picture125.bmp"), consolePicture(1.25));
        writeAlphaBmp(path("picture150.bmp"), consolePicture(1.5));
        writeAlphaBmp(path("picture200.bmp"), consolePicture(2.0));
        // Each icon at every small-icon size the system uses (100 % to 200 % scale); the window icon also
        // at the large sizes.
        const std::vector<int> smallSizes = {16, 20, 24, 32};
        auto sizes = [&smallSizes](Canvas (*draw)(int), std::vector<int> extra = {}) {
            std::vector<Canvas> images;
            for (int size : smallSizes) images.push_back(draw(size));
            for (int size : extra) images.push_back(draw(size));
            return images;
        };
        writeIco(path("app.ico"), sizes(appIcon, {48, 64}));
        writeIco(path("result0.ico"), sizes(tickIcon));
        writeIco(path("result1.ico"), sizes(tickWithWarningIcon));
        writeIco(path("result2.ico"), sizes(warningIcon));
        writeIco(path("result3.ico"), sizes(errorIcon));
        writeIco(path("result4.ico"), sizes(infoIcon));
        // The help file shows each result with the very image the list shows.
        writeBmp(path("result0.bmp"), tickIcon(16));
        writeBmp(path("result1.bmp"), tickWithWarningIcon(16));
        writeBmp(path("result2.bmp"), warningIcon(16));
        writeBmp(path("result3.bmp"), errorIcon(16));
        writeBmp(path("result4.bmp"), infoIcon(16));
    } catch (const std::exception& e) {
        std::cerr << "artgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
