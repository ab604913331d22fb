#pragma once

// The user's whole account as the asset panel shows it: a totals row, a cash row and one row per
// holding. Every figure is computed here from the market and the portfolio, so the panel only
// compares them with what it showed before and draws them.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/Market.h"
#include "sim/Position.h"

namespace valmore {

struct AssetTable {
    // Columns, by the headings of the asset panel's picture.
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
        kColumnCount = 12,
    };

    // A row's figures by column; none where the row shows no figure (the code and name are texts).
    using Row = std::array<std::optional<std::int32_t>, kColumnCount>;

    Row totals;
    Row cash;
    std::vector<Row> holdings;  // one per product of the market, in product order

    bool operator==(const AssetTable&) const = default;
};

// Each figure is kept within 32 bits as the panel shows it, and the sums and differences are formed
// from the figures as shown, so a row always adds up on screen.
AssetTable MakeAssetTable(const CMarket& market, const CPosition& position);

}  // namespace valmore
