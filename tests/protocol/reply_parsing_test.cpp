#include <gtest/gtest.h>

#include "protocol/RankingRow.h"
#include "protocol/ServerProtocol.h"
#include "protocol/ServerScenario.h"

namespace valmore {
namespace {

TEST(ReplyParsing, RunsOfCommasMoveTheFollowingFieldsUpAndCutShortEntriesAreKept) {
    const std::vector<ServerScenario> list = DecodeScenarioList(",S1,,Title,0,1,Lv,20,30,2,1000000,S2,T2");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (ServerScenario{"S1", "Title", 0, 1, "Lv", "20", "30", 2, 1000000}));
    // The entry the text cuts short keeps what it has.
    EXPECT_EQ(list[1], (ServerScenario{"S2", "T2", 0, 0, "", "", "", 0, 0}));
    EXPECT_TRUE(DecodeScenarioList(",,,,").empty());
    EXPECT_TRUE(DecodeRanking("only-the-unused-field").empty());
}

TEST(ReplyParsing, NumbersStayInRangeAndARefusedResultCarriesItsMessage) {
    EXPECT_EQ(ReplyNumber("42abc"), 42);
    EXPECT_EQ(ReplyNumber(" -7"), -7);
    EXPECT_EQ(ReplyNumber("abc"), 0);
    EXPECT_EQ(ReplyNumber("99999999999999999999"), 2147483647);
    EXPECT_EQ(ReplyNumber("-99999999999999999999"), -2147483647 - 1);

    // A refused result carries its message.
    EXPECT_EQ(ResultRefusalMessage("SCENARIO_VALIDATE_FAILUER,not yours"), "not yours");
    EXPECT_EQ(ResultRefusalMessage("SCENARIO_VALIDATE_FAILUER"), "");
    EXPECT_FALSE(ResultRefusalMessage("OK").has_value());
    EXPECT_FALSE(ResultRefusalMessage("").has_value());
}

}  // namespace
}  // namespace valmore
