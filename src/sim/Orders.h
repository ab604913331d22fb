#pragma once

// The day's orders: the limits the order panel applies to its quantity spin boxes, and the execute
// action that checks all orders of the day together and then executes them.

#include <array>
#include <cstdint>
#include <vector>

#include "scenario/Scenario.h"
#include "sim/Market.h"
#include "sim/Position.h"
#include "sim/TradeHistory.h"

namespace valmore {

// A column's decision. Buy, pass and sell carry the action codes of the trade history.
enum class OrderChoice : int { None = -1, Buy = kActionBuy, Pass = kActionPass, Sell = kActionSell };

// The state of one order column of the order panel.
struct OrderColumn {
    int product = -1;  // -1: the column has no product
    OrderChoice choice = OrderChoice::None;
    std::int32_t quantity = 0;

    bool operator==(const OrderColumn&) const = default;
};
using OrderColumns = std::array<OrderColumn, kMaxProducts>;

enum class OrderRefusal {
    None,
    ShortSaleLimit,  // a sell would leave more than 10 trading units short
    Cash,            // the buys of the day cost more than the available cash and the day's sells
    NoDay,           // the play has no day left to trade on (no message; the controller never asks)
};

// One order as it was executed: the screens write the trade log from these.
struct ExecutedTrade {
    int product = 0;
    OrderChoice choice = OrderChoice::Buy;  // Buy or Sell
    std::int32_t quantity = 0;
    std::int32_t price = 0;  // the product's price after execution, at which it was traded

    bool operator==(const ExecutedTrade&) const = default;
};

struct OrderOutcome {
    OrderRefusal refusal = OrderRefusal::None;
    std::vector<ExecutedTrade> trades;  // in execution order; empty when refused or when every column passed

    bool Accepted() const { return refusal == OrderRefusal::None; }
};

// Checks the short-sale limit and the cash rule for all columns, then executes every BUY and SELL
// at the current prices. A refused day changes nothing at all.
OrderOutcome ExecuteOrders(const OrderColumns& columns, const CMarket& market, CPosition& position,
                           const CScenario& scenario, CTradeHistory& history);

// The quantity spin box of a column.
struct QuantityLimits {
    bool enabled = false;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t step = 0;
    std::int32_t value = 0;

    bool operator==(const QuantityLimits&) const = default;
};

constexpr std::int32_t kBuyQuantityMax = 1000000;
constexpr std::int32_t kShortSaleUnits = 10;

// One trading unit of the product (the minimum, step and start value of its spin box).
std::int32_t TradingUnit(const CMarket& market, int product);
// What may be sold: the shares held plus 10 trading units short.
std::int32_t SellQuantityMax(const CMarket& market, const CPosition& position, int product);
// The spin box when a toggle of the column becomes pressed: BUY and SELL enable it starting at one
// unit; PASS (and anything else) disables it.
QuantityLimits LimitsForChoice(OrderChoice choice, const CMarket& market, const CPosition& position, int product);

}  // namespace valmore
