#include "BmpImage.h"

#include <cstring>

namespace valmore::skingen {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

void Put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xff));
}

std::uint16_t Get16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

std::uint32_t Get32(std::string_view b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

}  // namespace

CBmpImage::CBmpImage(int width, int height)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)) {}

Rgb8 CBmpImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void CBmpImage::SetPixel(int x, int y, Rgb8 colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = colour;
}

std::string CBmpImage::Encode() const {
    const std::size_t stride = BmpRowStride(width_);
    const std::size_t dataSize = stride * static_cast<std::size_t>(height_);
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::string out;
    out.reserve(offset + dataSize);
    out += "BM";
    Put32(out, static_cast<std::uint32_t>(offset + dataSize));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(offset));
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width_));
    Put32(out, static_cast<std::uint32_t>(height_));  // positive: bottom row first
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);  // no compression
    Put32(out, static_cast<std::uint32_t>(dataSize));
    Put32(out, 2835);  // 72 dpi, as most painting programs write
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    std::string row(stride, '\0');
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Rgb8 p = Pixel(x, y);
            const std::size_t at = static_cast<std::size_t>(x) * 3;
            row[at] = static_cast<char>(p.b);
            row[at + 1] = static_cast<char>(p.g);
            row[at + 2] = static_cast<char>(p.r);
        }
        out += row;
    }
    return out;
}

bool CBmpImage::ParseHeader(std::string_view bytes, BmpHeader* header, std::string* error) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes.substr(0, 2) != "BM") {
        if (error) *error = "not a BMP file";
        return false;
    }
    if (Get32(bytes, 14) < kInfoHeaderSize) {
        if (error) *error = "unsupported BMP information header";
        return false;
    }
    header->fileSize = Get32(bytes, 2);
    header->dataOffset = Get32(bytes, 10);
    header->width = static_cast<std::int32_t>(Get32(bytes, 18));
    header->height = static_cast<std::int32_t>(Get32(bytes, 22));
    header->planes = Get16(bytes, 26);
    header->bitsPerPixel = Get16(bytes, 28);
    header->compression = Get32(bytes, 30);
    return true;
}

std::optional<CBmpImage> CBmpImage::Decode(std::string_view bytes, std::string* error) {
    BmpHeader h;
    if (!ParseHeader(bytes, &h, error)) return std::nullopt;
    if (h.bitsPerPixel != 24 || h.compression != 0) {
        if (error) *error = "not an uncompressed 24-bit BMP";
        return std::nullopt;
    }
    // Sizes are checked before any arithmetic so that a hostile header cannot overflow it.
    constexpr std::int32_t kLargest = 1 << 15;
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN || h.width > kLargest || h.height > kLargest ||
        -h.height > kLargest) {
        if (error) *error = "implausible BMP size";
        return std::nullopt;
    }
    const bool topDown = h.height < 0;
    const int width = h.width;
    const int height = topDown ? -h.height : h.height;
    const std::size_t stride = BmpRowStride(width);
    if (h.dataOffset > bytes.size() || bytes.size() - h.dataOffset < stride * static_cast<std::size_t>(height)) {
        if (error) *error = "BMP pixel data is cut short";
        return std::nullopt;
    }
    CBmpImage image(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        const std::size_t base = h.dataOffset + stride * static_cast<std::size_t>(row);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = base + static_cast<std::size_t>(x) * 3;
            image.SetPixel(x, y,
                           {static_cast<std::uint8_t>(bytes[at + 2]), static_cast<std::uint8_t>(bytes[at + 1]),
                            static_cast<std::uint8_t>(bytes[at])});
        }
    }
    return image;
}

}  // namespace valmore::skingen
