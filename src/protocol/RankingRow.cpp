#include "protocol/RankingRow.h"

#include <array>

#include "protocol/ServerProtocol.h"

namespace valmore {

namespace {

constexpr std::array<ListField<RankingRow>, 10> kColumns{
    &RankingRow::rank,       &RankingRow::userId,        &RankingRow::shownName, &RankingRow::date,
    &RankingRow::totalScore, &RankingRow::tradeCount,    &RankingRow::totalPL,   &RankingRow::commission,
    &RankingRow::tax,        &RankingRow::averageAmount,
};

}  // namespace

std::string EncodeRanking(std::string_view scenarioId, const std::vector<RankingRow>& rows) {
    std::string body;
    AppendTextField(body, scenarioId);
    for (const RankingRow& row : rows) AppendEntry(body, row, kColumns);
    return body;
}

std::vector<RankingRow> DecodeRanking(std::string_view reply) {
    // The scenario ID comes first; the trainer knows it already.
    return DecodeEntries(reply, 1, kColumns);
}

}  // namespace valmore
