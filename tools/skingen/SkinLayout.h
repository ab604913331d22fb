#pragma once

// Where the screens and popups put each skin bitmap, in drawing order, for both resolution modes.
// The generator paints a bitmap over what lies behind its first placement (so a button's corners
// carry the colour of the panel under it), and the tests check every placement: inside its area,
// no partial overlaps, and corners that match what lies behind them.

#include <array>
#include <string>
#include <vector>

#include "SkinGeometry.h"

namespace valmore::skingen {

// Image identifiers: skin bitmap indices, and the execute-button frames from kFrameImage + 1 on.
constexpr int kFrameImage = 1000;

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Contains(const Rect& o) const {
        return o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
    }
    bool Intersects(const Rect& o) const {
        return o.left < right && left < o.right && o.top < bottom && top < o.bottom;
    }
};

struct Placement {
    std::string what;
    std::vector<int> images;  // every image shown at this place: up, dn, non, frames
    std::array<Point, kModeCount> at;
    std::array<bool, kModeCount> present = {true, true};
};

struct ScreenPlan {
    std::string name;
    int background;  // skin bitmap tiled down from (0, 0) under everything
    bool popup;      // the area is the background bitmap's own size rather than the canvas
    std::vector<Placement> placements;
};

// Size of any image identifier in a mode (frames take the execute button's disabled size).
Size ImageSize(int image, Mode mode);

// The area a plan lays out in: the canvas, or the popup's background bitmap.
Size PlanArea(const ScreenPlan& plan, Mode mode);

Rect PlacementRect(const Placement& p, Mode mode);

// The screens and popups whose bitmaps the skin provides.
const std::vector<ScreenPlan>& ScreenPlans();

// What lies directly behind a placement: the last earlier placement that holds it whole,
// or -1 for the plan's background.
int HostOf(const ScreenPlan& plan, std::size_t placement, Mode mode);

}  // namespace valmore::skingen
