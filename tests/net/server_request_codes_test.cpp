#include <gtest/gtest.h>

#include <chrono>

#include "net/FakeHttpServer.h"
#include "net/ServerLink.h"
#include "platform/Sjis.h"

namespace valmore {
namespace {

using test::FakeHttpServer;

// A server that answers every request with the same body.
struct Answering {
    explicit Answering(std::string body, int status = 200)
        : server([body, status](const std::string&) { return FakeHttpServer::Body(body, status); }),
          link(server.BaseUrl()) {}
    FakeHttpServer server;
    CServerLink link;
};

using enum AccountStatus;
constexpr LinkOutcome kVersionRefused = LinkOutcome::VersionRefused;

TEST(ServerRequests, TheOkReplyIsComparedWholeIgnoringCaseAndARefusedVersionIsRefusedEverywhere) {
    struct Case {
        const char* body;
        AccountStatus validate;
        AccountStatus change;
    };
    for (const Case& c :
         {Case{"RURADIZA:OK", Valid, Valid}, Case{"RURADIZA:ok", Valid, Valid},
          Case{"RURADIZA:OK ", Rejected, Rejected}, Case{"RURADIZA:NICKNAME_ERROR", Rejected, NicknameTaken},
          Case{"VERERROR:x", VersionRefused, VersionRefused}}) {
        Answering a(c.body);
        EXPECT_EQ(a.link.UserValidateRequest("u", "p"), c.validate) << c.body;
        EXPECT_EQ(a.link.ChangeUserInfoRequest("u", "p", "q", "n"), c.change) << c.body;
    }
    Answering refused("VERERROR:whatever");
    const LinkReply<std::vector<ServerScenario>> list = refused.link.ScenarioListRequest("EXAM");
    EXPECT_EQ(list.outcome, kVersionRefused);
    EXPECT_TRUE(list.value.empty());
    EXPECT_EQ(refused.link.RankingRequest("S1", "u").outcome, kVersionRefused);
    EXPECT_EQ(refused.link.ResultRequest("m", "p").outcome, kVersionRefused);
    // A refused result carries the server's message; any other reply takes it.
    EXPECT_EQ(Answering("RURADIZA:SCENARIO_VALIDATE_FAILUER,why").link.ResultRequest("m", "p").message, "why");
    EXPECT_EQ(Answering("RURADIZA:whatever").link.ResultRequest("m", "p").outcome, LinkOutcome::Done);
}

TEST(ServerRequests, DamagedRepliesAreServerFailures) {
    const std::vector<std::pair<std::string, int>> damaged{
        {"", 200},           {"DEDIDOD", 200}, {"RURADIZ", 200}, {"ruradiza:OK", 200}, {"RURADIZA:OK", 500},
        {"RURADIZA:OK", 404}};
    for (const auto& [body, status] : damaged) {
        Answering a(body, status);
        EXPECT_EQ(a.link.ScenarioListRequest("EXAM").outcome, LinkOutcome::ServerFailure) << body << " " << status;
        EXPECT_EQ(a.link.UserValidateRequest("u", "p"), ServerFailure) << body << " " << status;
        const LinkReply<std::vector<RankingRow>> ranking = a.link.RankingRequest("S1", "u");
        EXPECT_EQ(ranking.outcome, LinkOutcome::ServerFailure) << body << " " << status;
        EXPECT_TRUE(ranking.value.empty());
    }
    // Ten megabytes, a body cut off before its announced length, and garbage instead of HTTP.
    for (const std::string& raw : {FakeHttpServer::Body("RURADIZA:" + std::string(10 << 20, ',')).raw,
                                   std::string("HTTP/1.1 200 X\r\nContent-Length: 5000\r\n\r\nRURADIZA:OK"),
                                   std::string("\x01\x02 nonsense\r\n\r\n")}) {
        FakeHttpServer server([raw](const std::string&) { return FakeHttpServer::Reply{raw}; });
        EXPECT_EQ(CServerLink(server.BaseUrl()).UserValidateRequest("u", "p"), ServerFailure) << raw.substr(0, 40);
    }
}

TEST(ServerRequests, ASlowServerEndsInATimeoutAndAStoppedOneInTheFailureCodes) {
    FakeHttpServer server([](const std::string&) { return FakeHttpServer::Reply{"HTTP/1.1 200 X\r\n", 5000}; });
    CServerLink link(server.BaseUrl());
    link.SetTimeouts(300, 600);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.UserValidateRequest("u", "p"), ServerFailure);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

    server.Stop();
    EXPECT_EQ(link.ScenarioListRequest("EXAM").outcome, LinkOutcome::ServerFailure);
    EXPECT_EQ(link.RankingRequest("S1", "u").outcome, LinkOutcome::ServerFailure);
    EXPECT_EQ(link.ResultRequest("m", "p").outcome, LinkOutcome::ServerFailure);
    EXPECT_EQ(link.ChangeUserInfoRequest("u", "p", "q", "n"), ServerFailure);
}

TEST(ServerRequests, EveryValueIsPercentEncodedSoItCannotChangeTheRequest) {
    FakeHttpServer server([](const std::string&) { return FakeHttpServer::Body("RURADIZA:OK"); });
    CServerLink link(server.BaseUrl());
    link.ChangeUserInfoRequest("id_1", "p&VERSION=x", "old#frag", Sj("あa b"));
    link.ScenarioListRequest("EXAM");
    link.RankingRequest("S-1", "~u.");
    ResultRecord record;
    record.Date = "2026/12/08";
    record.TotalScore = 80;
    record.TotalPL = -1200;
    link.ResultRequest(ResultMessage("u", "S1", record), "pw");
    // An account without user ID or password sends nothing.
    EXPECT_EQ(link.UserValidateRequest("u", ""), Empty);
    EXPECT_EQ(link.ChangeUserInfoRequest("", "p", "q", "n"), Empty);
    const std::vector<std::string> targets = server.Targets();
    ASSERT_EQ(targets.size(), 4u);
    EXPECT_EQ(targets[0],
              "/RURadiza/servlet/ChangeUserInfo?USERID=id_1&VERSION=QUIVO_TARN_000_000&PASSWORD=p%26VERSION%3Dx"
              "&PREVPASSWORD=old%23frag&NICKNAME=%82%A0a%20b");
    EXPECT_EQ(targets[1], "/RURadiza/servlet/ScenarioList?VERSION=QUIVO_TARN_000_000&FOCUS=EXAM");
    EXPECT_EQ(targets[2], "/RURadiza/servlet/Ranking?ID=S-1&USERID=~u.&VERSION=QUIVO_TARN_000_000");
    EXPECT_EQ(targets[3],
              "/RURadiza/servlet/ResultHandler?MESS=u%2CS1%2C2026%2F12%2F08%2C80%2C-1200%2C0%2C0%2C0%2C0%2C"
              "&VERSION=QUIVO_TARN_000_000&PASSWORD=pw");
}

}  // namespace
}  // namespace valmore
