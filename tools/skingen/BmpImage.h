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

// The header fields of a BMP file that decide how it is read.
struct BmpHeader {
    std::uint32_t fileSize = 0;
    std::uint32_t dataOffset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative for rows stored top-down
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
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

    // Reads the headers only; false with a reason when the bytes are not a BMP file.
    static bool ParseHeader(std::string_view bytes, BmpHeader* header, std::string* error);
    // Reads uncompressed 24-bit files stored either way up; anything else is refused with a reason.
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
