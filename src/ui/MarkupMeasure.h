#pragma once

// What the markup text engine needs from the outside: sizes while it lays a text out, and the skin's
// fonts and bitmaps while it draws. Layout goes through IMarkupMeasurer only, so the line-breaking
// rules can be checked with a fixed-width measurer as well as with the real fonts.

#include <string_view>

#include "platform/Bitmap.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

namespace valmore {

// The skin as the engine sees it: fonts by skin font number (8, 9, 10, 11, 12, 14, 16, 18) and
// bitmaps by their index in the skin bitmap table.
class IMarkupSkin {
public:
    virtual ~IMarkupSkin() = default;

    // Null for a number that names no font.
    virtual const CFont* SkinFont(int number) const = 0;
    // Null (or an empty bitmap) for an index whose file was missing.
    virtual const CBitmap* SkinBitmap(int index) const = 0;
};

class IMarkupMeasurer {
public:
    virtual ~IMarkupMeasurer() = default;

    // Makes the skin font current for the measurements that follow. Returns false, and keeps the
    // font in effect, when the number names no font.
    virtual bool SelectFont(int skinFont) = 0;
    // Width and height of one character (one or two Shift_JIS bytes) in the current font.
    virtual Size Measure(std::string_view sjisChar) const = 0;
    // Height of the current font's character cell.
    virtual int FontHeight() const = 0;
    // Size of skin bitmap index; 0 x 0 when it is missing.
    virtual Size SkinBitmapSize(int index) const = 0;
};

// Measures with the skin's own fonts. Nothing is selected on any canvas, so there is no font to put
// back afterwards.
class CSkinFontMeasurer final : public IMarkupMeasurer {
public:
    explicit CSkinFontMeasurer(const IMarkupSkin& skin) : skin_(skin) {}

    bool SelectFont(int skinFont) override {
        const CFont* font = skin_.SkinFont(skinFont);
        if (!font) return false;
        font_ = font;
        return true;
    }
    Size Measure(std::string_view sjisChar) const override { return font_ ? font_->CharSize(sjisChar) : Size{}; }
    int FontHeight() const override { return font_ ? font_->CellHeight() : 0; }
    Size SkinBitmapSize(int index) const override {
        const CBitmap* bitmap = skin_.SkinBitmap(index);
        return bitmap ? bitmap->GetSize() : Size{};
    }

private:
    const IMarkupSkin& skin_;
    const CFont* font_ = nullptr;
};

}  // namespace valmore
