#include <gtest/gtest.h>

#include "playscreen/AssetPanel.h"
#include "simulation_screen_fixture.h"

namespace valmore {
namespace {

using test::ScreenTest;
using A = CAssetPanel;

std::int32_t At(ScreenTest& t, int row, int column) {
    return t.screen.AssetPanel().Value(row, column).value;
}
bool Lit(ScreenTest& t, int row, int column) {
    return t.screen.AssetPanel().Value(row, column).Highlighted();
}

// Alpha at 1000 yen moves to 1100 on the first day.
std::string RisingAlpha() {
    return ScenarioText(test::Products(1), {{{1100}}, {{1100}}});
}

TEST(AssetPanelFigures, AHoldingItsCashAndTheTotalsAddUpAfterAPriceMove) {
    ScreenTest t;
    t.Begin(RisingAlpha());
    t.TickUntilOrders();
    t.Click(t.screen.BuyButton(1));
    t.ClickAt(t.screen.QuantityBox(1).UpRect());
    t.ExecuteAndNextDay();

    const int row = A::kFirstHoldingRow;
    EXPECT_EQ(At(t, row, A::kQuantity), 2000);
    EXPECT_EQ(At(t, row, A::kPrice), 1100);
    EXPECT_EQ(At(t, row, A::kMarketValue), 2200000);
    EXPECT_EQ(At(t, row, A::kAverageCost), 1000);
    EXPECT_EQ(At(t, row, A::kRealized), 0);
    EXPECT_EQ(At(t, row, A::kUnrealized), 200000);
    EXPECT_EQ(At(t, row, A::kProfitTotal), 200000);
    EXPECT_EQ(At(t, row, A::kCommission), 2000) << "0.1 % of 2,000,000";
    EXPECT_EQ(At(t, row, A::kEarnings), 198000);

    const CPosition& position = t.controller.Play()->Position();
    EXPECT_GT(position.TotalInterest, 0) << "a day of interest on the cash";
    EXPECT_EQ(At(t, A::kCashRow, A::kMarketValue), position.CashAmount - position.TaxOnGains());
    EXPECT_EQ(At(t, A::kCashRow, A::kRealized), position.TotalInterest);
    EXPECT_EQ(At(t, A::kCashRow, A::kTax), position.InterestTax);
    EXPECT_EQ(At(t, A::kCashRow, A::kEarnings), position.TotalInterest - position.InterestTax);

    EXPECT_EQ(At(t, A::kTotalsRow, A::kMarketValue), position.TotalAssets(t.controller.Play()->Market()));
    EXPECT_EQ(At(t, A::kTotalsRow, A::kRealized), position.TotalInterest);
    EXPECT_EQ(At(t, A::kTotalsRow, A::kUnrealized), 200000);
    EXPECT_EQ(At(t, A::kTotalsRow, A::kProfitTotal), position.TotalInterest + 200000);
    EXPECT_EQ(At(t, A::kTotalsRow, A::kTax), position.InterestTax);
    EXPECT_EQ(At(t, A::kTotalsRow, A::kCommission), 2000);
    EXPECT_EQ(At(t, A::kTotalsRow, A::kEarnings), position.TotalInterest - position.InterestTax + 198000);
}

TEST(AssetPanelFigures, APriceMoveHighlightsThePriceTheValuesAndTheTotalsTogether) {
    ScreenTest t;
    t.Begin(RisingAlpha());
    t.TickUntilOrders();
    t.Click(t.screen.BuyButton(1));
    ASSERT_TRUE(t.Execute().Accepted());
    for (int i = 0; i < 50 && t.controller.GetSubState() != CDayController::kPriceMove; ++i) t.controller.Tick();
    t.controller.Tick();  // the first update after the move

    const int row = A::kFirstHoldingRow;
    for (int column : {A::kPrice, A::kMarketValue, A::kUnrealized, A::kProfitTotal, A::kEarnings}) {
        EXPECT_TRUE(Lit(t, row, column)) << "column " << column;
    }
    for (int column : {A::kMarketValue, A::kUnrealized, A::kProfitTotal}) {
        EXPECT_TRUE(Lit(t, A::kTotalsRow, column)) << "total " << column;
    }
    EXPECT_FALSE(Lit(t, row, A::kQuantity)) << "bought ten updates ago";
    EXPECT_FALSE(Lit(t, row, A::kAverageCost));
}

TEST(AssetPanelFigures, AChangeKeepsThePanelDirtyForNineUpdatesAndItsHighlightIsGoneAfterTheTenth) {
    ScreenTest t;
    t.Begin(1);  // loading updates the panel once: the fund arrives as cash
    CAssetPanel& panel = t.screen.AssetPanel();
    const Rect cash = panel.Cell(A::kCashRow, A::kMarketValue);
    auto paint = [&] {
        panel.dirty = true;
        panel.Draw(t.host.Window().Canvas());
    };
    paint();
    EXPECT_GT(t.CountColour(cash, kPalette.highlight), 0);
    for (int update = 2; update <= 9; ++update) {
        panel.dirty = false;
        EXPECT_TRUE(panel.UpdateAssetValues()) << "update " << update;
    }
    paint();
    EXPECT_GT(t.CountColour(cash, kPalette.highlight), 0) << "still lit after the ninth update";
    panel.dirty = false;
    EXPECT_FALSE(panel.UpdateAssetValues()) << "the update that ends the highlight asks for no repaint";
    paint();
    EXPECT_EQ(t.CountColour(cash, kPalette.highlight), 0);
}

TEST(AssetPanelFigures, AShortHoldingIsNegativeAndRowsOfAnEarlierPlayDoNotLeakIntoTheSums) {
    ScreenTest t;
    t.Begin(3);
    t.TickUntilOrders();
    t.Click(t.screen.SellButton(0));
    t.Click(t.screen.BuyButton(1));
    t.Click(t.screen.BuyButton(2));
    t.ExecuteAndNextDay();
    EXPECT_EQ(At(t, A::kFirstHoldingRow, A::kQuantity), -1000);
    EXPECT_EQ(At(t, A::kFirstHoldingRow, A::kMarketValue), -1000000);
    EXPECT_EQ(At(t, A::kTotalsRow, A::kCommission), 3000);

    t.Begin(1);
    t.TickUntilOrders();
    EXPECT_EQ(At(t, A::kFirstHoldingRow + 1, A::kCommission), 0);
    EXPECT_EQ(At(t, A::kFirstHoldingRow + 2, A::kCommission), 0);
    EXPECT_EQ(At(t, A::kTotalsRow, A::kCommission), 0);
    EXPECT_EQ(At(t, A::kTotalsRow, A::kMarketValue), 10000000);
}

}  // namespace
}  // namespace valmore
