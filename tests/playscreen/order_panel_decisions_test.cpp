#include <gtest/gtest.h>

#include "playscreen/AnimatedButton.h"
#include "playscreen/InfoPanel.h"
#include "playscreen/OrderPanel.h"
#include "simulation_screen_fixture.h"
#include "ui/SpinBox.h"

namespace valmore {
namespace {

using test::ScreenTest;

class OrderPanelColumns : public ::testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(ProductCounts, OrderPanelColumns, ::testing::Values(1, 2, 3));

TEST_P(OrderPanelColumns, OneProductUsesTheMiddleColumnTwoTheLeftAndMiddleAndOnlyUsedColumnsOpen) {
    const int products = GetParam();
    ScreenTest t;
    t.Begin(products);
    const std::vector<std::array<int, 3>> expected{{-1, 0, -1}, {0, 1, -1}, {0, 1, 2}};
    const auto& columns = expected[static_cast<std::size_t>(products - 1)];
    t.TickUntilOrders();
    COrderPanel& order = t.screen.OrderPanel();
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(order.ColumnProduct(c), columns[static_cast<std::size_t>(c)]) << "column " << c;
        const bool used = columns[static_cast<std::size_t>(c)] >= 0;
        EXPECT_EQ(t.screen.BuyButton(c).enabled, used);
        EXPECT_EQ(t.screen.PassButton(c).enabled, used);
        EXPECT_EQ(t.screen.SellButton(c).enabled, used);
        EXPECT_EQ(t.screen.InfoButton(c).enabled, used);
        EXPECT_FALSE(t.screen.QuantityBox(c).Enabled());
    }

    // The execute button waits for a decision in every used column, and for nothing else.
    for (int c = 0; c < 3; ++c) {
        if (columns[static_cast<std::size_t>(c)] < 0) continue;
        EXPECT_FALSE(t.screen.ExecuteButton().enabled);
        t.Click(t.screen.PassButton(c));
    }
    EXPECT_TRUE(t.screen.ExecuteButton().enabled) << "passing everywhere is a decision";
    const OrderColumns orders = t.screen.OrderPanel().CurrentOrders();
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(orders[static_cast<std::size_t>(c)].product, columns[static_cast<std::size_t>(c)]);
        EXPECT_EQ(orders[static_cast<std::size_t>(c)].choice,
                  columns[static_cast<std::size_t>(c)] >= 0 ? OrderChoice::Pass : OrderChoice::None);
    }
}

TEST(OrderPanelDecisions, BuyPassAndSellExcludeEachOtherAndSetTheQuantityLimits) {
    ScreenTest t;
    t.Begin(ScenarioText({{"Alpha", "1001", 1000, 100}}, test::FlatDays(1, 3)));
    t.TickUntilOrders();
    CSpinBox& box = t.screen.QuantityBox(1);

    t.Click(t.screen.BuyButton(1));
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(1), OrderChoice::Buy);
    EXPECT_TRUE(box.Enabled());
    EXPECT_EQ(box.Min(), 100);
    EXPECT_EQ(box.Value(), 100);
    EXPECT_EQ(box.Max(), 1000000);
    t.ClickAt(box.UpRect());
    EXPECT_EQ(box.Value(), 200);

    t.Click(t.screen.SellButton(1));
    EXPECT_FALSE(t.screen.BuyButton(1).pressed);
    EXPECT_TRUE(t.screen.SellButton(1).pressed);
    EXPECT_EQ(box.Value(), 100) << "a new decision starts again at one unit";
    EXPECT_EQ(box.Max(), 1000) << "nothing held: ten units short at most";

    t.Click(t.screen.PassButton(1));
    EXPECT_FALSE(t.screen.SellButton(1).pressed);
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(1), OrderChoice::Pass);
    EXPECT_FALSE(box.Enabled());
    EXPECT_TRUE(t.screen.ExecuteButton().enabled);

    // Clicking the pressed button again takes the decision back.
    t.Click(t.screen.PassButton(1));
    EXPECT_EQ(t.screen.OrderPanel().GetChoice(1), OrderChoice::None);
    EXPECT_FALSE(t.screen.ExecuteButton().enabled);
}

TEST(OrderPanelDecisions, TheSellMaximumIsTheHoldingPlusTenUnitsLongOrShort) {
    ScreenTest t;
    t.Begin(2, 4);
    t.TickUntilOrders();
    // Buy 3 units of Alpha, sell 2 units of Beta short.
    t.Click(t.screen.BuyButton(0));
    t.ClickAt(t.screen.QuantityBox(0).UpRect());
    t.ClickAt(t.screen.QuantityBox(0).UpRect());
    t.Click(t.screen.SellButton(1));
    t.ClickAt(t.screen.QuantityBox(1).UpRect());
    EXPECT_EQ(t.screen.OrderPanel().CurrentOrders()[0].quantity, 3000);
    EXPECT_EQ(t.screen.OrderPanel().CurrentOrders()[1].quantity, 2000);
    t.ExecuteAndNextDay();

    EXPECT_EQ(t.screen.OrderPanel().GetChoice(0), OrderChoice::None) << "a new day starts without decisions";
    t.Click(t.screen.SellButton(0));
    t.Click(t.screen.SellButton(1));
    EXPECT_EQ(t.screen.QuantityBox(0).Max(), 13000);
    EXPECT_EQ(t.screen.QuantityBox(1).Max(), 8000);
}

TEST(OrderPanelDecisions, ExecutedDecisionsStayVisibleButLockedUntilTheNextDay) {
    ScreenTest t;
    t.Begin(2);
    t.TickUntilOrders();
    t.Click(t.screen.BuyButton(0));
    t.Click(t.screen.PassButton(1));
    ASSERT_TRUE(t.Execute().Accepted());

    EXPECT_EQ(t.controller.GetSubState(), CDayController::kClosing);
    EXPECT_FALSE(t.screen.ExecuteButton().enabled);
    for (int c = 0; c < 3; ++c) {
        EXPECT_FALSE(t.screen.BuyButton(c).enabled);
        EXPECT_FALSE(t.screen.PassButton(c).enabled);
        EXPECT_FALSE(t.screen.InfoButton(c).enabled);
        EXPECT_FALSE(t.screen.QuantityBox(c).Enabled());
    }
    EXPECT_TRUE(t.screen.BuyButton(0).pressed);
    EXPECT_TRUE(t.screen.PassButton(1).pressed);

    // The last day's decisions go once the play is over.
    for (int i = 0; i < 500 && t.controller.GetState() == CDayController::kDay; ++i) {
        if (t.controller.AcceptingOrders()) {
            t.Click(t.screen.PassButton(0));
            t.Click(t.screen.PassButton(1));
            ASSERT_TRUE(t.Execute().Accepted());
        }
        t.controller.Tick();
    }
    EXPECT_EQ(t.controller.GetState(), CDayController::kOver);
    EXPECT_FALSE(t.screen.PassButton(0).pressed);
    EXPECT_FALSE(t.screen.PassButton(1).pressed);
}

TEST(OrderPanelDecisions, InfoOpensTheCompanyTextOnlyForAProductThatHasOne) {
    ScreenTest t;
    std::vector<test::ProductEntry> products = test::Products(2);
    products[1].info = 0;
    t.Begin(ScenarioText(products, test::FlatDays(2, 2)));
    t.TickUntilOrders();
    t.Click(t.screen.InfoButton(1));
    EXPECT_EQ(t.screen.InfoPanel().Kind(), CInfoPanel::kNothing);
    t.Click(t.screen.InfoButton(0));
    EXPECT_EQ(t.screen.InfoPanel().Kind(), CInfoPanel::kCompany);
    EXPECT_EQ(t.screen.InfoPanel().HeadingName(), "Alpha");
}

TEST(OrderPanelDecisions, ThePromptIsBlackWhileADecisionIsOpenAndGreyOnceMade) {
    ScreenTest t;
    t.Begin(1);
    t.TickUntilOrders();
    const COrderPanel& order = t.screen.OrderPanel();
    // The middle of each header, clear of the INFO and decision buttons that reach into its edges.
    auto middle = [&](int c) {
        const Rect h = order.HeaderRect(c);
        return Rect{h.left + h.Width() / 5, h.top, h.right - h.Width() / 5, h.bottom - 3};
    };
    const Rect header = middle(1);
    const Rect prompt{header.left, order.HeaderRect(1).top + 2 * order.HeaderRect(1).Height() / 3, header.right,
                      header.bottom};
    const Point origin{order.GetRect().left, order.GetRect().top};

    t.Paint();
    EXPECT_LT(t.DarkestOver(prompt, 4, origin), 100);
    EXPECT_LT(t.DarkestOver(Rect{header.left, header.top, header.right, prompt.top}, 4, origin), 100)
        << "the product's name and code";
    EXPECT_EQ(t.DarkestOver(middle(0), 4, origin), 255) << "an unused column shows no header";

    t.Click(t.screen.BuyButton(1));
    t.Paint();
    EXPECT_GE(t.DarkestOver(prompt, 4, origin), 140);
    EXPECT_LT(t.DarkestOver(prompt, 4, origin), 255);
}

}  // namespace
}  // namespace valmore
