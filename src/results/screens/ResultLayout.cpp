#include "results/screens/ResultLayout.h"

namespace valmore {

const ResultLayout& ResultLayoutFor(int mode) {
    return kResultLayouts[ModeOf(mode)];
}

}  // namespace valmore
