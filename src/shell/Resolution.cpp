#include "shell/Resolution.h"

#include "ui/CanvasSize.h"
#include "ui/ViewHost.h"

namespace valmore {

Size CanvasSizeOf(int mode) {
    return kCanvasSizes[ModeOf(mode)];
}

Resolution ChooseResolution(Size screen, std::optional<int> forcedMode) {
    Resolution r;
    if (forcedMode) {
        r.mode = ModeOf(*forcedMode);
    } else {
        r.mode = screen.width >= 1280 && screen.height >= 1024 ? kModeSxga : kModeXga;
    }
    r.canvas = CanvasSizeOf(r.mode);
    r.offset.x = screen.width > r.canvas.width ? (screen.width - r.canvas.width) / 2 : 0;
    r.offset.y = screen.height > r.canvas.height ? (screen.height - r.canvas.height) / 2 : 0;
    return r;
}

}  // namespace valmore
