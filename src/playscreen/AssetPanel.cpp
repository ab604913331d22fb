#include "playscreen/AssetPanel.h"

#include <algorithm>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "sim/DayController.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackgroundBitmap = kSkinAssetPanel;
constexpr int kCellFont = 11;  // 11 pt in XGA mode, 12 pt in SXGA mode
constexpr int kTextTop = 4;

// Cell boundaries relative to the panel's corner; column c runs from X[c] up to the pixel before
// X[c + 1], and that last pixel is left to the grid lines of the background picture.
struct AssetGrid {
    std::array<int, CAssetPanel::kColumns + 1> x;
    std::array<int, CAssetPanel::kRows + 1> y;
};
constexpr std::array<AssetGrid, 2> kGrid{{
    {{2, 76, 170, 245, 325, 458, 546, 625, 703, 782, 860, 926, 1013}, {51, 71, 91, 111, 131, 151, 171}},
    {{2, 96, 214, 307, 407, 574, 684, 783, 880, 979, 1076, 1159, 1266}, {65, 90, 115, 140, 165, 190, 215}},
}};

// The figures of the totals and cash rows, in the order they are computed and drawn.
constexpr std::array<int, 4> kCashColumns{CAssetPanel::kMarketValue, CAssetPanel::kRealized, CAssetPanel::kTax,
                                          CAssetPanel::kEarnings};
constexpr std::array<int, 7> kTotalsColumns{CAssetPanel::kMarketValue, CAssetPanel::kRealized, CAssetPanel::kUnrealized,
                                            CAssetPanel::kProfitTotal, CAssetPanel::kTax,      CAssetPanel::kCommission,
                                            CAssetPanel::kEarnings};

}  // namespace

CAssetPanel::CAssetPanel(IViewHost& owner, const CDayController& controller)
    : CPanel(owner), name(Sj("資産")), controller_(controller) {
    backgroundBitmap = kBackgroundBitmap;
}

void CAssetPanel::SetRect(int x, int y, int width, int height) {
    CPanel::SetRect(x, y, width, height);
    const AssetGrid& grid = kGrid[owner_.Mode() == kModeSxga ? 1 : 0];
    for (std::size_t r = 0; r < kRows; ++r) {
        for (std::size_t c = 0; c < kColumns; ++c) {
            cells_[r][c] = Rect{x + grid.x[c], y + grid.y[r], x + grid.x[c + 1] - 1, y + grid.y[r + 1] - 1};
        }
    }
}

const Rect& CAssetPanel::Cell(int row, int column) const {
    return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

const HighlightedValue<std::int32_t>& CAssetPanel::Value(int row, int column) const {
    return values_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

void CAssetPanel::ClearValues() {
    values_ = {};
}

bool CAssetPanel::SetAssetValue(int row, int column, std::int32_t value) {
    auto& cell = values_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    cell.Update(value);
    return cell.Highlighted();
}

bool CAssetPanel::SetAssetRow(int row, const AssetTable::Row& figures) {
    bool highlighted = false;
    for (int column = 0; column < kColumns; ++column) {
        const std::optional<std::int32_t>& figure = figures[static_cast<std::size_t>(column)];
        if (figure) highlighted |= SetAssetValue(row, column, *figure);
    }
    return highlighted;
}

bool CAssetPanel::UpdateAssetValues() {
    const CPlay* play = controller_.Play();
    if (!play) return dirty;
    const AssetTable table = MakeAssetTable(play->Market(), play->Position());
    bool highlighted = false;
    for (std::size_t i = 0; i < table.holdings.size(); ++i) {
        highlighted |= SetAssetRow(kFirstHoldingRow + static_cast<int>(i), table.holdings[i]);
    }
    highlighted |= SetAssetRow(kCashRow, table.cash);
    highlighted |= SetAssetRow(kTotalsRow, table.totals);
    if (highlighted) dirty = true;
    return dirty;
}

void CAssetPanel::Draw(CCanvas& dc) {
    if (!dirty) return;
    dirty = false;
    DrawBackground(dc);
    CCanvas::FontGuard font(dc, owner_.Skin().Font(kCellFont));
    dc.SetTextColour(owner_.Skin().Colours().text);

    auto text = [&](int row, int column, const std::string& sjis) {
        const Rect& cell = Cell(row, column);
        const BackgroundMode oldMode = dc.SetBackgroundMode(BackgroundMode::Transparent);
        const HAlign oldH = dc.TextHAlign();
        const VAlign oldV = dc.TextVAlign();
        dc.SetTextAlign(HAlign::Center, VAlign::Top);
        dc.TextOut((cell.left + cell.right) / 2, cell.top + kTextTop, sjis);
        dc.SetTextAlign(oldH, oldV);
        dc.SetBackgroundMode(oldMode);
    };
    auto number = [&](int row, int column) {
        const auto& value = Value(row, column);
        DrawNumberCell(dc, Cell(row, column), FormatGrouped(value.value), value.Highlighted());
    };

    text(kCashRow, kCode, "0000");
    text(kCashRow, kName, Sj("現 金"));
    for (int column : kCashColumns) number(kCashRow, column);
    for (int column : kTotalsColumns) number(kTotalsRow, column);

    const CPlay* play = controller_.Play();
    const int count = play ? std::clamp(play->Market().ProductCount, 0, kMaxProducts) : 0;
    for (int i = 0; i < count; ++i) {
        const MarketProduct& product = play->Market().Products[static_cast<std::size_t>(i)];
        const int row = kFirstHoldingRow + i;
        text(row, kCode, product.prdCode);
        text(row, kName, product.name);
        for (int column = kQuantity; column <= kEarnings; ++column) number(row, column);
    }
}

}  // namespace valmore
