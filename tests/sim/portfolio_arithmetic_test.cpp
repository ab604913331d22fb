#include <gtest/gtest.h>

#include <limits>

#include "sim/PlayFixtures.h"
#include "sim/Position.h"
#include "sim/TradeHistory.h"

namespace valmore {
namespace {

using test::FlatScenario;
using test::MarketOf;
using test::SetPrice;

class Portfolio : public ::testing::Test {
protected:
    Portfolio() : scenario(FlatScenario(2, 10)), market(MarketOf(scenario)), history(10) {
        position.CashAmount = 10000000;
    }

    bool Trade(int action, int product, std::int32_t quantity, int day = 0) {
        return position.Order(action, product, quantity, false, OrderContext{market, day, "d", &history});
    }

    CScenario scenario;
    CMarket market;
    CTradeHistory history;
    CPosition position;
};

TEST_F(Portfolio, BuyingAndOneDayOfInterestGiveTheFiguresShownToTheUser) {
    ASSERT_TRUE(Trade(kActionBuy, 0, 6000));
    EXPECT_EQ(position.CashAmount, 3994000);

    position.ApplyInterest(3.0);
    EXPECT_EQ(position.TotalInterest, 328);
    EXPECT_EQ(position.InterestTax, 65);
    EXPECT_EQ(position.AvailableCash(), 3994263);
    EXPECT_EQ(position.TotalAssets(market), 3994328 - 65 + 6000000);

    // A negative balance pays interest, which does not count as interest earned.
    position.CashAmount = -365500;
    position.ApplyInterest(10.0);
    EXPECT_EQ(position.CashAmount, -365600);
    EXPECT_EQ(position.TotalInterest, 328);
}

TEST_F(Portfolio, CommissionIsATenthOfAPercentTruncatedForEveryLotPiece) {
    SetPrice(market, 0, 999);
    Trade(kActionBuy, 0, 1);
    EXPECT_EQ(position.Holding(0).CommitionTotal, 0);
    SetPrice(market, 0, 1000);
    Trade(kActionBuy, 0, 1);
    EXPECT_EQ(position.Holding(0).CommitionTotal, 1);

    // Two lots of 100 shares, then a sale of 300 at 1,237 yen: each piece pays 123 (123.7 truncated).
    CPosition fresh;
    fresh.CashAmount = 10000000;
    position = fresh;
    SetPrice(market, 1, 1000);
    Trade(kActionBuy, 1, 100, 1);
    SetPrice(market, 1, 1100);
    Trade(kActionBuy, 1, 100, 2);
    SetPrice(market, 1, 1237);
    Trade(kActionSell, 1, 300, 3);

    const Equity& holding = position.Holding(1);
    EXPECT_EQ(holding.Side, kSideShort);
    ASSERT_EQ(holding.LotCount(), 1);
    EXPECT_EQ(holding.Lot(0).amount, 100);
    EXPECT_EQ(holding.Lot(0).commition, 123);
    EXPECT_EQ(holding.SignedQuantity(), -100);
    EXPECT_EQ(holding.TotalRealized, 23700 + 13700);
    EXPECT_EQ(holding.CommitionTotal, 100 + 110 + 3 * 123);

    const TradeEntry& day = history.days[3].products[1];
    EXPECT_EQ(day.action, kActionSell);
    EXPECT_EQ(day.quantity, 300);
    EXPECT_EQ(day.commition, 3 * 123);
    EXPECT_EQ(day.realized, 37400);
    EXPECT_EQ(history.OrderCount[1], 3);
}

TEST_F(Portfolio, ABuyCoversAShortHoldingFirstAndBooksOneDayEntry) {
    Trade(kActionSell, 0, 1000, 0);
    SetPrice(market, 0, 900);
    Trade(kActionBuy, 0, 3000, 1);

    const Equity& holding = position.Holding(0);
    EXPECT_EQ(holding.Side, kSideLong);
    EXPECT_EQ(holding.SignedQuantity(), 2000);
    const TradeEntry& day = history.days[1].products[0];
    EXPECT_EQ(day.action, kActionBuy);
    EXPECT_EQ(day.quantity, 3000);
    EXPECT_EQ(day.commition, 900 + 1800);
    EXPECT_EQ(day.realized, 100000);

    // Closing everything resets the side even after a short.
    Trade(kActionSell, 0, 2000, 2);
    Trade(kActionSell, 0, 1000, 3);
    Trade(kActionBuy, 0, 1000, 4);
    EXPECT_TRUE(position.Holding(0).Empty());
    EXPECT_EQ(position.Holding(0).Side, kSideLong);
}

TEST_F(Portfolio, TaxOnRealisedGainsFollowsEachProductsRunningTotal) {
    Trade(kActionBuy, 0, 1000);
    SetPrice(market, 0, 1010);
    Trade(kActionSell, 0, 1000);
    EXPECT_EQ(position.Holding(0).RealizedTax, 2000);
    Trade(kActionBuy, 0, 1000);
    SetPrice(market, 0, 995);
    Trade(kActionSell, 0, 1000);
    EXPECT_EQ(position.Holding(0).TotalRealized, -5000);
    EXPECT_EQ(position.Holding(0).RealizedTax, 0);

    Trade(kActionBuy, 1, 1000);
    SetPrice(market, 1, 1010);
    Trade(kActionSell, 1, 1000);
    // A loss on one product does not lower the tax owed on another.
    EXPECT_EQ(position.TaxOnGains(), 2000);
}

TEST_F(Portfolio, DividendsCreditLongHoldingsNetOfTaxAndChargeShortOnesInFull) {
    ScenarioEvent event;
    event.Dividend = {5, 0, 0};
    Trade(kActionBuy, 0, 7);
    std::int32_t cash = position.CashAmount;
    position.ApplyDividends(event, 2);
    EXPECT_EQ(position.CashAmount, cash + 28);
    EXPECT_EQ(position.DividendTax, 7);
    EXPECT_EQ(position.TotalDividend, 35);

    Trade(kActionSell, 0, 14);
    cash = position.CashAmount;
    position.ApplyDividends(event, 2);
    EXPECT_EQ(position.CashAmount, cash - 35);
    EXPECT_EQ(position.DividendTax, 7);
    EXPECT_EQ(position.TotalDividend, 0);
    EXPECT_EQ(position.TotalTax(), 7);
}

TEST_F(Portfolio, AmountsBeyondTheIntegerRangeStickAtTheLimitInsteadOfWrapping) {
    SetPrice(market, 0, 5000);
    Trade(kActionBuy, 0, 1000000);
    EXPECT_LT(position.CashAmount, 0);
    Trade(kActionBuy, 0, 1000000);
    EXPECT_EQ(position.CashAmount, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(position.Holding(0).SignedQuantity(), 2000000);
}

TEST_F(Portfolio, LotsStayOldestFirstWhenTheRingWrapsAround) {
    Trade(kActionBuy, 0, 1);
    for (int day = 0; day < 1500; ++day) {
        SetPrice(market, 0, 1000 + day);
        Trade(kActionBuy, 0, 1);
        Trade(kActionSell, 0, 1);
    }
    const Equity& holding = position.Holding(0);
    ASSERT_EQ(holding.LotCount(), 1);
    EXPECT_NE(holding.Head(), 0);
    EXPECT_EQ(holding.Lot(0).price, 1000 + 1499);
}

TEST(Market, EventsMovePricesAndKeepRatesAndInformationTheyDoNotGive) {
    CScenario scenario = FlatScenario(2, 1);
    scenario.products[0].InfoNo = 4;
    scenario.products[1].InfoNo = 5;
    CMarket market = MarketOf(scenario);
    EXPECT_EQ(market.Products[0].firstPrice, 1000);
    EXPECT_EQ(market.Products[0].Valid, 0);

    ScenarioEvent event;
    event.Price = {1200, 800, 0};
    event.Exchange = 110.0;
    event.PrdInfo = {-1, 0, -1};
    market.ApplyEvent(event);
    market.UpdateInfo(event);
    EXPECT_EQ(market.Products[0].currentPrice, 1200);
    EXPECT_EQ(market.Products[0].firstPrice, 1000);
    EXPECT_EQ(market.Interest, 5.0);
    EXPECT_EQ(market.Exchange, 110.0);
    EXPECT_EQ(market.Products[0].info, 4);
    EXPECT_EQ(market.Products[1].info, 0);

    CMarket copy;
    copy.CopyFrom(market);
    EXPECT_EQ(copy.Products[1].Valid, 1);
    EXPECT_EQ(copy.Products[1].currentPrice, 800);
}

}  // namespace
}  // namespace valmore
