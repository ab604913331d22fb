#pragma once

// Where the scenario selection screen places its title, buttons and table, per resolution mode.
// The skin generator sizes and paints the screen's pictures from the same table.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

// Top-left corners.
struct ScenarioSelectLayout {
    Point title;
    Point menu;
    Point resume;
    Point records;
    Point start;
    Point previousPage;
    Point nextPage;
    Point table;
};

inline constexpr std::array<ScenarioSelectLayout, kModeCount> kScenarioSelectLayouts{{
    {{6, 5}, {546, 8}, {663, 8}, {780, 8}, {897, 8}, {400, 8}, {440, 8}, {6, 38}},
    {{6, 6}, {671, 10}, {821, 10}, {971, 10}, {1121, 10}, {500, 10}, {550, 10}, {9, 76}},
}};

}  // namespace valmore
