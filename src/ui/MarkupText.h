#pragma once

// The engine behind every formatted text of the program: a Shift_JIS text with "$" codes is laid out
// once into positioned characters grouped in pages, kept, and drawn one page at a time.
//
// Codes (digit fields have a fixed width; a non-digit ends the number but the field keeps its width):
//   $cRRRGGGBBB  text colour          $fNN  skin font NN (other numbers are ignored)
//   $hNN         line gap in pixels   $n    new line          $p    new page
//   $xNNNN       x := left + NNNN     $yNNNN  line top := top + NNNN
//   $mNNNN       x := left + NNNN widths of "0"
//   $gNNN        skin bitmap NNN inline, scaled down to the line
//   $d<text>$<key>$  link word; an empty key means the text is the key
//   "&" outside codes toggles the highlight; "$" with any other character skips both.
//
// Layout never fails: codes cut by the end of the text end the layout, and a text beyond the limits
// below is laid out up to the limit it reaches.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "ui/MarkupMeasure.h"

namespace valmore {

// One laid-out character.
struct MarkupFragment {
    // The character cell; its width and height are the character's measured size in its font.
    Rect rect;
    std::array<char, 3> text{};  // one or two bytes, NUL-terminated
    Rgb colour;
    bool highlight = false;  // between "&" marks; drawn in blue whatever the colour
    bool link = false;
    std::string linkKey;  // each link character keeps its own copy
    int font = 11;        // the skin font the character was measured with

    std::string_view Text() const { return text.data(); }
};

// One inline skin bitmap.
struct MarkupImage {
    bool used = false;
    int bitmap = 0;  // skin bitmap index
    int x = 0;
    int y = 0;
    // The drawn size is one pixel less in each direction than the room the image takes in the line.
    int widthMinusOne = 0;
    int heightMinusOne = 0;
};

class CMarkupText {
public:
    static constexpr int kMaxPages = 5;
    static constexpr int kMaxFragmentsPerPage = 1000;
    static constexpr int kMaxImagesPerPage = 4;
    static constexpr std::size_t kMaxTextBytes = 4999;
    static constexpr std::size_t kMaxLinkBytes = 255;  // for the display text and for the key
    static constexpr int kDefaultFont = 11;

    // The page count and, for each page, the extent of its characters from the area's left and top
    // (images do not count); 0 x 0 for a page without characters.
    struct PageSizes {
        int pageCount = 0;
        std::array<Size, kMaxPages> pages{};
    };

    // Replaces the previous content with the layout of text for an area whose left and right edges
    // and top are those of area. The bottom is not used: text is cut only when drawn.
    PageSizes Layout(IMarkupMeasurer& measurer, std::string_view text, const Rect& area);
    // The same, measured with the skin's fonts.
    PageSizes Layout(const IMarkupSkin& skin, std::string_view text, const Rect& area);

    // Draws one page clipped to area, with the canvas's text alignment and background settings, and
    // remembers it as the page last drawn. A page that does not exist draws nothing.
    void Draw(CCanvas& canvas, const IMarkupSkin& skin, const Rect& area, int page);

    // Empties the engine: no pages, no characters, no images, page last drawn 0.
    void Reset();

    int PageCount() const { return pageCount_; }
    int PageLastDrawn() const { return pageLastDrawn_; }
    // Zero and empty for a page that does not exist.
    int FragmentCount(int page) const { return static_cast<int>(Fragments(page).size()); }
    std::span<const MarkupFragment> Fragments(int page) const;
    // The four image slots of a page, used ones first; empty for a page that does not exist.
    std::span<const MarkupImage> ImageSlots(int page) const;

    // The key of the first link character of the page, in layout order, whose cell holds the point
    // (left and top edges inside, right and bottom outside); none when no link is there.
    std::optional<std::string> FindLink(int page, int x, int y) const;

private:
    struct LayoutState;

    void Clear();
    bool ApplyCode(LayoutState& s);
    PageSizes FinishLayout(const LayoutState& s);
    void PlaceCharacter(LayoutState& s, std::string_view ch, bool link, std::string_view key);
    void PlaceImage(LayoutState& s, int bitmap);
    void PlaceLink(LayoutState& s, std::string_view display, std::string_view key);
    bool IsValidPage(int page) const { return page >= 0 && page < pageCount_; }

    std::array<std::vector<MarkupFragment>, kMaxPages> fragments_;
    std::array<std::array<MarkupImage, kMaxImagesPerPage>, kMaxPages> images_{};
    int pageCount_ = 0;
    int pageLastDrawn_ = 0;
    int lineGap_ = 3;
};

// A plain Shift_JIS text (a file name, a reason) made safe to show as markup: "$" and "&" are codes
// there, so they become their full-width forms.
std::string EscapeMarkup(std::string_view sjis);

}  // namespace valmore
