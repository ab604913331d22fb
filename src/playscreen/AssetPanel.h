#pragma once

// The wide panel in the middle of the simulation screen: the user's whole account as a table of a
// totals row, a cash row and one row per holding, recomputed from the market and the portfolio at
// every update. A figure that changes is shown on a light red background for the next updates.

#include <array>
#include <cstdint>
#include <string>

#include "playscreen/HighlightedValue.h"
#include "ui/Panel.h"

namespace valmore {

class CDayController;

class CAssetPanel : public CPanel {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 12;

    // Rows of the table.
    static constexpr int kTotalsRow = 0;
    static constexpr int kCashRow = 2;
    static constexpr int kFirstHoldingRow = 3;

    // Columns of the table, by the headings of the background picture.
    enum Column : int {
        kCode = 0,         // 銘柄コード
        kName = 1,         // 銘柄名
        kQuantity = 2,     // 持ち株数
        kPrice = 3,        // 現値
        kMarketValue = 4,  // 時価
        kAverageCost = 5,  // 平均コスト
        kRealized = 6,     // 実現損益
        kUnrealized = 7,   // 評価損益
        kProfitTotal = 8,  // 損益合計
        kTax = 9,          // 税金
        kCommission = 10,  // 手数料
        kEarnings = 11,    // 収益
    };

    CAssetPanel(IViewHost& owner, const CDayController& controller);

    void Draw(CCanvas& dc) override;
    void SetRect(int x, int y, int width, int height) override;

    // Recomputes every figure from the play; marks the panel dirty (and says so) while any figure is
    // highlighted.
    bool UpdateAssetValues();
    // Forgets every figure and highlight (a new play).
    void ClearValues();

    const Rect& Cell(int row, int column) const;
    const HighlightedValue<std::int32_t>& Value(int row, int column) const;

    std::string name;  // names the panel; never shown

private:
    bool SetAssetValue(int row, int column, std::int64_t value);
    std::int32_t Stored(int row, int column) const { return Value(row, column).value; }

    const CDayController& controller_;
    std::array<std::array<Rect, kColumns>, kRows> cells_{};
    std::array<std::array<HighlightedValue<std::int32_t>, kColumns>, kRows> values_{};
};

}  // namespace valmore
