#include <gtest/gtest.h>

#include "playscreen/MarketPanel.h"
#include "simulation_screen_fixture.h"

namespace valmore {
namespace {

using test::ScreenTest;

class MarketPanelFigures : public ::testing::TestWithParam<int> {
protected:
    MarketPanelFigures() : t(GetParam()) {}

    CMarketPanel& Panel() { return t.screen.MarketPanel(); }
    void PaintPanel() {
        Panel().dirty = true;
        Panel().Draw(t.host.Window().Canvas());
    }
    int Darkest(const Rect& r) { return t.DarkestOver(r, 1, {Panel().GetRect().left, Panel().GetRect().top}); }

    ScreenTest t;
};

INSTANTIATE_TEST_SUITE_P(BothResolutions, MarketPanelFigures, ::testing::Values(kModeXga, kModeSxga), test::ModeName);

TEST_P(MarketPanelFigures, TheFirstUpdateTakesTheMarketsFiguresIntoTheirCells) {
    t.Begin(2);
    EXPECT_EQ(Panel().Value(1, 1).value, 0.0) << "nothing before the first update";
    EXPECT_TRUE(Panel().UpdateMarketValues());
    EXPECT_EQ(Panel().Value(1, 1).value, 15000.0);
    EXPECT_EQ(Panel().Value(2, 1).value, 110.25);
    EXPECT_EQ(Panel().Value(3, 1).value, 3.0);
    EXPECT_EQ(Panel().Value(1, 4).value, 1000.0);
    EXPECT_EQ(Panel().Value(2, 4).value, 1000.0);
    EXPECT_EQ(Panel().Value(3, 4).value, 0.0) << "no third product";
}

TEST_P(MarketPanelFigures, AChangedFigureIsHighlightedUntilItsTenthUpdate) {
    t.Begin(1);
    const Rect cell = Panel().Cell(1, 1);
    std::vector<bool> redraws;
    for (int update = 1; update <= 10; ++update) {
        redraws.push_back(Panel().UpdateMarketValues());
        PaintPanel();
        const int red = t.CountColour(cell, kPalette.highlight);
        if (update < 10) {
            EXPECT_GT(red, cell.Width() * cell.Height() / 2) << "update " << update;
        } else {
            EXPECT_EQ(red, 0) << "the highlight has run out";
        }
    }
    // Repainted when the change arrives and when its highlight ends, not in between.
    EXPECT_EQ(redraws, (std::vector<bool>{true, false, false, false, false, false, false, false, false, true}));
    EXPECT_FALSE(Panel().UpdateMarketValues());
}

TEST_P(MarketPanelFigures, OneProductLeavesTheRightHalfBlankBelowItsRow) {
    t.Begin(1);
    Panel().UpdateMarketValues();
    PaintPanel();
    EXPECT_LT(Darkest(Panel().Cell(1, 3)), 100) << "the product's name";
    EXPECT_LT(Darkest(Panel().Cell(2, 0)), 100) << "the dollar label is always there";
    EXPECT_LT(Darkest(Panel().Cell(3, 1)), 100) << "and so is the interest rate";
    for (int column = 3; column <= 5; ++column) {
        EXPECT_EQ(Darkest(Panel().Cell(2, column)), 255);
        EXPECT_EQ(Darkest(Panel().Cell(3, column)), 255);
    }
}

TEST_P(MarketPanelFigures, TheDayLineNeedsADateAndStaysAfterTheLastDay) {
    std::vector<test::DayPrices> days = test::FlatDays(1, 2);
    days[0].dated = false;
    t.Begin(ScenarioText(test::Products(1), days));
    PaintPanel();
    EXPECT_EQ(Darkest(Panel().DayLineRect()), 255) << "a day without a date has no day line";
    EXPECT_LT(Darkest(Panel().Cell(1, 0)), 100) << "the rest of the panel is drawn";

    t.TickUntilOrders();
    t.Click(t.screen.PassButton(1));
    t.ExecuteAndNextDay();
    PaintPanel();
    EXPECT_LT(Darkest(Panel().DayLineRect()), 100);

    t.Click(t.screen.PassButton(1));
    ASSERT_TRUE(t.Execute().Accepted());
    for (int i = 0; i < 100 && t.controller.GetState() == CDayController::kDay; ++i) t.controller.Tick();
    ASSERT_EQ(t.controller.GetState(), CDayController::kOver);
    PaintPanel();
    EXPECT_LT(Darkest(Panel().DayLineRect()), 100) << "the last day's line stays";
}

}  // namespace
}  // namespace valmore
