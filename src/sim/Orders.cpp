#include "sim/Orders.h"

#include <algorithm>

#include "sim/Money.h"

namespace valmore {

namespace {

// The columns' product when it names one of the market's products, else -1.
int ColumnProduct(const OrderColumn& column, const CMarket& market) {
    return market.HasProduct(column.product) ? column.product : -1;
}

bool Trades(const OrderColumn& column, const CMarket& market, OrderChoice choice) {
    return ColumnProduct(column, market) >= 0 && column.choice == choice && column.quantity > 0;
}

}  // namespace

std::int32_t TradingUnit(const CMarket& market, int product) {
    return market.HasProduct(product) ? market.Products[static_cast<std::size_t>(product)].unitQty : 0;
}

std::int32_t SellQuantityMax(const CMarket& market, const CPosition& position, int product) {
    if (!market.HasProduct(product)) return 0;
    return ClampToInt32(static_cast<std::int64_t>(position.Holding(product).SignedQuantity()) +
                        static_cast<std::int64_t>(kShortSaleUnits) * TradingUnit(market, product));
}

QuantityLimits LimitsForChoice(OrderChoice choice, const CMarket& market, const CPosition& position, int product) {
    QuantityLimits limits;
    std::int32_t unit = TradingUnit(market, product);
    limits.minimum = unit;
    limits.step = unit;
    limits.value = unit;
    if (choice == OrderChoice::Buy) {
        limits.enabled = true;
        limits.maximum = kBuyQuantityMax;
    } else if (choice == OrderChoice::Sell) {
        limits.enabled = true;
        limits.maximum = SellQuantityMax(market, position, product);
    }
    return limits;
}

OrderOutcome ExecuteOrders(const OrderColumns& columns, const CMarket& market, CPosition& position,
                           const CScenario& scenario, CTradeHistory& history) {
    OrderOutcome outcome;
    std::string date = scenario.CurrentDate();

    for (const OrderColumn& column : columns) {
        if (!Trades(column, market, OrderChoice::Sell)) continue;
        int product = column.product;
        std::int64_t after = static_cast<std::int64_t>(position.Holding(product).SignedQuantity()) - column.quantity;
        if (after < -static_cast<std::int64_t>(kShortSaleUnits) * TradingUnit(market, product)) {
            outcome.refusal = OrderRefusal::ShortSaleLimit;
            return outcome;
        }
    }

    // The trial run works on a copy, so a refused day leaves the live position and the counters untouched.
    OrderContext trial{market, scenario.CurrentEventListIndex, date, nullptr};
    CPosition trialPosition = position;
    bool anyBuy = false;
    for (const OrderColumn& column : columns) {
        if (Trades(column, market, OrderChoice::Buy)) {
            anyBuy = true;
            trialPosition.Order(kActionBuy, column.product, column.quantity, true, trial);
        }
        if (Trades(column, market, OrderChoice::Sell)) {
            trialPosition.Order(kActionSell, column.product, column.quantity, true, trial);
        }
    }
    if (anyBuy && trialPosition.AvailableCash() < 0) {
        outcome.refusal = OrderRefusal::Cash;
        return outcome;
    }

    OrderContext live{market, scenario.CurrentEventListIndex, date, &history};
    for (const OrderColumn& column : columns) {
        for (OrderChoice choice : {OrderChoice::Buy, OrderChoice::Sell}) {
            if (!Trades(column, market, choice)) continue;
            position.Order(static_cast<int>(choice), column.product, column.quantity, false, live);
            outcome.trades.push_back(
                ExecutedTrade{column.product, choice, column.quantity,
                              market.Products[static_cast<std::size_t>(column.product)].currentPrice});
        }
    }
    return outcome;
}

}  // namespace valmore
