#pragma once

// The resolution mode and where the canvas lies on the screen, chosen once at start-up.

#include <optional>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

struct Resolution {
    ResolutionMode mode = kModeXga;
    Size canvas{};
    Point offset{};  // the canvas's top-left corner on the screen

    bool operator==(const Resolution&) const = default;
};

// The canvas size of a mode: 1024 x 768 or 1280 x 1024.
Size CanvasSizeOf(int mode);

// SXGA mode when the screen is at least 1280 x 1024, else XGA mode, unless a mode is forced. The
// canvas is centred on a larger screen; on a smaller one it starts at the corner and is cut at the
// right and bottom.
Resolution ChooseResolution(Size screen, std::optional<int> forcedMode = std::nullopt);

}  // namespace valmore
