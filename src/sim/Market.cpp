#include "sim/Market.h"

#include <algorithm>

namespace valmore {

void CMarket::LoadFrom(const CScenario& scenario) {
    ProductCount = std::clamp(scenario.ProductCount(), 0, kMaxProducts);
    for (int i = 0; i < kMaxProducts; ++i) {
        MarketProduct& product = Products[static_cast<std::size_t>(i)];
        product = MarketProduct{};
        if (i >= ProductCount) continue;
        const ScenarioProduct& source = scenario.products[static_cast<std::size_t>(i)];
        product.name = source.Name;
        product.prdCode = source.Code;
        product.unitQty = source.UnitQty;
        product.ticPrice = source.TicPrice;
        product.currentPrice = source.Price;
        product.firstPrice = source.Price;
        product.info = source.InfoNo;
    }
    Interest = scenario.market.Interest;
    Exchange = scenario.market.Exchange;
    N225 = scenario.market.N225;
}

void CMarket::ApplyEvent(const ScenarioEvent& event) {
    // Slots beyond the product count take the event's values too; they carry no product, so nothing reads them.
    for (std::size_t i = 0; i < Products.size(); ++i) Products[i].currentPrice = event.Price[i];
    if (event.Interest != 0.0) Interest = event.Interest;
    if (event.Exchange != 0.0) Exchange = event.Exchange;
    if (event.N225 != 0.0) N225 = event.N225;
}

void CMarket::UpdateInfo(const ScenarioEvent& event) {
    for (int i = 0; i < ProductCount; ++i) {
        std::int32_t info = event.PrdInfo[static_cast<std::size_t>(i)];
        if (info != -1) Products[static_cast<std::size_t>(i)].info = info;
    }
}

void CMarket::CopyFrom(const CMarket& other) {
    ProductCount = std::clamp(other.ProductCount, 0, kMaxProducts);
    for (std::size_t i = 0; i < Products.size(); ++i) {
        if (static_cast<int>(i) < ProductCount) {
            Products[i] = other.Products[i];
            Products[i].Valid = 1;
        } else {
            Products[i] = MarketProduct{};
        }
    }
    DayCount = other.DayCount;
    N225 = other.N225;
    Exchange = other.Exchange;
    Interest = other.Interest;
}

}  // namespace valmore
