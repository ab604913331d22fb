#include "sim/PriceHistory.h"

#include <algorithm>

namespace valmore {

PriceHistory ProductPriceHistory(const CScenario& scenario, const CMarket& market, int product, int days) {
    PriceHistory history;
    if (!market.HasProduct(product)) return history;
    const auto slot = static_cast<std::size_t>(product);
    history.firstPrice = market.Products[slot].firstPrice;
    history.ticPrice = market.Products[slot].ticPrice;
    const int count = std::clamp(days, 0, scenario.EventCount());
    history.prices.reserve(static_cast<std::size_t>(count));
    history.dates.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const ScenarioEvent& event = scenario.events[static_cast<std::size_t>(i)];
        history.prices.push_back(event.Price[slot]);
        history.dates.push_back(event.Date);
    }
    return history;
}

}  // namespace valmore
