#include "results/screens/ResultChartPanel.h"

#include <algorithm>
#include <utility>

#include "results/screens/CellText.h"
#include "results/screens/ResultLayout.h"
#include "sim/DayController.h"
#include "sim/PriceHistory.h"
#include "ui/Skin.h"

namespace valmore {

CResultChartPanel::CResultChartPanel(IViewHost& owner, const CDayController& controller)
    : CPanel(owner), controller_(controller) {
    backgroundBitmap = ResultLayout::kChartBackground;
    // The result shows every day of the play, however long it was.
    for (CPriceChart& chart : charts_) chart.SetSpan(CPriceChart::Span::Whole);
}

void CResultChartPanel::Place() {
    const Point at = ResultLayoutFor(owner_.Mode()).chartPanel;
    const CSkin& skin = owner_.Skin();
    // The panel takes the size of its strip; the background picture reaches a little further down.
    SetRect(at.x, at.y, skin.Width(ResultLayout::kChartStrip), skin.Height(ResultLayout::kChartStrip));
}

Rect CResultChartPanel::PlotRect(const Rect& area, int product, int productCount, const ResultLayout& layout) {
    const int w = area.Width();
    const int k = product;
    Rect plot;
    plot.top = area.top + layout.plotTopMargin;
    plot.bottom = area.bottom - layout.plotBottomMargin;
    switch (productCount) {
        case 3:
            plot.left = area.left + (k * w) / 3 + layout.plotLeftMargin;
            plot.right = area.left + ((k + 1) * w) / 3 - layout.plotRightMargin;
            break;
        case 2:
            plot.left = area.left + (k * w) / 3 + w / 6 + layout.plotLeftMargin;
            plot.right = area.left + ((k + 1) * w) / 3 + w / 6 - layout.plotRightMargin;
            break;
        default:
            plot.left = area.left + w / 3 + layout.plotLeftMargin;
            plot.right = area.left + 2 * (w / 3) + layout.plotLeftMargin - layout.plotRightMargin;
            break;
    }
    return plot;
}

void CResultChartPanel::LayOut(int productCount) {
    const ResultLayout& layout = ResultLayoutFor(owner_.Mode());
    area_.left = rect_.left + 3;
    area_.right = rect_.right;
    area_.top = rect_.top + layout.chartInnerDown;
    area_.bottom = area_.top + rect_.Height() - layout.chartInnerBottomGap;

    chartCount_ = productCount >= 1 && productCount <= kMaxProducts ? productCount : 0;
    for (int k = 0; k < kMaxProducts; ++k) {
        CPriceChart& chart = charts_[static_cast<std::size_t>(k)];
        chart.SetPlotRect(k < chartCount_ ? PlotRect(area_, k, chartCount_, layout) : Rect{});
    }
}

Rect CResultChartPanel::NameRect(int product) const {
    const Rect& plot = Chart(std::clamp(product, 0, kMaxProducts - 1)).PlotRect();
    const CFont* font = owner_.Skin().Font(ResultLayout::kSmallFont);
    const int top = plot.bottom + ResultLayoutFor(owner_.Mode()).chartNameDown;
    return Rect{plot.left, top, plot.right, top + (font ? font->CellHeight() : 0)};
}

void CResultChartPanel::FeedCharts() {
    const CPlay* play = controller_.Play();
    if (!play) return;
    const int days = play->Scenario().EventCount();
    for (int k = 0; k < chartCount_; ++k) {
        CPriceChart& chart = charts_[static_cast<std::size_t>(k)];
        chart.SetProduct(k);
        PriceHistory history = ProductPriceHistory(play->Scenario(), play->Market(), k, days);
        chart.SetSeries({history.firstPrice, history.ticPrice, std::move(history.prices), std::move(history.dates)});
    }
}

void CResultChartPanel::Draw(CCanvas& dc) {
    const CSkin& skin = owner_.Skin();
    DrawBackground(dc);
    dc.DrawBitmap(skin.Bitmap(ResultLayout::kChartStrip), rect_.left,
                  rect_.top + ResultLayoutFor(owner_.Mode()).panelStripDown);

    const CPlay* play = controller_.Play();
    if (!play) return;
    FeedCharts();
    const int count = std::min(chartCount_, play->Market().ProductCount);
    for (int k = 0; k < count; ++k) {
        charts_[static_cast<std::size_t>(k)].Draw(dc, skin);
        DrawCellText(dc, skin.Font(ResultLayout::kSmallFont), play->Market().Products[static_cast<std::size_t>(k)].name,
                     NameRect(k), CCanvas::kCenter);
    }
}

}  // namespace valmore
