#pragma once

// The chart panel at the lower right of the simulation screen: the price chart of the product chosen
// with the product selector below it, redrawn when the day controller moves on or the user picks
// another product.

#include "ui/ItemSelector.h"
#include "ui/Panel.h"
#include "ui/PriceChart.h"

namespace valmore {

class CDayController;

class CChartPanel : public CPanel {
public:
    CChartPanel(IViewHost& owner, const CDayController& controller);

    // Places the panel and the chart's plot inside it.
    void SetRect(int x, int y, int width, int height) override;
    // Only when dirty: the background, then the chart.
    void Draw(CCanvas& dc) override;

    // The selector below the panel (owned by the screen); its changes pick the chart's product.
    void SetSelector(CItemSelector* selector);
    // A new play: product 0 and no prices.
    void ResetChart();
    // Shows the first `days` days of the play's current product.
    void SetDays(int days);
    // Puts the play's product names into the selector, in product order.
    void FillProductSelector();

    const CPriceChart& Chart() const { return chart_; }
    const Rect& ChartArea() const { return area_; }

private:
    void OnProductChosen(int index);

    const CDayController& controller_;
    CItemSelector* selector_ = nullptr;
    CPriceChart chart_;
    Rect area_{};
};

}  // namespace valmore
