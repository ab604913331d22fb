#pragma once

// One line of text in a table cell, as every cell of the result and record screens is drawn: on one
// line, centred vertically, shortened with an ellipsis when it does not fit, and over whatever the
// cell already shows.

#include <string_view>

#include "platform/Canvas.h"
#include "ui/Palette.h"

namespace valmore {

// align is CCanvas::kLeft, kCenter or kRight. The canvas's font, colours and mode are put back.
void DrawCellText(CCanvas& dc, const CFont* font, std::string_view sjis, const Rect& cell, unsigned align,
                  Rgb colour = kPalette.text);
// The same on a text background of its own: the colour lies behind the text only, not the whole cell.
void DrawCellTextOn(CCanvas& dc, const CFont* font, std::string_view sjis, const Rect& cell, unsigned align, Rgb colour,
                    Rgb background);

}  // namespace valmore
