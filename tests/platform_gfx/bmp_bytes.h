#pragma once

// Builds BMP files byte by byte, so the loader's tests control every header field.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Color.h"

namespace valmore::test {

inline void PutU16(std::string& s, std::size_t at, std::uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

inline void PutU32(std::string& s, std::size_t at, std::uint32_t v) {
    PutU16(s, at, v & 0xFFFF);
    PutU16(s, at + 2, v >> 16);
}

// A BMP with a 40-byte info header. pixels holds width x height colours, top row first; for palette
// depths, indices holds the palette index of each pixel instead and palette the colours.
struct BmpPicture {
    int width = 0;
    int height = 0;
    int bitCount = 24;
    bool topDown = false;
    std::vector<Rgb> pixels;
    std::vector<int> indices;
    std::vector<Rgb> palette;
};

inline std::string MakeBmp(const BmpPicture& picture) {
    const int stride = ((picture.width * picture.bitCount + 31) / 32) * 4;
    const std::size_t paletteBytes = picture.bitCount <= 8 ? picture.palette.size() * 4 : 0;
    const std::size_t offset = 14 + 40 + paletteBytes;
    std::string b(offset + static_cast<std::size_t>(stride) * picture.height, '\0');
    b[0] = 'B';
    b[1] = 'M';
    PutU32(b, 2, static_cast<std::uint32_t>(b.size()));
    PutU32(b, 10, static_cast<std::uint32_t>(offset));
    PutU32(b, 14, 40);
    PutU32(b, 18, static_cast<std::uint32_t>(picture.width));
    PutU32(b, 22, static_cast<std::uint32_t>(picture.topDown ? -picture.height : picture.height));
    PutU16(b, 26, 1);
    PutU16(b, 28, static_cast<std::uint32_t>(picture.bitCount));
    PutU32(b, 46, picture.bitCount <= 8 ? static_cast<std::uint32_t>(picture.palette.size()) : 0);
    for (std::size_t i = 0; i < paletteBytes / 4; ++i) {
        b[54 + 4 * i] = static_cast<char>(picture.palette[i].b);
        b[54 + 4 * i + 1] = static_cast<char>(picture.palette[i].g);
        b[54 + 4 * i + 2] = static_cast<char>(picture.palette[i].r);
    }
    for (int y = 0; y < picture.height; ++y) {
        const int fileRow = picture.topDown ? y : picture.height - 1 - y;
        const std::size_t rowAt = offset + static_cast<std::size_t>(fileRow) * stride;
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * picture.width + x;
            if (picture.bitCount == 24) {
                b[rowAt + 3 * x] = static_cast<char>(picture.pixels[i].b);
                b[rowAt + 3 * x + 1] = static_cast<char>(picture.pixels[i].g);
                b[rowAt + 3 * x + 2] = static_cast<char>(picture.pixels[i].r);
            } else {
                const int perByte = 8 / picture.bitCount;
                const int shift = 8 - picture.bitCount * (x % perByte + 1);
                auto& byte = reinterpret_cast<unsigned char&>(b[rowAt + x / perByte]);
                byte = static_cast<unsigned char>(byte | (picture.indices[i] << shift));
            }
        }
    }
    return b;
}

// A small 24-bit picture whose every pixel differs, so misplaced rows or columns show.
inline BmpPicture Gradient24(int width, int height) {
    BmpPicture picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels.push_back(Rgb{static_cast<std::uint8_t>(10 + 20 * x), static_cast<std::uint8_t>(5 + 30 * y),
                                         static_cast<std::uint8_t>(x + y)});
        }
    }
    return picture;
}

}  // namespace valmore::test
