#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace valmore::skingen {

struct Rgb8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

// An opaque 24-bit picture held top row first, as the skin's BMP files store it: a 14-byte file
// header, a 40-byte information header, then rows from the bottom up, each padded to 4 bytes.
class CBmpImage {
public:
    CBmpImage() = default;
    CBmpImage(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb8 Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb8 colour);

    std::string Encode() const;

    // Reads a BMP file through the program's own reader, so the checks see what the program sees;
    // a file it refuses gives no image and the reason.
    static std::optional<CBmpImage> Decode(std::string_view bytes, std::string* error);

    friend bool operator==(const CBmpImage&, const CBmpImage&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb8> pixels_;
};

// Bytes of one stored row: three per pixel, padded to a multiple of four.
inline std::size_t BmpRowStride(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

}  // namespace valmore::skingen
