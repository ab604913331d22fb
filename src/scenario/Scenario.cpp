#include "scenario/Scenario.h"

namespace valmore {

const std::optional<std::string>& TextTable::operator[](int number) const {
    static const std::optional<std::string> kNone;
    if (number < 1 || number > kMaxTexts) return kNone;
    return slots[static_cast<std::size_t>(number)];
}

std::string CScenario::CurrentDate() const {
    if (CurrentEventListIndex < 0 || CurrentEventListIndex >= EventCount()) return std::string();
    return CurrentEvent().Date.value_or(std::string());
}

std::int32_t JudgeCodeFromText(const std::optional<std::string>& value) {
    if (!value) return 3;
    if (value->empty()) return 0;
    switch ((*value)[0]) {
        case '1': return 1;
        case '2': return 2;
        case '3': return 3;
        default: return 0;
    }
}

}  // namespace valmore
