// Damaged and hostile requests get a clean reply and change nothing: SQL and quotes in every field,
// over-long values, broken percent-encoding, missing parameters, control bytes in a date, another
// protocol version. No password reaches the log.

#include "server/ServerFixture.h"

namespace valmore::test {
namespace {

using HostileInput = ServerTest;

bool HasEmptyField(std::string_view reply) {
    const std::string_view body = reply.substr(std::string_view("RURADIZA:").size());
    return body.find(",,") != std::string_view::npos || (!body.empty() && body.front() == ',');
}

TEST_P(HostileInput, EveryServletAnswersCleanlyAndTheStoreStaysIntact) {
    ASSERT_EQ(AddUser({"alice", "secret1", "アリス"}).status, 0);
    StartServer();
    ASSERT_EQ(Call("ResultHandler", "MESS=alice,VM-T01,d1,50,1,2,3,4,5,&PASSWORD=secret1"), Reply("OK"));
    const std::string ranking = Call("Ranking", "ID=VM-T01&USERID=alice");

    const std::string attacks[] = {
        "'%20OR%20'1'='1",
        "x');DROP%20TABLE%20accounts;--",
        "%27%3B%20DELETE%20FROM%20results%3B--",
        "%22%5C%00",
        "%",
        "%G1",
        "%4",
        "%%%",
        std::string(40, 'a'),
        std::string(3000, 'b'),
        Sj("ア") + "%82",
    };
    const char* servlets[] = {"UserValidate", "ChangeUserInfo", "ResultHandler", "Ranking", "ScenarioList"};
    const char* names[] = {"USERID", "PASSWORD", "PREVPASSWORD", "NICKNAME", "MESS", "ID", "FOCUS"};
    for (const std::string& attack : attacks) {
        for (const char* servlet : servlets) {
            // The value in each parameter alone, and in all of them at once.
            std::vector<std::string> queries{""};
            std::string all;
            for (const char* name : names) {
                queries.push_back(std::string(name) + "=" + attack);
                all += std::string(name) + "=" + attack + "&";
            }
            queries.push_back(all + "MESS=alice," + attack + ",d,1,1,1,1,1,1,");
            for (const std::string& query : queries) {
                const HttpReply reply = HttpGet(server_.Port(), ServletTarget(servlet, query));
                if (reply.status == 414) continue;  // beyond 4 KB
                ASSERT_EQ(reply.status, 200) << servlet << "?" << query;
                EXPECT_EQ(reply.body.rfind("RURADIZA:", 0), 0u) << servlet << "?" << query;
                EXPECT_FALSE(HasEmptyField(reply.body)) << servlet << "?" << query << " -> " << reply.body;
                EXPECT_NE(reply.body, Reply("OK")) << servlet << "?" << query;
            }
        }
    }
    EXPECT_EQ(HttpGet(server_.Port(), ServletTarget("Ranking", "ID=" + std::string(5000, 'x'))).status, 414);
    EXPECT_EQ(HttpGet(server_.Port(), ServletTarget("Ranking", "ID=" + std::string(20000, 'x'))).status, 414);
    EXPECT_EQ(HttpGet(server_.Port(), "/RURadiza/servlet/Nothing?VERSION=QUIVO_TARN_000_000").status, 404);
    for (const char* servlet : servlets) {
        for (const std::string query : {"", "VERSION=QUIVO_TARN_000_001", "VERSION="}) {
            const std::string reply = server_.Get("/RURadiza/servlet/" + std::string(servlet) + "?" + query);
            EXPECT_EQ(reply.rfind("VERERROR:", 0), 0u) << servlet << "?" << query;
            EXPECT_GT(reply.size(), 9u);
        }
    }

    // A date with a control byte would reach the rankings and the teachers' page as it is.
    for (const std::string control : {"%00", "%01", "%09", "%0A", "%1B", "%7F"}) {
        const std::string reply =
            Call("ResultHandler", "MESS=alice,VM-T01,d" + control + "1,90,1,2,3,4,5,&PASSWORD=secret1");
        EXPECT_NE(reply.find(Sj("成績の日付が正しくない")), std::string::npos) << control << " -> " << reply;
    }

    EXPECT_EQ(Call("UserValidate", "USERID=alice&PASSWORD=secret1"), Reply("OK"));
    EXPECT_EQ(Call("Ranking", "ID=VM-T01&USERID=alice"), ranking);
    ASSERT_EQ(server_.Stop(), 0);
    const std::string log = ReadFileBytes(dir_ / "server.log");
    EXPECT_NE(log.find("UserValidate user=alice -> OK"), std::string::npos) << log.substr(0, 500);
    EXPECT_EQ(log.find("secret1"), std::string::npos) << "a password reached the log";
}

VALMORE_ON_BOTH_BACKENDS(HostileInput);

}  // namespace
}  // namespace valmore::test
