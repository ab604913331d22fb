#include "playscreen/ChartPanel.h"

#include <array>
#include <utility>

#include "sim/DayController.h"
#include "sim/PriceHistory.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackground = kSkinChartPanel;

// Per resolution mode (XGA, SXGA): where the chart area starts inside the panel, and the margins the
// plot keeps inside that area for the grid labels and the dates.
struct ChartLayout {
    int areaLeft;
    int areaTop;
    int plotLeft;
    int plotTop;
    int plotRight;
    int plotBottom;
};
constexpr std::array<ChartLayout, 2> kLayout{{
    {3, 35, 60, 8, 8, 20},
    {3, 54, 75, 10, 10, 24},
}};

}  // namespace

CChartPanel::CChartPanel(IViewHost& owner, const CDayController& controller) : CPanel(owner), controller_(controller) {
    backgroundBitmap = kBackground;
}

void CChartPanel::SetRect(int x, int y, int width, int height) {
    CPanel::SetRect(x, y, width, height);
    const ChartLayout& l = kLayout[owner_.Mode() == kModeSxga ? 1 : 0];
    area_ = Rect{rect_.left + l.areaLeft, rect_.top + l.areaTop, rect_.right, rect_.bottom};
    chart_.SetPlotRect(
        Rect{area_.left + l.plotLeft, area_.top + l.plotTop, area_.right - l.plotRight, area_.bottom - l.plotBottom});
}

void CChartPanel::Draw(CCanvas& dc) {
    if (!dirty) return;
    dirty = false;
    DrawBackground(dc);
    chart_.Draw(dc, owner_.Skin());
}

void CChartPanel::SetSelector(CItemSelector* selector) {
    selector_ = selector;
    if (selector_) selector_->onChange = [this](int index) { OnProductChosen(index); };
}

void CChartPanel::OnProductChosen(int index) {
    chart_.SetProduct(index);
    const CPlay* play = controller_.Play();
    SetDays(play ? play->CurrentEventListIndex() : 0);
}

void CChartPanel::ResetChart() {
    chart_.Reset();
    dirty = true;
}

void CChartPanel::SetDays(int days) {
    const CPlay* play = controller_.Play();
    if (play && play->Market().HasProduct(chart_.Product())) {
        PriceHistory history = ProductPriceHistory(play->Scenario(), play->Market(), chart_.Product(), days);
        chart_.SetSeries({history.firstPrice, history.ticPrice, std::move(history.prices), std::move(history.dates)});
    } else {
        chart_.ClearSeries();
    }
    // The controller does not refresh the panels after the last day, so the new point is drawn here.
    dirty = true;
}

void CChartPanel::FillProductSelector() {
    if (!selector_) return;
    selector_->Clear();
    const CPlay* play = controller_.Play();
    if (!play) return;
    const CMarket& market = play->Market();
    for (int i = 0; i < market.ProductCount; ++i) selector_->AddItem(market.Products[static_cast<std::size_t>(i)].name);
}

}  // namespace valmore
