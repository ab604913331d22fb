#include <gtest/gtest.h>

#include "playscreen/OrderPanel.h"
#include "simulation_screen_fixture.h"

namespace valmore {
namespace {

using test::ScreenTest;

TEST(SimulationScreenKeys, KeysChooseMoveTheQuantityAndExecuteOnlyWhileOrdersAreOpen) {
    ScreenTest t;
    t.Begin(1);
    EXPECT_FALSE(t.screen.OnKeyDown('W')) << "no orders during the opening";
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(1), OrderChoice::None);
    t.TickUntilOrders();

    EXPECT_FALSE(t.screen.OnKeyDown('Q')) << "the left column has no product";
    EXPECT_FALSE(t.screen.OnKeyDown(kKeyEnter)) << "nothing to execute yet";
    EXPECT_FALSE(t.screen.OnKeyDown(kKeyUp)) << "no quantity can move yet";

    EXPECT_TRUE(t.screen.OnKeyDown('W'));
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(1), OrderChoice::Buy);
    EXPECT_TRUE(t.screen.OnKeyDown(kKeyUp));
    EXPECT_TRUE(t.screen.OnKeyDown(kKeyUp));
    EXPECT_TRUE(t.screen.OnKeyDown(kKeyDown));
    EXPECT_EQ(t.screen.QuantityBox(1).Value(), 2000);
    EXPECT_TRUE(t.screen.OnKeyDown('W'));
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(1), OrderChoice::Buy) << "a key never takes a decision back";
    EXPECT_EQ(t.screen.QuantityBox(1).Value(), 2000);

    EXPECT_TRUE(t.screen.OnKeyDown('X'));
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(1), OrderChoice::Sell);
    EXPECT_FALSE(t.screen.BuyButton(1).pressed);
    EXPECT_EQ(t.screen.QuantityBox(1).Value(), 1000);
    EXPECT_EQ(t.screen.QuantityBox(1).Max(), 10000);

    EXPECT_TRUE(t.screen.OnKeyDown('S'));
    EXPECT_FALSE(t.screen.QuantityBox(1).Enabled());
    EXPECT_TRUE(t.screen.OnKeyDown(kKeyEnter));
    EXPECT_EQ(t.controller.GetSubState(), CDayController::kClosing);
    EXPECT_FALSE(t.screen.OnKeyDown('W')) << "the day is closing";
}

TEST(SimulationScreenKeys, EachKeyColumnBelongsToItsOrderColumnAndThePracticeRunCanHoldTheKeys) {
    ScreenTest t;
    t.Begin(3);
    t.TickUntilOrders();
    t.screen.guided = [] { return true; };
    EXPECT_FALSE(t.screen.OnKeyDown('Q'));
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(0), OrderChoice::None);
    t.screen.guided = nullptr;

    EXPECT_TRUE(t.screen.OnKeyDown('Q'));
    EXPECT_TRUE(t.screen.OnKeyDown('S'));
    EXPECT_TRUE(t.screen.OnKeyDown('C'));
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(0), OrderChoice::Buy);
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(1), OrderChoice::Pass);
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(2), OrderChoice::Sell);
    EXPECT_TRUE(t.screen.ExecuteButton().enabled);
    // The arrows follow the column chosen last.
    EXPECT_TRUE(t.screen.OnKeyDown(kKeyUp));
    EXPECT_EQ(t.screen.QuantityBox(2).Value(), 2000);
    EXPECT_EQ(t.screen.QuantityBox(0).Value(), 1000);
}

}  // namespace
}  // namespace valmore
