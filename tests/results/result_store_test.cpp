#include <gtest/gtest.h>

#include <filesystem>

#include "results/ResultStore.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

ResultRecord Record(const std::string& date, int total, int pl = 0) {
    ResultRecord r;
    r.Date = date;
    r.TotalScore = total;
    r.TechnicalScore = total / 2;
    r.LogicalScore = total - total / 2;
    r.TotalPL = pl;
    r.RealizedPL = pl;
    r.Commition = 120;
    r.Tax = 30;
    r.TradeCount = 4;
    r.AvarageAmount = 1500;
    return r;
}

TEST(ResultStore, ASecondResultIsAppendedAndTheFileRoundTripsByteForByte) {
    test::TempDir dir;
    CResultStore store(dir / "result.dat");
    EXPECT_FALSE(store.Load().fileFound) << "no file yet is an empty store";
    ASSERT_TRUE(store.Add("S02", Record("2026/12/01", 80)).ok);
    ASSERT_TRUE(store.Add("S01", Record("2026/12/02", 50)).ok);
    ASSERT_TRUE(store.Add("S02", Record("2026/12/03", 90)).ok);
    ASSERT_EQ(store.Count("S02"), 2);
    EXPECT_EQ(store.At("S02", 1)->Date, "2026/12/03") << "appended after the first";

    std::string written = test::ReadFileBytes(dir / "result.dat");
    CResultStore again(dir / "result.dat");
    StoreLoadResult loaded = again.Load();
    EXPECT_TRUE(loaded.fileFound);
    EXPECT_TRUE(loaded.Ok());
    EXPECT_EQ(again.Lists(), store.Lists());
    ASSERT_TRUE(again.Save().ok);
    EXPECT_EQ(test::ReadFileBytes(dir / "result.dat"), written);
}

TEST(ResultStore, WritesTheExactNodeLayout) {
    test::TempDir dir;
    CResultStore store(dir / "result.dat");
    ASSERT_TRUE(store.Add("ID1", Record("2026/12/07", 75, -1000)).ok);
    EXPECT_EQ(test::ReadFileBytes(dir / "result.dat"),
              "{root\n\t{0\n\t\t{Id\n\t\t\t\"ID1\"\n\t\t}\n\t\t{0\n"
              "\t\t\t{Date\n\t\t\t\t\"2026/12/07\"\n\t\t\t}\n"
              "\t\t\t{TotalScore\n\t\t\t\t\"75\"\n\t\t\t}\n"
              "\t\t\t{TechnicalScore\n\t\t\t\t\"37\"\n\t\t\t}\n"
              "\t\t\t{LogicalScore\n\t\t\t\t\"38\"\n\t\t\t}\n"
              "\t\t\t{TotalPL\n\t\t\t\t\"-1000\"\n\t\t\t}\n"
              "\t\t\t{RealizedPL\n\t\t\t\t\"-1000\"\n\t\t\t}\n"
              "\t\t\t{UnrealizedPL\n\t\t\t\t\"0\"\n\t\t\t}\n"
              "\t\t\t{Commition\n\t\t\t\t\"120\"\n\t\t\t}\n"
              "\t\t\t{Tax\n\t\t\t\t\"30\"\n\t\t\t}\n"
              "\t\t\t{TradeCount\n\t\t\t\t\"4\"\n\t\t\t}\n"
              "\t\t\t{AvarageAmount\n\t\t\t\t\"1500\"\n\t\t\t}\n"
              "\t\t}\n\t}\n}\n");
}

TEST(ResultStore, OlderRecordsWithoutScoresReadAsZeroAndIncompleteRecordsAreLeftOut) {
    test::TempDir dir;
    dir.Write("result.dat",
              "{root {0 {Id \"S\"}"
              "{0 {Date \"2001/01/01\"}{Commition \"1\"}{Tax \"2\"}{TradeCount \"3\"}{AvarageAmount \"4\"}}"
              "{1 {Date \"2001/01/02\"}{TotalScore \"9\"}{Tax \"2\"}{TradeCount \"3\"}{AvarageAmount \"4\"}}"
              "{2 {TotalScore \"9\"}{Commition \"1\"}{Tax \"2\"}{TradeCount \"3\"}{AvarageAmount \"4\"}}}}");
    CResultStore store(dir / "result.dat");
    StoreLoadResult loaded = store.Load();
    EXPECT_EQ(loaded.problems.size(), 2u);
    ASSERT_EQ(store.Count("S"), 1);
    EXPECT_EQ(store.At("S", 0)->TotalScore, 0);
    EXPECT_EQ(store.At("S", 0)->AvarageAmount, 4);
}

TEST(ResultStore, ADamagedFileIsKeptAsideInsteadOfBeingOverwritten) {
    test::TempDir dir;
    const std::string damaged = "{root {0 {Id \"S\"}{0 {Date \"2001/01/01\"}{Commition \"1\"}{Tax \"2\"}"
                                "{TradeCount \"3\"}{AvarageAmount \"4\"}}} garbage";
    dir.Write("result.dat", damaged);
    CResultStore store(dir / "result.dat");
    StoreLoadResult loaded = store.Load();
    EXPECT_TRUE(loaded.fileFound);
    EXPECT_FALSE(loaded.Ok());
    ASSERT_TRUE(store.Add("T", Record("2026/01/01", 1)).ok);
    EXPECT_EQ(test::ReadFileBytes(dir / "result.dat.damaged"), damaged);
    CResultStore reread(dir / "result.dat");
    EXPECT_TRUE(reread.Load().Ok());
    EXPECT_EQ(reread.Count("T"), 1);

    // A second damaged file is kept beside the first, not over it.
    dir.Write("result.dat", "second damage");
    EXPECT_FALSE(store.Load().Ok());
    ASSERT_TRUE(store.Save().ok);
    EXPECT_EQ(test::ReadFileBytes(dir / "result.dat.damaged"), damaged);
    EXPECT_EQ(test::ReadFileBytes(dir / "result.dat.damaged-2"), "second damage");
}

TEST(ResultStore, AFailedSaveIsReportedAndTheStoreKeepsItsRecords) {
    test::TempDir dir;
    CResultStore store(dir / "no-such-folder" / "result.dat");
    DocSaveResult saved = store.Add("S", Record("2026/01/01", 1));
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.error.empty());
    EXPECT_EQ(store.Count("S"), 1);
}

TEST(ResultStore, AccessIsBoundsChecked) {
    CResultStore store("unused");
    EXPECT_EQ(store.Find("S"), nullptr);
    EXPECT_EQ(store.Count("S"), 0);
    EXPECT_EQ(store.At("S", 0), std::nullopt);
}

TEST(ResultStore, SortingPutsTheHighestTotalScoreFirstAndTheNextSaveKeepsThatOrder) {
    test::TempDir dir;
    CResultStore store(dir / "result.dat");
    store.Add("S", Record("a", 10));
    store.Add("S", Record("b", 90));
    store.Add("S", Record("c", -5));
    store.Add("S", Record("d", 90));
    store.SortByTotalScore("S");
    ASSERT_TRUE(store.Save().ok);
    CResultStore reread(dir / "result.dat");
    reread.Load();
    std::vector<int> scores;
    for (const ResultRecord& r : *reread.Find("S")) scores.push_back(r.TotalScore);
    EXPECT_EQ(scores, (std::vector<int>{90, 90, 10, -5}));
    reread.Add("S", Record("e", 100));
    EXPECT_EQ(reread.At("S", 4)->Date, "e") << "later results are appended after the sorted list";
}

TEST(RateOfReturn, IsTheYearlyReturnOnTheFundOrDashesWithoutADuration) {
    ResultRecord r = Record("d", 0, 120150);  // final profit 120150 - 30 tax - 120 commission = 120000
    EXPECT_EQ(RateOfReturnText(r, "365", 10000000), "1.200");
    EXPECT_EQ(RateOfReturnText(r, "73", 10000000), "6.000");
    EXPECT_EQ(RateOfReturnText(r, "0", 10000000), "----");
    EXPECT_EQ(RateOfReturnText(r, "abc", 10000000), "----");
    EXPECT_EQ(RateOfReturnText(r, "", 10000000), "----");
    EXPECT_EQ(RateOfReturnText(r, "30", 0), "----");
    r.TotalPL = -99850;
    EXPECT_EQ(RateOfReturnText(r, "365", 10000000), "-1.000");
}

}  // namespace
}  // namespace valmore
