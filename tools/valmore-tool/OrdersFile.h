#pragma once

// The orders file of `valmore-tool play`: one line per event day, one token per product
// ("B6000" buy, "S1000" sell, "P" pass); blank lines and lines beginning with "#" are skipped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/Scenario.h"

namespace valmore {

struct DayOrder {
    int choice = 1;  // 0 buy, 1 pass, 2 sell
    std::int32_t quantity = 0;
};

struct OrdersFile {
    std::vector<std::vector<DayOrder>> days;  // days[k][product]; days without a line pass everywhere

    // The orders of day k for every product of the scenario.
    std::vector<DayOrder> ForDay(int day, int productCount) const;
};

// Parses and validates the whole file against the scenario. Returns false with a message naming the
// line when a token is malformed, a quantity is not a positive multiple of the unit, a buy exceeds
// 1,000,000 shares, a line has the wrong number of tokens, or there are more lines than days.
bool ParseOrdersFile(std::string_view text, const CScenario& scenario, OrdersFile* orders, std::string* error);

}  // namespace valmore
