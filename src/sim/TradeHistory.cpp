#include "sim/TradeHistory.h"

#include <algorithm>
#include <ctime>

#include "sim/Market.h"
#include "sim/Money.h"
#include "sim/Position.h"

namespace valmore {

CTradeHistory::CTradeHistory(int eventCount) {
    Resize(eventCount + 1);
}

void CTradeHistory::Resize(int count) {
    days.resize(static_cast<std::size_t>(std::max(count, 0)));
}

TradeEntry* CTradeHistory::Entry(int product, int day) {
    if (product < 0 || product >= kMaxProducts || day < 0 || day >= DayRecordCount()) return nullptr;
    return &days[static_cast<std::size_t>(day)].products[static_cast<std::size_t>(product)];
}

void CTradeHistory::CountOrder(int product) {
    if (product < 0 || product >= kMaxProducts) return;
    AddSaturated(OrderCount[static_cast<std::size_t>(product)], 1);
}

void CTradeHistory::RecordOpen(int product, int day, int side, std::int32_t price, std::int32_t quantity,
                               std::int32_t commission) {
    TradeEntry* entry = Entry(product, day);
    if (!entry) return;
    entry->action = side == kSideShort ? kActionSell : kActionBuy;
    entry->price = price;
    AddSaturated(entry->quantity, quantity);
    AddSaturated(entry->commition, commission);
}

void CTradeHistory::RecordClose(int product, int day, int side, std::int32_t price, std::int32_t quantity,
                                std::int32_t commission, std::int32_t realized) {
    TradeEntry* entry = Entry(product, day);
    if (!entry) return;
    // Closing a short holding is a buy; closing a long one a sell.
    entry->action = side == kSideShort ? kActionBuy : kActionSell;
    entry->price = price;
    AddSaturated(entry->quantity, quantity);
    AddSaturated(entry->commition, commission);
    AddSaturated(entry->realized, realized);
}

std::int32_t TechnicalScoreOf(const CTradeHistory& history, const CScenario& scenario, int productCount) {
    int n = scenario.EventCount();
    int products = std::clamp(productCount, 0, kMaxProducts);
    if (n <= 0 || products == 0) return 0;
    std::int64_t correct = 0;
    for (int k = 0; k < n; ++k) {
        const ScenarioEvent& event = scenario.events[static_cast<std::size_t>(k)];
        for (int i = 0; i < products; ++i) {
            // A day the history does not cover counts as passed.
            std::int32_t action =
                k < history.DayRecordCount()
                    ? history.days[static_cast<std::size_t>(k)].products[static_cast<std::size_t>(i)].action
                    : kActionPass;
            std::int32_t judge = event.Judge[static_cast<std::size_t>(i)];
            bool right = judge == 0 || (judge == 1 && action == kActionBuy) || (judge == 2 && action == kActionSell) ||
                         (judge == 3 && action == kActionPass);
            if (right) ++correct;
        }
    }
    return ClampToInt32(correct * 100 / (static_cast<std::int64_t>(products) * n));
}

std::int32_t LogicalScoreOf(std::int64_t netProfit, int eventCount, std::int32_t fundAmount) {
    // Formed in 64 bits: a large fund over many days does not fit 32.
    std::int64_t base = static_cast<std::int64_t>(eventCount) * fundAmount / 100 / 365;
    if (base == 0) return 0;
    return TruncateToInt32(static_cast<double>(netProfit) / static_cast<double>(base));
}

FinalFigures CTradeHistory::Finish(const CPosition& position, const CMarket& market, const CScenario& scenario,
                                   std::string dateText) const {
    FinalFigures figures;
    figures.ProductCount = std::clamp(market.ProductCount, 0, kMaxProducts);
    int n = scenario.EventCount();
    std::int64_t total = 0, realized = 0, unrealized = 0, commission = 0, tax = 0, averages = 0, realizedTax = 0;
    for (int i = 0; i < figures.ProductCount; ++i) {
        const Equity& holding = position.Holding(i);
        std::int32_t price = market.Products[static_cast<std::size_t>(i)].currentPrice;
        ProductFigures& product = figures.Products[static_cast<std::size_t>(i)];
        product.MarketValue = ClampToInt32(static_cast<std::int64_t>(holding.SignedQuantity()) * price);
        product.Realized = holding.TotalRealized;
        product.Unrealized = holding.UnrealizedPL(price);
        product.Total = ClampToInt32(static_cast<std::int64_t>(product.Realized) + product.Unrealized);
        product.Commition = holding.CommitionTotal;
        product.Tax = holding.RealizedTax;
        std::int64_t traded = 0;
        for (int k = 0; k < n && k < DayRecordCount(); ++k) {
            traded += days[static_cast<std::size_t>(k)].products[static_cast<std::size_t>(i)].quantity;
        }
        product.AverageShares = n > 0 ? ClampToInt32(traded / n) : 0;

        total += product.Total;
        realized += product.Realized;
        unrealized += product.Unrealized;
        commission += product.Commition;
        tax += product.Tax;
        averages += product.AverageShares;
        realizedTax += holding.RealizedTax;
    }
    std::int64_t income = static_cast<std::int64_t>(position.TotalInterest) + position.TotalDividend;
    figures.TotalPL = ClampToInt32(total + income);
    figures.RealizedPL = ClampToInt32(realized + income);
    figures.UnrealizedPL = ClampToInt32(unrealized);
    figures.Commition = ClampToInt32(commission);
    figures.Tax = ClampToInt32(tax + position.DividendTax + position.InterestTax);
    std::int64_t orders = 0;
    for (std::int32_t count : OrderCount) orders += count;
    figures.TradeCount = ClampToInt32(orders);
    figures.AvarageAmount = ClampToInt32(averages);
    figures.NetAssets =
        ClampToInt32(static_cast<std::int64_t>(position.CashAmount) - position.InterestTax - realizedTax);
    figures.TotalDividend = position.TotalDividend;
    figures.TotalInterest = position.TotalInterest;
    figures.IncomeTax = ClampToInt32(static_cast<std::int64_t>(position.DividendTax) + position.InterestTax);

    figures.TechnicalScore = TechnicalScoreOf(*this, scenario, figures.ProductCount);
    figures.LogicalScore = LogicalScoreOf(FinalProfit(figures), n, scenario.header.FundAmount);
    figures.TotalScore = ClampToInt32(static_cast<std::int64_t>(figures.TechnicalScore) + figures.LogicalScore);
    figures.Date = std::move(dateText);
    figures.ScenarioID = scenario.header.ID;
    return figures;
}

std::string LocalDateText() {
    std::time_t now = std::time(nullptr);
    if (now == static_cast<std::time_t>(-1)) return std::string();
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return std::string();
    char text[32];
    std::size_t length = std::strftime(text, sizeof text, "%Y/%m/%d", &local);
    return std::string(text, length);
}

}  // namespace valmore
