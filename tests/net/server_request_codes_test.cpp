#include <gtest/gtest.h>

#include <chrono>

#include "net/FakeHttpServer.h"
#include "net/ServerLink.h"
#include "net/ServerReplies.h"
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

TEST(ServerRequests, TheOkReplyIsComparedWholeButIgnoringCase) {
    EXPECT_EQ(Answering("RURADIZA:OK").link.UserValidateRequest("u", "p"), 0);
    EXPECT_EQ(Answering("RURADIZA:ok").link.UserValidateRequest("u", "p"), 0);
    EXPECT_EQ(Answering("RURADIZA:OK ").link.UserValidateRequest("u", "p"), 3);
    EXPECT_EQ(Answering("RURADIZA:NICKNAME_ERROR").link.ChangeUserInfoRequest("u", "p", "q", "n"), 4);
    EXPECT_EQ(Answering("RURADIZA:oK").link.ChangeUserInfoRequest("u", "p", "q", "n"), 0);
    EXPECT_EQ(Answering("RURADIZA:NG").link.ChangeUserInfoRequest("u", "p", "q", "n"), 3);
}

TEST(ServerRequests, ARefusedVersionGivesMinusThreeForEveryRequest) {
    Answering a("VERERROR:whatever");
    std::string reply = "stale";
    EXPECT_EQ(a.link.ScenarioListRequest("EXAM", &reply), -3);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(a.link.RankingRequest("S1", "u", &reply), -3);
    EXPECT_EQ(a.link.ResultRequest("m", "p", &reply), -3);
    EXPECT_EQ(a.link.UserValidateRequest("u", "p"), -3);
    EXPECT_EQ(a.link.ChangeUserInfoRequest("u", "p", "q", "n"), -3);
}

TEST(ServerRequests, DamagedRepliesAreServerFailures) {
    const std::vector<std::pair<std::string, int>> damaged{
        {"", 200},           {"DEDIDOD", 200}, {"RURADIZ", 200}, {"ruradiza:OK", 200}, {"RURADIZA:OK", 500},
        {"RURADIZA:OK", 404}};
    for (const auto& [body, status] : damaged) {
        Answering a(body, status);
        std::string reply;
        EXPECT_EQ(a.link.ScenarioListRequest("EXAM", &reply), -2) << body << " " << status;
        EXPECT_EQ(a.link.UserValidateRequest("u", "p"), -2) << body << " " << status;
        EXPECT_EQ(a.link.RankingRequest("S1", "u", &reply), 0) << body << " " << status;
        EXPECT_EQ(reply, "");
    }
    // Ten megabytes, a body cut off before its announced length, and garbage instead of HTTP.
    for (const std::string& raw : {FakeHttpServer::Body("RURADIZA:" + std::string(10 << 20, ',')).raw,
                                   std::string("HTTP/1.1 200 X\r\nContent-Length: 5000\r\n\r\nRURADIZA:OK"),
                                   std::string("\x01\x02 nonsense\r\n\r\n")}) {
        FakeHttpServer server([raw](const std::string&) { return FakeHttpServer::Reply{raw}; });
        EXPECT_EQ(CServerLink(server.BaseUrl()).UserValidateRequest("u", "p"), -2) << raw.substr(0, 40);
    }
}

TEST(ServerRequests, ASlowServerEndsInATimeoutNotAHang) {
    FakeHttpServer server([](const std::string&) {
        FakeHttpServer::Reply reply = FakeHttpServer::Body("RURADIZA:OK");
        reply.delayMs = 5000;
        return reply;
    });
    CServerLink link(server.BaseUrl());
    EXPECT_EQ(CServerLink::kConnectTimeoutMs, 5000);
    EXPECT_EQ(CServerLink::kTotalTimeoutMs, 15000);
    link.SetTimeouts(300, 600);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.UserValidateRequest("u", "p"), -2);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST(ServerRequests, AStoppedServerGivesTheFailureCodes) {
    FakeHttpServer server([](const std::string&) { return FakeHttpServer::Body("RURADIZA:OK"); });
    CServerLink link(server.BaseUrl());
    server.Stop();
    std::string reply;
    EXPECT_EQ(link.FetchUrl(server.BaseUrl() + "UserValidate"), "SERVER_FAILURE");
    EXPECT_EQ(link.ScenarioListRequest("EXAM", &reply), -2);
    EXPECT_EQ(link.RankingRequest("S1", "u", &reply), 0);
    EXPECT_EQ(link.ResultRequest("m", "p", &reply), 0);
    EXPECT_EQ(link.ChangeUserInfoRequest("u", "p", "q", "n"), -2);
}

TEST(ServerRequests, EveryValueIsPercentEncodedSoItCannotChangeTheRequest) {
    FakeHttpServer server([](const std::string&) { return FakeHttpServer::Body("RURADIZA:OK"); });
    CServerLink link(server.BaseUrl());
    std::string reply;
    link.ChangeUserInfoRequest("id_1", "p&VERSION=x", "old#frag", Sj("あa b"));
    link.ScenarioListRequest("EXAM", &reply);
    link.RankingRequest("S-1", "~u.", &reply);
    ResultRecord record;
    record.Date = "2026/12/08";
    record.TotalScore = 80;
    record.TotalPL = -1200;
    link.ResultRequest(ResultMessage("u", "S1", record), "pw", &reply);
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

TEST(ServerRequests, AnAccountWithoutIdOrPasswordSendsNothing) {
    FakeHttpServer server([](const std::string&) { return FakeHttpServer::Body("RURADIZA:OK"); });
    CServerLink link(server.BaseUrl());
    EXPECT_EQ(link.UserValidateRequest("u", ""), 1);
    EXPECT_EQ(link.UserValidateRequest("", "p"), 1);
    EXPECT_EQ(link.ChangeUserInfoRequest("", "p", "q", "n"), 1);
    EXPECT_EQ(link.ChangeUserInfoRequest("u", "", "q", "n"), 1);
    EXPECT_TRUE(server.Targets().empty());
}

TEST(ServerRequests, ARankingReplyWithRunsOfCommasArrivesParsed) {
    Answering a("RURADIZA:head,,1,u1,Nick,,S1,90,,,100,,200,300,400,500");
    std::string reply;
    ASSERT_EQ(a.link.RankingRequest("S1", "u1", &reply), 1);
    const std::vector<RankingRow> rows = ParseRanking(reply);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Field(2), "u1");
    EXPECT_EQ(rows[0].Field(10), "500");
}

}  // namespace
}  // namespace valmore
