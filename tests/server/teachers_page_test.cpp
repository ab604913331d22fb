// The teachers' page and the CSV show what was stored, in UTF-8: checked in the HTML as served and
// in the page as headless Chromium reads it.

#include <cstdio>

#include "server/ServerFixture.h"

namespace valmore::test {
namespace {

using TeachersPage = ServerTest;

bool OnPath(const std::string& program) {
    return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

TEST_P(TeachersPage, PageAndCsvShowRankingsAndResultsWithJapaneseNicknames) {
    ASSERT_EQ(AddUser({"alice", "pw1", "アリス"}).status, 0);
    ASSERT_EQ(AddUser({"bob", "pw2"}).status, 0);
    dir_.Write("news.txt", "12月24日 9時から10時まで、メンテナンスのため停止します。\n");
    StartServer({"--accept-unsigned-results"});
    ASSERT_EQ(Call("ResultHandler", "MESS=alice,VM-T01,2026/12/01,88,120000,3000,450,900,6,"), Reply("OK"));
    ASSERT_EQ(Call("ResultHandler", "MESS=bob,VM-T01,2026/12/02,=1%2B1,0,0,0,0,0,"),
              Reply("SCENARIO_VALIDATE_FAILUER,") +
                  Sj("シナリオ「VM-T01」の成績に数値でない項目があるため、受け付けられませんでした。"));
    ASSERT_EQ(Call("ResultHandler", "MESS=bob,VM-T01,=cmd|x,61,-5000,1000,10,0,2,"), Reply("OK"));

    const std::string rankingRow =
        "<tr><td class=\"num\">1</td><td>alice</td><td>アリス</td><td>2026/12/01</td><td class=\"num\">88</td>"
        "<td class=\"num\">6</td><td class=\"num\">120,000</td><td class=\"num\">450</td><td class=\"num\">900</td>"
        "<td class=\"num\">3,000</td></tr>";
    const std::string html = server_.Get("/");
    EXPECT_NE(html.find(rankingRow), std::string::npos) << html;
    EXPECT_NE(html.find("<td>VM-T01</td><td>決算, 上方修正</td><td>実践</td>"), std::string::npos);
    EXPECT_NE(html.find("メンテナンスのため停止します。"), std::string::npos);

    const std::string csv = server_.Get("/results.csv");
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF番号,ユーザーID,ニックネーム,シナリオID,シナリオ名,", 0), 0u) << csv;
    EXPECT_NE(csv.find("\r\n1,alice,アリス,VM-T01,\"決算, 上方修正\",2026/12/01,88,120000,3000,450,900,6,"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n2,bob,bob,VM-T01,\"決算, 上方修正\",'=cmd|x,61,-5000,1000,10,0,2,"), std::string::npos)
        << csv;

    if (!OnPath("chromium")) GTEST_SKIP() << "chromium is not installed; the page was checked as served only";
    const std::string url = "http://127.0.0.1:" + std::to_string(server_.Port()) + "/";
    const std::string dom =
        Output("chromium --headless --no-sandbox --disable-gpu --user-data-dir=" + (dir_ / "chromium").string() +
               " --dump-dom " + url + " 2>/dev/null");
    EXPECT_NE(dom.find("<h1>ヴァルモア ランキングサーバー</h1>"), std::string::npos) << dom.substr(0, 300);
    EXPECT_NE(dom.find(rankingRow), std::string::npos) << "Chromium did not read the ranking row";
    EXPECT_NE(dom.find("<h3>アリス（alice）　1 件</h3>"), std::string::npos);
}

VALMORE_ON_BOTH_BACKENDS(TeachersPage);

}  // namespace
}  // namespace valmore::test
