// The marks of the news and trades panel: each day's decision per product against the scenario's
// judgement, with the price and quantity of every trade and none for a pass.

#include <gtest/gtest.h>

#include "ResultScreenFixture.h"
#include "platform/TextFormat.h"

namespace valmore {
namespace {

using test::ResultScreenRig;

constexpr std::int32_t kBuy = 0;
constexpr std::int32_t kPass = 1;
constexpr std::int32_t kSell = 2;

TEST(JudgementRules, EveryJudgementAcceptsExactlyItsDecisions) {
    struct Row {
        std::int32_t judge;
        bool buy, pass, sell;
    } rows[] = {
        {0, true, true, true},  {1, true, false, false}, {2, false, false, true},  {3, false, true, false},
        {4, true, true, false}, {5, false, true, true},  {6, false, false, false}, {-1, false, false, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(JudgementMatches(r.judge, kBuy), r.buy) << "judge " << r.judge;
        EXPECT_EQ(JudgementMatches(r.judge, kPass), r.pass) << "judge " << r.judge;
        EXPECT_EQ(JudgementMatches(r.judge, kSell), r.sell) << "judge " << r.judge;
    }
    // A decision outside the three codes only fits where no decision matters or where it is not
    // the one excluded.
    EXPECT_TRUE(JudgementMatches(0, 7));
    EXPECT_FALSE(JudgementMatches(1, 7));
    EXPECT_TRUE(JudgementMatches(4, 7));
    EXPECT_EQ(ActionLabel(7), "----");
}

// Pixels of the colour family of a mark in the rectangle: red for right, blue for wrong.
int MarkPixels(const CBitmap& picture, const Rect& rect, bool red) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const Rgb c = picture.Pixel(x, y);
            const bool reddish = c.r > 200 && c.g < 170 && c.b < 170;
            const bool bluish = c.b > 200 && c.r < 170 && c.g < 170;
            if (red ? reddish : bluish) ++count;
        }
    }
    return count;
}

class DecisionMarks : public ::testing::TestWithParam<int> {};

// Two products over four days (one page in either mode). The judgements 4 and 5 cannot come from a
// scenario file, so they are put into the loaded scenario before the play begins.
TEST_P(DecisionMarks, EachDecisionIsMarkedAgainstItsJudgementIncludingFourFiveAndZero) {
    ResultScreenRig rig(GetParam());
    test::ScenarioOutline outline;
    outline.names = {"Alpha", "Beta"};
    outline.judges = {{"1", "2"}, {"", "0"}, {"3", "3"}, {"1", "1"}};
    const auto file = rig.folder.Write("marks.scn", test::ScenarioText(outline));
    ASSERT_TRUE(rig.Start(file));
    CPlay& play = *rig.controller.Play();
    CScenario scenario = play.Scenario();
    scenario.events[2].Judge = {4, 5, 3};
    scenario.events[3].Judge = {5, 5, 3};
    play.Begin(scenario, play.PrdInfo());

    // Day 0: buy / pass; day 1: sell / buy; day 2: sell / buy; day 3: pass / sell.
    ASSERT_TRUE(rig.PlayToResult({test::ParseDayOrders("B100 P"), test::ParseDayOrders("S100 B200"),
                                  test::ParseDayOrders("S100 B100"), test::ParseDayOrders("P S300")}));

    const std::vector<NewsDayView> rows = rig.screen.NewsPanel().PageRows();
    ASSERT_EQ(rows.size(), 4u);
    struct Expected {
        std::int32_t action;
        bool matches;
    };
    const Expected expected[4][2] = {
        {{kBuy, true}, {kPass, false}},   // judged buy and sell
        {{kSell, false}, {kBuy, true}},   // no judgement means pass; 0 accepts anything
        {{kSell, false}, {kBuy, false}},  // 4: anything but selling; 5: anything but buying
        {{kPass, true}, {kSell, true}},   // 5 accepts a pass and a sell
    };
    for (int e = 0; e < 4; ++e) {
        ASSERT_EQ(rows[e].products.size(), 2u);
        EXPECT_EQ(rows[e].headline, Sj("見出し") + std::to_string(e));
        for (int p = 0; p < 2; ++p) {
            const ProductDayView& shown = rows[e].products[p];
            const TradeEntry& booked = rig.Play().History().days[e].products[p];
            EXPECT_EQ(shown.name, p == 0 ? "Alpha" : "Beta");
            EXPECT_EQ(shown.action, expected[e][p].action) << "day " << e << " product " << p;
            EXPECT_EQ(shown.matches, expected[e][p].matches) << "day " << e << " product " << p;
            if (shown.action == kPass) {
                EXPECT_EQ(shown.actionLabel, Sj("見送り"));
                EXPECT_TRUE(shown.priceText.empty()) << "a pass shows no price";
            } else {
                EXPECT_EQ(shown.actionLabel, shown.action == kBuy ? Sj("買い") : Sj("売り"));
                EXPECT_EQ(shown.priceText,
                          FormatGrouped(booked.price) + Sj("円 ") + FormatGrouped(booked.quantity) + Sj("株"));
            }
        }
    }
    EXPECT_EQ(rows[1].products[0].priceText, Sj("1,010円 100株")) << "the price of the day it was traded";

    // The drawn marks: day 0 has a right and a wrong one, day 2 two wrong ones, day 3 two right ones.
    const CBitmap& picture = rig.Paint();
    const Rect day0 = rig.screen.NewsPanel().TradesRect(0);
    EXPECT_GT(MarkPixels(picture, day0, true), 0);
    EXPECT_GT(MarkPixels(picture, day0, false), 0);
    EXPECT_EQ(MarkPixels(picture, rig.screen.NewsPanel().TradesRect(2), true), 0);
    EXPECT_EQ(MarkPixels(picture, rig.screen.NewsPanel().TradesRect(3), false), 0);

    // The light grey lies behind the texts only: the space before the centred name keeps the white.
    const int middle = (day0.top + day0.bottom) / 2;
    EXPECT_EQ(picture.Pixel(day0.left + 1, middle), (Rgb{255, 255, 255}));
    int grey = 0;
    for (int x = day0.left; x < day0.right; ++x) grey += picture.Pixel(x, middle) == Rgb{224, 224, 224};
    EXPECT_GT(grey, 0);
}

// A long product name must not push the day's trades under the row's detail button.
TEST_P(DecisionMarks, TradesOfLongNamesStopBeforeTheDetailButton) {
    ResultScreenRig rig(GetParam());
    test::ScenarioOutline outline;
    const std::string longName = Sj("とても長い名前の製薬ホールディングス");
    outline.names = {longName, longName, longName};
    outline.judges = {{"1", "1", "1"}};
    const auto file = rig.folder.Write("long.scn", test::ScenarioText(outline));
    ASSERT_TRUE(rig.Start(file));
    ASSERT_TRUE(rig.PlayToResult({test::ParseDayOrders("B100 B100 B100")}));

    const CBitmap& picture = rig.Paint();
    const Rect button = rig.screen.DetailButton(0).GetRect();
    const Rect trades = rig.screen.NewsPanel().TradesRect(0);
    EXPECT_LT(trades.right, button.left);
    // Between the trades and the button the panel keeps its white.
    for (int y = trades.top + 2; y < trades.bottom - 2; ++y) {
        for (int x = trades.right; x < button.left; ++x) {
            ASSERT_EQ(picture.Pixel(x, y), (Rgb{255, 255, 255})) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, DecisionMarks, ::testing::Values(kModeXga, kModeSxga), test::ModeName);

}  // namespace
}  // namespace valmore
