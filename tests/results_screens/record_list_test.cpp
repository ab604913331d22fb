// The record screen: the ten best results of one scenario, sorted in the result history itself
// so the file keeps the order shown, with the ranks always listed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/Sjis.h"
#include "results/ResultStore.h"
#include "results/screens/RecordScreen.h"
#include "support/TempDir.h"
#include "ui/FakeViewHost.h"

namespace valmore {
namespace {

using test::FakeViewHost;

ResultRecord Record(int totalScore, const std::string& date = "2024/05/01") {
    ResultRecord r;
    r.Date = date;
    r.TotalScore = totalScore;
    r.TechnicalScore = 50;
    r.LogicalScore = totalScore - 50;
    r.TotalPL = 100000;
    r.RealizedPL = 100000;
    r.Commition = 1000;
    r.Tax = 20000;
    return r;
}

ScenarioHeader Header(const std::string& id, const std::string& duration = "73") {
    ScenarioHeader header;
    header.ID = id;
    header.Title = Sj("記録のテスト");
    header.Category = 0;
    header.Mode = 0;
    header.Level = 3;
    header.Duration = duration;
    header.EstimatedTime = "20";
    header.ProductCount = 2;
    header.FundAmount = 10000000;
    return header;
}

std::vector<int> Scores(const std::vector<ResultRecord>& records) {
    std::vector<int> scores;
    for (const ResultRecord& r : records) scores.push_back(r.TotalScore);
    return scores;
}

class RecordList : public ::testing::TestWithParam<int> {
protected:
    RecordList() : host(GetParam()), store(folder / "result.dat"), screen(host, store) {}

    void SaveScreenshot(const std::string& name) {
        const char* out = std::getenv("VALMORE_SCREENSHOT_DIR");
        if (!out || !*out) return;
        EXPECT_TRUE(host.Window().BackBuffer().SavePng(std::filesystem::path(out) /
                                                       (name + (GetParam() == kModeXga ? "_xga.png" : "_sxga.png"))));
    }
    const CBitmap& Paint() {
        CCanvas& canvas = host.Window().Canvas();
        canvas.ClearClip();
        screen.Draw(canvas);
        return host.Window().BackBuffer();
    }

    test::TempDir folder;
    FakeViewHost host;
    CResultStore store;
    CRecordScreen screen;
};

TEST_P(RecordList, OfMoreThanTenResultsTheTenBestAreListedAndTheFileKeepsTheOrder) {
    const std::vector<int> scores{40, 310, -25, 120, 95, 0, 200, 77, 150, 60, 500, 13};
    for (std::size_t i = 0; i < scores.size(); ++i) {
        ASSERT_TRUE(store.Add("VM-R", Record(scores[i], "2024/05/" + std::to_string(10 + i))).ok);
    }
    ASSERT_TRUE(store.Add("OTHER", Record(999)).ok);

    screen.ShowScenario(Header("VM-R"));
    EXPECT_EQ(host.CurrentScreen(), 4);
    EXPECT_GT(host.invalidateAllCount, 0);

    const std::vector<int> best{500, 310, 200, 150, 120, 95, 77, 60, 40, 13};
    EXPECT_EQ(Scores(screen.List().Records()), best) << "another scenario's results are not listed";
    for (int row = 0; row < 10; ++row) EXPECT_EQ(screen.List().RowTexts(row)[0], std::to_string(row + 1));
    EXPECT_EQ(screen.RecordCount(), 12);
    EXPECT_EQ(CRecordScreen::HeaderTexts(screen.Header(), screen.RecordCount())[9], "12");

    // The store's own list is sorted, and so is the file read back.
    std::vector<int> all = scores;
    std::sort(all.rbegin(), all.rend());
    EXPECT_EQ(Scores(*store.Find("VM-R")), all);
    CResultStore reread(folder / "result.dat");
    ASSERT_TRUE(reread.Load().Ok());
    EXPECT_EQ(Scores(*reread.Find("VM-R")), all);

    // A later result is appended after the sorted list.
    ASSERT_TRUE(store.Add("VM-R", Record(1000)).ok);
    EXPECT_EQ(store.Find("VM-R")->back().TotalScore, 1000);
    screen.ShowScenario(Header("VM-R"));
    EXPECT_EQ(screen.List().Records().front().TotalScore, 1000);

    Paint();
    SaveScreenshot("records_full");
}

TEST_P(RecordList, ResultsWithEqualScoresAreAllListedInScoreOrder) {
    for (int score : {70, 90, 70, 90, 70}) ASSERT_TRUE(store.Add("VM-EQ", Record(score)).ok);
    screen.ShowScenario(Header("VM-EQ"));
    EXPECT_EQ(Scores(screen.List().Records()), (std::vector<int>{90, 90, 70, 70, 70}));
    for (int row = 5; row < 10; ++row) {
        const auto texts = screen.List().RowTexts(row);
        EXPECT_EQ(texts[0], std::to_string(row + 1));
        EXPECT_TRUE(std::all_of(texts.begin() + 1, texts.end(), [](const std::string& t) { return t.empty(); }));
    }
}

TEST_P(RecordList, AScenarioWithoutResultsShowsTheTenRanksAndNothingElse) {
    screen.ShowScenario(Header("VM-NONE"));
    EXPECT_EQ(host.CurrentScreen(), 4);
    EXPECT_TRUE(screen.List().Records().empty());
    for (int row = 0; row < 10; ++row) {
        const auto texts = screen.List().RowTexts(row);
        EXPECT_EQ(texts[0], std::to_string(row + 1));
        EXPECT_TRUE(std::all_of(texts.begin() + 1, texts.end(), [](const std::string& t) { return t.empty(); }));
    }
    EXPECT_EQ(CRecordScreen::HeaderTexts(screen.Header(), screen.RecordCount())[9], "0");
    EXPECT_FALSE(std::filesystem::exists(folder / "result.dat")) << "looking writes nothing";

    // The ranks are drawn: the rank column of the last row has ink.
    const CBitmap& picture = Paint();
    const Rect rank = screen.List().CellRect(9, 0);
    int ink = 0;
    for (int y = rank.top; y < rank.bottom; ++y) {
        for (int x = rank.left; x < rank.right; ++x) ink += picture.Pixel(x, y).r < 128 ? 1 : 0;
    }
    EXPECT_GT(ink, 0);
    SaveScreenshot("records_none");
}

TEST_P(RecordList, ARowShowsTheScoresTheMoneyAndTheRateOfReturn) {
    ResultRecord r = Record(55, "2024/06/30");
    r.LogicalScore = 5;
    r.TechnicalScore = 50;
    r.RealizedPL = 123456;
    ASSERT_TRUE(store.Add("VM-ROW", r).ok);
    screen.ShowScenario(Header("VM-ROW"));
    const auto texts = screen.List().RowTexts(0);
    EXPECT_EQ(texts[1], "2024/06/30");
    EXPECT_EQ(texts[2], "55");
    EXPECT_EQ(texts[3], "5") << "the return score comes before the decision score";
    EXPECT_EQ(texts[4], "50");
    EXPECT_EQ(texts[5], "123,456");
    EXPECT_EQ(texts[6], "20,000");
    EXPECT_EQ(texts[7], "1,000");
    EXPECT_EQ(texts[8], "79,000") << "final profit: total less tax and commission";
    // 79,000 yen over 73 days of a 10,000,000 yen fund is 3.95 % a year.
    EXPECT_EQ(texts[9], "3.950");

    const auto header = CRecordScreen::HeaderTexts(Header("VM-ROW"), 1);
    EXPECT_EQ(header[2], Sj("株式"));
    EXPECT_EQ(header[3], Sj("練習"));
    EXPECT_EQ(header[6], Sj("73 日"));
    EXPECT_EQ(header[7], Sj("20 分"));
    EXPECT_EQ(header[8], Sj("10,000,000円"));
}

TEST_P(RecordList, ADurationOfZeroOrNotANumberShowsNoRateOfReturn) {
    ASSERT_TRUE(store.Add("VM-DUR", Record(10)).ok);
    for (const char* duration : {"0", "abc", ""}) {
        screen.ShowScenario(Header("VM-DUR", duration));
        EXPECT_EQ(screen.List().RowTexts(0)[9], "----") << "duration \"" << duration << "\"";
    }
    Paint();
}

TEST_P(RecordList, AStoreThatCannotBeWrittenStillListsItsResultsSorted) {
    CResultStore unwritable(folder / "missing-folder" / "result.dat");
    CRecordScreen records(host, unwritable);
    for (int score : {1, 3, 2}) unwritable.Add("VM-RO", Record(score));
    records.ShowScenario(Header("VM-RO"));
    EXPECT_EQ(Scores(records.List().Records()), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(Scores(*unwritable.Find("VM-RO")), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(host.CurrentScreen(), 4);
}

TEST_P(RecordList, BackReturnsToTheScenarioSelection) {
    screen.ShowScenario(Header("VM-BACK"));
    const Rect back = screen.BackButton().GetRect();
    EXPECT_FALSE(back.IsEmpty());
    screen.MouseDown(kMouseLeftButton, back.left + 5, back.top + 5);
    screen.MouseUp(0, back.left + 5, back.top + 5);
    EXPECT_EQ(host.CurrentScreen(), 2);
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, RecordList, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeXga ? "Xga" : "Sxga"; });

}  // namespace
}  // namespace valmore
