#pragma once

// The nine fields of a submitted result and their one written form, the MESS value of a result
// submission: the user ID, the scenario ID, the date, the total score, the total profit and loss,
// the average amount, the commission, the tax and the number of trades, each followed by a comma.

#include <cstdint>
#include <string>
#include <string_view>

namespace valmore {

struct ResultFields {
    std::string userId;
    std::string scenarioId;
    std::string date;
    std::int64_t totalScore = 0;
    std::int64_t totalPL = 0;
    std::int64_t averageAmount = 0;
    std::int64_t commission = 0;
    std::int64_t tax = 0;
    std::int64_t tradeCount = 0;

    bool operator==(const ResultFields&) const = default;

    // The texts go as they are and the numbers in decimal.
    std::string Encode() const;

    enum class DecodeStatus {
        Ok,
        Malformed,   // not nine fields, or an empty one: nothing is filled in
        NotANumber,  // the texts are filled in, but a number is not a whole 32-bit decimal
    };
    // Reads a message strictly, as the server must: every comma separates, a missing last comma is
    // forgiven, and numbers are written as "%d" writes them.
    static DecodeStatus Decode(std::string_view message, ResultFields* out);
};

}  // namespace valmore
