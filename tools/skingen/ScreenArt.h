#pragma once

#include "Canvas.h"
#include "SkinGeometry.h"

namespace valmore::skingen {

// The plain slate background of the working screens.
void PaintChromeBackground(CCanvas& canvas, Mode mode);

// The main menu: its background and the title band drawn over it at (0, 217) / (0, 271).
void PaintMenuBackground(CCanvas& canvas, Mode mode);
void PaintMenuTitle(CCanvas& canvas, Mode mode);

// The communication menu's background, which carries its own title band at the menu title's place.
void PaintCommBackground(CCanvas& canvas, Mode mode);

// The record screen and the ranking screen: titles, heading rows and the white areas the
// program writes its rows into.
void PaintRecordBackground(CCanvas& canvas, Mode mode);
void PaintRankingBackground(CCanvas& canvas, Mode mode);

// The registration form drawn at (6, 207).
void PaintRegistrationForm(CCanvas& canvas, Mode mode);

// Popup backgrounds: the message popup and user dialog, and the three-section detail popup.
void PaintDialog(CCanvas& canvas, Mode mode);
void PaintDetailDialog(CCanvas& canvas, Mode mode);

void PaintSplash(CCanvas& canvas);

// Small pictures that no screen places.
void PaintMarker(CCanvas& canvas, Colour colour);

}  // namespace valmore::skingen
