#pragma once

// The canvas of each resolution mode in pixels; the window is sized by it and the skin generator
// sizes the screens' backgrounds by it.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

inline constexpr std::array<Size, kModeCount> kCanvasSizes{{{1024, 768}, {1280, 1024}}};

}  // namespace valmore
