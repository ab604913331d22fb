#pragma once

// A row of the ranking reply, and the reply itself: the scenario ID (which the trainer does not use),
// then ten fields a row.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace valmore {

struct RankingRow {
    std::int64_t rank = 0;
    std::string userId;
    std::string shownName;  // the nickname, or the user ID without one
    std::string date;
    std::int64_t totalScore = 0;
    std::int64_t tradeCount = 0;
    std::int64_t totalPL = 0;
    std::int64_t commission = 0;
    std::int64_t tax = 0;
    std::int64_t averageAmount = 0;

    bool operator==(const RankingRow&) const = default;
};

std::string EncodeRanking(std::string_view scenarioId, const std::vector<RankingRow>& rows);
// Under the comma rule; a row the text cuts short is kept, with empty texts and zeros for what is
// missing.
std::vector<RankingRow> DecodeRanking(std::string_view reply);

}  // namespace valmore
