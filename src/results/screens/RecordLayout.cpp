#include "results/screens/RecordLayout.h"

namespace valmore {

const RecordLayout& RecordLayoutFor(int mode) {
    return kRecordLayouts[ModeOf(mode)];
}

}  // namespace valmore
