#include <gtest/gtest.h>

#include "sim/Orders.h"
#include "sim/PlayFixtures.h"

namespace valmore {
namespace {

using test::FlatScenario;
using test::MarketOf;

// Shift_JIS bytes of the words in the trade log.
const std::string kBuyWord = "\x94\x83\x82\xa2";
const std::string kSellWord = "\x94\x84\x82\xe8";
const std::string kShares = "\x8a\x94";
const std::string kYen = "\x89\x7e";

class DayOrders : public ::testing::Test {
protected:
    DayOrders() : scenario(FlatScenario(2, 5)), market(MarketOf(scenario)), history(5) {
        position.CashAmount = scenario.header.FundAmount;
        scenario.CurrentEventListIndex = 1;
    }

    OrderOutcome Execute(OrderColumn first, OrderColumn second, int width = 400) {
        return ExecuteOrders({first, second, OrderColumn{}}, market, position, scenario, history, width);
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
    EXPECT_EQ(Execute({0, kActionSell, 12001}, {1, kActionPass, 0}).refusal, OrderRefusal::ShortSaleLimit);
    EXPECT_TRUE(Execute({0, kActionSell, 12000}, {1, kActionPass, 0}).Accepted());
    EXPECT_EQ(position.Holding(0).SignedQuantity(), -10000);

    // Ten units short: nothing more may be sold.
    EXPECT_EQ(SellQuantityMax(market, position, 0), 0);
    OrderOutcome refused = Execute({0, kActionSell, 1000}, {1, kActionPass, 0});
    EXPECT_EQ(refused.refusal, OrderRefusal::ShortSaleLimit);
    EXPECT_EQ(refused.message,
              "\x8b\xf3\x94\x84\x82\xe8\x90\xa7\x8c\xc0\x82\xf0\x89\x7a\x82\xa6\x82\xdc\x82\xb7\x82\xcc\x82\xc5"
              "\x81\x41\x94\x84\x82\xe8\x82\xcc\x8a\x94\x90\x94\x82\xf0\x8c\xb8\x82\xe7\x82\xb5\x82\xc4\x92\x8d"
              "\x95\xb6\x82\xf0\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42"
              "\x93\x96\x83\x56\x83\x7e\x83\x85\x83\x8c\x81\x5b\x83\x56\x83\x87\x83\x93\x82\xc5\x82\xcd\x81\x41"
              "\x8b\xf3\x94\x84\x82\xe8\x82\xcd\x8a\x65\x96\xc1\x95\xbf\x31\x30\x92\x50\x88\xca\x82\xdc\x82\xc5"
              "\x81\x41\x82\xc6\x82\xa2\x82\xa4\x83\x8b\x81\x5b\x83\x8b\x82\xf0\x90\xdd\x82\xaf\x82\xc4\x82\xa0"
              "\x82\xe8\x82\xdc\x82\xb7\x81\x42");

    EXPECT_EQ(LimitsForChoice(kActionBuy, market, position, 0), (QuantityLimits{true, 1000, 1000000, 1000, 1000}));
    EXPECT_FALSE(LimitsForChoice(kActionPass, market, position, 0).enabled);
}

TEST_F(DayOrders, ARefusedDayChangesNothingAtAll) {
    Hold(1, 3000);
    CPosition before = position;
    CTradeHistory historyBefore = history;

    OrderOutcome cash = Execute({0, kActionBuy, 10000000}, {1, kActionSell, 1000});
    EXPECT_EQ(cash.refusal, OrderRefusal::Cash);
    EXPECT_EQ(cash.message.substr(0, 8), "\x8c\xbb\x8b\xe0\x82\xaa\x91\xab");  // the cash message
    EXPECT_NE(cash.message.find("$g031"), std::string::npos);
    EXPECT_TRUE(cash.tradeLog.empty());
    EXPECT_EQ(position, before);
    EXPECT_EQ(history, historyBefore);

    EXPECT_EQ(Execute({0, kActionBuy, 1000}, {1, kActionSell, 14000}).refusal, OrderRefusal::ShortSaleLimit);
    EXPECT_EQ(position, before);
    EXPECT_EQ(history, historyBefore);
}

TEST_F(DayOrders, ABuyMayBePaidForByTheSameDaysSale) {
    Hold(1, 6000);  // 6,006,000 spent of the fund
    std::int32_t cash = position.AvailableCash();
    ASSERT_LT(cash, 5000000);
    EXPECT_EQ(Execute({0, kActionBuy, 5000}, {1, kActionPass, 0}).refusal, OrderRefusal::Cash);
    OrderOutcome accepted = Execute({0, kActionBuy, 5000}, {1, kActionSell, 6000});
    ASSERT_TRUE(accepted.Accepted());
    EXPECT_EQ(position.Holding(0).SignedQuantity(), 5000);
    EXPECT_TRUE(position.Holding(1).Empty());

    // Counters grow by exactly one per executed order; the trial run counts nothing.
    EXPECT_EQ(history.OrderCount[0], 1);
    EXPECT_EQ(history.OrderCount[1], 1);
    EXPECT_EQ(history.days[1].products[0].action, kActionBuy);
    EXPECT_EQ(history.days[1].products[1].action, kActionSell);
}

TEST_F(DayOrders, AnOrderCostingMoreThanTheIntegerRangeIsRefusedForCash) {
    market.Products[0].currentPrice = 5000;
    EXPECT_EQ(Execute({0, kActionBuy, 1000000}, {1, kActionPass, 0}).refusal, OrderRefusal::Cash);
    EXPECT_EQ(position.CashAmount, 10000000);
}

TEST_F(DayOrders, TheTradeLogHasOneLinePerExecutedOrderInItsExactLayout) {
    market.Products[1].currentPrice = 12345;
    OrderOutcome outcome = Execute({0, kActionBuy, 6000}, {1, kActionSell, 1000}, 401);
    ASSERT_TRUE(outcome.Accepted());
    EXPECT_EQ(outcome.executedOrders, 2);
    EXPECT_EQ(outcome.tradeLog, "1000:P0 $x0120$c000100050" + kBuyWord + "$c000000000 $x0160" + "6,000" + kShares +
                                    " $x0220" + "1,000" + kYen + "$n" + "1001:P1 $x0120$c155000000" + kSellWord +
                                    "$c000000000 $x0160" + "1,000" + kShares + " $x0220" + "12,345" + kYen + "$n");

    OrderOutcome passing = Execute({0, kActionPass, 0}, {1, kActionPass, 0});
    EXPECT_TRUE(passing.Accepted());
    EXPECT_TRUE(passing.tradeLog.empty());
    EXPECT_EQ(passing.executedOrders, 0);
    EXPECT_EQ(history.OrderCount[0], 1);
}

}  // namespace
}  // namespace valmore
