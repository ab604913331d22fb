// The figures of the result screen against the play's own final figures and against the
// command-line tool playing the same orders, for scenarios of one, two and three products.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <map>

#include "ResultScreenFixture.h"
#include "platform/TextFormat.h"

namespace valmore {
namespace {

using test::ResultScreenRig;

// The final figures `valmore-tool play` prints for the scenario and orders.
std::map<std::string, long> ToolFigures(const std::filesystem::path& scenario, const std::filesystem::path& orders) {
    std::map<std::string, long> figures;
    const std::string command =
        std::string("'") + VALMORE_TOOL_PATH + "' play '" + scenario.string() + "' --orders '" + orders.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return figures;
    std::string out;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) out.append(buffer.data(), n);
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command << "\n" << out;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos) figures[line.substr(0, colon)] = std::stol(line.substr(colon + 2));
    }
    return figures;
}

// Pixels in the rectangle that are clearly darker than the white they are drawn on.
int Ink(const CBitmap& picture, const Rect& rect) {
    int ink = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const Rgb c = picture.Pixel(x, y);
            if (c.r < 128 && c.g < 128 && c.b < 128) ++ink;
        }
    }
    return ink;
}

struct Case {
    int mode;
    const char* scenario;
    int products;
};

class ResultFigures : public ::testing::TestWithParam<Case> {};

TEST_P(ResultFigures, TheTableShowsTheFinalFiguresOfThePlayAndOfTheToolForTheSameOrders) {
    const Case c = GetParam();
    ResultScreenRig rig(c.mode);
    ASSERT_TRUE(rig.Play(test::ShippedScenario(c.scenario), test::ReadOrdersFile(test::ShippedOrders(c.scenario))));
    ASSERT_TRUE(rig.finished);
    const FinalFigures& f = *rig.finished;
    EXPECT_EQ(rig.screen.ChartPanel().ChartCount(), c.products) << "laid out for the play it shows";
    EXPECT_EQ(f.ProductCount, c.products);

    const std::optional<PositionResultTable> table = rig.screen.PositionPanel().CurrentTable();
    ASSERT_TRUE(table);
    ASSERT_EQ(static_cast<int>(table->products.size()), c.products);
    for (int p = 0; p < c.products; ++p) {
        const ProductFigures& figures = f.Products[static_cast<std::size_t>(p)];
        const PositionResultRow& row = table->products[static_cast<std::size_t>(p)];
        EXPECT_EQ(row.name, rig.Play().Market().Products[static_cast<std::size_t>(p)].name);
        EXPECT_EQ(row.values[0], 0) << "every holding was reversed at the end";
        EXPECT_EQ(row.values[1], figures.Realized);
        EXPECT_EQ(row.values[2], figures.Tax);
        EXPECT_EQ(row.values[3], figures.Commition);
        EXPECT_EQ(row.values[4], std::int64_t{figures.Realized} - figures.Tax - figures.Commition);
    }
    const std::int64_t income = std::int64_t{f.TotalInterest} + f.TotalDividend;
    EXPECT_EQ(table->cash.values[0], f.NetAssets);
    EXPECT_EQ(table->cash.values[1], income);
    EXPECT_EQ(table->cash.values[2], f.IncomeTax);
    EXPECT_FALSE(table->cash.values[3]) << "cash pays no commission";
    EXPECT_EQ(table->cash.values[4], income - f.IncomeTax);
    // After the final reversal the totals are the play's whole outcome.
    EXPECT_EQ(table->totals.values[0], f.NetAssets);
    EXPECT_EQ(table->totals.values[1], f.RealizedPL);
    EXPECT_EQ(table->totals.values[2], f.Tax);
    EXPECT_EQ(table->totals.values[3], f.Commition);
    EXPECT_EQ(table->totals.values[4], std::int64_t{f.TotalPL} - f.Tax - f.Commition);

    std::map<std::string, long> tool = ToolFigures(test::ShippedScenario(c.scenario), test::ShippedOrders(c.scenario));
    EXPECT_EQ(tool["TotalPL"], f.TotalPL);
    EXPECT_EQ(tool["RealizedPL"], f.RealizedPL);
    EXPECT_EQ(tool["Tax"], f.Tax);
    EXPECT_EQ(tool["Commition"], f.Commition);
    EXPECT_EQ(tool["NetAssets"], f.NetAssets);
    EXPECT_EQ(tool["TechnicalScore"], f.TechnicalScore);
    EXPECT_EQ(tool["LogicalScore"], f.LogicalScore);
    EXPECT_EQ(tool["TechnicalScore"], 100) << "the shipped orders follow every judgement";

    const ScenarioHeader& header = rig.Play().Scenario().header;
    const auto cells = rig.screen.ScenarioPanel().CurrentTexts();
    EXPECT_EQ(cells[0], header.ID);
    EXPECT_EQ(cells[1], header.Title);
    EXPECT_EQ(cells[4], std::to_string(c.products));
    EXPECT_EQ(cells[6], header.Duration + Sj("日"));
    EXPECT_EQ(cells[8], FormatGrouped(header.FundAmount));
    EXPECT_EQ(cells[9], "1") << "the result just added";

    const CBitmap& picture = rig.Paint();
    EXPECT_GT(Ink(picture, rig.screen.PositionPanel().ScoreBox()), 0) << "the return score is drawn";
    EXPECT_GT(Ink(picture, rig.screen.NewsPanel().ScoreBox()), 0) << "the decision score is drawn";
    for (int p = 0; p < c.products; ++p) {
        EXPECT_GT(Ink(picture, rig.screen.ChartPanel().NameRect(p)), 0) << "the name under chart " << p;
    }
    rig.SaveScreenshot(std::string("result_") + c.scenario + (c.mode == kModeXga ? "_xga" : "_sxga"));
}

INSTANTIATE_TEST_SUITE_P(
    OneTwoAndThreeProducts, ResultFigures,
    ::testing::Values(Case{kModeXga, "e01_earnings_surprise", 1}, Case{kModeSxga, "e01_earnings_surprise", 1},
                      Case{kModeXga, "e02_product_recall", 2}, Case{kModeSxga, "e02_product_recall", 2},
                      Case{kModeXga, "e09_new_shares", 3}, Case{kModeSxga, "e09_new_shares", 3},
                      Case{kModeXga, "e07_sector_rotation", 3}, Case{kModeSxga, "e08_calm_market", 1}),
    [](const auto& info) {
        std::string name = std::string(info.param.scenario).substr(0, 3);
        return name + (info.param.mode == kModeXga ? "Xga" : "Sxga");
    });

class ScenarioCells : public ::testing::TestWithParam<int> {};

TEST_P(ScenarioCells, TheStoredResultsCellCountsEveryResultOfTheScenarioAndZeroWithoutAny) {
    ResultScreenRig rig(GetParam());
    const auto scenario = test::ShippedScenario("e01_earnings_surprise");
    // The first play is not stored, as if the result history could not take it.
    auto store = rig.controller.onFinished;
    rig.controller.onFinished = nullptr;
    ASSERT_TRUE(rig.Play(scenario, {}));
    EXPECT_EQ(rig.screen.ScenarioPanel().CurrentTexts()[9], "0");

    rig.controller.onFinished = store;
    for (int play = 0; play < 2; ++play) {
        rig.host.SwitchScreen(1);
        ASSERT_TRUE(rig.Play(scenario, {}));
    }
    EXPECT_EQ(rig.screen.ScenarioPanel().CurrentTexts()[9], "2");

    const auto cells = CResultScenarioPanel::CellTexts(ScenarioHeader{.ID = "X",
                                                                      .Title = "T",
                                                                      .Category = 3,
                                                                      .Mode = 1,
                                                                      .Level = 4,
                                                                      .Duration = "12",
                                                                      .EstimatedTime = "30",
                                                                      .ProductCount = 2,
                                                                      .FundAmount = 12345678},
                                                       1234);
    EXPECT_EQ(cells[2], "----") << "only category 0 has a label";
    EXPECT_EQ(cells[3], Sj("実践"));
    EXPECT_EQ(cells[5], "4");
    EXPECT_EQ(cells[7], Sj("30分"));
    EXPECT_EQ(cells[8], "12,345,678");
    EXPECT_EQ(cells[9], "1,234");
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, ScenarioCells, ::testing::Values(kModeXga, kModeSxga), test::ModeName);

}  // namespace
}  // namespace valmore
