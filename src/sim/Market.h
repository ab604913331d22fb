#pragma once

// The simulated market of one play: the index figures shown in the market panel, the interest rate on
// cash, the day count and up to three products with their prices.

#include <array>
#include <cstdint>
#include <string>

#include "scenario/Scenario.h"

namespace valmore {

struct MarketProduct {
    std::int32_t Valid = 0;  // 1 once copied into or out of a snapshot; no rule reads it
    std::string name;
    std::string prdCode;
    std::int32_t unitQty = 1000;
    std::int32_t ticPrice = 10;
    std::int32_t currentPrice = 0;
    std::int32_t firstPrice = 0;
    std::int32_t info = 0;

    bool operator==(const MarketProduct&) const = default;
};

class CMarket {
public:
    double N225 = 10000.0;
    double Exchange = 120.5;
    double Interest = 5.0;  // percent per year
    std::int32_t DayCount = 0;
    int ProductCount = 0;  // 0 to 3; the snapshot file calls it "ProductLastIndex"
    std::array<MarketProduct, kMaxProducts> Products;

    // Takes the products and the three market figures of a freshly loaded scenario.
    void LoadFrom(const CScenario& scenario);
    // Moves every product slot to the event's prices; non-zero rates and index values replace the old ones.
    void ApplyEvent(const ScenarioEvent& event);
    // Takes the event's company-information numbers; -1 keeps the current one.
    void UpdateInfo(const ScenarioEvent& event);
    // Copies the products (marking each Valid), the day count and the three figures.
    void CopyFrom(const CMarket& other);

    bool HasProduct(int product) const { return product >= 0 && product < ProductCount; }

    bool operator==(const CMarket&) const = default;
};

}  // namespace valmore
