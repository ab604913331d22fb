#pragma once

// Scenarios and markets built in code for the trading tests.

#include <string>

#include "scenario/Scenario.h"
#include "sim/Market.h"
#include "sim/Orders.h"
#include "sim/Position.h"

namespace valmore::test {

// A scenario with `products` products (unit 1000, price 1000 yen, code "100i", name "Pi") and `events`
// days on which every price stays where it is and every judgement expects a pass.
inline CScenario FlatScenario(int products, int events, std::int32_t fund = 10000000) {
    CScenario scenario;
    scenario.header.ID = "flat";
    scenario.header.ProductCount = products;
    scenario.header.FundAmount = fund;
    scenario.market = ScenarioMarket{5.0, 120.5, 10000.0};
    for (int i = 0; i < products; ++i) {
        auto& product = scenario.products[static_cast<std::size_t>(i)];
        product.Name = "P" + std::to_string(i);
        product.Code = "100" + std::to_string(i);
        product.Price = 1000;
    }
    for (int k = 0; k < events; ++k) {
        ScenarioEvent event;
        event.Date = "day" + std::to_string(k);
        event.Price = {1000, 1000, 1000};
        scenario.events.push_back(event);
    }
    return scenario;
}

inline CMarket MarketOf(const CScenario& scenario) {
    CMarket market;
    market.LoadFrom(scenario);
    return market;
}

inline void SetPrice(CMarket& market, int product, std::int32_t price) {
    market.Products[static_cast<std::size_t>(product)].currentPrice = price;
}

// Three products with different units over a dozen days of moving prices, dividends, rate changes,
// new company information and every kind of judgement.
inline CScenario BusyScenario() {
    CScenario scenario;
    scenario.header.ID = "busy";
    scenario.header.ProductCount = 3;
    scenario.header.FundAmount = 10000000;
    scenario.market = ScenarioMarket{1.5, 118.37, 9800.5};
    const std::int32_t base[] = {1000, 530, 2210};
    const std::int32_t unit[] = {1000, 100, 1000};
    for (int i = 0; i < 3; ++i) {
        auto& product = scenario.products[static_cast<std::size_t>(i)];
        product.Name = "Co" + std::to_string(i);
        product.Code = "90" + std::to_string(i);
        product.Price = base[i];
        product.UnitQty = unit[i];
        product.InfoNo = i + 1;
    }
    for (int k = 0; k < 12; ++k) {
        ScenarioEvent event;
        event.Date = "2024/03/" + std::to_string(10 + k);
        for (std::size_t i = 0; i < 3; ++i) {
            int step = static_cast<int>((k * 37 + static_cast<int>(i) * 53) % 17) - 8;
            event.Price[i] = base[i] + step * (i == 1 ? 7 : 13);
            event.Judge[i] = (k + static_cast<int>(i)) % 4;
        }
        if (k == 3) event.Dividend[0] = 5;
        if (k == 6) event.Dividend[1] = 3;
        if (k == 9) event.Dividend[2] = 7;
        if (k == 4) event.Interest = 3.25;
        if (k == 8) event.Interest = 0.5;
        if (k == 5) event.PrdInfo[0] = 2;
        if (k == 7) event.Exchange = 121.25;
        scenario.events.push_back(event);
    }
    return scenario;
}

// The same orders for the same day and product every time: buys, sells that go short, and passes.
inline OrderColumns DecisionsFor(int day, const CMarket& market) {
    OrderColumns columns;
    for (int i = 0; i < market.ProductCount; ++i) {
        auto& column = columns[static_cast<std::size_t>(i)];
        column.product = i;
        column.choice = static_cast<OrderChoice>((day * 2 + i) % 3);
        column.quantity = market.Products[static_cast<std::size_t>(i)].unitQty * (1 + (day + 2 * i) % 3);
    }
    return columns;
}

}  // namespace valmore::test
