#include "platform/Bitmap.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

#include "platform/AtomicFile.h"

namespace valmore {

namespace {

// Limits that keep a damaged or hostile header from asking for an absurd allocation. The largest
// picture the program draws is a full SXGA screen.
constexpr std::int64_t kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = 32 * 1024 * 1024;
constexpr std::uintmax_t kMaxFileBytes = 256u * 1024 * 1024;

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

CBitmap Refuse(std::string* error, const char* reason) {
    if (error) *error = reason;
    return CBitmap{};
}

}  // namespace

CBitmap CBitmap::Create(int width, int height, Rgb fill) {
    CBitmap bitmap;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        static_cast<std::int64_t>(width) * height > kMaxPixels) {
        return bitmap;
    }
    gfx::SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return bitmap;
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const std::uint32_t packed = fill.Packed();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) row[x] = packed;
    }
    cairo_surface_mark_dirty(surface.get());
    bitmap.surface_ = std::move(surface);
    bitmap.width_ = width;
    bitmap.height_ = height;
    return bitmap;
}

CBitmap CBitmap::DecodeBmp(std::string_view b, std::string* error) {
    if (b.size() < kFileHeaderSize + kCoreHeaderSize) return Refuse(error, "file too short for a bitmap header");
    if (b[0] != 'B' || b[1] != 'M') return Refuse(error, "not a BMP file");
    const std::uint32_t pixelOffset = ReadU32(b, 10);
    const std::uint32_t headerSize = ReadU32(b, 14);

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    std::size_t paletteEntrySize = 4;
    if (headerSize == kCoreHeaderSize) {
        width = ReadU16(b, 18);
        height = ReadU16(b, 20);
        planes = ReadU16(b, 22);
        bitCount = ReadU16(b, 24);
        paletteEntrySize = 3;
    } else if (headerSize >= kInfoHeaderSize && headerSize <= 1024) {
        if (b.size() < kFileHeaderSize + headerSize) return Refuse(error, "bitmap header is cut short");
        width = ReadI32(b, 18);
        height = ReadI32(b, 22);
        planes = ReadU16(b, 26);
        bitCount = ReadU16(b, 28);
        compression = ReadU32(b, 30);
        colorsUsed = ReadU32(b, 46);
    } else {
        return Refuse(error, "unknown bitmap header size");
    }

    if (planes != 1) return Refuse(error, "plane count is not 1");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) {
        return Refuse(error, "only 1, 4, 8 and 24 bits per pixel are supported");
    }
    if (compression != kBiRgb) return Refuse(error, "compressed bitmaps are not supported");
    const bool topDown = height < 0;
    if (topDown) height = -height;  // 64-bit, so the most negative 32-bit height negates safely
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) {
        return Refuse(error, "bitmap size out of range");
    }

    // The palette follows the header; the pixels must start after both.
    const std::uint64_t paletteStart = kFileHeaderSize + headerSize;
    std::uint64_t paletteCount = 0;
    if (bitCount <= 8) {
        const std::uint64_t maxColors = std::uint64_t{1} << bitCount;
        paletteCount = colorsUsed == 0 ? maxColors : colorsUsed;
        if (paletteCount > maxColors) return Refuse(error, "palette larger than the bit depth allows");
    }
    const std::uint64_t paletteEnd = paletteStart + paletteCount * paletteEntrySize;
    if (paletteEnd > b.size()) return Refuse(error, "palette is cut short");
    if (pixelOffset < paletteEnd) return Refuse(error, "pixel data overlaps the header");

    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(height);
    if (pixelOffset > b.size() || pixelBytes > b.size() - pixelOffset) return Refuse(error, "pixel data is cut short");

    std::uint32_t palette[256] = {};
    for (std::uint64_t i = 0; i < paletteCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(paletteStart + i * paletteEntrySize);
        const auto blue = static_cast<unsigned char>(b[at]);
        const auto green = static_cast<unsigned char>(b[at + 1]);
        const auto red = static_cast<unsigned char>(b[at + 2]);
        palette[i] = Rgb{red, green, blue}.Packed();
    }

    CBitmap bitmap = Create(static_cast<int>(width), static_cast<int>(height));
    if (bitmap.IsEmpty()) return Refuse(error, "not enough memory for the bitmap");
    cairo_surface_t* surface = bitmap.Surface();
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int outStride = cairo_image_surface_get_stride(surface);
    const auto* pixels = reinterpret_cast<const unsigned char*>(b.data()) + pixelOffset;
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    // Indices beyond a short palette show black, as an unused palette slot would.
    const std::uint32_t mask = (1u << (bitCount < 24 ? bitCount : 0)) - 1;
    for (int row = 0; row < h; ++row) {
        const unsigned char* src = pixels + static_cast<std::size_t>(row) * stride;
        const int y = topDown ? row : h - 1 - row;
        auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * outStride);
        if (bitCount == 24) {
            for (int x = 0; x < w; ++x) out[x] = Rgb{src[3 * x + 2], src[3 * x + 1], src[3 * x]}.Packed();
            continue;
        }
        const int perByte = 8 / static_cast<int>(bitCount);
        for (int x = 0; x < w; ++x) {
            const unsigned char byte = src[x / perByte];
            const int shift = 8 - static_cast<int>(bitCount) * (x % perByte + 1);
            const std::uint32_t index = (byte >> shift) & mask;
            out[x] = index < paletteCount ? palette[index] : 0;
        }
    }
    cairo_surface_mark_dirty(surface);
    if (error) error->clear();
    return bitmap;
}

CBitmap CBitmap::LoadBmpFile(const std::filesystem::path& file, std::string* error) {
    std::error_code ec;
    const bool regular = std::filesystem::is_regular_file(file, ec);
    const std::uintmax_t size = regular ? std::filesystem::file_size(file, ec) : 0;
    std::string reason;
    CBitmap bitmap;
    std::string bytes;
    if (!regular || ec) {
        reason = "cannot open the file";
    } else if (size > kMaxFileBytes) {
        reason = "file too large for a bitmap";
    } else if (!ReadWholeFile(file, &bytes)) {
        reason = "cannot read the file";
    } else {
        bitmap = DecodeBmp(bytes, &reason);
    }
    if (error) *error = bitmap.IsEmpty() ? file.string() + ": " + reason : std::string{};
    return bitmap;
}

Rgb CBitmap::Pixel(int x, int y) const {
    if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_) return Rgb{};
    cairo_surface_flush(surface_.get());
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    return Rgb::FromPacked(row[x]);
}

void CBitmap::SetPixel(int x, int y, Rgb colour) {
    if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    cairo_surface_flush(surface_.get());
    unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());
    reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride)[x] = colour.Packed();
    cairo_surface_mark_dirty_rectangle(surface_.get(), x, y, 1, 1);
}

std::string CBitmap::EncodePng() const {
    std::string out;
    if (!surface_) return out;
    auto append = [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    };
    if (cairo_surface_write_to_png_stream(surface_.get(), append, &out) != CAIRO_STATUS_SUCCESS) out.clear();
    return out;
}

bool CBitmap::SavePng(const std::filesystem::path& file, std::string* error) const {
    const std::string png = EncodePng();
    if (png.empty()) {
        if (error) *error = file.string() + ": nothing to save";
        return false;
    }
    return WriteFileAtomically(file, png, error);
}

}  // namespace valmore
