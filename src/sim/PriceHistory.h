#pragma once

// The prices a product has gone through in a play, day by day, as the price charts draw them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scenario/Scenario.h"
#include "sim/Market.h"

namespace valmore {

struct PriceHistory {
    std::int32_t firstPrice = 0;
    std::int32_t ticPrice = 0;
    std::vector<std::int32_t> prices;               // after each day's move, day 0 first
    std::vector<std::optional<std::string>> dates;  // Shift_JIS "Date" texts, as many as prices
};

// The product's prices over the first `days` events of the scenario (fewer when the scenario has
// fewer); an empty history for a product the market does not have.
PriceHistory ProductPriceHistory(const CScenario& scenario, const CMarket& market, int product, int days);

}  // namespace valmore
