// What one end writes, the other reads back into the same field: every field holds a value found
// nowhere else, and each side is compared with the text and the values written out by hand, so a
// swap of two fields on either end fails.

#include <gtest/gtest.h>

#include "net/ServerLink.h"
#include "platform/Sjis.h"
#include "protocol/RankingRow.h"
#include "protocol/ResultFields.h"
#include "protocol/ServerProtocol.h"
#include "protocol/ServerScenario.h"

namespace valmore {
namespace {

TEST(ProtocolRoundTrip, TheTrainersResultMessageReachesTheServerFieldForField) {
    ResultRecord record;
    record.Date = "2026/12/08";
    record.TotalScore = 71;
    record.TechnicalScore = 72;
    record.LogicalScore = 73;
    record.TotalPL = -1004;
    record.RealizedPL = 75;
    record.UnrealizedPL = 76;
    record.Commition = 44;
    record.Tax = 55;
    record.TradeCount = 6;
    record.AvarageAmount = 3003;
    const std::string message = ResultMessage("taro01", "VM-E01", record);
    EXPECT_EQ(message, "taro01,VM-E01,2026/12/08,71,-1004,3003,44,55,6,");

    ResultFields received;
    ASSERT_EQ(ResultFields::Decode(message, &received), ResultFields::DecodeStatus::Ok);
    EXPECT_EQ(received, (ResultFields{.userId = "taro01",
                                      .scenarioId = "VM-E01",
                                      .date = "2026/12/08",
                                      .totalScore = 71,
                                      .totalPL = -1004,
                                      .averageAmount = 3003,
                                      .commission = 44,
                                      .tax = 55,
                                      .tradeCount = 6}));
    // The server reads strictly: nine fields, none empty, whole 32-bit numbers.
    for (const char* broken : {"taro01,VM-E01,d,71,-1004,3003,44,55,", "taro01,VM-E01,,71,-1004,3003,44,55,6,",
                               "taro01,VM-E01,d,71,-1004,3003,44,55,6,7,"})
        EXPECT_EQ(ResultFields::Decode(broken, &received), ResultFields::DecodeStatus::Malformed) << broken;
    for (const char* broken :
         {"taro01,VM-E01,d,+71,-1004,3003,44,55,6,", "taro01,VM-E01,d,71,-1004,3003,44,55,2147483648,"})
        EXPECT_EQ(ResultFields::Decode(broken, &received), ResultFields::DecodeStatus::NotANumber) << broken;
}

TEST(ProtocolRoundTrip, TheServersRankingRowsAndScenarioListReachTheTrainerFieldForField) {
    const RankingRow row{.rank = 2,
                         .userId = "hanako",
                         .shownName = Sj("はな,こ"),
                         .date = "",
                         .totalScore = 81,
                         .tradeCount = 7,
                         .totalPL = -1001,
                         .commission = 33,
                         .tax = 44,
                         .averageAmount = 2002};
    const std::string ranking = EncodeRanking("VM-T01", {row});
    // A comma inside a text becomes the full-width one and an empty text "----", so no field splits
    // or vanishes.
    EXPECT_EQ(ranking, Sj("VM-T01,2,hanako,はな，こ,----,81,7,-1001,33,44,2002,"));
    RankingRow expected = row;
    expected.shownName = Sj("はな，こ");
    expected.date = "----";
    EXPECT_EQ(DecodeRanking(ranking), std::vector<RankingRow>{expected});

    const ServerScenario scenario{.ID = "VM-A02",
                                  .Title = Sj("円高"),
                                  .Category = 3,
                                  .Mode = 1,
                                  .Level = "4",
                                  .Duration = "12",
                                  .EstimatedTime = "15",
                                  .ProductCount = 2,
                                  .FundAmount = 10000000};
    const std::string list = EncodeScenarioList({scenario, scenario});
    EXPECT_EQ(list, Sj("VM-A02,円高,3,1,4,12,15,2,10000000,VM-A02,円高,3,1,4,12,15,2,10000000,"));
    EXPECT_EQ(DecodeScenarioList(list), (std::vector<ServerScenario>{scenario, scenario}));
}

}  // namespace
}  // namespace valmore
