#include <gtest/gtest.h>

#include <cctype>

#include "sim/Play.h"
#include "sim/PlayFixtures.h"

namespace valmore {
namespace {

using test::FlatScenario;

OrderColumns Columns(OrderColumn first) {
    return {first, OrderColumn{}, OrderColumn{}};
}

TEST(PlayDays, APlayIsReversedAfterItsLastDayAndScoredFromItsTrades) {
    CScenario scenario = FlatScenario(1, 3);
    scenario.market.Interest = 0.0;
    scenario.events[0].Price[0] = 1100;
    scenario.events[1].Price[0] = 1200;
    scenario.events[2].Price[0] = 1300;
    CPlay play;
    play.Begin(scenario, PrdInfoTable{});
    EXPECT_EQ(play.Position().CashAmount, 10000000);

    ASSERT_TRUE(play.ExecuteDay(Columns({0, OrderChoice::Buy, 2000})).Accepted());
    play.CloseDay();
    EXPECT_EQ(play.Market().Products[0].currentPrice, 1100);
    EXPECT_TRUE(play.AdvanceDay());
    EXPECT_EQ(play.Market().DayCount, 1);
    for (int day = 1; day < 3; ++day) {
        ASSERT_TRUE(play.ExecuteDay(Columns({0, OrderChoice::Pass, 0})).Accepted());
        play.CloseDay();
        EXPECT_EQ(play.AdvanceDay(), day < 2);
    }
    EXPECT_TRUE(play.IsOver());
    EXPECT_EQ(play.Market().DayCount, 2);
    EXPECT_EQ(play.ExecuteDay(Columns({0, OrderChoice::Buy, 1000})).refusal, OrderRefusal::NoDay);
    EXPECT_EQ(play.History().days[3].products[0].action, kActionSell);
    EXPECT_EQ(play.History().days[3].products[0].quantity, 2000);

    FinalFigures figures = play.Finish("2024/05/01");
    EXPECT_EQ(figures.Products[0].MarketValue, 0);
    EXPECT_EQ(figures.Products[0].Realized, 600000);
    EXPECT_EQ(figures.Products[0].Unrealized, 0);
    EXPECT_EQ(figures.Products[0].Commition, 4600);
    EXPECT_EQ(figures.Products[0].Tax, 120000);
    EXPECT_EQ(figures.Products[0].AverageShares, 666);  // the reversal is not counted
    EXPECT_EQ(figures.TotalPL, 600000);
    EXPECT_EQ(figures.Commition, 4600);
    EXPECT_EQ(figures.Tax, 120000);
    EXPECT_EQ(figures.TradeCount, 2);
    EXPECT_EQ(figures.NetAssets, 10595400 - 120000);
    EXPECT_EQ(figures.TechnicalScore, 66);  // passing was right every day
    EXPECT_EQ(figures.LogicalScore, 579);   // 475,400 / 821
    EXPECT_EQ(figures.TotalScore, 645);
    EXPECT_EQ(figures.Date, "2024/05/01");
    EXPECT_EQ(figures.ScenarioID, "flat");
}

TEST(PlayDays, ClosingADayPaysTheDividendBeforeTheInterestOnIt) {
    CScenario scenario = FlatScenario(1, 2);
    scenario.market.Interest = 36.5;  // a thousandth of the cash a day
    scenario.events[0].Dividend[0] = 100;
    CPlay play;
    play.Begin(scenario, PrdInfoTable{});
    ASSERT_TRUE(play.ExecuteDay(Columns({0, OrderChoice::Buy, 1000})).Accepted());
    std::int32_t cash = play.Position().CashAmount;
    play.CloseDay();
    EXPECT_EQ(play.Position().CashAmount, cash + 80000 + (cash + 80000) / 1000);
    EXPECT_EQ(play.Position().DividendTax, 20000);
}

TEST(Scores, TheDecisionScoreIsThePercentageOfRightDecisions) {
    CScenario scenario = FlatScenario(2, 10);
    CTradeHistory history(10);
    scenario.events[0].Judge[0] = 1;
    history.RecordClose(0, 0, kSideShort, 1000, 1000, 1, 0);  // covering a short is a buy
    scenario.events[1].Judge[0] = 2;
    history.RecordOpen(0, 1, kSideShort, 1000, 1000, 1);
    scenario.events[2].Judge[0] = 0;  // anything is right
    history.RecordOpen(0, 2, kSideShort, 1000, 1000, 1);
    scenario.events[3].Judge[0] = 1;  // passed instead of buying
    for (int day = 4; day < 8; ++day) scenario.events[static_cast<std::size_t>(day)].Judge[1] = 2;
    EXPECT_EQ(TechnicalScoreOf(history, scenario, 2), 75);
    EXPECT_EQ(TechnicalScoreOf(history, scenario, 0), 0);
    EXPECT_EQ(TechnicalScoreOf(CTradeHistory(0), FlatScenario(2, 0), 2), 0);
}

TEST(Scores, TheReturnScoreRelatesProfitToAOnePercentYearOfTheFund) {
    EXPECT_EQ(LogicalScoreOf(100000, 73, 10000000), 5);
    EXPECT_EQ(LogicalScoreOf(-30000, 73, 10000000), -1);
    // Less than one yen of base gives no score instead of a division by zero.
    EXPECT_EQ(LogicalScoreOf(100000, 1, 36499), 0);
    // 200 days of two billion yen: the base exceeds what 32 bits hold before the divisions.
    EXPECT_EQ(LogicalScoreOf(109589040, 200, 2000000000), 10);
}

TEST(Scores, ThePlayIsDatedWithTheLocalDay) {
    std::string date = LocalDateText();
    ASSERT_EQ(date.size(), 10u);
    for (std::size_t i = 0; i < date.size(); ++i) {
        bool slash = i == 4 || i == 7;
        EXPECT_EQ(date[i] == '/', slash) << date;
        EXPECT_TRUE(slash || std::isdigit(static_cast<unsigned char>(date[i]))) << date;
    }
}

}  // namespace
}  // namespace valmore
