#include "BmpImage.h"

#include <cstring>

#include "platform/BmpReader.h"

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

std::optional<CBmpImage> CBmpImage::Decode(std::string_view bytes, std::string* error) {
    std::optional<BmpPixels> decoded = DecodeBmpPixels(bytes, error);
    if (!decoded) return std::nullopt;
    CBmpImage image(decoded->width, decoded->height);
    for (int y = 0; y < decoded->height; ++y) {
        for (int x = 0; x < decoded->width; ++x) {
            const Rgb p = decoded->At(x, y);
            image.SetPixel(x, y, {p.r, p.g, p.b});
        }
    }
    return image;
}

}  // namespace valmore::skingen
