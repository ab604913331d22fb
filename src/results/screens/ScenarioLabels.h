#pragma once

// The labels a scenario header's numbers are shown with on the result and record screens.

#include <cstdint>
#include <string>

namespace valmore {

// "株式" for category 0, "----" for any other (Shift_JIS).
std::string CategoryLabel(std::int32_t category);
// "練習" for mode 0, "実践" for mode 1, "----" for any other (Shift_JIS).
std::string ModeLabel(std::int32_t mode);

}  // namespace valmore
