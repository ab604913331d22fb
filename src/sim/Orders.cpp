#include "sim/Orders.h"

#include <algorithm>
#include <cstdio>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "sim/Money.h"

namespace valmore {

namespace {

// The columns' product when it names one of the market's products, else -1.
int ColumnProduct(const OrderColumn& column, const CMarket& market) {
    return market.HasProduct(column.product) ? column.product : -1;
}

bool Trades(const OrderColumn& column, const CMarket& market, int action) {
    return ColumnProduct(column, market) >= 0 && column.choice == action && column.quantity > 0;
}

// "%4.4d": at least four digits, zero-padded.
std::string Pad4(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%4.4d", value);
    return text;
}

std::string TradeLogLine(int action, const MarketProduct& product, std::int32_t quantity, int width) {
    std::string line = product.prdCode + ":" + product.name + " $x" + Pad4(width * 6 / 20);
    line += action == kActionBuy ? "$c000100050" + Sj("買い") : "$c155000000" + Sj("売り");
    line += "$c000000000 $x" + Pad4(width * 8 / 20) + FormatGrouped(quantity) + Sj("株");
    line += " $x" + Pad4(width * 11 / 20) + FormatGrouped(product.currentPrice) + Sj("円") + "$n";
    return line;
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

QuantityLimits LimitsForChoice(int choice, const CMarket& market, const CPosition& position, int product) {
    QuantityLimits limits;
    std::int32_t unit = TradingUnit(market, product);
    limits.minimum = unit;
    limits.step = unit;
    limits.value = unit;
    if (choice == kActionBuy) {
        limits.enabled = true;
        limits.maximum = kBuyQuantityMax;
    } else if (choice == kActionSell) {
        limits.enabled = true;
        limits.maximum = SellQuantityMax(market, position, product);
    }
    return limits;
}

OrderOutcome ExecuteOrders(const OrderColumns& columns, const CMarket& market, CPosition& position,
                           const CScenario& scenario, CTradeHistory& history, int textWidth) {
    OrderOutcome outcome;
    int width = std::clamp(textWidth, 0, 1 << 20);
    std::string date = scenario.CurrentDate();

    for (const OrderColumn& column : columns) {
        if (!Trades(column, market, kActionSell)) continue;
        int product = column.product;
        std::int64_t after = static_cast<std::int64_t>(position.Holding(product).SignedQuantity()) - column.quantity;
        if (after < -static_cast<std::int64_t>(kShortSaleUnits) * TradingUnit(market, product)) {
            outcome.refusal = OrderRefusal::ShortSaleLimit;
            outcome.message =
                Sj("空売り制限を越えますので、売りの株数を減らして注文をやり直してください。"
                   "当シミュレーションでは、空売りは各銘柄10単位まで、というルールを設けてあります。");
            return outcome;
        }
    }

    // The trial run works on a copy, so a refused day leaves the live position and the counters untouched.
    OrderContext trial{market, scenario.CurrentEventListIndex, date, nullptr};
    CPosition trialPosition = position;
    bool anyBuy = false;
    for (const OrderColumn& column : columns) {
        if (Trades(column, market, kActionBuy)) {
            anyBuy = true;
            trialPosition.Order(kActionBuy, column.product, column.quantity, true, trial);
        }
        if (Trades(column, market, kActionSell)) {
            trialPosition.Order(kActionSell, column.product, column.quantity, true, trial);
        }
    }
    if (anyBuy && trialPosition.AvailableCash() < 0) {
        outcome.refusal = OrderRefusal::Cash;
        outcome.message =
            Sj("現金が足りませんので、注文をやり直してください。例えば、$n１. 買いの株数を減らして下さい。"
               "$n２. $g031を選択してください。$n３. 売ることのできる銘柄がある場合は、売ってください。");
        return outcome;
    }

    OrderContext live{market, scenario.CurrentEventListIndex, date, &history};
    for (const OrderColumn& column : columns) {
        for (int action : {kActionBuy, kActionSell}) {
            if (!Trades(column, market, action)) continue;
            position.Order(action, column.product, column.quantity, false, live);
            outcome.tradeLog +=
                TradeLogLine(action, market.Products[static_cast<std::size_t>(column.product)], column.quantity, width);
            ++outcome.executedOrders;
        }
    }
    return outcome;
}

}  // namespace valmore
