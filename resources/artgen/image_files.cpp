#include "image_files.hpp"

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace artgen {

namespace {

// Pixels fainter than this become fully transparent, so mask-only renderers show no faint halo.
constexpr std::uint8_t kMinimumAlpha = 16;

class Bytes {
public:
    void u8(unsigned v) { data_.push_back(static_cast<char>(v & 0xFF)); }
    void u16(unsigned v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void append(const Bytes& other) { data_ += other.data_; }
    std::uint32_t size() const { return static_cast<std::uint32_t>(data_.size()); }
    void save(const std::string& path) const {
        std::ofstream out(path, std::ios::binary);
        out.write(data_.data(), static_cast<std::streamsize>(data_.size()));
        if (!out) throw std::runtime_error("cannot write " + path);
    }

private:
    std::string data_;
};

// Rows of BMP-style bitmaps are padded to a multiple of four bytes.
std::uint32_t paddedRowBytes(int bits) { return static_cast<std::uint32_t>((bits + 31) / 32 * 4); }

void bitmapInfoHeader(Bytes& out, int width, int height, int bitCount, std::uint32_t imageBytes) {
    out.u32(40);
    out.u32(static_cast<std::uint32_t>(width));
    out.u32(static_cast<std::uint32_t>(height));
    out.u16(1);  // planes
    out.u16(static_cast<unsigned>(bitCount));
    out.u32(0);  // BI_RGB
    out.u32(imageBytes);
    out.u32(2835);  // 72 dpi
    out.u32(2835);
    out.u32(0);
    out.u32(0);
}

// A BMP file's own header, for an image of that many bytes after its info header.
Bytes bmpFileHeader(std::uint32_t imageBytes) {
    Bytes out;
    out.u8('B');
    out.u8('M');
    out.u32(14 + 40 + imageBytes);
    out.u32(0);
    out.u32(14 + 40);
    return out;
}

bool isTransparent(Pixel8 p) { return p.a < kMinimumAlpha; }

Bytes iconImage(const Canvas& canvas) {
    const int size = canvas.width();
    const std::uint32_t maskRowBytes = paddedRowBytes(size);
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(size * size * 4);
    Bytes out;
    // An icon's header counts the colour and mask bitmaps together, hence twice the height.
    bitmapInfoHeader(out, size, size * 2, 32, colourBytes + maskRowBytes * static_cast<std::uint32_t>(size));
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Pixel8 p = canvas.pixel(x, y);
            if (isTransparent(p)) {
                out.u32(0);
                continue;
            }
            out.u8(p.b);
            out.u8(p.g);
            out.u8(p.r);
            out.u8(p.a);
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        for (std::uint32_t byte = 0; byte < maskRowBytes; ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = static_cast<int>(byte * 8) + bit;
                if (x < size && isTransparent(canvas.pixel(x, y))) bits |= 0x80u >> bit;
            }
            out.u8(bits);
        }
    }
    return out;
}

}  // namespace

void writeBmp(const std::string& path, const Canvas& canvas, Pixel8 background) {
    const std::uint32_t rowBytes = paddedRowBytes(canvas.width() * 24);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(canvas.height());
    Bytes out = bmpFileHeader(imageBytes);
    bitmapInfoHeader(out, canvas.width(), canvas.height(), 24, imageBytes);
    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Pixel8 p = canvas.pixel(x, y);
            auto over = [&p](std::uint8_t colour, std::uint8_t behind) {
                return static_cast<std::uint8_t>((colour * p.a + behind * (255 - p.a) + 127) / 255);
            };
            out.u8(over(p.b, background.b));
            out.u8(over(p.g, background.g));
            out.u8(over(p.r, background.r));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(canvas.width()) * 3; pad < rowBytes; ++pad) out.u8(0);
    }
    out.save(path);
}

void writeAlphaBmp(const std::string& path, const Canvas& canvas) {
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(canvas.width() * canvas.height() * 4);
    Bytes out = bmpFileHeader(imageBytes);
    bitmapInfoHeader(out, canvas.width(), canvas.height(), 32, imageBytes);
    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Pixel8 p = canvas.pixel(x, y);
            auto premultiplied = [&p](std::uint8_t colour) {
                return static_cast<std::uint8_t>((colour * p.a + 127) / 255);
            };
            out.u8(premultiplied(p.b));
            out.u8(premultiplied(p.g));
            out.u8(premultiplied(p.r));
            out.u8(p.a);
        }
    }
    out.save(path);
}

void writeIco(const std::string& path, const std::vector<Canvas>& images) {
    std::vector<Bytes> bodies;
    for (const Canvas& canvas : images) bodies.push_back(iconImage(canvas));

    Bytes out;
    out.u16(0);
    out.u16(1);  // icon, not cursor
    out.u16(static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        out.u8(size >= 256 ? 0 : static_cast<unsigned>(size));
        out.u8(size >= 256 ? 0 : static_cast<unsigned>(size));
        out.u8(0);  // no palette
        out.u8(0);
        out.u16(1);   // planes
        out.u16(32);  // bits per pixel
        out.u32(bodies[i].size());
        out.u32(offset);
        offset += bodies[i].size();
    }
    for (const Bytes& body : bodies) out.append(body);
    out.save(path);
}

}  // namespace artgen
