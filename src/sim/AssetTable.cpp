#include "sim/AssetTable.h"

#include <algorithm>

#include "sim/FinalFigures.h"
#include "sim/Money.h"

namespace valmore {

namespace {

using Column = AssetTable::Column;

std::int64_t Of(const AssetTable::Row& row, Column column) {
    return row[static_cast<std::size_t>(column)].value_or(0);
}

void Set(AssetTable::Row& row, Column column, std::int64_t value) {
    row[static_cast<std::size_t>(column)] = ClampToInt32(value);
}

}  // namespace

AssetTable MakeAssetTable(const CMarket& market, const CPosition& position) {
    AssetTable table;
    const int count = std::clamp(market.ProductCount, 0, kMaxProducts);
    for (int i = 0; i < count; ++i) {
        const Equity& holding = position.Equities[static_cast<std::size_t>(i)];
        const int p = market.HasProduct(holding.ProductIndex) ? holding.ProductIndex : i;
        const std::int64_t price = market.Products[static_cast<std::size_t>(p)].currentPrice;
        const std::int64_t quantity = holding.SignedQuantity();
        AssetTable::Row row;
        Set(row, AssetTable::kQuantity, quantity);
        Set(row, AssetTable::kPrice, price);
        Set(row, AssetTable::kMarketValue, quantity * price);
        Set(row, AssetTable::kAverageCost, holding.AveragePrice());
        Set(row, AssetTable::kRealized, holding.TotalRealized);
        Set(row, AssetTable::kUnrealized, holding.UnrealizedPL(static_cast<std::int32_t>(price)));
        const std::int64_t profit = Of(row, AssetTable::kRealized) + Of(row, AssetTable::kUnrealized);
        Set(row, AssetTable::kProfitTotal, profit);
        Set(row, AssetTable::kTax, holding.RealizedTax);
        Set(row, AssetTable::kCommission, holding.CommitionTotal);
        Set(row, AssetTable::kEarnings,
            FinalProfit(profit, Of(row, AssetTable::kTax), Of(row, AssetTable::kCommission)));
        table.holdings.push_back(row);
    }

    // Interest and dividends are the cash's income; it pays tax but no commission.
    const std::int64_t income = std::int64_t{position.TotalInterest} + position.TotalDividend;
    const std::int64_t incomeTax = std::int64_t{position.InterestTax} + position.DividendTax;
    Set(table.cash, AssetTable::kMarketValue, std::int64_t{position.CashAmount} - position.TaxOnGains());
    Set(table.cash, AssetTable::kRealized, income);
    Set(table.cash, AssetTable::kTax, incomeTax);
    Set(table.cash, AssetTable::kEarnings, FinalProfit(income, incomeTax, 0));

    auto sum = [&](Column column, bool withCash) {
        std::int64_t total = withCash ? Of(table.cash, column) : 0;
        for (const AssetTable::Row& row : table.holdings) total += Of(row, column);
        return total;
    };
    AssetTable::Row& totals = table.totals;
    Set(totals, AssetTable::kMarketValue, position.TotalAssets(market));
    Set(totals, AssetTable::kRealized, sum(AssetTable::kRealized, true));
    Set(totals, AssetTable::kUnrealized, sum(AssetTable::kUnrealized, false));
    Set(totals, AssetTable::kProfitTotal, Of(totals, AssetTable::kRealized) + Of(totals, AssetTable::kUnrealized));
    Set(totals, AssetTable::kTax, sum(AssetTable::kTax, true));
    Set(totals, AssetTable::kCommission, sum(AssetTable::kCommission, false));
    Set(totals, AssetTable::kEarnings, sum(AssetTable::kEarnings, true));
    return table;
}

}  // namespace valmore
