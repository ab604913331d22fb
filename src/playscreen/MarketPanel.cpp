#include "playscreen/MarketPanel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "sim/DayController.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackgroundBitmap = kSkinMarketPanel;
constexpr int kDayLineFont = 16;  // 16 pt in XGA mode, 20 pt in SXGA mode
constexpr int kCellFont = 11;     // 11 pt in XGA mode, 12 pt in SXGA mode

// The grid starts below the panel's heading, which is part of the background picture.
constexpr std::array<int, 2> kGridTop{35, 54};
constexpr int kGridMargin = 2;
// Relative widths of the six columns.
constexpr std::array<int, CMarketPanel::kColumns> kColumnWeights{10, 10, 5, 20, 15, 5};
constexpr int kWeightSum = 65;

constexpr int kPriceColumn = 4;
constexpr int kIndexColumn = 1;

// A real figure as the integer part shown for the Nikkei average; a value out of range shows as 0
// rather than as whatever an overflowing conversion would give.
std::int64_t Truncated(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9.0e18) return 0;
    return static_cast<std::int64_t>(value);
}

}  // namespace

CMarketPanel::CMarketPanel(IViewHost& owner, const CDayController& controller)
    : CPanel(owner), name(Sj("マーケット")), controller_(controller) {
    backgroundBitmap = kBackgroundBitmap;
}

void CMarketPanel::SetRect(int x, int y, int width, int height) {
    CPanel::SetRect(x, y, width, height);
    const int left = rect_.left + kGridMargin;
    const int top = rect_.top + kGridTop[owner_.Mode() == kModeSxga ? 1 : 0];
    const int right = rect_.left + rect_.Width() - kGridMargin;
    const int bottom = rect_.top + rect_.Height() - kGridMargin;
    const int areaWidth = right - left;
    const int areaHeight = bottom - top;
    for (int r = 0; r < kRows; ++r) {
        int before = 0;
        for (int c = 0; c < kColumns; ++c) {
            const int upTo = before + kColumnWeights[static_cast<std::size_t>(c)];
            cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] =
                Rect{left + areaWidth * before / kWeightSum, top + areaHeight * r / kRows,
                     left + areaWidth * upTo / kWeightSum, top + areaHeight * (r + 1) / kRows};
            before = upTo;
        }
    }
}

const Rect& CMarketPanel::Cell(int row, int column) const {
    return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

const HighlightedValue<double>& CMarketPanel::Value(int row, int column) const {
    return values_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

Rect CMarketPanel::DayLineRect() const {
    return Cell(0, 1).Union(Cell(0, 4));
}

bool CMarketPanel::SetValue(int row, int column, double value) {
    const auto change = values_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].Update(value);
    return change.changed || change.ended;
}

bool CMarketPanel::UpdateMarketValues() {
    const CPlay* play = controller_.Play();
    if (!play) return false;
    const CMarket& market = play->Market();
    bool redraw = false;
    redraw |= SetValue(1, kIndexColumn, market.N225);
    redraw |= SetValue(2, kIndexColumn, market.Exchange);
    redraw |= SetValue(3, kIndexColumn, market.Interest);
    for (int i = 0; i < market.ProductCount && i < kMaxProducts; ++i) {
        redraw |= SetValue(i + 1, kPriceColumn, market.Products[static_cast<std::size_t>(i)].currentPrice);
    }
    if (redraw) dirty = true;
    return redraw;
}

void CMarketPanel::Draw(CCanvas& dc) {
    if (!dirty) return;
    dirty = false;
    const CSkin& skin = owner_.Skin();
    CCanvas::FontGuard font(dc, skin.Font(kDayLineFont));
    DrawBackground(dc);
    dc.SetTextColour(skin.Colours().text);
    dc.SetBackgroundMode(BackgroundMode::Transparent);

    const CPlay* play = controller_.Play();
    int productCount = 0;
    if (play) {
        const CScenario& scenario = play->Scenario();
        const CMarket& market = play->Market();
        productCount = std::min(market.ProductCount, kMaxProducts);
        // After the last event the day line stays on that event rather than disappearing.
        int day = scenario.CurrentEventListIndex;
        if (day >= scenario.EventCount()) day = scenario.EventCount() - 1;
        if (day >= 0 && scenario.events[static_cast<std::size_t>(day)].Date) {
            const std::string line =
                std::to_string(market.DayCount + 1) + Sj(" 日目(") + scenario.header.Duration + Sj(" 日中)");
            dc.DrawText(line, DayLineRect(),
                        CCanvas::kCenter | CCanvas::kVCenter | CCanvas::kSingleLine | CCanvas::kEndEllipsis);
        }
    }

    dc.SelectFont(skin.Font(kCellFont));
    const unsigned labelFlags = CCanvas::kLeft | CCanvas::kVCenter | CCanvas::kSingleLine;
    dc.DrawText(Sj("日経225"), Cell(1, 0), labelFlags);
    dc.DrawText(Sj("円"), Cell(1, 2), labelFlags);
    dc.DrawText(Sj("米ドル"), Cell(2, 0), labelFlags);
    dc.DrawText(Sj("円"), Cell(2, 2), labelFlags);
    dc.DrawText(Sj("金利"), Cell(3, 0), labelFlags);
    dc.DrawText("%", Cell(3, 2), labelFlags);
    for (int i = 0; i < productCount; ++i) {
        dc.DrawText(play->Market().Products[static_cast<std::size_t>(i)].name, Cell(i + 1, 3), labelFlags);
        dc.DrawText(Sj("円"), Cell(i + 1, 5), labelFlags);
    }

    const auto& n225 = Value(1, kIndexColumn);
    DrawNumberCell(dc, Cell(1, kIndexColumn), FormatGrouped(Truncated(n225.value)), n225.Highlighted());
    for (int row = 2; row <= 3; ++row) {
        const auto& rate = Value(row, kIndexColumn);
        DrawNumberCell(dc, Cell(row, kIndexColumn), FormatGroupedReal(rate.value), rate.Highlighted());
    }
    for (int i = 0; i < productCount; ++i) {
        const auto& price = Value(i + 1, kPriceColumn);
        DrawNumberCell(dc, Cell(i + 1, kPriceColumn), FormatGrouped(Truncated(price.value)), price.Highlighted());
    }
}

}  // namespace valmore
