#pragma once

// The two resolution modes, chosen once at start-up; every layout table is indexed by them, and
// the skin generator draws one skin set for each.

namespace valmore {

enum ResolutionMode : int {
    kModeXga = 0,   // 1024 x 768 canvas, skin folder "SR\XGA\"
    kModeSxga = 1,  // 1280 x 1024 canvas, skin folder "SR\SXGA\"
};
constexpr int kModeCount = 2;

// Anything that is not SXGA mode is drawn as XGA mode, so a stray number never indexes past a
// layout table.
constexpr ResolutionMode ModeOf(int mode) {
    return mode == kModeSxga ? kModeSxga : kModeXga;
}

}  // namespace valmore
