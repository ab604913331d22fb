// Results go in through ResultHandler only when they are whole, name a scenario of the data folder
// and come with the user's password; the ranking shows each user's best with shared ranks, the top
// 21 and the asking user's own row; the scenario list offers the data folder.

#include "server/PasswordCheck.h"
#include "server/ServerFixture.h"
#include "server/ServerStore.h"

namespace valmore::test {
namespace {

using ResultsAndRanking = ServerTest;

std::string Mess(const std::string& user, int score, const std::string& date) {
    return "MESS=" + user + ",VM-T01," + date + "," + std::to_string(score) + ",1001,2002,33,44,5,";
}

std::string Row(int rank, const std::string& user, int score, const std::string& date) {
    return std::to_string(rank) + "," + user + "," + user + "," + date + "," + std::to_string(score) +
           ",5,1001,33,44,2002,";
}

TEST_P(ResultsAndRanking, BestResultPerUserSharedRanksTopTwentyOneAndTheAskersOwnRow) {
    // The users share one password hash, so setting them up costs one Argon2id, not 23.
    std::vector<std::string> users;
    {
        std::string error;
        const std::unique_ptr<IServerStore> store = OpenServerStore(db_, &error);
        ASSERT_TRUE(store) << error;
        const std::string hash = CPasswordCheck(1).Hash("pw");
        for (int i = 1; i <= 23; ++i) {
            users.push_back((i < 10 ? "u0" : "u") + std::to_string(i));
            ASSERT_EQ(store->CreateAccount({users.back(), hash, std::nullopt}), CreateAccountOutcome::Created);
        }
    }
    StartServer({"--accept-unsigned-results"});
    // u01 reaches 80 twice: the first of the two counts. u03's 80 came later, so it follows u01.
    const std::vector<std::pair<std::string, std::pair<int, std::string>>> plays = {
        {"u01", {50, "d1"}}, {"u01", {80, "d2"}}, {"u02", {90, "d1"}},
        {"u01", {80, "d3"}}, {"u03", {80, "d1"}}, {"u04", {70, "d1"}}};
    for (const auto& [user, play] : plays)
        ASSERT_EQ(Call("ResultHandler", Mess(user, play.first, play.second)), Reply("OK"));
    for (int i = 5; i <= 23; ++i) {
        // A server taking unsigned results ignores a wrong password too.
        ASSERT_EQ(Call("ResultHandler", Mess(users[static_cast<std::size_t>(i - 1)], 65 - i, "d1") + "&PASSWORD=x"),
                  Reply("OK"));
    }

    std::string top = "VM-T01," + Row(1, "u02", 90, "d1") + Row(2, "u01", 80, "d2") + Row(2, "u03", 80, "d1") +
                      Row(4, "u04", 70, "d1");
    for (int i = 5; i <= 20; ++i) top += Row(i, users[static_cast<std::size_t>(i - 1)], 65 - i, "d1");
    EXPECT_EQ(Call("Ranking", "ID=VM-T01&USERID=u01"), Reply(top + Row(21, "u21", 44, "d1")));
    EXPECT_EQ(Call("Ranking", "ID=VM-T01&USERID=nobody"), Reply(top + Row(21, "u21", 44, "d1")));
    EXPECT_EQ(Call("Ranking", "ID=VM-T01&USERID=u23"), Reply(top + Row(23, "u23", 42, "d1")));
    EXPECT_EQ(Call("Ranking", "ID=VM-A02&USERID=u01"), Reply("VM-A02,"));

    // Signed again: refused submissions get each their own message, and none is stored.
    StartServer();
    EXPECT_EQ(Call("ResultHandler", Mess("u23", 1, "d5") + "&PASSWORD=pw"), Reply("OK"));
    const std::string refused = Reply("SCENARIO_VALIDATE_FAILUER,");
    const std::string unknownScenario = Call("ResultHandler", "MESS=u01,VM-ZZ9,d,99,0,0,0,0,0,&PASSWORD=pw");
    EXPECT_EQ(unknownScenario.rfind(refused, 0), 0u) << unknownScenario;
    EXPECT_NE(unknownScenario.find(Sj("シナリオ「VM-ZZ9」")), std::string::npos);
    std::vector<std::string> messages{unknownScenario};
    for (const std::string query :
         {"MESS=u01,VM-T01,d,9x9,0,0,0,0,0,&PASSWORD=pw", "MESS=u01,VM-T01,d,99,0,0,0,0,-1,&PASSWORD=pw",
          "MESS=ghost,VM-T01,d,99,0,0,0,0,0,&PASSWORD=pw", "MESS=u01,VM-T01,d,99,0,0,0,0,0,&PASSWORD=wrong",
          "MESS=u01,VM-T01,d,99,0,0,0,0,0,", "MESS=u01,VM-T01,d,99,0,0,0,0,&PASSWORD=pw",
          "MESS=u01,VM-T01,,99,0,0,0,0,0,0,&PASSWORD=pw", "MESS=u01,VM-T01,d,99,0,0,0,0,0,0,&PASSWORD=pw",
          "PASSWORD=pw", "MESS=u01,VM-T01,d,99999999999,0,0,0,0,0,&PASSWORD=pw"}) {
        const std::string reply = Call("ResultHandler", query);
        EXPECT_EQ(reply.rfind(refused, 0), 0u) << query << " -> " << reply;
        EXPECT_GT(reply.size(), refused.size() + 10) << query;
        EXPECT_EQ(reply.find(',', refused.size()), std::string::npos) << "the message must stay one field: " << reply;
        messages.push_back(reply);
    }
    EXPECT_NE(messages[1], messages[2]);  // not a number, trade count
    EXPECT_NE(messages[2], messages[3]);  // trade count, unknown user
    EXPECT_NE(messages[3], messages[4]);  // unknown user, wrong password
    EXPECT_EQ(Call("Ranking", "ID=VM-T01&USERID=u23"), Reply(top + Row(23, "u23", 42, "d1")));
}

TEST_P(ResultsAndRanking, ScenarioListOffersTheDataFolderSortedWithoutHiddenOnes) {
    StartServer();
    EXPECT_EQ(Call("ScenarioList", "FOCUS=EXAM"),
              Reply("VM-A02,円高,0,0,1,12,15,2,10000000,VM-T01,決算， 上方修正,0,1,2,12,15,1,3000000,"));
}

VALMORE_ON_BOTH_BACKENDS(ResultsAndRanking);

}  // namespace
}  // namespace valmore::test
