// Two server processes on one PostgreSQL database act as one server: an account made or changed
// through one holds at once in the other, and both show the same rankings.

#include "server/ServerFixture.h"

namespace valmore::test {
namespace {

class SharedPostgres : public ServerTest {};

TEST_P(SharedPostgres, TwoProcessesServeOneDatabaseWithoutKeepingStateApart) {
    StartServer({"--open-registration"});
    ServerProcess other;
    ASSERT_TRUE(other.Start({"--db", db_, "--data-dir", dir_.Path().string()}, dir_ / "other.log"));
    auto callOther = [&](std::string_view servlet, std::string_view query) {
        return other.Get(ServletTarget(servlet, query));
    };

    EXPECT_EQ(Call("UserValidate", "USERID=kana&PASSWORD=first"), Reply("OK"));
    EXPECT_EQ(callOther("UserValidate", "USERID=kana&PASSWORD=first"), Reply("OK"));
    EXPECT_EQ(Call("ResultHandler", "MESS=kana,VM-T01,d1,40,0,0,0,0,0,&PASSWORD=first"), Reply("OK"));
    // A password changed through the other process is the only one either process takes from then on.
    EXPECT_EQ(callOther("ChangeUserInfo", "USERID=kana&PASSWORD=second&PREVPASSWORD=first&NICKNAME=" + Sj("かな")),
              Reply("OK"));
    EXPECT_EQ(Call("ResultHandler", "MESS=kana,VM-T01,d2,60,0,0,0,0,0,&PASSWORD=first")
                  .rfind(Reply("SCENARIO_VALIDATE_FAILUER,"), 0),
              0u);
    EXPECT_EQ(Call("ResultHandler", "MESS=kana,VM-T01,d3,50,0,0,0,0,0,&PASSWORD=second"), Reply("OK"));
    const std::string expected = Reply("VM-T01,1,kana,かな,d3,50,0,0,0,0,0,");
    EXPECT_EQ(Call("Ranking", "ID=VM-T01&USERID=kana"), expected);
    EXPECT_EQ(callOther("Ranking", "ID=VM-T01&USERID=kana"), expected);
    EXPECT_EQ(other.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, SharedPostgres, ::testing::Values(Backend::Postgres), BackendName);

}  // namespace
}  // namespace valmore::test
