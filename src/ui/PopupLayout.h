#pragma once

// Where the message popup and the detail popup place their buttons, titles and texts, per
// resolution mode, in popup coordinates. The skin generator places the popups' pictures from the
// same tables.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

struct MessagePopupLayout {
    // The buttons sit at the same places in both modes.
    Point button1;  // yes; hidden in a notice
    Point button2;  // no, or OK in a notice
    Point previousPage;
    Point nextPage;
    // The title and the body below it.
    Point origin;
    int margin;
    int titleHeight;
    Size area;
};

inline constexpr std::array<MessagePopupLayout, kModeCount> kMessagePopupLayouts{{
    {{440, 4}, {496, 4}, {340, 4}, {380, 4}, {6, 35}, 8, 32, {609, 144}},
    {{440, 4}, {496, 4}, {340, 4}, {380, 4}, {6, 43}, 10, 48, {741, 248}},
}};

// Three sections one above the other; each section's page buttons sit one row step below the
// previous section's, and BACK sits in the last section's row under OK.
struct DetailPopupLayout {
    static constexpr int kSections = 3;  // "詳細", "解説", "用語解説"
    static constexpr int kButtonRowY = 4;

    std::array<Point, kSections> origins;
    int areaWidth;
    int areaHeight;
    int titleHeight;
    int margin;
    int rowStep;
    int okX;
    int leftX;
    int rightX;
};

inline constexpr std::array<DetailPopupLayout, kModeCount> kDetailPopupLayouts{{
    {{{{6, 35}, {6, 215}, {6, 395}}}, 609, 144, 32, 8, 180, 420, 340, 380},
    {{{{6, 43}, {6, 334}, {6, 625}}}, 741, 248, 43, 10, 292, 525, 425, 475},
}};

}  // namespace valmore
