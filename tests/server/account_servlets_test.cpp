// Accounts: made by add-user or by open registration, checked by UserValidate, changed by
// ChangeUserInfo, with the user dialog's rules kept and repeated failures slowed down.

#include <chrono>

#include "server/ServerFixture.h"

namespace valmore::test {
namespace {

using AccountServlets = ServerTest;

TEST_P(AccountServlets, AddUserThenValidateAndChangeKeepTheRulesAndUniqueNicknames) {
    EXPECT_EQ(AddUser({"alice", "pass1", "アリス"}).status, 0);
    EXPECT_EQ(AddUser({"carol", "pass3"}).status, 0);
    const CommandRun twice = AddUser({"alice", "other"});
    EXPECT_EQ(twice.status, 1);
    EXPECT_NE(twice.output.find("exists"), std::string::npos) << twice.output;
    const CommandRun taken = AddUser({"bob", "pass2", "アリス"});
    EXPECT_EQ(taken.status, 1);
    EXPECT_NE(taken.output.find("taken"), std::string::npos) << taken.output;
    EXPECT_EQ(AddUser({"bad-id", "pass"}).status, 1);
    EXPECT_EQ(AddUser({"dave", "pa ss"}).status, 1);
    EXPECT_EQ(AddUser({"dave", "pass", "あいうえおかきくけこさ"}).status, 1);  // 22 bytes

    StartServer();
    EXPECT_EQ(Call("UserValidate", "USERID=alice&PASSWORD=pass1"), Reply("OK"));
    EXPECT_EQ(Call("UserValidate", "USERID=alice&PASSWORD=pass2"), Reply("NG"));
    EXPECT_EQ(Call("UserValidate", "USERID=alice"), Reply("NG"));
    EXPECT_EQ(Call("UserValidate", "USERID=nobody&PASSWORD=pass1"), Reply("NG"));

    EXPECT_EQ(Call("ChangeUserInfo", "USERID=carol&PASSWORD=pass3&PREVPASSWORD=wrong&NICKNAME=c"), Reply("NG"));
    // Another user's nickname, sent percent-encoded as the trainer does: "アリス" in Shift_JIS.
    EXPECT_EQ(Call("ChangeUserInfo", "USERID=carol&PASSWORD=pass3&PREVPASSWORD=pass3&NICKNAME=%83A%83%8A%83X"),
              Reply("NICKNAME_ERROR"));
    EXPECT_EQ(Call("ChangeUserInfo", "USERID=carol&PASSWORD=pass3&PREVPASSWORD=pass3&NICKNAME=a_b"), Reply("NG"));
    EXPECT_EQ(Call("ChangeUserInfo", "USERID=carol&PASSWORD=pass3&PREVPASSWORD=pass3&NICKNAME=abcdefghijklmnopqrstu"),
              Reply("NG"));
    // Raw Shift_JIS bytes are taken as they are; keeping one's own nickname is no clash.
    EXPECT_EQ(Call("ChangeUserInfo", "USERID=carol&PASSWORD=pass3&PREVPASSWORD=pass3&NICKNAME=" + Sj("キャロル")),
              Reply("OK"));
    EXPECT_EQ(Call("ChangeUserInfo", "USERID=alice&PASSWORD=newpass&PREVPASSWORD=pass1&NICKNAME=%83A%83%8A%83X"),
              Reply("OK"));
    EXPECT_EQ(Call("UserValidate", "USERID=alice&PASSWORD=pass1"), Reply("NG"));
    EXPECT_EQ(Call("UserValidate", "USERID=alice&PASSWORD=newpass"), Reply("OK"));

    EXPECT_EQ(Call("ResultHandler", "MESS=carol,VM-T01,2026/12/01,70,1,2,3,4,5,&PASSWORD=pass3"), Reply("OK"));
    EXPECT_EQ(Call("Ranking", "ID=VM-T01&USERID=carol"), Reply("VM-T01,1,carol,キャロル,2026/12/01,70,5,1,3,4,2,"));
}

TEST_P(AccountServlets, OpenRegistrationCreatesAnUnknownUserThatKeepsTheRules) {
    StartServer({"--open-registration"});
    EXPECT_EQ(Call("UserValidate", "USERID=newbie&PASSWORD=first"), Reply("OK"));
    EXPECT_EQ(Call("UserValidate", "USERID=newbie&PASSWORD=second"), Reply("NG"));
    EXPECT_EQ(Call("UserValidate", "USERID=new%20user&PASSWORD=first"), Reply("NG"));
    EXPECT_EQ(Call("UserValidate", "USERID=other&PASSWORD=fir.st"), Reply("NG"));
    // Without a nickname the user ID stands in its place.
    EXPECT_EQ(Call("ResultHandler", "MESS=newbie,VM-A02,2026/12/02,10,0,0,0,0,0,&PASSWORD=first"), Reply("OK"));
    EXPECT_EQ(Call("Ranking", "ID=VM-A02&USERID=newbie"), Reply("VM-A02,1,newbie,newbie,2026/12/02,10,0,0,0,0,0,"));
}

TEST_P(AccountServlets, RepeatedFailedLoginsAreSlowedAndTheRightPasswordStillWorks) {
    ASSERT_EQ(AddUser({"alice", "pass1"}).status, 0);
    StartServer();
    std::chrono::duration<double> last{};
    for (int attempt = 1; attempt <= 5; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Call("UserValidate", "USERID=alice&PASSWORD=guess" + std::to_string(attempt)), Reply("NG"));
        last = std::chrono::steady_clock::now() - start;
    }
    EXPECT_GE(last.count(), 0.9) << "the fifth failure in a row waits a second";
    EXPECT_EQ(Call("UserValidate", "USERID=alice&PASSWORD=pass1"), Reply("OK"));
}

VALMORE_ON_BOTH_BACKENDS(AccountServlets);

}  // namespace
}  // namespace valmore::test
