#include <gtest/gtest.h>

#include "playscreen/AnimatedButton.h"
#include "playscreen/InfoPanel.h"
#include "simulation_screen_fixture.h"
#include "ui/SpinBox.h"

namespace valmore {
namespace {

using test::ScreenTest;

void RaiseTo(ScreenTest& t, int column, int quantity) {
    CSpinBox& box = t.screen.QuantityBox(column);
    for (int i = 0; i < 50 && box.Value() < quantity; ++i) t.ClickAt(box.UpRect());
    ASSERT_EQ(box.Value(), quantity);
}

TEST(OrderRefusalsOnScreen, TenUnitsShortAreAcceptedAndOneUnitMoreIsRefusedWithANotice) {
    ScreenTest t;
    t.Begin(1);
    t.TickUntilOrders();
    t.Click(t.screen.SellButton(1));
    RaiseTo(t, 1, 10000);
    t.ClickAt(t.screen.QuantityBox(1).UpRect());
    EXPECT_EQ(t.screen.QuantityBox(1).Value(), 10000) << "the spin box stops at ten units short";
    t.ExecuteAndNextDay();
    EXPECT_EQ(t.controller.Play()->Position().Holding(0).SignedQuantity(), -10000);
    EXPECT_TRUE(t.popupModes.empty());

    t.Click(t.screen.SellButton(1));
    EXPECT_EQ(t.screen.QuantityBox(1).Max(), 0);
    ASSERT_TRUE(t.screen.ExecuteButton().enabled);
    t.Click(t.screen.ExecuteButton());
    EXPECT_EQ(t.popupModes, std::vector<int>{QVDialog::kModeNotice});
    EXPECT_TRUE(t.controller.AcceptingOrders()) << "a refused day stays open";
    EXPECT_EQ(t.controller.Play()->Position().Holding(0).SignedQuantity(), -10000);
    EXPECT_TRUE(t.screen.SellButton(1).pressed) << "the decisions stay for another try";
    EXPECT_TRUE(t.screen.ExecuteButton().enabled);
}

TEST(OrderRefusalsOnScreen, ABuyTheCashCannotPayIsRefusedUnlessTheSameDaysSalePaysForIt) {
    ScreenTest t;
    t.Begin(ScenarioText(test::Products(2), test::FlatDays(2, 3), "1500000"));
    t.TickUntilOrders();
    t.Click(t.screen.BuyButton(0));
    t.Click(t.screen.PassButton(1));
    t.ExecuteAndNextDay();

    t.Click(t.screen.PassButton(0));
    t.Click(t.screen.BuyButton(1));
    t.Click(t.screen.ExecuteButton());
    EXPECT_EQ(t.popupModes, std::vector<int>{QVDialog::kModeNotice});
    EXPECT_TRUE(t.controller.AcceptingOrders());
    EXPECT_EQ(t.controller.Play()->Position().Holding(1).SignedQuantity(), 0);

    t.Click(t.screen.SellButton(0));
    t.Click(t.screen.ExecuteButton());
    EXPECT_EQ(t.popupModes.size(), 1u) << "no second notice";
    EXPECT_EQ(t.controller.GetSubState(), CDayController::kClosing);
    EXPECT_EQ(t.controller.Play()->Position().Holding(0).SignedQuantity(), 0);
    EXPECT_EQ(t.controller.Play()->Position().Holding(1).SignedQuantity(), 1000);
    EXPECT_EQ(t.screen.InfoPanel().Kind(), CInfoPanel::kTradeLog);
}

}  // namespace
}  // namespace valmore
