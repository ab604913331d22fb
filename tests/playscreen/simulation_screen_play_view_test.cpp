#include <gtest/gtest.h>

#include "playscreen/TitlePanel.h"
#include "simulation_screen_fixture.h"

namespace valmore {
namespace {

using test::ScreenTest;

TEST(SimulationScreenAsPlayView, APlayRunsFromItsStartOnThisScreenToTheResultScreen) {
    ScreenTest t;
    t.Begin(2, 1);
    EXPECT_EQ(t.host.CurrentScreen(), 0);

    t.Paint();
    const CTitlePanel& title = t.screen.TitlePanel();
    EXPECT_LT(t.DarkestOver(title.TextRect(), 0, {title.GetRect().left, title.GetRect().top}), 100)
        << "the scenario's title";

    t.TickUntilOrders();
    // The figures' highlights of the new play run out within ten painted ticks; then nothing changes.
    for (int i = 0; i < 12; ++i) {
        t.Paint();
        t.controller.Tick();
    }
    t.Paint();
    EXPECT_FALSE(t.controller.Tick()) << "nothing changed and the execute button is idle";
    t.Click(t.screen.PassButton(0));
    t.Click(t.screen.BuyButton(1));
    EXPECT_TRUE(t.controller.Tick()) << "the execute button's animation alone asks for a repaint";
    t.Click(t.screen.ExecuteButton());
    EXPECT_EQ(t.controller.GetSubState(), CDayController::kClosing);
    for (int i = 0; i < 200 && t.host.CurrentScreen() == 0; ++i) t.controller.Tick();
    EXPECT_EQ(t.host.CurrentScreen(), 3);
    EXPECT_EQ(t.controller.Play()->Position().Holding(1).SignedQuantity(), 0) << "reversed at the end";
}

}  // namespace
}  // namespace valmore
