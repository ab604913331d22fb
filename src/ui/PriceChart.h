#pragma once

// The price chart of one product: a scale worked out from the prices shown, grid labels along the
// left edge, the price line with dates under it, and a frame. The simulation screen's chart panel and
// the result screen both draw it; each gives it the prices and a plot rectangle.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Geometry.h"

namespace valmore {

class CSkin;

// What a chart draws: the product's first price, then one price and one date text per day played.
struct ChartSeries {
    std::int32_t firstPrice = 0;
    std::int32_t ticPrice = 0;
    std::vector<std::int32_t> prices;               // day 0 first
    std::vector<std::optional<std::string>> dates;  // Shift_JIS "Date" texts, as many as prices
};

class CPriceChart {
public:
    // The plot is 30 days wide at least.
    static constexpr int kDaysAcross = 30;
    // Every fifth day carries its date under the plot (on a plot 30 days wide).
    static constexpr int kDateEvery = 5;

    // Which days a series longer than the plot shows: its latest 30 days (the play as it goes on), or
    // every day, the plot narrowing its days to fit (the whole of a finished play).
    enum class Span { Latest, Whole };

    // Forgets the product's prices: product 0, no days, no scale (only the frame is drawn).
    void Reset();
    // The same, keeping the product.
    void ClearSeries();

    void SetProduct(int product) { product_ = product; }
    int Product() const { return product_; }
    void SetPlotRect(const Rect& plot) { plot_ = plot; }
    const Rect& PlotRect() const { return plot_; }

    void SetSpan(Span span) { span_ = span; }
    // Takes the prices to draw and works out the scale from them.
    void SetSeries(ChartSeries series);

    int DaysShown() const { return static_cast<int>(series_.prices.size()); }
    int ScaleMaximum() const { return maximum_; }
    int ScaleMinimum() const { return minimum_; }
    int GridStep() const { return step_; }

    // Draws into the canvas: grid labels and price line when there is a scale, the frame always.
    // Labels use the skin's 8-point font.
    void Draw(CCanvas& dc, const CSkin& skin) const;

    // The first day drawn: 0, or the day that makes the last 30 days fill the plot.
    int FirstDayDrawn() const;
    // How many days the plot's width holds: 30, or every day of a longer whole series.
    int DaysAcross() const;
    // Every how many days a date is written under the plot.
    int DateEvery() const;
    // The x of day i's point on the plot and the y of a price; valid for the days drawn.
    int DayX(int day) const;
    int PriceY(std::int64_t price) const;

private:
    void ComputeScale();
    // The price the line starts from at the plot's left edge.
    std::int64_t StartPrice() const;

    int product_ = 0;
    Span span_ = Span::Latest;
    ChartSeries series_;
    int maximum_ = 0;
    int minimum_ = 0;
    int step_ = 0;
    Rect plot_{};
};

}  // namespace valmore
