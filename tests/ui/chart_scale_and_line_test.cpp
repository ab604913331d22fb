#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "platform/Canvas.h"
#include "ui/FakeViewHost.h"
#include "ui/PriceChart.h"
#include "ui/Skin.h"

namespace valmore {
namespace {

constexpr Rgb kLine{255, 128, 128};
constexpr Rgb kGrey{154, 154, 154};

ChartSeries Series(std::int32_t first, std::int32_t tick, std::vector<std::int32_t> prices,
                   std::string datePrefix = "2024/05/") {
    ChartSeries series;
    series.firstPrice = first;
    series.ticPrice = tick;
    series.prices = std::move(prices);
    for (std::size_t i = 0; i < series.prices.size(); ++i) series.dates.push_back(datePrefix + std::to_string(10 + i));
    return series;
}

struct Scale {
    int maximum, minimum, step;
    bool operator==(const Scale&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Scale& s) {
    return os << "{" << s.maximum << ", " << s.minimum << ", " << s.step << "}";
}
Scale ScaleOf(ChartSeries series) {
    CPriceChart chart;
    chart.SetSeries(std::move(series));
    return {chart.ScaleMaximum(), chart.ScaleMinimum(), chart.GridStep()};
}

TEST(ChartScale, RoundsOutToTheTickAndPicksAGridStepFromTheRange) {
    EXPECT_EQ(ScaleOf(Series(1000, 10, {980, 1200, 1100})), (Scale{1210, 970, 50}));
    EXPECT_EQ(ScaleOf(Series(1000, 10, {})), (Scale{1010, 990, 10})) << "the first day: the first price alone";
    EXPECT_EQ(ScaleOf(Series(500, 1, {520, 480, 560})), (Scale{561, 479, 20}));
    EXPECT_EQ(ScaleOf(Series(30000, 100, {31000, 45000})), (Scale{45100, 29900, 5000}));
    EXPECT_EQ(ScaleOf(Series(10000, 1000, {90000})), (Scale{91000, 9000, 20000}));
    EXPECT_EQ(ScaleOf(Series(5, 10, {8})), (Scale{10, 0, 10})) << "the minimum stops at 0 yen";
}

TEST(ChartScale, FlatAndNarrowRangesStillGetAWholeYenGrid) {
    // With every price equal and a one-yen tick the range is 2 yen; the grid falls back to whole yen.
    EXPECT_EQ(ScaleOf(Series(1000, 1, {1000, 1000})), (Scale{1001, 999, 1}));
    EXPECT_EQ(ScaleOf(Series(1000, 2, {1002})), (Scale{1004, 998, 2}));
    EXPECT_EQ(ScaleOf(Series(1000, 3, {1000})), (Scale{1002, 996, 3})) << "never finer than the tick";
    EXPECT_EQ(ScaleOf(Series(1000, 5, {1000})), (Scale{1005, 995, 5}));
}

TEST(ChartScale, AMissingOrDamagedTickPriceIsTakenAsOneYen) {
    EXPECT_EQ(ScaleOf(Series(1000, 0, {1000})), (Scale{1001, 999, 1}));
    EXPECT_EQ(ScaleOf(Series(1000, -10, {1003})), (Scale{1004, 999, 2}));
}

TEST(ChartScale, ExtremePricesNeitherOverflowNorGoBelowZero) {
    const std::int32_t top = std::numeric_limits<std::int32_t>::max();
    const Scale huge = ScaleOf(Series(2000000000, 1000000000, {top}));
    EXPECT_EQ(huge.maximum, top);
    EXPECT_EQ(huge.minimum, 1000000000);
    EXPECT_GT(huge.step, 0);
    EXPECT_EQ(ScaleOf(Series(-500, 10, {-20})), (Scale{0, 0, 10})) << "negative prices leave no scale";
}

// A chart drawn on a white canvas of the mode's size.
class ChartDrawing : public ::testing::TestWithParam<int> {
protected:
    ChartDrawing()
        : host(GetParam()),
          target(CBitmap::Create(host.CanvasSize().width, host.CanvasSize().height, Rgb{255, 255, 255})),
          canvas(target) {
        chart.SetPlotRect(plot);
    }
    void Draw(ChartSeries series) {
        chart.SetSeries(std::move(series));
        canvas.FillSolid(Rect{0, 0, target.Width(), target.Height()}, Rgb{255, 255, 255});
        chart.Draw(canvas, host.Skin());
    }
    int Count(const Rect& within, Rgb colour) const {
        int count = 0;
        for (int y = within.top; y < within.bottom; ++y)
            for (int x = within.left; x < within.right; ++x) count += target.Pixel(x, y) == colour ? 1 : 0;
        return count;
    }
    // The horizontal extent of the non-white pixels in a rectangle.
    std::pair<int, int> InkSpan(const Rect& within) const {
        int left = within.right, right = within.left;
        for (int y = within.top; y < within.bottom; ++y)
            for (int x = within.left; x < within.right; ++x)
                if (target.Pixel(x, y) != Rgb{255, 255, 255}) left = std::min(left, x), right = std::max(right, x + 1);
        return {left, right};
    }

    test::FakeViewHost host;
    CBitmap target;
    CCanvas canvas;
    CPriceChart chart;
    const Rect plot{100, 100, 700, 250};
};

TEST_P(ChartDrawing, TheFirstDayShowsLabelsAndFrameButNoLine) {
    Draw(Series(1000, 10, {}));
    EXPECT_EQ(Count(Rect{0, 0, 600, 400}, kLine), 0);
    EXPECT_GT(Count(Rect{plot.left - 1, plot.top - 1, plot.right + 1, plot.bottom + 1}, kGrey), 0);
    const auto [left, right] = InkSpan(Rect{0, plot.top - 10, plot.left - 1, plot.bottom + 10});
    EXPECT_LT(left, right) << "grid labels left of the plot";
    EXPECT_LE(right, plot.left - 2) << "the labels end two pixels before the plot";
}

TEST_P(ChartDrawing, ThePriceLineRunsFromTheLeftEdgeOneThirtiethPerDay) {
    Draw(Series(1000, 10, {1100, 900, 1000, 1050, 1200}));
    const int x5 = plot.left + plot.Width() * 5 / 30;
    EXPECT_GT(Count(Rect{plot.left, plot.top, x5 + 2, plot.bottom}, kLine), 0);
    EXPECT_EQ(Count(Rect{x5 + 3, 0, target.Width(), target.Height()}, kLine), 0);
    // Day 4 (1200 yen, the top of the data) lies below the rounded maximum of 1210.
    EXPECT_EQ(chart.PriceY(1210), plot.top);
    EXPECT_EQ(chart.PriceY(chart.ScaleMinimum()), plot.bottom);
}

TEST_P(ChartDrawing, AScenarioLongerThanThirtyDaysStaysInsideTheFrame) {
    std::vector<std::int32_t> prices;
    for (int i = 0; i < 45; ++i) prices.push_back(1000 + (i % 7) * 40 + i * 5);
    Draw(Series(1000, 10, prices));
    EXPECT_EQ(chart.FirstDayDrawn(), 15);
    EXPECT_EQ(Count(Rect{plot.right + 2, 0, target.Width(), target.Height()}, kLine), 0);
    EXPECT_GT(Count(Rect{plot.right - 12, plot.top, plot.right + 2, plot.bottom}, kLine), 0)
        << "the latest day reaches the right edge";
    EXPECT_GT(Count(Rect{plot.left, plot.top, plot.left + 8, plot.bottom}, kLine), 0)
        << "and the line still starts at the left edge";
    // The scale covers only what is drawn: the line starts from day 14's 1070 yen at the left edge, and
    // the lower prices of the first days are left out.
    EXPECT_EQ(chart.ScaleMinimum(), 1060);
}

TEST_P(ChartDrawing, AWholeSpanFitsEveryDayOfALongSeriesAndSpacesItsDatesApart) {
    chart.SetSpan(CPriceChart::Span::Whole);
    std::vector<std::int32_t> prices;
    for (int i = 0; i < 45; ++i) prices.push_back(1000 + (i % 7) * 40 + i * 5);
    Draw(Series(1000, 10, prices));
    EXPECT_EQ(chart.FirstDayDrawn(), 0);
    EXPECT_EQ(chart.DayX(44), plot.right);
    EXPECT_EQ(chart.ScaleMinimum(), 990) << "the scale covers the first days as well";
    EXPECT_EQ(Count(Rect{plot.right + 2, 0, target.Width(), target.Height()}, kLine), 0);
    EXPECT_EQ(chart.DateEvery(), 10) << "45 days on the width of 30 keep their dates as far apart";

    // Up to thirty days the whole span draws exactly as the latest thirty.
    Draw(Series(1000, 10, {1100, 900, 1000}));
    const int wholeX = chart.DayX(2);
    chart.SetSpan(CPriceChart::Span::Latest);
    Draw(Series(1000, 10, {1100, 900, 1000}));
    EXPECT_EQ(chart.DayX(2), wholeX);
    EXPECT_EQ(chart.DateEvery(), CPriceChart::kDateEvery);
}

TEST_P(ChartDrawing, DatesLoseTheirYearAndShortDatesShowWhole) {
    const CFont* font = host.Skin().Font(8);
    ASSERT_NE(font, nullptr);
    const Rect under{plot.left + 1, plot.bottom + 1, plot.left + 60, plot.bottom + 30};

    Draw(Series(1000, 10, {1000}, "2024/05/"));
    auto [left, right] = InkSpan(under);
    EXPECT_NEAR(right - left, font->TextWidth("05/10"), 3) << "\"2024/05/10\" is labelled \"05/10\"";

    Draw(Series(1000, 10, {1000}, "d"));
    std::tie(left, right) = InkSpan(under);
    EXPECT_NEAR(right - left, font->TextWidth("d10"), 3) << "a date too short to carry a year shows whole";

    Draw(Series(1000, 10, {1000, 1000, 1000, 1000, 1000, 1000}, "2024/05/"));
    const int x5 = chart.DayX(5);
    std::tie(left, right) = InkSpan(Rect{x5 - 30, plot.bottom + 2, x5 + 30, plot.bottom + 30});
    EXPECT_NEAR((left + right) / 2, x5, 2) << "every fifth day is labelled, centred on its point";
    std::tie(left, right) = InkSpan(Rect{chart.DayX(2) - 4, plot.bottom + 2, chart.DayX(2) + 4, plot.bottom + 30});
    EXPECT_GE(left, right) << "days between carry no label";
}

INSTANTIATE_TEST_SUITE_P(Modes, ChartDrawing, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeSxga ? "Sxga" : "Xga"; });

}  // namespace
}  // namespace valmore
