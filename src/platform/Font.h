#pragma once

// A font for drawing and measuring program text (Shift_JIS). The skin asks for the face "ＭＳ ゴシック";
// on this system IPA Gothic, found through fontconfig, stands in for it. Sizes follow a 96-DPI
// screen, so an 11-point font has an em of 15 pixels.
//
// Measuring is cached: each character's advance is measured once per font, and shaped text runs are
// kept, so redrawing the same labels every frame costs only the glyph copies.

#include <memory>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

typedef struct _cairo cairo_t;

namespace valmore {

enum class FontQuality { Default, NonAntialiased, Antialiased, ClearType };

// A full font description, as fonts are read back and re-created with changed properties.
struct FontDescription {
    // Negative: the em (character height) in pixels. Positive: the cell height (ascent + descent) in
    // pixels, the em being derived from it. Zero: a default size.
    int height = 0;
    int weight = 400;  // 100 to 900; 400 is regular, 700 bold; 0 means regular
    bool italic = false;
    // Default and the two anti-aliased qualities draw grey-scale anti-aliased text.
    FontQuality quality = FontQuality::Default;
    std::string faceName;  // Shift_JIS, as the program spells it

    bool operator==(const FontDescription&) const = default;
};

class CFont {
public:
    // From a size in tenths of a point (110 is 11 pt) and a face name.
    static std::unique_ptr<CFont> FromPointSize(int tenthsOfPoint, std::string_view faceName);
    static std::unique_ptr<CFont> FromDescription(const FontDescription& description);

    // Tenths of a point to pixels on a 96-DPI screen, rounded to the nearest pixel.
    static int PointSizeToPixels(int tenthsOfPoint);

    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // The description this font was made from, with the height as a negative em in pixels.
    const FontDescription& Description() const;
    // The family and file fontconfig actually chose (UTF-8), e.g. "IPAGothic".
    std::string FamilyName() const;
    std::string FontFile() const;

    int EmPixels() const;
    int Ascent() const;
    int Descent() const;
    // Ascent + descent: the height of every character cell of this font.
    int CellHeight() const;

    // Advance of the first character of the text (one or two bytes); 0 for an empty text. Control
    // characters measure and draw as a space. In a fixed-pitch font a full-width character is exactly
    // twice a half-width one, so columns of mixed text line up.
    int CharWidth(std::string_view sjis) const;
    Size CharSize(std::string_view sjis) const { return {CharWidth(sjis), CellHeight()}; }
    // Sum of the character advances, and that width with the cell height.
    int TextWidth(std::string_view sjis) const;
    Size TextExtent(std::string_view sjis) const { return {TextWidth(sjis), CellHeight()}; }

    // The text itself when it fits in maxWidth; otherwise its longest leading part that fits together
    // with "...", followed by "...". Characters are never split.
    std::string FitWithEllipsis(std::string_view sjis, int maxWidth) const;

    // Draws the text with its left end at x and its baseline at y, in the colour already set on cr.
    // The canvas calls this; it reuses the shaped run from the cache.
    void DrawRun(cairo_t* cr, int x, int baseline, std::string_view sjis) const;

    // Number of shaped runs held (for tests and benchmarks of the cache).
    std::size_t CachedRunCount() const;

private:
    struct Impl;
    explicit CFont(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace valmore
