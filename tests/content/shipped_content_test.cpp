// The content the trainer ships with: every file loads and checks clean, every exercise played by the
// orders that follow its judgements scores 100, and the practice scenario makes true the figures its
// guided run quotes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/Sjis.h"
#include "scenario/Glossary.h"
#include "scenario/ScenarioLoader.h"
#include "sim/Play.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

namespace valmore {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(VALMORE_RUN_DIR) / "data";
const fs::path kOrders = fs::path(VALMORE_SOURCE_DIR) / "content" / "orders";
const fs::path kPractice = kData / "操作練習.scn";

using test::ToolRun;

ToolRun Tool(const std::vector<std::string>& args) {
    return test::RunTool(args, true);
}

std::vector<fs::path> Files(const fs::path& dir, const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ShippedContent, EveryFileChecksCleanAgainstTheGlossary) {
    std::vector<std::string> args{"check"};
    for (const fs::path& file : Files(kData, ".scn")) args.push_back(file.string());
    args.push_back((kData / "QV.dict").string());
    args.push_back("--dict");
    args.push_back((kData / "QV.dict").string());
    ASSERT_GE(args.size(), 12u) << "the practice scenario, nine exercises, the template and the glossary";
    ToolRun run = Tool(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST(ShippedContent, EveryPlayedScenarioHasADebriefForEveryDayAndClosesWithASummary) {
    std::vector<std::string> args{"check", "--lesson", "--exemptions",
                                  (fs::path(VALMORE_SOURCE_DIR) / "content" / "lesson-exemptions.txt").string()};
    for (const fs::path& file : Files(kData, ".scn")) args.push_back(file.string());
    ToolRun run = Tool(args);
    // Every check of a teacher's reading holds on the shipped content, the debriefs' and the rest.
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.status, 0);
}

// A market in which every buy or sell judgement is rewarded the same day teaches "news = direction";
// a few right decisions must lose on the next price, by enough to be felt, and often enough still two
// days later, and not so many that the news stops mattering. "Two days later" is the price two days
// after the day's own, as the debriefs' "2日後" counts it; near the end, the last price.
TEST(ShippedContent, SomeRightDecisionsLoseForRealButFew) {
    int judged = 0;
    int losing = 0;
    int stillLosing = 0;
    double lossSum = 0.0;
    for (const fs::path& file : Files(kData, ".scn")) {
        if (file == kPractice) continue;
        CScenario scenario;
        TextTable info, resources;
        ASSERT_TRUE(LoadScenario(file, scenario, info, resources).ok) << file;
        if (scenario.header.Mode == 9) continue;
        for (int p = 0; p < scenario.ProductCount(); ++p) {
            const auto product = static_cast<std::size_t>(p);
            std::int32_t before = scenario.products[product].Price;
            for (int e = 0; e < scenario.EventCount(); ++e) {
                const ScenarioEvent& event = scenario.events[static_cast<std::size_t>(e)];
                const std::int32_t after = event.Price[product];
                const std::int32_t judge = event.Judge[product];
                const int against = judge == 1 ? -1 : judge == 2 ? 1 : 0;  // the losing direction
                if (against != 0) {
                    ++judged;
                    if ((after - before) * against > 0) {
                        ++losing;
                        lossSum += 100.0 * std::abs(after - before) / before;
                        const int later = std::min(e + 2, scenario.EventCount() - 1);
                        if ((scenario.events[static_cast<std::size_t>(later)].Price[product] - before) * against > 0)
                            ++stillLosing;
                    }
                }
                before = after;
            }
        }
    }
    ASSERT_GT(judged, 150);
    ASSERT_GT(losing, 0);
    const double averageLoss = lossSum / losing;
    std::printf(
        "judged buy/sell days %d, losing on the next price %d (%.1f %%), average loss %.2f %%, "
        "still losing two days later %d\n",
        judged, losing, 100.0 * losing / judged, averageLoss, stillLosing);
    EXPECT_GE(losing * 100, judged * 10) << losing << " of " << judged;
    EXPECT_LE(losing * 100, judged * 15) << losing << " of " << judged;
    EXPECT_GE(averageLoss, 1.5);
    EXPECT_GE(stillLosing * 3, losing) << stillLosing << " of " << losing;
}

TEST(ShippedContent, TheGlossaryAndSomeScenariosArePackedAndTheTemplateIsNeverListed) {
    int packed = 0;
    for (const fs::path& file : Files(kData, ".scn")) {
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(file, &bytes));
        if (bytes.rfind("FZSS", 0) == 0) ++packed;
    }
    EXPECT_GE(packed, 2);
    std::string dict;
    ASSERT_TRUE(ReadWholeFile(kData / "QV.dict", &dict));
    EXPECT_EQ(dict.substr(0, 4), "FZSS");

    CGlossary glossary;
    ASSERT_TRUE(glossary.LoadGlossary(kData / "QV.dict").Ok());
    EXPECT_GE(glossary.EntryCount(), 80);
    for (const char* term : {"株式", "空売り", "配当落ち", "源泉徴収", "ストップ高", "評価損益", "TOB", "PER"})
        EXPECT_NE(glossary.FindEntry(Sj(term)), nullptr) << term;

    int templates = 0;
    int days = 0;
    for (const fs::path& file : Files(kData, ".scn")) {
        CScenario scenario;
        TextTable info, resources;
        ScenarioLoadResult loaded = LoadScenario(file, scenario, info, resources);
        ASSERT_TRUE(loaded.ok) << loaded.Message();
        if (scenario.header.Mode == 9) {
            ++templates;
        } else if (file != kPractice) {
            days += scenario.EventCount();
        }
    }
    EXPECT_EQ(templates, 1);
    EXPECT_GE(days, 250) << "the exercises together";
}

TEST(ShippedContent, EveryScenarioPlayedByItsJudgementsScoresOneHundred) {
    int played = 0;
    for (const fs::path& orders : Files(kOrders, ".orders")) {
        fs::path scenario = kData / (orders.stem().string() + ".scn");
        ASSERT_TRUE(fs::exists(scenario)) << scenario;
        ToolRun run = Tool({"play", scenario.string(), "--orders", orders.string()});
        EXPECT_EQ(run.status, 0) << orders << "\n" << run.out;
        EXPECT_NE(run.out.find("TechnicalScore: 100\n"), std::string::npos) << orders << "\n" << run.out;
        ++played;
    }
    EXPECT_GE(played, 10);
}

TEST(PracticeScenario, TheOrdersOfTheGuidedRunGiveTheQuotedFigures) {
    CScenario scenario;
    TextTable info, resources;
    ASSERT_TRUE(LoadScenario(kPractice, scenario, info, resources).ok);
    ASSERT_EQ(scenario.ProductCount(), 2);
    EXPECT_EQ(scenario.products[0].Name, Sj("手貫建設"));
    EXPECT_EQ(scenario.products[1].Name, Sj("星電子"));
    EXPECT_EQ(scenario.EventCount(), 7);
    EXPECT_EQ(scenario.header.FundAmount, 10000000);
    ASSERT_TRUE(info[scenario.products[1].InfoNo].has_value());

    CPlay play;
    play.Begin(scenario, info);
    auto day = [&](OrderColumn c0, OrderColumn c1) { return play.ExecuteDay(OrderColumns{c0, c1, OrderColumn{}}); };
    const OrderChoice buy = OrderChoice::Buy, pass = OrderChoice::Pass, sell = OrderChoice::Sell;

    // Day 1: 星電子 6,000 shares at 1,000 yen; 手貫建設 passed.
    ASSERT_TRUE(day({0, pass, 0}, {1, buy, 6000}).Accepted());
    EXPECT_EQ(play.Position().CashAmount, 3994000);
    play.CloseDay();
    EXPECT_EQ(play.Position().TotalInterest, 328);
    EXPECT_EQ(play.Position().InterestTax, 65);
    EXPECT_EQ(play.Position().AvailableCash(), 3994263);
    EXPECT_EQ(play.Market().Products[1].currentPrice, 1030);
    play.AdvanceDay();

    // Day 2: 3,000 of 星電子 beside 4,000 of 手貫建設 is refused for cash; 1,000 goes through.
    OrderOutcome refused = day({0, buy, 4000}, {1, buy, 3000});
    EXPECT_EQ(refused.refusal, OrderRefusal::Cash);
    ASSERT_TRUE(day({0, buy, 4000}, {1, buy, 1000}).Accepted());
    EXPECT_EQ(play.Market().Products[0].currentPrice, 500);
    play.CloseDay();
    EXPECT_EQ(play.Market().Products[0].currentPrice, 490);
    const Equity& tenuki = play.Position().Holding(0);
    EXPECT_EQ(tenuki.TotalRealized + tenuki.UnrealizedPL(490) - tenuki.RealizedTax - tenuki.CommitionTotal, -42000)
        << "手貫建設's earnings column";
    play.AdvanceDay();

    // Day 3: everything sold; 星電子 realises 810,000 yen, owing 162,000 yen of tax.
    ASSERT_TRUE(day({0, sell, 4000}, {1, sell, 7000}).Accepted());
    EXPECT_EQ(play.Position().Holding(1).TotalRealized, 810000);
    EXPECT_EQ(play.Position().Holding(1).RealizedTax, 162000);
    play.CloseDay();
    play.AdvanceDay();

    // Day 4: after the crash news, 10,000 of 手貫建設 and 5,000 of 星電子 sold short.
    ASSERT_TRUE(day({0, sell, 10000}, {1, sell, 5000}).Accepted());
    play.CloseDay();
    play.AdvanceDay();

    // Day 5: one more unit of 手貫建設 would pass the short-sale limit.
    EXPECT_EQ(day({0, sell, 1000}, {1, pass, 0}).refusal, OrderRefusal::ShortSaleLimit);
}

TEST(PracticeScenario, TheFirstNewsDetailBeginsWithAGlossaryLink) {
    CScenario scenario;
    TextTable info, resources;
    ASSERT_TRUE(LoadScenario(kPractice, scenario, info, resources).ok);
    ASSERT_TRUE(scenario.events[0].Detail.has_value());
    const std::string& detail = *scenario.events[0].Detail;
    std::size_t link = detail.find("$d");
    ASSERT_NE(link, std::string::npos);
    EXPECT_TRUE(detail.find("$n") == std::string::npos || link < detail.find("$n")) << "the link is on the first line";
}

}  // namespace
}  // namespace valmore
