#include "playscreen/HighlightedValue.h"

namespace valmore {

namespace {

constexpr int kTextInset = 4;
constexpr Rgb kCellBackground{255, 255, 255};
constexpr Rgb kNumberColour{0, 0, 0};

}  // namespace

void DrawNumberCell(CCanvas& dc, const Rect& cell, std::string_view text, bool highlighted) {
    if (highlighted) dc.FillSolid(cell, kHighlightColour);
    const Rgb oldText = dc.SetTextColour(kNumberColour);
    const Rgb oldBack = dc.SetBackgroundColour(highlighted ? kHighlightColour : kCellBackground);
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
