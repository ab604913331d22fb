#pragma once

// The figures and scores of a finished play, as the result screens and the result history take them.

#include <array>
#include <cstdint>
#include <string>

#include "scenario/Scenario.h"

namespace valmore {

struct ProductFigures {
    std::int32_t MarketValue = 0;  // 0 after the final reversal
    std::int32_t Realized = 0;
    std::int32_t Unrealized = 0;  // 0 after the final reversal
    std::int32_t Total = 0;
    std::int32_t Commition = 0;
    std::int32_t Tax = 0;
    std::int32_t AverageShares = 0;  // shares traded per event day, without the final reversal

    bool operator==(const ProductFigures&) const = default;
};

struct FinalFigures {
    int ProductCount = 0;
    std::array<ProductFigures, kMaxProducts> Products{};
    std::int32_t TotalPL = 0;
    std::int32_t RealizedPL = 0;
    std::int32_t UnrealizedPL = 0;
    std::int32_t Commition = 0;
    std::int32_t Tax = 0;
    std::int32_t TradeCount = 0;
    std::int32_t AvarageAmount = 0;
    std::int32_t NetAssets = 0;
    std::int32_t TotalDividend = 0;
    std::int32_t TotalInterest = 0;
    std::int32_t IncomeTax = 0;  // withheld dividend tax and owed interest tax
    std::int32_t TechnicalScore = 0;
    std::int32_t LogicalScore = 0;
    std::int32_t TotalScore = 0;
    std::string Date;
    std::string ScenarioID;

    bool operator==(const FinalFigures&) const = default;
};

// The final profit: profit and loss less the tax on it and the commission paid. Formed in 64 bits,
// so three figures near the 32-bit limits cannot overflow.
constexpr std::int64_t FinalProfit(std::int64_t profitAndLoss, std::int64_t tax, std::int64_t commission) {
    return profitAndLoss - tax - commission;
}
constexpr std::int64_t FinalProfit(const ProductFigures& p) {
    return FinalProfit(std::int64_t{p.Realized} + p.Unrealized, p.Tax, p.Commition);
}
constexpr std::int64_t FinalProfit(const FinalFigures& f) {
    return FinalProfit(f.TotalPL, f.Tax, f.Commition);
}

}  // namespace valmore
