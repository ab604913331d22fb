// The charts of the result screen: where they lie for one, two and three products, and that a play
// longer than the plot's thirty days stays inside each chart's frame.

#include <gtest/gtest.h>

#include "ResultScreenFixture.h"
#include "results/screens/ResultLayout.h"

namespace valmore {
namespace {

using test::ResultScreenRig;

class ChartLayout : public ::testing::TestWithParam<int> {
protected:
    ChartLayout() : rig(GetParam()), layout(ResultLayoutFor(GetParam())) {}

    Rect Plot(int product, int count) {
        rig.screen.ChartPanel().LayOut(count);
        return rig.screen.ChartPanel().Chart(product).PlotRect();
    }
    int AreaCentre() const {
        const Rect& area = rig.screen.ChartPanel().ChartArea();
        return (area.left + area.right) / 2;
    }

    ResultScreenRig rig;
    const ResultLayout& layout;
};

TEST_P(ChartLayout, OneChartSitsInTheMiddleAndTwoAreCentredAsAPair) {
    const Rect one = Plot(0, 1);
    EXPECT_EQ(rig.screen.ChartPanel().ChartCount(), 1);
    EXPECT_LE(std::abs((one.left + one.right) / 2 - AreaCentre()), layout.plotLeftMargin);
    const Rect& area = rig.screen.ChartPanel().ChartArea();
    EXPECT_GT(one.left, area.left + area.Width() / 3);
    EXPECT_LT(one.right, area.right - area.Width() / 3 + layout.plotLeftMargin);

    const Rect first = Plot(0, 2);
    const Rect second = Plot(1, 2);
    EXPECT_LT(first.right, second.left);
    // The pair with its label margin on the left and its gap on the right is centred.
    const int pairLeft = first.left - layout.plotLeftMargin;
    const int pairRight = second.right + layout.plotRightMargin;
    EXPECT_LE(std::abs((pairLeft + pairRight) / 2 - AreaCentre()), 1);
}

TEST_P(ChartLayout, ThreeChartsShareTheWidthWithoutOverlapping) {
    const Rect& area = rig.screen.ChartPanel().ChartArea();
    Rect previous{};
    for (int k = 0; k < 3; ++k) {
        const Rect plot = Plot(k, 3);
        EXPECT_GE(plot.left - layout.plotLeftMargin, area.left);
        EXPECT_LE(plot.right, area.right);
        EXPECT_EQ(plot.top, area.top + layout.plotTopMargin);
        EXPECT_EQ(plot.bottom, area.bottom - layout.plotBottomMargin);
        if (k > 0) {
            EXPECT_GT(plot.left - layout.plotLeftMargin, previous.right) << "labels stay clear of the chart before";
            EXPECT_LE(std::abs(plot.Width() - previous.Width()), 1);
        }
        previous = plot;
    }
    // The whole chart area lies inside the panel's picture.
    const Rect panel = rig.screen.ChartPanel().GetRect();
    EXPECT_LE(area.bottom, panel.top + rig.host.Skin().Height(ResultLayout::kChartBackground));
    EXPECT_EQ(Plot(0, 0), Rect{}) << "no product, no chart";
}

bool IsLineColour(Rgb c) {
    return c == Rgb{255, 128, 128};
}

TEST_P(ChartLayout, APlayOfMoreThanThirtyDaysIsPlottedWholeInsideEachChartFrame) {
    ASSERT_TRUE(rig.Play(test::ShippedScenario("e07_sector_rotation"), {}));
    const int days = rig.Play().Scenario().EventCount();
    ASSERT_GT(days, 30);
    const CBitmap& picture = rig.Paint();
    rig.SaveScreenshot(std::string("result_long_play_") + (GetParam() == kModeSxga ? "sxga" : "xga"));
    for (int k = 0; k < 3; ++k) {
        const CPriceChart& chart = rig.screen.ChartPanel().Chart(k);
        EXPECT_EQ(chart.DaysShown(), days);
        EXPECT_EQ(chart.FirstDayDrawn(), 0) << "from the first day";
        EXPECT_EQ(chart.DayX(days - 1), chart.PlotRect().right) << "to the last day at the right edge";
    }

    // The pen is two pixels wide, so the line may touch a frame by one pixel.
    std::vector<Rect> frames;
    for (int k = 0; k < 3; ++k) {
        const Rect plot = rig.screen.ChartPanel().Chart(k).PlotRect();
        frames.push_back(Rect{plot.left - 1, plot.top - 1, plot.right + 2, plot.bottom + 2});
    }
    std::vector<int> inside(3, 0);
    int outside = 0;
    const Rect panel = rig.screen.ChartPanel().GetRect();
    const int bottom = panel.top + rig.host.Skin().Height(ResultLayout::kChartBackground);
    for (int y = panel.top; y < bottom; ++y) {
        for (int x = panel.left; x < panel.right; ++x) {
            if (!IsLineColour(picture.Pixel(x, y))) continue;
            bool found = false;
            for (int k = 0; k < 3 && !found; ++k) {
                if (frames[static_cast<std::size_t>(k)].Contains(x, y)) {
                    ++inside[static_cast<std::size_t>(k)];
                    found = true;
                }
            }
            if (!found) ++outside;
        }
    }
    EXPECT_EQ(outside, 0);
    for (int k = 0; k < 3; ++k) EXPECT_GT(inside[static_cast<std::size_t>(k)], 0) << "chart " << k << " has its line";
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, ChartLayout, ::testing::Values(kModeXga, kModeSxga), test::ModeName);

}  // namespace
}  // namespace valmore
