#pragma once

// The program's colours, named by what they mean. Panels and widgets take their colours from here
// (through the skin, as they take pictures and fonts), never choose one of their own: a colour is
// changed in one place, and two things that mean the same look the same. Several meanings may share
// a value; they stay apart so one can change without the other.

#include "platform/Color.h"

namespace valmore {

struct Palette {
    // Text and what lies behind it.
    Rgb text{0, 0, 0};             // every ordinary text and number
    Rgb paper{255, 255, 255};      // behind text and figures, inside boxes, a screen without its picture
    Rgb mutedText{154, 154, 154};  // shown but not to act on now: a disabled value, an answered prompt, a chart's scale
    Rgb disabledLabel{150, 150, 150};  // the caption of a button that cannot be pressed
    Rgb link{0, 0, 255};               // a glossary link under the pointer
    Rgb selection{51, 153, 255};       // behind selected text in an edit field
    Rgb selectionText{255, 255, 255};  // selected text in an edit field

    // Lines.
    Rgb frame{0, 0, 0};                // a box, a table or a title's underline drawn in ink
    Rgb rule{120, 120, 120};           // a thin line that parts rows or sections
    Rgb fieldBorder{122, 122, 122};    // the border of an edit field
    Rgb selectorFrame{103, 103, 103};  // the box of an item selector

    // Meanings of the game.
    Rgb highlight{255, 150, 150};   // under a figure that has just changed
    Rgb ownRow{0, 0, 200};          // the user's own results in a ranking
    Rgb currentItem{255, 0, 0};     // the chosen scenario of the catalogue
    Rgb unplayed{50, 50, 150};      // a scenario without a stored result
    Rgb rightMark{255, 70, 70};     // a decision that matched the judgement
    Rgb wrongMark{70, 70, 255};     // a decision that did not
    Rgb tradeCell{224, 224, 224};   // behind the user's trades in the play review
    Rgb chartLine{255, 128, 128};   // a price line
    Rgb announcement{80, 80, 255};  // the news panel's word to the user

    // The practice run.
    Rgb tutorialFrame{255, 0, 0};     // the blinking frame around what to click next
    Rgb balloonFrame{154, 154, 154};  // the outline of a balloon
    Rgb balloonFooter{77, 77, 255};   // the balloon's last line, which says how to go on

    // Outside the screens' pictures.
    Rgb backdrop{0, 0, 0};           // the canvas where no picture lies
    Rgb captionBox{40, 40, 40};      // behind the caption of a screen not built yet
    Rgb captionText{255, 255, 255};  // that caption
};

// The palette of the program; the skin hands it out.
inline constexpr Palette kPalette{};

}  // namespace valmore
