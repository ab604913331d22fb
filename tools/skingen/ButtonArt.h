#pragma once

#include <string>

#include "Canvas.h"
#include "SkinGeometry.h"

namespace valmore::skingen {

enum class Tone { kNeutral, kBuy, kSell, kPass, kExecute };
enum class Press { kUp, kDown, kOff };
enum class Glyph { kNone, kLeft, kRight, kUp, kDown, kInfo };

struct ButtonLook {
    Tone tone = Tone::kNeutral;
    Glyph glyph = Glyph::kNone;
    std::string label;
    bool onChrome = false;  // sits on the slate chrome rather than on a white panel body
    bool square = false;    // fills its bitmap to the edge (arrows and the execute button, which
                            // also appear inline on white text where chrome corners would show)
    bool toggle = false;    // a pressed toggle is a decision: it also shows a check mark
};

// Draws a button over whatever the canvas already holds (the backdrop its corners keep).
void PaintButton(CCanvas& canvas, Mode mode, const ButtonLook& look, Press press);

// Draws one of the 22 frames of the execute button's pulse (frame 0 is the resting look).
void PaintExecuteFrame(CCanvas& canvas, Mode mode, int frame);

// The large buttons of the main menu and the communication menu.
void PaintMenuButton(CCanvas& canvas, Mode mode, const std::string& label, Press press);

// Brightness of the execute pulse at a frame: 0 at rest, 1 at the peak half-way through the
// cycle, following a cosine so that the loop from the last frame to the first is seamless.
double PulseLevel(int frame);

}  // namespace valmore::skingen
