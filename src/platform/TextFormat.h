#pragma once

#include <cstdint>
#include <string>

namespace valmore {

// A number with a comma every three digits and a leading "-" for negatives: 1234567 -> "1,234,567".
std::string FormatGrouped(std::int64_t value);

// The same for a real formatted with "%.2f": 12345.5 -> "12,345.50".
std::string FormatGroupedReal(double value);

}  // namespace valmore
