#include "platform/BmpReader.h"

#include <cstring>

namespace valmore {

namespace {

// Limits that keep a damaged or hostile header from asking for an absurd allocation. The largest
// picture the program draws is a full SXGA screen.
constexpr std::int64_t kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = 32 * 1024 * 1024;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;

std::uint32_t ReadU16(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

std::uint32_t ReadU32(std::string_view b, std::size_t at) {
    return ReadU16(b, at) | ReadU16(b, at + 2) << 16;
}

std::int32_t ReadI32(std::string_view b, std::size_t at) {
    std::uint32_t u = ReadU32(b, at);
    std::int32_t v;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

bool Refuse(std::string* error, const char* reason) {
    if (error) *error = reason;
    return false;
}

}  // namespace

bool ReadBmpHeader(std::string_view b, BmpHeader* h, std::string* error) {
    if (b.size() < kFileHeaderSize + kCoreHeaderSize) return Refuse(error, "file too short for a bitmap header");
    if (b[0] != 'B' || b[1] != 'M') return Refuse(error, "not a BMP file");
    *h = BmpHeader{};
    h->fileSize = ReadU32(b, 2);
    h->dataOffset = ReadU32(b, 10);
    h->headerSize = ReadU32(b, 14);
    if (h->headerSize == kCoreHeaderSize) {
        h->width = static_cast<std::int32_t>(ReadU16(b, 18));
        h->height = static_cast<std::int32_t>(ReadU16(b, 20));
        h->planes = static_cast<std::uint16_t>(ReadU16(b, 22));
        h->bitsPerPixel = static_cast<std::uint16_t>(ReadU16(b, 24));
    } else if (h->headerSize >= kInfoHeaderSize && h->headerSize <= 1024) {
        if (b.size() < kFileHeaderSize + h->headerSize) return Refuse(error, "bitmap header is cut short");
        h->width = ReadI32(b, 18);
        h->height = ReadI32(b, 22);
        h->planes = static_cast<std::uint16_t>(ReadU16(b, 26));
        h->bitsPerPixel = static_cast<std::uint16_t>(ReadU16(b, 28));
        h->compression = ReadU32(b, 30);
        h->colorsUsed = ReadU32(b, 46);
    } else {
        return Refuse(error, "unknown bitmap header size");
    }
    return true;
}

std::optional<BmpPixels> DecodeBmpPixels(std::string_view b, std::string* error) {
    auto refuse = [error](const char* reason) {
        if (error) *error = reason;
        return std::optional<BmpPixels>{};
    };
    BmpHeader h;
    if (!ReadBmpHeader(b, &h, error)) return std::nullopt;
    const std::uint32_t bitCount = h.bitsPerPixel;
    const std::size_t paletteEntrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
    if (h.planes != 1) return refuse("plane count is not 1");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) {
        return refuse("only 1, 4, 8 and 24 bits per pixel are supported");
    }
    if (h.compression != kBiRgb) return refuse("compressed bitmaps are not supported");
    std::int64_t width = h.width;
    std::int64_t height = h.height;
    const bool topDown = height < 0;
    if (topDown) height = -height;  // 64-bit, so the most negative 32-bit height negates safely
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) {
        return refuse("bitmap size out of range");
    }

    // The palette follows the header; the pixels must start after both.
    const std::uint64_t paletteStart = kFileHeaderSize + h.headerSize;
    std::uint64_t paletteCount = 0;
    if (bitCount <= 8) {
        const std::uint64_t maxColors = std::uint64_t{1} << bitCount;
        paletteCount = h.colorsUsed == 0 ? maxColors : h.colorsUsed;
        if (paletteCount > maxColors) return refuse("palette larger than the bit depth allows");
    }
    const std::uint64_t paletteEnd = paletteStart + paletteCount * paletteEntrySize;
    if (paletteEnd > b.size()) return refuse("palette is cut short");
    if (h.dataOffset < paletteEnd) return refuse("pixel data overlaps the header");

    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(height);
    if (h.dataOffset > b.size() || pixelBytes > b.size() - h.dataOffset) {
        return refuse("pixel data is cut short");
    }

    Rgb palette[256] = {};
    for (std::uint64_t i = 0; i < paletteCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(paletteStart + i * paletteEntrySize);
        palette[i] = Rgb{static_cast<std::uint8_t>(b[at + 2]), static_cast<std::uint8_t>(b[at + 1]),
                         static_cast<std::uint8_t>(b[at])};
    }

    BmpPixels out;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.pixels.resize(static_cast<std::size_t>(width * height));
    const auto* pixels = reinterpret_cast<const unsigned char*>(b.data()) + h.dataOffset;
    // Indices beyond a short palette show black, as an unused palette slot would.
    const std::uint32_t mask = (1u << (bitCount < 24 ? bitCount : 0)) - 1;
    for (int row = 0; row < out.height; ++row) {
        const unsigned char* src = pixels + static_cast<std::size_t>(row) * stride;
        const int y = topDown ? row : out.height - 1 - row;
        Rgb* line = out.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width);
        if (bitCount == 24) {
            for (int x = 0; x < out.width; ++x) line[x] = Rgb{src[3 * x + 2], src[3 * x + 1], src[3 * x]};
            continue;
        }
        const int perByte = 8 / static_cast<int>(bitCount);
        for (int x = 0; x < out.width; ++x) {
            const unsigned char byte = src[x / perByte];
            const int shift = 8 - static_cast<int>(bitCount) * (x % perByte + 1);
            const std::uint32_t index = (byte >> shift) & mask;
            line[x] = index < paletteCount ? palette[index] : Rgb{};
        }
    }
    if (error) error->clear();
    return out;
}

}  // namespace valmore
