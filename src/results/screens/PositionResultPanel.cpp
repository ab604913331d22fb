#include "results/screens/PositionResultPanel.h"

#include <algorithm>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "results/screens/CellText.h"
#include "results/screens/ResultLayout.h"
#include "sim/DayController.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kTotalsRow = 0;
constexpr int kCashRow = 2;
constexpr int kFirstProductRow = 3;

}  // namespace

PositionResultTable MakePositionResultTable(const FinalFigures& figures, const CMarket& market) {
    PositionResultTable table;
    const int count = std::clamp(figures.ProductCount, 0, kMaxProducts);
    std::int64_t marketValues = 0;
    std::int64_t realized = 0;
    std::int64_t productTax = 0;
    std::int64_t commission = 0;
    for (int i = 0; i < count; ++i) {
        const ProductFigures& p = figures.Products[static_cast<std::size_t>(i)];
        PositionResultRow row;
        row.name = i < market.ProductCount ? market.Products[static_cast<std::size_t>(i)].name : std::string();
        row.values = {p.MarketValue, p.Realized, p.Tax, p.Commition, FinalProfit(p)};
        table.products.push_back(std::move(row));
        marketValues += p.MarketValue;
        realized += p.Realized;
        productTax += p.Tax;
        commission += p.Commition;
    }

    // Interest and dividends are cash income, taxed apart from the gains on shares.
    const std::int64_t income = static_cast<std::int64_t>(figures.TotalDividend) + figures.TotalInterest;
    table.cash.name = Sj("現金");
    table.cash.values = {figures.NetAssets, income, figures.IncomeTax, std::nullopt, income - figures.IncomeTax};

    const std::int64_t totalRealized = income + realized;
    const std::int64_t totalTax = productTax + figures.IncomeTax;
    table.totals.values = {static_cast<std::int64_t>(figures.NetAssets) + marketValues, totalRealized, totalTax,
                           commission, FinalProfit(totalRealized, totalTax, commission)};
    return table;
}

CPositionResultPanel::CPositionResultPanel(IViewHost& owner, const CDayController& controller)
    : CPanel(owner), controller_(controller) {
    backgroundBitmap = ResultLayout::kPositionBackground;
}

void CPositionResultPanel::Place() {
    const Point at = ResultLayoutFor(owner_.Mode()).positionPanel;
    const CSkin& skin = owner_.Skin();
    SetRect(at.x, at.y, skin.Width(ResultLayout::kPositionBackground), skin.Height(ResultLayout::kPositionBackground));
}

std::optional<PositionResultTable> CPositionResultPanel::CurrentTable() const {
    const CPlay* play = controller_.Play();
    if (!play || !play->Figures()) return std::nullopt;
    return MakePositionResultTable(*play->Figures(), play->Market());
}

Rect CPositionResultPanel::CellRect(int row, int column) const {
    const ResultLayout& layout = ResultLayoutFor(owner_.Mode());
    const std::size_t r = static_cast<std::size_t>(std::clamp(row, 0, kRows - 1));
    const std::size_t c = static_cast<std::size_t>(std::clamp(column, 0, kColumns - 1));
    // This panel's table starts right at the panel's left edge, below the panel's title bar.
    const int innerLeft = rect_.left;
    const int innerTop = rect_.top + layout.positionInnerDown;

    Rect cell;
    cell.left = c == 0 ? innerLeft : innerLeft + layout.positionColumnRights[c - 1];
    cell.right = innerLeft + layout.positionColumnRights[c];
    cell.top = innerTop + (r == 0 ? layout.positionFirstRowDown : layout.positionRowBottoms[r - 1]);
    cell.bottom = innerTop + layout.positionRowBottoms[r];
    if (c > 0) {
        // Moved left by the inset and narrowed by it on both sides: the left edge stays where it was
        // and the right one comes in twice, so numbers keep clear of the next column's line.
        cell.right -= 2 * layout.positionColumnInset;
    }
    return cell;
}

Rect CPositionResultPanel::ScoreBox() const {
    return ResultLayoutFor(owner_.Mode()).scoreBox.Offset(rect_.left, rect_.top);
}

void CPositionResultPanel::DrawRow(CCanvas& dc, int row, const PositionResultRow& values) const {
    const CFont* font = owner_.Skin().Font(ResultLayout::kNormalFont);
    DrawCellText(dc, font, values.name, CellRect(row, 0), CCanvas::kCenter);
    for (int c = 1; c < kColumns; ++c) {
        const auto& value = values.values[static_cast<std::size_t>(c - 1)];
        if (value) DrawCellText(dc, font, FormatGrouped(*value), CellRect(row, c), CCanvas::kRight);
    }
}

void CPositionResultPanel::Draw(CCanvas& dc) {
    const CSkin& skin = owner_.Skin();
    const ResultLayout& layout = ResultLayoutFor(owner_.Mode());
    DrawBackground(dc);
    dc.DrawBitmap(skin.Bitmap(ResultLayout::kPositionStrip), rect_.left, rect_.top + layout.panelStripDown);

    const std::optional<PositionResultTable> table = CurrentTable();
    if (!table) return;
    DrawRow(dc, kTotalsRow, table->totals);
    DrawRow(dc, kCashRow, table->cash);
    for (std::size_t i = 0; i < table->products.size(); ++i) {
        DrawRow(dc, kFirstProductRow + static_cast<int>(i), table->products[i]);
    }

    const int score = controller_.Play()->Figures()->LogicalScore;
    DrawCellText(dc, skin.Font(ResultLayout::kNormalFont), std::to_string(score), ScoreBox(), CCanvas::kRight);
}

}  // namespace valmore
