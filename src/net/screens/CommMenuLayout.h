#pragma once

// Where the communication menu places its buttons, per resolution mode. The skin generator places
// the menu's pictures from the same table.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

// Top-left corners.
struct CommMenuLayout {
    static constexpr int kButtonCount = 4;
    std::array<Point, kButtonCount> buttons;  // ranking, submission, registration, back
};

inline constexpr std::array<CommMenuLayout, kModeCount> kCommMenuLayouts{{
    {{{{405, 270}, {405, 334}, {405, 400}, {405, 465}}}},
    {{{{507, 369}, {507, 449}, {507, 532}, {507, 613}}}},
}};

}  // namespace valmore
