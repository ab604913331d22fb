#pragma once

// The result screen's chart panel: the price chart of every product over the whole play, side by
// side, each with the product's name under it.

#include <array>

#include "scenario/Scenario.h"
#include "ui/Panel.h"
#include "ui/PriceChart.h"

namespace valmore {

class CDayController;
struct ResultLayout;

class CResultChartPanel : public CPanel {
public:
    CResultChartPanel(IViewHost& owner, const CDayController& controller);

    void Place();
    // Works out the chart area from the panel's rectangle and the plots of the first productCount
    // charts (1 to 3; anything else lays out no chart).
    void LayOut(int productCount);
    void Draw(CCanvas& dc) override;

    // Where the plot of product k of n lies inside the chart area: three equal thirds for three
    // products, a pair centred for two, the middle third for one.
    static Rect PlotRect(const Rect& area, int product, int productCount, const ResultLayout& layout);

    const Rect& ChartArea() const { return area_; }
    int ChartCount() const { return chartCount_; }
    const CPriceChart& Chart(int product) const { return charts_[static_cast<std::size_t>(product)]; }
    // Where a chart's product name goes: across the plot, below it.
    Rect NameRect(int product) const;

private:
    // The charts of the finished play, over all its days.
    void FeedCharts();

    const CDayController& controller_;
    std::array<CPriceChart, kMaxProducts> charts_;
    Rect area_{};
    int chartCount_ = 0;
};

}  // namespace valmore
