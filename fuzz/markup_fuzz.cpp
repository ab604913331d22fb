// Any text with any codes is laid out in a fixed-size area without crashing, within the engine's
// limits, with every character cell where the area begins, and the same way twice. A link can be
// found wherever one of its characters lies, and asking at any other point is safe.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/FixedWidthMeasurer.h"
#include "ui/MarkupText.h"

namespace {

using valmore::CMarkupText;

bool SameLayout(const CMarkupText& a, const CMarkupText& b) {
    if (a.PageCount() != b.PageCount()) return false;
    for (int page = 0; page < a.PageCount(); ++page) {
        const auto fa = a.Fragments(page);
        const auto fb = b.Fragments(page);
        if (fa.size() != fb.size()) return false;
        for (std::size_t i = 0; i < fa.size(); ++i) {
            if (!(fa[i].rect == fb[i].rect) || fa[i].Text() != fb[i].Text() || fa[i].linkKey != fb[i].linkKey)
                return false;
        }
    }
    return true;
}

}  // namespace

// The first four bytes set the area's width, the sizes of bitmaps 0 to 9 (some missing) and whether
// the rest, the text, is repeated six times: short inputs thus also reach the engine's length and page
// limits, while most runs lay out a short text and stay fast.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    valmore::test::FixedWidthMeasurer measurer;
    for (int i = 0; i < 10; ++i) measurer.SetBitmapSize(i, {(data[1] + i * 7) % 40, (data[2] + i * 13) % 40});
    const valmore::Rect area{5, 7, 5 + 8 + data[0] * 2, 300};
    const std::string_view piece(reinterpret_cast<const char*>(data) + 4, size - 4);
    std::string text;
    const int copies = (data[3] & 7) == 7 ? 6 : 1;
    for (int i = 0; i < copies && text.size() <= CMarkupText::kMaxTextBytes; ++i) text += piece;
    text.resize(std::min(text.size(), CMarkupText::kMaxTextBytes + 2));

    CMarkupText markup;
    const CMarkupText::PageSizes sizes = markup.Layout(measurer, text, area);
    if (sizes.pageCount != markup.PageCount() || sizes.pageCount < 1 || sizes.pageCount > CMarkupText::kMaxPages)
        __builtin_trap();
    for (int page = 0; page < markup.PageCount(); ++page) {
        if (markup.FragmentCount(page) > CMarkupText::kMaxFragmentsPerPage) __builtin_trap();
        // Each look-up walks the page, so only the first links are looked up to keep a run short.
        int lookups = 16;
        for (const valmore::MarkupFragment& f : markup.Fragments(page)) {
            if (f.Text().empty() || f.rect.left < area.left || f.rect.top < area.top || f.rect.IsEmpty())
                __builtin_trap();
            if (f.link != !f.linkKey.empty() || f.linkKey.size() > CMarkupText::kMaxLinkBytes) __builtin_trap();
            if (f.link && lookups-- > 0 && !markup.FindLink(page, f.rect.left + f.rect.Width() / 2, f.rect.top))
                __builtin_trap();
        }
        bool free = false;
        for (const valmore::MarkupImage& image : markup.ImageSlots(page)) {
            if (image.used && (free || image.widthMinusOne < 0 || image.heightMinusOne < 0)) __builtin_trap();
            free = free || !image.used;
        }
        (void)markup.FindLink(page, area.left + data[1], area.top + data[2] * 4);
    }
    if (markup.FindLink(-1, area.left, area.top) || markup.FindLink(markup.PageCount(), area.left, area.top) ||
        markup.FragmentCount(markup.PageCount()) != 0)
        __builtin_trap();

    // Laying out again over an earlier text must leave nothing of it behind. A short text shows any
    // leftover as well as a long one, and laying out twice is most of a run's time.
    if (text.size() > 256) return 0;
    CMarkupText again;
    again.Layout(measurer, "$p$p$dold$key$", area);
    again.Layout(measurer, text, area);
    if (!SameLayout(markup, again)) __builtin_trap();
    return 0;
}
