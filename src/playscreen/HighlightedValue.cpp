#include "playscreen/HighlightedValue.h"

namespace valmore {

namespace {

constexpr int kTextInset = 4;

}  // namespace

void DrawNumberCell(CCanvas& dc, const Rect& cell, std::string_view text, bool highlighted) {
    if (highlighted) dc.FillSolid(cell, kPalette.highlight);
    const Rgb oldText = dc.SetTextColour(kPalette.text);
    const Rgb oldBack = dc.SetBackgroundColour(highlighted ? kPalette.highlight : kPalette.paper);
    const BackgroundMode oldMode = dc.SetBackgroundMode(BackgroundMode::Opaque);
    const HAlign oldH = dc.TextHAlign();
    const VAlign oldV = dc.TextVAlign();
    dc.SetTextAlign(HAlign::Right, VAlign::Top);
    dc.TextOut(cell.right - kTextInset, cell.top + kTextInset, text);
    dc.SetTextAlign(oldH, oldV);
    dc.SetBackgroundMode(oldMode);
    dc.SetBackgroundColour(oldBack);
    dc.SetTextColour(oldText);
}

}  // namespace valmore
