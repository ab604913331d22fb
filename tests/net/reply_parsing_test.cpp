#include <gtest/gtest.h>

#include "net/ServerReplies.h"

namespace valmore {
namespace {

TEST(ReplyParsing, TheFramingGivesTheReplyOrAFailureWord) {
    EXPECT_EQ(UnframeReply("RURADIZA:"), "");
    EXPECT_EQ(UnframeReply("RURADIZA:a,b"), "a,b");
    EXPECT_EQ(UnframeReply("VERERROR:"), "VERSION_ERROR");
    EXPECT_EQ(UnframeReply("VERERROR"), "SERVER_FAILURE");
    EXPECT_EQ(UnframeReply("RURADIZA"), "SERVER_FAILURE");
    EXPECT_EQ(UnframeReply("XRURADIZA:OK"), "SERVER_FAILURE");
}

TEST(ReplyParsing, RunsOfCommasMoveTheFollowingFieldsUp) {
    const std::vector<ServerScenario> list = ParseScenarioList(",S1,,Title,0,1,Lv,20,30,2,1000000,S2,T2");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (ServerScenario{"S1", "Title", 0, 1, "Lv", "20", "30", 2, 1000000}));
    // The entry the text cuts short keeps what it has.
    EXPECT_EQ(list[1], (ServerScenario{"S2", "T2", 0, 0, "", "", "", 0, 0}));
    EXPECT_TRUE(ParseScenarioList(",,,,").empty());
    EXPECT_TRUE(ParseRanking("only-the-unused-field").empty());
}

TEST(ReplyParsing, NumbersThatAreNotNumbersCountAsZeroAndHugeOnesStopAtTheLimit) {
    EXPECT_EQ(ReplyNumber("42abc"), 42);
    EXPECT_EQ(ReplyNumber(" -7"), -7);
    EXPECT_EQ(ReplyNumber("abc"), 0);
    EXPECT_EQ(ReplyNumber("99999999999999999999"), 2147483647);
    EXPECT_EQ(ReplyNumber("-99999999999999999999"), -2147483647 - 1);
}

TEST(ReplyParsing, ARefusedResultCarriesItsMessage) {
    EXPECT_EQ(ResultRefusalMessage("SCENARIO_VALIDATE_FAILUER,not yours"), "not yours");
    EXPECT_EQ(ResultRefusalMessage("SCENARIO_VALIDATE_FAILUER"), "");
    EXPECT_FALSE(ResultRefusalMessage("OK").has_value());
    EXPECT_FALSE(ResultRefusalMessage("").has_value());
}

TEST(ReplyParsing, AReplyEqualToAFailureWordIsTakenAsTheFailure) {
    EXPECT_EQ(ScenarioListCode("INTERNET_FAILURE"), -1);
    EXPECT_EQ(ScenarioListCode("S1,T"), 0);
    EXPECT_EQ(RankingCode("INTERNET_FAILURE"), 0);
    EXPECT_EQ(ResultCode("anything"), 1);
    EXPECT_EQ(ChangeUserInfoCode("nickname_error"), 3);
}

}  // namespace
}  // namespace valmore
