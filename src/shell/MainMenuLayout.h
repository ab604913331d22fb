#pragma once

// Where the main menu places its title and buttons, per resolution mode. The skin generator sizes
// and paints the menu's pictures from the same table.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

// Top-left corners.
struct MainMenuLayout {
    static constexpr int kButtonCount = 4;
    Point title;
    std::array<Point, kButtonCount> buttons;  // practice run, scenario selection, communication, quit
};

inline constexpr std::array<MainMenuLayout, kModeCount> kMainMenuLayouts{{
    {{0, 217}, {{{405, 270}, {405, 335}, {405, 400}, {405, 465}}}},
    {{0, 271}, {{{507, 369}, {507, 449}, {507, 532}, {507, 613}}}},
}};

}  // namespace valmore
