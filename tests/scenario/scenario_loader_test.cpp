#include <gtest/gtest.h>

#include "platform/Sjis.h"
#include "scenario/ScenarioLoader.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

// A small two-product scenario; pieces are replaced by the tests that need something else.
std::string ScenarioText(const std::string& products, const std::string& events,
                         const std::string& header = "{ID \"S01\"}{Title \"Test\"}{Category \"0\"}{Mode \"1\"}"
                                                     "{Level \"2\"}{Duration \"10\"}{EstimatedTime \"15\"}"
                                                     "{FundAmount \"10,000,000\"}",
                         const std::string& market = "{Market {Interest \"3.0\"}{Exchange \"110.25\"}{N225 \"15000\"}}",
                         const std::string& extra = "") {
    return "{root\n{Header " + header + "}\n{Product " + products + "}\n" + market + "\n{Event " + events + "}\n" +
           extra + "}\n";
}

const std::string kTwoProducts =
    "{0 {Name \"Alpha\"}{Code \"1001\"}{Price \"500\"}{UnitQty \"100\"}{TicPrice \"5\"}{InfoNo \"1\"}}"
    "{1 {Name \"Beta\"}{Code \"1002\"}{Price \"1000\"}{InfoNo \"0\"}}";

const std::string kTwoEvents =
    "{0 {Date \"4/1\"}{DOW \"Mon\"}{HeadLine \"h0\"}{Motion {0 {Price \"510\"}{Judge \"1\"}}{1 {Price \"990\"}"
    "{Dividend \"5\"}{PrdInfo \"2\"}{Judge \"23\"}}}{Exchange \"111.5\"}}"
    "{1 {Motion {0 {Price \"520\"}{Judge \"4\"}}{1 {Price \"980\"}{Judge \"\"}}}{Interest \"2.5\"}}";

struct Loaded {
    ScenarioLoadResult result;
    CScenario scenario;
    TextTable prdInfo;
    TextTable resources;
};

Loaded Load(const std::string& text) {
    Loaded loaded;
    loaded.result = LoadScenarioFromBytes(text, "test.scn", loaded.scenario, loaded.prdInfo, loaded.resources);
    return loaded;
}

TEST(ScenarioLoader, ReadsHeaderProductsMarketAndEventsWithTheirDefaults) {
    Loaded loaded = Load(ScenarioText(kTwoProducts, kTwoEvents));
    ASSERT_TRUE(loaded.result.ok) << loaded.result.Message();
    const CScenario& s = loaded.scenario;
    EXPECT_EQ(s.header.ID, "S01");
    EXPECT_EQ(s.header.FundAmount, 10000000) << "commas are thousands separators";
    EXPECT_EQ(s.header.ProductCount, 2);
    EXPECT_EQ(s.header.Duration, "10");
    EXPECT_EQ(s.products[0].UnitQty, 100);
    EXPECT_EQ(s.products[0].TicPrice, 5);
    EXPECT_EQ(s.products[1].UnitQty, 1000) << "a product without UnitQty trades in units of 1000";
    EXPECT_EQ(s.products[1].TicPrice, 10) << "and with a tick of 10 yen";
    EXPECT_DOUBLE_EQ(s.market.Exchange, 110.25);
    ASSERT_EQ(s.EventCount(), 2);
    EXPECT_EQ(s.events[0].Date, std::optional<std::string>("4/1"));
    EXPECT_EQ(s.events[1].Date, std::nullopt);
    EXPECT_EQ(s.events[0].Price[1], 990);
    EXPECT_EQ(s.events[0].Dividend[0], 0);
    EXPECT_EQ(s.events[0].Dividend[1], 5);
    EXPECT_EQ(s.events[0].PrdInfo[0], -1) << "no PrdInfo keeps the product's text";
    EXPECT_EQ(s.events[0].PrdInfo[1], 2);
    EXPECT_DOUBLE_EQ(s.events[0].Exchange, 111.5);
    EXPECT_DOUBLE_EQ(s.events[0].Interest, 0.0) << "0 means keep the current rate";
    EXPECT_DOUBLE_EQ(s.events[1].Interest, 2.5);
    EXPECT_EQ(s.CurrentEventListIndex, 0);
}

TEST(ScenarioLoader, JudgeCodesFollowTheFirstCharacter) {
    Loaded loaded = Load(ScenarioText(kTwoProducts, kTwoEvents));
    ASSERT_TRUE(loaded.result.ok);
    EXPECT_EQ(loaded.scenario.events[0].Judge[0], 1);
    EXPECT_EQ(loaded.scenario.events[0].Judge[1], 2) << "a longer value counts by its first character";
    EXPECT_EQ(loaded.scenario.events[1].Judge[0], 0) << "4 is not a code the loader produces";
    EXPECT_EQ(loaded.scenario.events[1].Judge[1], 0) << "an empty value means any decision";
    EXPECT_EQ(JudgeCodeFromText(std::nullopt), 3) << "no Judge expects a pass";
}

TEST(ScenarioLoader, ReadsCompanyInformationAndResourceTexts) {
    Loaded loaded = Load(ScenarioText(kTwoProducts, kTwoEvents, "{ID \"S\"}{Title \"T\"}{Category \"0\"}{Mode \"0\"}"
                                      "{Level \"1\"}{Duration \"5\"}{EstimatedTime \"5\"}{FundAmount \"1000000\"}",
                                      "{Market {Interest \"1\"}{Exchange \"1\"}{N225 \"1\"}}",
                                      "{PrdInfo {1 \"first\"}{2 \"second\"}}{Resource {1 \"r1\"}}"));
    ASSERT_TRUE(loaded.result.ok) << loaded.result.Message();
    EXPECT_EQ(loaded.prdInfo[1], std::optional<std::string>("first"));
    EXPECT_EQ(loaded.prdInfo[2], std::optional<std::string>("second"));
    EXPECT_EQ(loaded.prdInfo[0], std::nullopt) << "slot 0 is never filled";
    EXPECT_EQ(loaded.prdInfo[3], std::nullopt);
    EXPECT_EQ(loaded.resources[1], std::optional<std::string>("r1"));
}

// A refused file names the problem and leaves what the caller held untouched.
TEST(ScenarioLoader, RefusesFilesThatBreakTheLimitsOrLeaveOutWhatAPlayNeeds) {
    std::string fourProducts = kTwoProducts +
                               "{2 {Name \"C\"}{Code \"3\"}{Price \"1\"}{InfoNo \"0\"}}"
                               "{3 {Name \"D\"}{Code \"4\"}{Price \"1\"}{InfoNo \"0\"}}";
    std::string manyEvents;
    for (int e = 0; e < 201; ++e)
        manyEvents += "{" + std::to_string(e) + " {Motion {0 {Price \"1\"}}{1 {Price \"1\"}}}}";
    std::string manyTexts;
    for (int k = 1; k <= 100; ++k) manyTexts += "{" + std::to_string(k) + " \"t\"}";

    struct Case {
        const char* what;
        std::string text;
        const char* expected;
    } cases[] = {
        {"four products", ScenarioText(fourProducts, kTwoEvents), "1 to 3 are allowed"},
        {"201 events", ScenarioText(kTwoProducts, manyEvents), "1 to 200 are allowed"},
        {"100 texts", ScenarioText(kTwoProducts, kTwoEvents, "{ID \"S\"}{Title \"T\"}{Category \"0\"}{Mode \"0\"}"
                                   "{Level \"1\"}{Duration \"5\"}{EstimatedTime \"5\"}{FundAmount \"1\"}",
                                   "{Market {Interest \"1\"}{Exchange \"1\"}{N225 \"1\"}}", "{PrdInfo " + manyTexts + "}"),
         "at most 99"},
        {"no Header", "{root {Product " + kTwoProducts + "}{Market {Interest \"1\"}{Exchange \"1\"}{N225 \"1\"}}"
                      "{Event " + kTwoEvents + "}}", "section \"Header\" is missing"},
        {"no Market", "{root {Header {ID \"S\"}{Title \"T\"}{Category \"0\"}{Mode \"0\"}{Level \"1\"}{Duration \"5\"}"
                      "{EstimatedTime \"5\"}{FundAmount \"1\"}}{Product " + kTwoProducts + "}{Event " + kTwoEvents + "}}",
         "section \"Market\" is missing"},
        {"no Event", ScenarioText(kTwoProducts, "").replace(ScenarioText(kTwoProducts, "").find("{Event }"), 8, ""),
         "section \"Event\" is missing"},
        {"no FundAmount", ScenarioText(kTwoProducts, kTwoEvents, "{ID \"S\"}{Title \"T\"}{Category \"0\"}{Mode \"0\"}"
                                       "{Level \"1\"}{Duration \"5\"}{EstimatedTime \"5\"}"),
         "\"FundAmount\" is missing"},
        {"no product Price", ScenarioText("{0 {Name \"A\"}{Code \"1\"}{InfoNo \"0\"}}", "{0 {Motion {0 {Price \"1\"}}}}"),
         "product 0: required key \"Price\" is missing"},
        {"no Motion entry", ScenarioText(kTwoProducts, "{0 {Motion {0 {Price \"1\"}}}}"),
         "motion of product 1 is missing"},
        {"no Motion", ScenarioText(kTwoProducts, "{0 {Date \"x\"}}"), "\"Motion\" is missing"},
        {"negative starting price",
         ScenarioText("{0 {Name \"A\"}{Code \"1\"}{Price \"-1\"}{InfoNo \"0\"}}", "{0 {Motion {0 {Price \"1\"}}}}"),
         "product 0: \"Price\" must not be negative"},
        {"negative day price", ScenarioText(kTwoProducts, "{0 {Motion {0 {Price \"1\"}}{1 {Price \"-1,000\"}}}}"),
         "event 0, motion of product 1: \"Price\" must not be negative"},
        {"unit of 0 shares", ScenarioText("{0 {Name \"A\"}{Code \"1\"}{Price \"1\"}{UnitQty \"0\"}{InfoNo \"0\"}}",
                                          "{0 {Motion {0 {Price \"1\"}}}}"),
         "\"UnitQty\" must be at least 1"},
    };
    for (const Case& c : cases) {
        CScenario scenario;
        scenario.header.ID = "kept";
        TextTable info;
        TextTable resources;
        ScenarioLoadResult result = LoadScenarioFromBytes(c.text, "bad.scn", scenario, info, resources);
        EXPECT_FALSE(result.ok) << c.what;
        std::string all;
        for (const std::string& p : result.problems) all += p + "\n";
        EXPECT_NE(all.find(c.expected), std::string::npos) << c.what << ": " << all;
        EXPECT_EQ(result.Message().rfind("bad.scn: ", 0), 0u) << c.what;
        EXPECT_EQ(scenario.header.ID, "kept") << c.what << ": nothing half-loaded";
    }
}

TEST(ScenarioLoader, RefusesAFileThatCannotBeReadOrParsed) {
    test::TempDir dir;
    CScenario scenario;
    TextTable info;
    TextTable resources;
    ScenarioLoadResult missing = LoadScenario(dir / "none.scn", scenario, info, resources);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.Message().empty());

    ScenarioLoadResult broken = LoadScenario(dir.Write("broken.scn", "{root {Header x}}"), scenario, info, resources);
    EXPECT_FALSE(broken.ok);
    EXPECT_NE(broken.Message().find("broken.scn"), std::string::npos);
}

TEST(ScenarioLoader, JapaneseTextsStayShiftJisBytes) {
    std::string products = Sj("{0 {Name \"星電子\"}{Code \"6001\"}{Price \"1000\"}{InfoNo \"0\"}}");
    Loaded loaded = Load(ScenarioText(products, Sj("{0 {HeadLine \"表示能力ソボ\"}{Motion {0 {Price \"1030\"}}}}")));
    ASSERT_TRUE(loaded.result.ok) << loaded.result.Message();
    EXPECT_EQ(loaded.scenario.products[0].Name, Sj("星電子"));
    EXPECT_EQ(loaded.scenario.events[0].HeadLine, std::optional<std::string>(Sj("表示能力ソボ")));
}

TEST(ScenarioHeader, ReadsOnlyTheHeaderAndTheProductCount) {
    CDocTree doc;
    ASSERT_TRUE(doc.LoadFromBytes(ScenarioText(kTwoProducts, kTwoEvents), "h.scn").Ok());
    ScenarioHeader header;
    std::vector<std::string> problems;
    EXPECT_TRUE(ReadScenarioHeader(doc, header, &problems));
    EXPECT_EQ(header.Title, "Test");
    EXPECT_EQ(header.Mode, 1);
    EXPECT_EQ(header.Level, 2);
    EXPECT_EQ(header.EstimatedTime, "15");
    EXPECT_EQ(header.ProductCount, 2);
    EXPECT_EQ(doc.Cursor(), doc.Root());
}

}  // namespace
}  // namespace valmore
