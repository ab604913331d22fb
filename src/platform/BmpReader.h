#pragma once

// Reading BMP files into plain pixels, without any drawing library: the program's bitmaps are
// made from these pixels, and the skin generator's checks read its own files back through it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"

namespace valmore {

// The header fields of a BMP file that decide how it is read.
struct BmpHeader {
    std::uint32_t fileSize = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t headerSize = 0;  // 12 for the old core header, 40 or more otherwise
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative for rows stored top-down
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
};

// A decoded picture, top row first.
struct BmpPixels {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Rgb At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// Reads the headers only; false with a reason when the bytes are not a BMP file.
bool ReadBmpHeader(std::string_view bytes, BmpHeader* header, std::string* error);

// Reads an uncompressed BMP at its own size: 24 bits per pixel or 1, 4 or 8 bits with a palette,
// stored bottom-up or top-down. Anything else, and any file whose header does not agree with its
// length or asks for an absurd size, is refused with a reason.
std::optional<BmpPixels> DecodeBmpPixels(std::string_view bytes, std::string* error);

}  // namespace valmore
