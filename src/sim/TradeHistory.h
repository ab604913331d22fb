#pragma once

// Every trade of a play by day and product, and the number of orders per product: what the decision
// score and the result screens read back after the last day.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scenario/Scenario.h"
#include "sim/FinalFigures.h"

namespace valmore {

class CMarket;
class CPosition;

// The trades booked for one product on one day.
struct TradeEntry {
    std::int32_t action = 1;  // action of the last trade booked; pass until one is
    std::int32_t price = 0;
    std::int32_t quantity = 0;
    std::int32_t commition = 0;
    std::int32_t realized = 0;

    bool operator==(const TradeEntry&) const = default;
};

struct DayRecord {
    std::array<TradeEntry, kMaxProducts> products{};

    bool operator==(const DayRecord&) const = default;
};

class CTradeHistory {
public:
    CTradeHistory() = default;
    // One record per event and one more for the final reversal, which runs after the last event.
    explicit CTradeHistory(int eventCount);

    std::vector<DayRecord> days;
    std::array<std::int32_t, kMaxProducts> OrderCount{};

    int DayRecordCount() const { return static_cast<int>(days.size()); }
    // Grows with pass days or cuts to `count` records.
    void Resize(int count);

    // Bookings outside the known days or products are ignored.
    void CountOrder(int product);
    void RecordOpen(int product, int day, int side, std::int32_t price, std::int32_t quantity, std::int32_t commission);
    void RecordClose(int product, int day, int side, std::int32_t price, std::int32_t quantity, std::int32_t commission,
                     std::int32_t realized);

    // The final figures and both scores of a play whose holdings have all been reversed.
    FinalFigures Finish(const CPosition& position, const CMarket& market, const CScenario& scenario,
                        std::string dateText) const;

    bool operator==(const CTradeHistory&) const = default;

private:
    TradeEntry* Entry(int product, int day);
};

// The decision score: the percentage of product days on which the user did what the scenario judged
// right. 0 when there is nothing to judge.
std::int32_t TechnicalScoreOf(const CTradeHistory& history, const CScenario& scenario, int productCount);
// The return score: net profit in units of what the fund earns in the play's days at 1 % a year.
// 0 when that unit is 0 yen.
std::int32_t LogicalScoreOf(std::int64_t netProfit, int eventCount, std::int32_t fundAmount);

// Today as "%Y/%m/%d" in local time, or "" when the date cannot be formatted.
std::string LocalDateText();

}  // namespace valmore
