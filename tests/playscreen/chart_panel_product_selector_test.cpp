#include <gtest/gtest.h>

#include "platform/Canvas.h"
#include "playscreen/ChartPanel.h"
#include "sim/DayController.h"
#include "ui/FakeViewHost.h"
#include "ui/ItemSelector.h"
#include "ui/Skin.h"

namespace valmore {
namespace {

// Two products over ten days: product 0 around 1000 yen, product 1 around 300 yen with a 1-yen tick.
CScenario TwoProducts() {
    CScenario scenario;
    scenario.header.ID = "chart";
    scenario.header.ProductCount = 2;
    scenario.header.FundAmount = 1000000;
    scenario.products[0] = ScenarioProduct{"Alpha", "1001", 1000, 1000, 10, 0};
    scenario.products[1] = ScenarioProduct{"Beta", "1002", 300, 100, 1, 0};
    for (int k = 0; k < 10; ++k) {
        ScenarioEvent day;
        day.Date = "2024/06/" + std::to_string(k + 1);
        day.Price = {1000 + 30 * k, 300 - 4 * k, 0};
        scenario.events.push_back(day);
    }
    return scenario;
}

class ChartPanelOnScreen : public ::testing::TestWithParam<int> {
protected:
    ChartPanelOnScreen()
        : host(GetParam()),
          chart(host, controller),
          selector(host),
          target(CBitmap::Create(host.CanvasSize().width, host.CanvasSize().height, Rgb{255, 255, 255})),
          canvas(target) {
        const bool sxga = GetParam() == kModeSxga;
        const CSkin& skin = host.Skin();
        chart.SetRect(sxga ? 756 : 605, sxga ? 727 : 582, skin.Width(6), skin.Height(6));
        selector.SetRect(sxga ? 1073 : 851, sxga ? 731 : 585, sxga ? 198 : 164, skin.Height(34));
        chart.SetSelector(&selector);
        controller.StartPlay();
        controller.Play()->Begin(TwoProducts(), PrdInfoTable{});
        chart.ResetChart();
        chart.FillProductSelector();
    }
    void PlayDays(int days) {
        for (int i = 0; i < days; ++i) {
            controller.Play()->CloseDay();
            controller.Play()->AdvanceDay();
        }
    }
    void ClickSelectorArrow(bool right) {
        const Rect r = right ? selector.RightButton().GetRect() : selector.LeftButton().GetRect();
        selector.OnMouseDown(kMouseLeftButton, r.left + 2, r.top + 2);
        selector.OnMouseUp(0, r.left + 2, r.top + 2);
    }

    test::FakeViewHost host;
    CDayController controller;
    CChartPanel chart;
    CItemSelector selector;
    CBitmap target;
    CCanvas canvas;
};

TEST_P(ChartPanelOnScreen, TheSelectorListsTheProductsAndSwitchesTheChart) {
    ASSERT_EQ(selector.Items(), (std::vector<std::string>{"Alpha", "Beta"}));
    PlayDays(4);
    chart.SetDays(4);
    EXPECT_EQ(chart.Chart().Product(), 0);
    EXPECT_EQ(chart.Chart().ScaleMaximum(), 1100);
    chart.Draw(canvas);
    EXPECT_FALSE(chart.dirty);

    ClickSelectorArrow(true);
    EXPECT_EQ(chart.Chart().Product(), 1);
    EXPECT_EQ(chart.Chart().DaysShown(), 4) << "the product's prices up to the day being played";
    EXPECT_EQ(chart.Chart().ScaleMaximum(), 301);
    EXPECT_EQ(chart.Chart().ScaleMinimum(), 287);
    EXPECT_TRUE(chart.dirty);

    ClickSelectorArrow(false);
    EXPECT_EQ(chart.Chart().Product(), 0);
    EXPECT_EQ(chart.Chart().ScaleMaximum(), 1100);
}

TEST_P(ChartPanelOnScreen, TheChartRedrawsOnlyWhenItsDaysChange) {
    chart.Draw(canvas);
    const Rect plot = chart.Chart().PlotRect();
    auto lineOnPlot = [&] {
        int count = 0;
        for (int y = plot.top; y < plot.bottom; ++y)
            for (int x = plot.left; x < plot.right; ++x) count += target.Pixel(x, y) == Rgb{255, 128, 128} ? 1 : 0;
        return count;
    };
    EXPECT_EQ(lineOnPlot(), 0);

    PlayDays(3);
    chart.SetDays(3);
    ASSERT_TRUE(chart.dirty) << "the last day's point must be drawn even without a panel refresh";
    chart.Draw(canvas);
    EXPECT_GT(lineOnPlot(), 0);

    canvas.FillSolid(chart.GetRect(), Rgb{255, 255, 255});
    chart.Draw(canvas);
    EXPECT_EQ(lineOnPlot(), 0) << "an unchanged chart is not drawn again";
}

TEST_P(ChartPanelOnScreen, ANewPlayReturnsTheChartToItsFirstProduct) {
    PlayDays(2);
    ClickSelectorArrow(true);
    ASSERT_EQ(chart.Chart().Product(), 1);
    chart.ResetChart();
    EXPECT_EQ(chart.Chart().Product(), 0);
    EXPECT_EQ(chart.Chart().DaysShown(), 0);
    EXPECT_EQ(chart.Chart().ScaleMaximum(), 0);
    EXPECT_EQ(chart.Chart().ScaleMinimum(), 0);

    controller.DestroyPlay();
    chart.SetDays(5);
    EXPECT_EQ(chart.Chart().ScaleMaximum(), 0) << "without a play there is nothing to scale";
    chart.FillProductSelector();
    EXPECT_EQ(selector.Count(), 0);
    chart.Draw(canvas);
}

INSTANTIATE_TEST_SUITE_P(Modes, ChartPanelOnScreen, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeSxga ? "Sxga" : "Xga"; });

}  // namespace
}  // namespace valmore
