// Runs the real valmore-tool binary: its output and exit statuses are a contract for checks outside
// the project.

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/Sjis.h"
#include "results/ResultStore.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

namespace valmore {
namespace {

using test::ToolRun;

ToolRun Tool(const std::vector<std::string>& args, bool withStderr = false) { return test::RunTool(args, withStderr); }

std::map<std::string, long> Figures(const std::string& out) {
    std::map<std::string, long> figures;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::size_t colon = line.find(": ");
        if (colon == std::string::npos || line.rfind("Day ", 0) == 0) continue;
        figures[line.substr(0, colon)] = std::stol(line.substr(colon + 2));
    }
    return figures;
}

// One product (unit 100) rising from 1,000 to 1,100 and 1,200 over two days: buying is right on
// the first day, selling on the second.
const char* kRising =
    "{root {Header {ID \"RISE\"}{Title \"t\"}{Category \"0\"}{Mode \"0\"}{Level \"1\"}{Duration \"2\"}"
    "{EstimatedTime \"5\"}{FundAmount \"1,000,000\"}}"
    "{Product {0 {Name \"Alpha\"}{Code \"1001\"}{Price \"1000\"}{UnitQty \"100\"}{InfoNo \"0\"}}}"
    "{Market {Interest \"0\"}{Exchange \"120\"}{N225 \"10000\"}}"
    "{Event {0 {Date \"4/1\"}{Motion {0 {Price \"1100\"}{Judge \"1\"}}}}"
    "{1 {Date \"4/2\"}{Motion {0 {Price \"1200\"}{Judge \"2\"}}}}}}";

TEST(ValmoreToolPlay, PrintsTheFinalFiguresInTheirFixedOrder) {
    test::TempDir dir;
    auto scenario = dir.Write("rise.scn", kRising);
    auto orders = dir.Write("rise.orders", "# buy then sell\nB500\n\nS500\n");
    ToolRun run = Tool({"play", scenario.string(), "--orders", orders.string()});
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out,
              "TotalScore: 821\nTechnicalScore: 100\nLogicalScore: 721\nTotalPL: 50000\nRealizedPL: 50000\n"
              "UnrealizedPL: 0\nCommition: 1050\nTax: 10000\nTradeCount: 2\nAvarageAmount: 500\n"
              "CashAmount: 1048950\nNetAssets: 1038950\n");
}

TEST(ValmoreToolPlay, HoldingsLeftAtTheEndAreReversedAtTheLastPrice) {
    test::TempDir dir;
    auto scenario = dir.Write("rise.scn", kRising);
    auto orders = dir.Write("rise.orders", "B500\nP\n");
    ToolRun run = Tool({"play", scenario.string(), "--orders", orders.string(), "--days"});
    ASSERT_EQ(run.status, 0) << run.out;
    std::map<std::string, long> f = Figures(run.out);
    EXPECT_EQ(f["CashAmount"], 1098900);
    EXPECT_EQ(f["TradeCount"], 2) << "the reversal counts as an order";
    EXPECT_EQ(f["AvarageAmount"], 250) << "but its shares do not count as traded";
    EXPECT_EQ(f["TechnicalScore"], 50);
    EXPECT_EQ(f["LogicalScore"], 1461);
    EXPECT_EQ(f["NetAssets"], 1078900);
    EXPECT_NE(run.out.find("Day 0: CashAmount=499500 Available=499500 Holdings=500\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Day 1: CashAmount=499500 Available=499500 Holdings=500\n"), std::string::npos) << run.out;
}

TEST(ValmoreToolPlay, ARefusedDayExitsWithTwoAndWritesNothing) {
    test::TempDir dir;
    auto scenario = dir.Write("rise.scn", kRising);
    auto results = dir / "result.dat";
    struct Case {
        const char* orders;
        const char* expected;
    } cases[] = {
        {"B1000000\n", "refused day 0: cash\n"},
        {"S1000\nS100\n", "refused day 1: short-sale limit\n"},
        {"P\nS1100\n", "refused day 1: short-sale limit\n"},
    };
    for (const Case& c : cases) {
        auto orders = dir.Write("o.orders", c.orders);
        ToolRun run = Tool({"play", scenario.string(), "--orders", orders.string(), "--results", results.string()}, true);
        EXPECT_EQ(run.status, 2) << c.orders;
        EXPECT_EQ(run.out, c.expected) << c.orders;
        EXPECT_FALSE(std::filesystem::exists(results)) << c.orders;
    }
    auto exactlyTen = dir.Write("ten.orders", "S1000\n");
    EXPECT_EQ(Tool({"play", scenario.string(), "--orders", exactlyTen.string()}).status, 0)
        << "exactly ten units short is allowed";
}

TEST(ValmoreToolPlay, InvalidOrdersFilesAreRefusedWithStatusOne) {
    test::TempDir dir;
    auto scenario = dir.Write("rise.scn", kRising);
    for (const char* text : {"B150\n", "B1000100\n", "B0\n", "X100\n", "B100 P\n", "P\nP\nP\n", "S-100\n", "Bx\n"}) {
        auto orders = dir.Write("bad.orders", text);
        ToolRun run = Tool({"play", scenario.string(), "--orders", orders.string()}, true);
        EXPECT_EQ(run.status, 1) << text;
        EXPECT_NE(run.out.find("line "), std::string::npos) << text << run.out;
    }
    EXPECT_EQ(Tool({"play", scenario.string(), "--orders", (dir / "missing").string()}).status, 1);
    EXPECT_EQ(Tool({"play", (dir / "missing.scn").string(), "--orders", (dir / "x").string()}).status, 1);
}

TEST(ValmoreToolPlay, ResultsAreAppendedToTheResultStore) {
    test::TempDir dir;
    auto scenario = dir.Write("rise.scn", kRising);
    auto orders = dir.Write("rise.orders", "B500\nS500\n");
    auto results = dir / "result.dat";
    ASSERT_EQ(Tool({"play", scenario.string(), "--orders", orders.string(), "--results", results.string()}).status, 0);
    ASSERT_EQ(Tool({"play", scenario.string(), "--orders", orders.string(), "--results", results.string()}).status, 0);
    CResultStore store(results);
    EXPECT_TRUE(store.Load().Ok());
    ASSERT_EQ(store.Count("RISE"), 2);
    EXPECT_EQ(store.At("RISE", 1)->TotalScore, 821);
    EXPECT_EQ(store.At("RISE", 1)->Commition, 1050);
}

// Three products over eight days with dividends and a rate change: a play suspended after any day and
// resumed ends exactly as the uninterrupted play.
TEST(ValmoreToolPlay, ASuspendedAndResumedPlayEndsExactlyAsAnUninterruptedOne) {
    test::TempDir dir;
    std::string events;
    const int prices[8][3] = {{1010, 505, 2000}, {1030, 500, 2050}, {990, 490, 2100}, {1000, 480, 2080},
                              {1050, 470, 2150}, {1100, 500, 2100}, {1080, 520, 2200}, {1120, 510, 2250}};
    for (int e = 0; e < 8; ++e) {
        events += "{" + std::to_string(e) + " {Date \"5/" + std::to_string(e + 1) + "\"}{Motion";
        for (int p = 0; p < 3; ++p) {
            events += " {" + std::to_string(p) + " {Price \"" + std::to_string(prices[e][p]) + "\"}{Judge \"" +
                      std::to_string(1 + (e + p) % 3) + "\"}" + (e == 3 ? "{Dividend \"10\"}" : "") + "}";
        }
        events += "}" + std::string(e == 4 ? "{Interest \"1.5\"}" : "") + "}";
    }
    auto scenario = dir.Write(
        "three.scn",
        "{root {Header {ID \"THREE\"}{Title \"t\"}{Category \"0\"}{Mode \"1\"}{Level \"3\"}{Duration \"8\"}"
        "{EstimatedTime \"9\"}{FundAmount \"10000000\"}}"
        "{Product {0 {Name \"A\"}{Code \"1\"}{Price \"1000\"}{InfoNo \"0\"}}"
        "{1 {Name \"B\"}{Code \"2\"}{Price \"500\"}{UnitQty \"100\"}{InfoNo \"0\"}}"
        "{2 {Name \"C\"}{Code \"3\"}{Price \"2000\"}{InfoNo \"0\"}}}"
        "{Market {Interest \"3.0\"}{Exchange \"120\"}{N225 \"10000\"}}{Event " +
            events + "}}");
    auto orders = dir.Write("three.orders",
                            "B2000 S500 P\nP B300 S1000\nS1000 P B1000\nB3000 S200 P\nP P S2000\n"
                            "S4000 B1000 P\nB1000 P B3000\nP S100 P\n");
    ToolRun whole = Tool({"play", scenario.string(), "--orders", orders.string()});
    ASSERT_EQ(whole.status, 0) << whole.out;
    for (int k = 0; k < 8; ++k) {
        auto snapshot = dir / ("snap" + std::to_string(k) + ".dat");
        ToolRun first = Tool({"play", scenario.string(), "--orders", orders.string(), "--suspend-after",
                          std::to_string(k), "--snapshot", snapshot.string()});
        ASSERT_EQ(first.status, 0) << "suspend after " << k;
        ASSERT_TRUE(std::filesystem::exists(snapshot));
        ToolRun resumed =
            Tool({"play", scenario.string(), "--orders", orders.string(), "--resume", "--snapshot", snapshot.string()});
        ASSERT_EQ(resumed.status, 0) << "resume after " << k;
        EXPECT_EQ(resumed.out, whole.out) << "suspended after day " << k;
        ToolRun again =
            Tool({"play", scenario.string(), "--orders", orders.string(), "--resume", "--snapshot", snapshot.string()});
        EXPECT_EQ(again.status, 1) << "a stored play resumes once";
    }
}

TEST(ValmoreToolFiles, PackUnpackAndDumpAgree) {
    test::TempDir dir;
    std::string text = Sj("{root\n\t{Title\n\t\t\"表示能力ソボマ\"\n\t}\n}\n");
    auto plain = dir.Write("plain.txt", text);
    auto packed = dir / "packed.bin";
    auto unpacked = dir / "unpacked.txt";
    ASSERT_EQ(Tool({"pack", plain.string(), packed.string()}).status, 0);
    EXPECT_EQ(test::ReadFileBytes(packed).substr(0, 4), "FZSS");
    ASSERT_EQ(Tool({"unpack", packed.string(), unpacked.string()}).status, 0);
    EXPECT_EQ(test::ReadFileBytes(unpacked), text);
    EXPECT_EQ(Tool({"dump", packed.string()}).out, text);
    EXPECT_EQ(Tool({"dump", packed.string(), "--utf8"}).out, "{root\n\t{Title\n\t\t\"表示能力ソボマ\"\n\t}\n}\n");
    EXPECT_EQ(Tool({"dump", dir.Write("comments.txt", "{root\r\n; c\r\n{a \"1\"}{b \"2# x\r\"}}").string()}).out,
              "{root\n\t{a\n\t\t\"1\"\n\t}\n\t{b\n\t\t\"2\r\"\n\t}\n}\n");
}

TEST(ValmoreToolFiles, DamagedInputFailsWithAMessageAndStatusOne) {
    test::TempDir dir;
    auto bad = dir.Write("bad.txt", "{root {a 1}}");
    ToolRun dump = Tool({"dump", bad.string()}, true);
    EXPECT_EQ(dump.status, 1);
    EXPECT_NE(dump.out.find("bad.txt"), std::string::npos);
    auto shortContainer = dir.Write("short.bin", "FZSS\x05");
    EXPECT_EQ(Tool({"dump", shortContainer.string()}).status, 1);
    EXPECT_EQ(Tool({"unpack", shortContainer.string(), (dir / "out").string()}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
    EXPECT_EQ(Tool({"unpack", bad.string(), (dir / "out").string()}).status, 1) << "not a container";
    EXPECT_EQ(Tool({"dump", (dir / "missing").string()}).status, 1);
    EXPECT_EQ(Tool({"nonsense"}).status, 1);
}

TEST(ValmoreToolCheck, ListsProblemsAndExitsOneOnlyWhenThereAreAny) {
    test::TempDir dir;
    auto good = dir.Write("rise.scn", kRising);
    ToolRun clean = Tool({"check", good.string()});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "");
    auto dict = dir.Write("QV.dict", Sj("{root {Dict {0 {KEYWORD0 \"配当\"}{KEYWORD1 \"\"}{KEYWORD2 \"\"}"
                                        "{SEARCHKEY \"配当\"}{DETAIL \"株主への分配\"}}}}"));
    std::string linked = kRising;
    linked.replace(linked.find("{Date \"4/1\"}"), 12, Sj("{Detail \"$d配当$$と$d増配$$\"}"));
    auto withLinks = dir.Write("links.scn", linked);
    ToolRun run = Tool({"check", good.string(), withLinks.string(), "--dict", dict.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, withLinks.string() + ": event 0, Detail: link key \"増配\" is not in the glossary\n");
    EXPECT_EQ(Tool({"check", good.string(), "--dict", (dir / "missing.dict").string()}).status, 1);
}

TEST(ValmoreToolCheck, LessonFlagsDaysWithoutAUsableDebriefAndALastDayWithoutSummary) {
    test::TempDir dir;
    const std::string debrief = "決算が予想を上回り、会社の予想も引き上げられました。割安さが残る中での好材料なので買いが正解です。"
                                "その後、株価は1,100円まで上がりました。材料を確かめずに見送るのがよくある失敗です。";
    std::string lesson = kRising;
    lesson.replace(lesson.find("{Date \"4/1\"}"), 12, Sj("{Info \"" + debrief + "\"}"));
    lesson.replace(lesson.find("{Date \"4/2\"}"), 12, Sj("{Info \"$d上がりすぎ$$です。売ります。\"}"));
    auto file = dir.Write("lesson.scn", lesson);
    ToolRun plain = Tool({"check", file.string()});
    EXPECT_EQ(plain.status, 0) << "without --lesson the debriefs are not judged";
    ToolRun run = Tool({"check", file.string(), "--lesson"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, file.string() +
                           ": event 1, Info: the debrief has 13 characters in 2 sentences; at least 80 characters in "
                           "2 sentences are needed\n" +
                           file.string() + ": event 1, Info: the last day's debrief does not close with a 総括\n");

    std::string closed = kRising;
    closed.replace(closed.find("{Date \"4/1\"}"), 12, Sj("{Info \"" + debrief + "\"}"));
    closed.replace(closed.find("{Date \"4/2\"}"), 12, Sj("{Info \"" + debrief + "【総括】よく読めました。\"}"));
    EXPECT_EQ(Tool({"check", dir.Write("closed.scn", closed).string(), "--lesson"}).out, "");

    // "メ" ends in the byte that starts "。"; followed by "B" it must not count as a second sentence.
    std::string oneSentence = kRising;
    const std::string longOne = "メBメBメB" + debrief.substr(0, debrief.find("。") + 3);
    oneSentence.replace(oneSentence.find("{Date \"4/1\"}"), 12, Sj("{Info \"" + longOne + "\"}"));
    ToolRun counted = Tool({"check", dir.Write("one.scn", oneSentence).string(), "--lesson"});
    EXPECT_NE(counted.out.find("event 0, Info: the debrief has 32 characters in 1 sentences"), std::string::npos)
        << counted.out;

    std::string silent = kRising;
    silent.replace(silent.find("{Mode \"0\"}"), 10, "{Mode \"9\"}");
    EXPECT_EQ(Tool({"check", dir.Write("hidden.scn", silent).string(), "--lesson"}).status, 0)
        << "a hidden template teaches nothing";
    ToolRun bare = Tool({"check", dir.Write("bare.scn", kRising).string(), "--lesson"});
    EXPECT_NE(bare.out.find("event 0, Info: the day has no debrief\n"), std::string::npos) << bare.out;
}

}  // namespace
}  // namespace valmore
