#include <gtest/gtest.h>

#include "sim/Orders.h"
#include "sim/PlayFixtures.h"

namespace valmore {
namespace {

using test::FlatScenario;
using test::MarketOf;
using test::SetPrice;

class DayOrders : public ::testing::Test {
protected:
    DayOrders() : scenario(FlatScenario(2, 5)), market(MarketOf(scenario)), history(5) {
        position.CashAmount = scenario.header.FundAmount;
        scenario.CurrentEventListIndex = 1;
    }

    OrderOutcome Execute(OrderColumn first, OrderColumn second) {
        return ExecuteOrders({first, second, OrderColumn{}}, market, position, scenario, history);
    }

    void Hold(int product, std::int32_t signedShares) {
        int action = signedShares > 0 ? kActionBuy : kActionSell;
        position.Order(action, product, signedShares > 0 ? signedShares : -signedShares, true,
                       OrderContext{market, 0, "", nullptr});
    }

    CScenario scenario;
    CMarket market;
    CPosition position;
    CTradeHistory history;
};

TEST_F(DayOrders, SellingUpToTenUnitsShortIsAcceptedAndOneMoreIsRefused) {
    Hold(0, 2000);
    EXPECT_EQ(SellQuantityMax(market, position, 0), 12000);
    EXPECT_EQ(Execute({0, OrderChoice::Sell, 12001}, {1, OrderChoice::Pass, 0}).refusal, OrderRefusal::ShortSaleLimit);
    EXPECT_TRUE(Execute({0, OrderChoice::Sell, 12000}, {1, OrderChoice::Pass, 0}).Accepted());
    EXPECT_EQ(position.Holding(0).SignedQuantity(), -10000);

    // Ten units short: nothing more may be sold.
    EXPECT_EQ(SellQuantityMax(market, position, 0), 0);
    OrderOutcome refused = Execute({0, OrderChoice::Sell, 1000}, {1, OrderChoice::Pass, 0});
    EXPECT_EQ(refused.refusal, OrderRefusal::ShortSaleLimit);
    EXPECT_TRUE(refused.trades.empty());

    EXPECT_EQ(LimitsForChoice(OrderChoice::Buy, market, position, 0),
              (QuantityLimits{true, 1000, 1000000, 1000, 1000}));
    EXPECT_FALSE(LimitsForChoice(OrderChoice::Pass, market, position, 0).enabled);
}

TEST_F(DayOrders, ARefusedDayChangesNothingAtAll) {
    Hold(1, 3000);
    CPosition before = position;
    CTradeHistory historyBefore = history;

    OrderOutcome cash = Execute({0, OrderChoice::Buy, 10000000}, {1, OrderChoice::Sell, 1000});
    EXPECT_EQ(cash.refusal, OrderRefusal::Cash);
    EXPECT_TRUE(cash.trades.empty());
    EXPECT_EQ(position, before);
    EXPECT_EQ(history, historyBefore);

    EXPECT_EQ(Execute({0, OrderChoice::Buy, 1000}, {1, OrderChoice::Sell, 14000}).refusal,
              OrderRefusal::ShortSaleLimit);
    EXPECT_EQ(position, before);
    EXPECT_EQ(history, historyBefore);
}

TEST_F(DayOrders, ABuyMayBePaidForByTheSameDaysSale) {
    Hold(1, 6000);  // 6,006,000 spent of the fund
    std::int32_t cash = position.AvailableCash();
    ASSERT_LT(cash, 5000000);
    EXPECT_EQ(Execute({0, OrderChoice::Buy, 5000}, {1, OrderChoice::Pass, 0}).refusal, OrderRefusal::Cash);
    OrderOutcome accepted = Execute({0, OrderChoice::Buy, 5000}, {1, OrderChoice::Sell, 6000});
    ASSERT_TRUE(accepted.Accepted());
    EXPECT_EQ(position.Holding(0).SignedQuantity(), 5000);
    EXPECT_TRUE(position.Holding(1).Empty());

    // Counters grow by exactly one per executed order; the trial run counts nothing.
    EXPECT_EQ(history.OrderCount[0], 1);
    EXPECT_EQ(history.OrderCount[1], 1);
    EXPECT_EQ(history.days[1].products[0].action, kActionBuy);
    EXPECT_EQ(history.days[1].products[1].action, kActionSell);
}

TEST_F(DayOrders, TaxOwedOnGainsIsNotCashThatMayBeSpent) {
    Hold(0, 5000);  // 5,000,000 + 5,000 commission
    SetPrice(market, 0, 2000);
    Hold(0, -5000);  // 10,000,000 - 10,000 commission; a gain of 5,000,000 owes 1,000,000 tax
    ASSERT_EQ(position.CashAmount, 14985000);
    ASSERT_EQ(position.Holding(0).RealizedTax, 1000000);

    // 7,000 shares cost 14,014,000: within the cash held, but 29,000 beyond it once the tax is paid.
    EXPECT_EQ(Execute({0, OrderChoice::Buy, 7000}, {1, OrderChoice::Pass, 0}).refusal, OrderRefusal::Cash);
    // 6,000 shares cost 12,012,000 and leave 1,973,000 after the tax.
    EXPECT_TRUE(Execute({0, OrderChoice::Buy, 6000}, {1, OrderChoice::Pass, 0}).Accepted());
}

TEST_F(DayOrders, AnOrderCostingMoreThanTheIntegerRangeIsRefusedForCash) {
    market.Products[0].currentPrice = 5000;
    EXPECT_EQ(Execute({0, OrderChoice::Buy, 1000000}, {1, OrderChoice::Pass, 0}).refusal, OrderRefusal::Cash);
    EXPECT_EQ(position.CashAmount, 10000000);
}

TEST_F(DayOrders, EveryExecutedOrderIsReportedInExecutionOrderAtItsPrice) {
    market.Products[1].currentPrice = 12345;
    OrderOutcome outcome = Execute({0, OrderChoice::Buy, 6000}, {1, OrderChoice::Sell, 1000});
    ASSERT_TRUE(outcome.Accepted());
    const std::vector<ExecutedTrade> expected{{0, OrderChoice::Buy, 6000, 1000}, {1, OrderChoice::Sell, 1000, 12345}};
    EXPECT_EQ(outcome.trades, expected);

    OrderOutcome passing = Execute({0, OrderChoice::Pass, 0}, {1, OrderChoice::Pass, 0});
    EXPECT_TRUE(passing.Accepted());
    EXPECT_TRUE(passing.trades.empty());
    EXPECT_EQ(history.OrderCount[0], 1);
}

}  // namespace
}  // namespace valmore
