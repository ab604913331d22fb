// The teacher's checks of `valmore-tool check --lesson`: each small library below holds the fault one
// check exists for, and the tool must name it on a line of its own and exit with 1.

#include <gtest/gtest.h>

#include "platform/Sjis.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

namespace valmore {
namespace {

struct Day {
    Day(std::string date, std::string dow, std::string news = "", std::string market = "")
        : date(std::move(date)), dow(std::move(dow)), news(std::move(news)), market(std::move(market)) {}
    std::string date, dow, news, info;
    int price = 1000;
    int judge = 3;
    std::string market;  // extra event keys, e.g. {N225 "52000"}
};

// A one-product scenario ("Alpha", starting at 1,000 yen) with the given days, converted to Shift_JIS.
// Every debrief is padded to the length the plain lesson check asks for, so only the new checks speak.
std::string Scenario(const std::vector<Day>& days) {
    const std::string pad =
        "【補足】この日のニュースを読み、会社の業績と株価への影響を考えて判断します。"
        "この日のニュースを読み、会社の業績と株価への影響を考えて判断します。"
        "この日のニュースを読み、会社の業績と株価への影響を考えて判断します。";
    std::string text =
        "{root {Header {ID \"T\"}{Title \"t\"}{Category \"0\"}{Mode \"1\"}{Level \"1\"}{Duration \"1\"}"
        "{EstimatedTime \"5\"}{FundAmount \"1,000,000\"}}"
        "{Product {0 {Name \"Alpha\"}{Code \"1001\"}{Price \"1000\"}{UnitQty \"100\"}{InfoNo \"0\"}}}"
        "{Market {Interest \"0.1\"}{Exchange \"150\"}{N225 \"50000\"}}{Event ";
    for (std::size_t i = 0; i < days.size(); ++i) {
        const Day& d = days[i];
        text += "{" + std::to_string(i) + " {Date \"" + d.date + "\"}{DOW \"" + d.dow + "\"}{Detail \"" + d.news +
                "\"}{Info \"" + d.info + pad + (i + 1 == days.size() ? "【総括】よく読めました。" : "") +
                "\"}{Motion {0 {Price \"" + std::to_string(d.price) + "\"}{Judge \"" + std::to_string(d.judge) +
                "\"}}}" + d.market + "}";
    }
    return Sj(text + "}}");
}

test::ToolRun Check(const std::vector<std::string>& files, const std::vector<std::string>& more = {}) {
    std::vector<std::string> args{"check", "--lesson"};
    args.insert(args.end(), files.begin(), files.end());
    args.insert(args.end(), more.begin(), more.end());
    return test::RunTool(args, false);
}

// Consecutive weekdays of June 2025 from 6/2 (月), a month without holidays in Tokyo.
std::vector<Day> Days(int count) {
    static const char* dows[] = {"月", "火", "水", "木", "金"};
    std::vector<Day> days;
    for (int i = 0; i < count; ++i) {
        int date = 2 + i / 5 * 7 + i % 5;
        days.emplace_back("6/" + std::to_string(date), dows[i % 5]);
    }
    return days;
}

TEST(LessonCheck, StreakPriceAndChangeClaimsAreReadAgainstThePricesSeenBeforeTheDay) {
    test::TempDir dir;
    std::vector<Day> days = Days(4);
    days[0].price = 1010;
    days[1].price = 1000;
    days[2].price = 990;
    days[3].news = "Alphaは4日続落。株価は前日、1,000円で取引を終えた。前日比10円高。株価は3日で1割以上下がっている。";
    auto file = dir.Write("s.scn", Scenario(days)).string();
    test::ToolRun run = Check({file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, file +
                           ": streak: event 3 (6/5): \"4日続落\" but the prices before the day fell 2 days in a row "
                           "(1,010, 1,000, 990)\n" +
                           file + ": price: event 3 (6/5): \"1,000円\" but the last price the learner saw is 990\n" +
                           file + ": price: event 3 (6/5): \"前日比10円高\" but the price moved from 1,000 to 990\n" +
                           file +
                           ": price: event 3 (6/5): \"3日で1割以上\" down, but the price moved -1.0 % in 3 days "
                           "(1,000 to 990)\n");
}

TEST(LessonCheck, MarketFiguresOfOneDateAgreeAcrossTheScenarios) {
    test::TempDir dir;
    std::vector<Day> a{{"2/12", "木"}, {"2/13", "金", "", "{N225 \"52000\"}"}};
    std::vector<Day> b{{"2/13", "金", "", "{N225 \"51000\"}{Interest \"0.1\"}"}};
    auto first = dir.Write("a.scn", Scenario(a)).string();
    auto second = dir.Write("b.scn", Scenario(b)).string();
    test::ToolRun run = Check({first, second});
    EXPECT_EQ(run.out,
              second + ": market: event 0 (2/13): N225 is 51000.00 here but 52000.00 in a event 1 (2/13) of 2026\n");
}

TEST(LessonCheck, JudgementsDoNotAssumeAHolding) {
    test::TempDir dir;
    std::vector<Day> days = Days(2);
    days[0].info = "【判断】持っていた人は売るのが正解です。【その後】下がりました。";
    days[1].info = "【要点】持っていた人は喜びました。【判断】買いが正解です。";
    auto file = dir.Write("h.scn", Scenario(days)).string();
    EXPECT_EQ(Check({file}).out, file +
                                     ": holding: event 0 (6/2): the 【判断】 assumes a holding (\"持っていた人は\"); "
                                     "write what is right to do whatever is held\n");
}

TEST(LessonCheck, BuyOrSellOnRumourNewsNeedsAReasonedExemption) {
    test::TempDir dir;
    std::vector<Day> days = Days(3);
    for (Day& day : days) {
        day.news = "Alphaの買収を検討していると伝わった。";
        day.judge = 1;
    }
    days[2].judge = 0;
    auto file = dir.Write("r.scn", Scenario(days)).string();
    auto exemptions = dir.Write(
        "ex.txt", "# SCENARIO DATE PRODUCT REASON\nr 6/3 Alpha 会社が事実と認めた\nr 6/4 * 判断なし\nr 6/2 Alpha\n");
    test::ToolRun run = Check({file}, {"--exemptions", exemptions.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              exemptions.string() + ", line 4: an exemption needs SCENARIO DATE PRODUCT and a reason\n" + file +
                  ": rumour: event 0 (6/2), Alpha: judged buy on news with \"伝わった\"; rumours and expected "
                  "news are 0 or 3 unless the exemptions give a reason\n" +
                  file + ": rumour: the exemption for 6/4 * matches no buy or sell judgement on rumour news\n");
}

TEST(LessonCheck, CalendarOfTheScenarioYearAndOfTheUsMarket) {
    test::TempDir dir;
    // Nov 1, 2024 is a Friday; 11/4 is the substitute holiday of 文化の日; 11/28 is Thanksgiving.
    std::vector<Day> days{{"11/1", "金"},
                          {"11/4", "月", "前夜の米国市場でダウが上がった。"},
                          {"11/5", "水"},
                          {"11/29", "金", "米国市場では半導体株が買われた。"},
                          {"11/30", "土"}};
    auto file = dir.Write("c.scn", Scenario(days)).string();
    EXPECT_EQ(
        Check({file}).out,
        file + ": calendar: event 1 (11/4): 11/4/2024 is 振替休日, a Japanese market holiday\n" + file +
            ": calendar: event 1 (11/4): the last session abroad before a Monday is the Friday's (前週末), not 前夜\n" +
            file + ": calendar: event 2 (11/5): 11/5/2024 is a 火, not 水\n" + file +
            ": calendar: event 3 (11/29): the US market was closed on 11/28 (Thanksgiving Day); the news "
            "cannot report its session\n" +
            file + ": calendar: event 4 (11/30): 11/30/2024 is a 土, a day the market is closed\n");
}

TEST(LessonCheck, AStockMistakeSentenceIsOnAtMostThreeDays) {
    test::TempDir dir;
    std::vector<Day> days = Days(5);
    for (Day& day : days) day.info = "【よくある失敗】$d値動き$$だけで売ることです。";
    days[4].info = "【よくある失敗】慌てて売ることです。";
    auto file = dir.Write("m.scn", Scenario(days)).string();
    EXPECT_EQ(Check({file}).out,
              file +
                  ": repeat: event 0 (6/2): the 【よくある失敗】 sentence \"値動きだけで売ることです。\" "
                  "is on 4 days (m 6/2, m 6/3, m 6/4, m 6/5); at most 3 are allowed\n");
}

TEST(LessonCheck, LosingDaysAreFewButRealAcrossTheLibrary) {
    test::TempDir dir;
    // Twenty buy judgements; two lose 1 % (1,000 to 990, 1,100 to 1,089) and recover the next day.
    const int prices[] = {990,  1010, 1020, 1030, 1040, 1050, 1060, 1070, 1080, 1090,
                          1100, 1089, 1110, 1120, 1130, 1140, 1150, 1160, 1170, 1180};
    std::vector<Day> days = Days(20);
    for (std::size_t i = 0; i < days.size(); ++i) {
        days[i].price = prices[i];
        days[i].judge = 1;
    }
    auto file = dir.Write("l.scn", Scenario(days)).string();
    EXPECT_EQ(Check({file}).out,
              dir.Path().string() +
                  ": losing: 2 of 20 judged buy/sell days lose on the next price (10.0 %) with an average loss of "
                  "1.0 %; at least 1.5 % is needed\n" +
                  dir.Path().string() +
                  ": losing: 0 of the 2 losing days still lose two days later; at least a third must\n");
}

}  // namespace
}  // namespace valmore
