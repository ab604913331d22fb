#include "results/screens/ScenarioLabels.h"

#include "platform/Sjis.h"

namespace valmore {

std::string CategoryLabel(std::int32_t category) {
    return category == 0 ? Sj("株式") : std::string("----");
}

std::string ModeLabel(std::int32_t mode) {
    switch (mode) {
        case 0:
            return Sj("練習");
        case 1:
            return Sj("実践");
        default:
            return "----";
    }
}

}  // namespace valmore
