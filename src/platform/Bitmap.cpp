#include "platform/Bitmap.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/BmpReader.h"

namespace valmore {

namespace {

// Limits that keep a damaged or hostile header from asking for an absurd allocation. The largest
// picture the program draws is a full SXGA screen.
constexpr std::int64_t kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = 32 * 1024 * 1024;
constexpr std::uintmax_t kMaxFileBytes = 256u * 1024 * 1024;

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

CBitmap CBitmap::DecodeBmp(std::string_view bytes, std::string* error) {
    std::optional<BmpPixels> decoded = DecodeBmpPixels(bytes, error);
    if (!decoded) return CBitmap{};
    CBitmap bitmap = Create(decoded->width, decoded->height);
    if (bitmap.IsEmpty()) return Refuse(error, "not enough memory for the bitmap");
    cairo_surface_t* surface = bitmap.Surface();
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < decoded->height; ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < decoded->width; ++x) out[x] = decoded->At(x, y).Packed();
    }
    cairo_surface_mark_dirty(surface);
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
