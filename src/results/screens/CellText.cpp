#include "results/screens/CellText.h"

namespace valmore {

void DrawCellText(CCanvas& dc, const CFont* font, std::string_view sjis, const Rect& cell, unsigned align, Rgb colour) {
    if (!font || sjis.empty() || cell.IsEmpty()) return;
    CCanvas::FontGuard fontGuard(dc, font);
    const Rgb oldColour = dc.SetTextColour(colour);
    const BackgroundMode oldMode = dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.DrawText(sjis, cell, align | CCanvas::kSingleLine | CCanvas::kVCenter | CCanvas::kEndEllipsis);
    dc.SetBackgroundMode(oldMode);
    dc.SetTextColour(oldColour);
}

void DrawCellTextOn(CCanvas& dc, const CFont* font, std::string_view sjis, const Rect& cell, unsigned align, Rgb colour,
                    Rgb background) {
    if (!font || sjis.empty() || cell.IsEmpty()) return;
    CCanvas::FontGuard fontGuard(dc, font);
    const Rgb oldColour = dc.SetTextColour(colour);
    const Rgb oldBackground = dc.SetBackgroundColour(background);
    const BackgroundMode oldMode = dc.SetBackgroundMode(BackgroundMode::Opaque);
    dc.DrawText(sjis, cell, align | CCanvas::kSingleLine | CCanvas::kVCenter | CCanvas::kEndEllipsis);
    dc.SetBackgroundMode(oldMode);
    dc.SetBackgroundColour(oldBackground);
    dc.SetTextColour(oldColour);
}

}  // namespace valmore
