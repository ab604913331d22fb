#pragma once

// An opaque picture in memory: the skin bitmaps, the back buffer, any off-screen drawing area.
// It is a Cairo image surface with 24-bit colour and no alpha, so copies are always opaque.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/GfxHandles.h"

namespace valmore {

class CBitmap {
public:
    // An empty bitmap: 0 x 0, draws nothing. This is also what a refused file loads as.
    CBitmap() = default;
    CBitmap(CBitmap&&) noexcept = default;
    CBitmap& operator=(CBitmap&&) noexcept = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // A bitmap of the given size filled with one colour; empty when the size is not positive or
    // too large to allocate.
    static CBitmap Create(int width, int height, Rgb fill = Rgb{});

    // Reads a BMP file at its own size: uncompressed, 24 bits per pixel or 1, 4 or 8 bits with a
    // palette, stored bottom-up or top-down. Anything else, and any file whose header does not agree
    // with its length, gives an empty bitmap and says why in *error.
    static CBitmap LoadBmpFile(const std::filesystem::path& file, std::string* error = nullptr);
    static CBitmap DecodeBmp(std::string_view bytes, std::string* error = nullptr);

    bool IsEmpty() const { return !surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Size GetSize() const { return {width_, height_}; }

    // The colour of one pixel; black outside the bitmap.
    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb colour);

    // The picture as PNG bytes, and saved as a PNG file (replaced atomically).
    std::string EncodePng() const;
    bool SavePng(const std::filesystem::path& file, std::string* error = nullptr) const;

    // The underlying surface, for the canvas that draws into it or copies from it. Null when empty.
    cairo_surface_t* Surface() const { return surface_.get(); }

private:
    gfx::SurfacePtr surface_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace valmore
