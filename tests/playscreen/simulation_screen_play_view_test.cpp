#include <gtest/gtest.h>

#include "playscreen/TitlePanel.h"
#include "simulation_screen_fixture.h"

namespace valmore {
namespace {

using test::ScreenTest;

TEST(SimulationScreenAsPlayView, APlayRunsFromItsStartOnThisScreenToTheResultScreen) {
    ScreenTest t;
    std::vector<int> prepared;
    t.screen.prepareResultScreen = [&](int products) { prepared.push_back(products); };
    t.Begin(2, 1);
    EXPECT_EQ(t.host.CurrentScreen(), 0);

    t.Paint();
    const CTitlePanel& title = t.screen.TitlePanel();
    EXPECT_LT(t.DarkestOver(title.TextRect(), 0, {title.GetRect().left, title.GetRect().top}), 100)
        << "the scenario's title";

    t.TickUntilOrders();
    t.Click(t.screen.PassButton(0));
    t.Click(t.screen.BuyButton(1));
    t.Click(t.screen.ExecuteButton());
    EXPECT_EQ(t.controller.GetSubState(), CDayController::kClosing);
    for (int i = 0; i < 200 && t.host.CurrentScreen() == 0; ++i) t.controller.Tick();
    EXPECT_EQ(prepared, std::vector<int>{2});
    EXPECT_EQ(t.host.CurrentScreen(), 3);
    EXPECT_EQ(t.controller.Play()->Position().Holding(1).SignedQuantity(), 0) << "reversed at the end";
}

}  // namespace
}  // namespace valmore
