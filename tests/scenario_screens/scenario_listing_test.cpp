// Which scenario files the selection table offers, in which order, and what each row says.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Sjis.h"
#include "results/ResultStore.h"
#include "scenario/screens/ScenarioCatalog.h"
#include "scenario_screens/ScenarioFolder.h"
#include "sim/SnapshotStore.h"
#include "ui/FakeViewHost.h"

namespace valmore {
namespace {

using test::FakeViewHost;
using test::ScenarioFolder;
using test::ScenarioText;

ScenarioText WithId(std::string id) {
    ScenarioText s;
    s.id = std::move(id);
    return s;
}

std::vector<std::string> ListedIds(const CScenarioCatalog& catalog) {
    std::vector<std::string> ids;
    for (int i = 0; i < catalog.EntryCount(); ++i) ids.push_back(catalog.Entry(i)->header.ID);
    return ids;
}

class ScenarioListing : public ::testing::Test {
protected:
    CScenarioCatalog& Enumerate() {
        catalog.PlaceAt(6, 38);
        catalog.EnumerateScenarios(folder.Path(), snapshots);
        return catalog;
    }

    FakeViewHost host;
    ScenarioFolder folder;
    CResultStore results{folder.dir / "result.dat"};
    CSnapshotStore snapshots;
    CScenarioCatalog catalog{host, results};
};

TEST_F(ScenarioListing, IdsAreListedInAscendingOrderWhateverTheFileNames) {
    folder.Add("a.scn", WithId("B"));
    folder.Add("b.scn", WithId("A"));
    Enumerate();
    ASSERT_EQ(ListedIds(catalog), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(catalog.PathOf(*catalog.Entry(0)), "data\\b.scn");
    EXPECT_EQ(catalog.PathOf(*catalog.Entry(1)), "data\\a.scn");
    EXPECT_EQ(catalog.FindById("B"), catalog.Entry(1));
    EXPECT_EQ(catalog.FindById("C"), nullptr);
}

TEST_F(ScenarioListing, IdsCompareByTheirBytesSoShiftJisIdsComeAfterAscii) {
    const std::string kanji = Sj("株");
    folder.Add("1.scn", WithId(kanji));
    folder.Add("2.scn", WithId("VM-E9"));
    folder.Add("3.scn", WithId("VM-E10"));
    folder.Add("4.scn", WithId("vm-a"));
    Enumerate();
    EXPECT_EQ(ListedIds(catalog), (std::vector<std::string>{"VM-E10", "VM-E9", "vm-a", kanji}));
}

TEST_F(ScenarioListing, HiddenDamagedAndIncompleteFilesAreLeftOut) {
    folder.Add("good.scn", WithId("GOOD"));
    ScenarioText hidden = WithId("HIDDEN");
    hidden.mode = 9;
    folder.Add("hidden.scn", hidden);

    std::string noFund = test::ScenarioFile(WithId("NOFUND"));
    noFund.erase(noFund.find("{FundAmount"), std::string("{FundAmount \"1,000,000\"}").size());
    folder.AddBytes("nofund.scn", noFund);
    folder.AddBytes("noheader.scn", "{Scenario {Product {0 {Name \"x\"}}}}\n");
    folder.AddBytes("empty.scn", "");
    folder.AddBytes("binary.scn", std::string("\x00\xff\x10{\"\x01", 6));
    // A format error after a complete header: the reader stops at the bad byte, so the file is refused
    // even though the part read so far looks like a scenario.
    std::string broken = test::ScenarioFile(WithId("BROKEN"));
    broken.insert(broken.rfind('}'), "\x01");
    folder.AddBytes("broken.scn", broken);
    // Only "*.scn" files are scenarios.
    folder.AddBytes("notes.txt", test::ScenarioFile(WithId("NOTES")));
    std::filesystem::create_directories(folder.Path() / "data" / "folder.scn");

    Enumerate();
    EXPECT_EQ(ListedIds(catalog), (std::vector<std::string>{"GOOD"}));
}

TEST_F(ScenarioListing, AMissingOrEmptyDataFolderGivesAnEmptyTable) {
    Enumerate();
    EXPECT_EQ(catalog.EntryCount(), 0);
    EXPECT_FALSE(catalog.HasNextPage());
    EXPECT_EQ(catalog.Selected(), nullptr);
}

TEST_F(ScenarioListing, FilesBeyondTheFiveHundredthAreNotListed) {
    const std::string text = test::ScenarioFile(WithId("X"));
    for (int i = 0; i <= CScenarioCatalog::kMaxFiles; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%03d.scn", i);
        std::string file = text;
        file.replace(file.find("{ID \"X\"}"), 8, "{ID \"" + std::string(name, 4) + "\"}");
        folder.AddBytes(name, file);
    }
    Enumerate();
    EXPECT_EQ(catalog.PathCount(), 500);
    EXPECT_EQ(catalog.EntryCount(), 500);
    EXPECT_NE(catalog.FindById("f499"), nullptr);
    EXPECT_EQ(catalog.FindById("f500"), nullptr);
}

TEST_F(ScenarioListing, RowTextsShowTheHeaderInTheirFormats) {
    ScenarioText s = WithId("VM-1");
    s.title = Sj("決算発表");
    s.level = 3;
    s.duration = "20";
    s.estimatedTime = "15";
    s.fundAmount = "10,000,000";
    s.products = 2;
    folder.Add("one.scn", s);
    s.id = "VM-2";
    s.mode = 1;
    folder.Add("two.scn", s);
    s.id = "VM-3";
    s.mode = 7;
    folder.Add("three.scn", s);
    results.Add("VM-1", ResultRecord{});
    results.Add("VM-1", ResultRecord{});
    Enumerate();

    const CatalogEntry& e = *catalog.Entry(0);
    const std::vector<std::string> expected{"VM-1",      Sj("決算発表"), Sj("株式"),          Sj("練習"), "2", "3",
                                            Sj("20 日"), Sj("15 分"),    Sj("10,000,000 円"), "2",        ""};
    for (int column = 0; column < CScenarioCatalog::kColumns; ++column) {
        EXPECT_EQ(catalog.CellText(e, column), expected[static_cast<std::size_t>(column)]) << "column " << column;
    }
    EXPECT_EQ(catalog.CellText(*catalog.Entry(1), 3), Sj("実践"));
    EXPECT_EQ(catalog.CellText(*catalog.Entry(1), 9), "0");
    EXPECT_EQ(catalog.CellText(*catalog.Entry(2), 3), "----");
}

TEST_F(ScenarioListing, TheMarkFollowsTheSnapshotStoreWhenRefreshed) {
    folder.Add("a.scn", WithId("A"));
    folder.Add("b.scn", WithId("B"));
    snapshots.Store("B", SnapshotRecord{});
    Enumerate();
    EXPECT_FALSE(catalog.Entry(0)->hasInterruptedPlay);
    EXPECT_TRUE(catalog.Entry(1)->hasInterruptedPlay);
    EXPECT_EQ(catalog.CellText(*catalog.Entry(1), 10), Sj("○"));

    snapshots.Take("B");
    snapshots.Store("A", SnapshotRecord{});
    catalog.RefreshInterruptedPlays(snapshots);
    EXPECT_TRUE(catalog.Entry(0)->hasInterruptedPlay);
    EXPECT_EQ(catalog.CellText(*catalog.Entry(1), 10), "");
}

// The shipped data folder: every exercise and the practice scenario, packed or plain, but not the
// authors' template.
TEST(ShippedScenarioListing, ListsEveryShippedScenarioButTheTemplate) {
    const std::filesystem::path run = VALMORE_RUN_DIR;
    if (!std::filesystem::exists(run / "data" / "template.scn")) GTEST_SKIP() << "content not built";
    FakeViewHost host;
    CResultStore results{"unused-result.dat"};
    CSnapshotStore snapshots;
    CScenarioCatalog catalog{host, results};
    catalog.EnumerateScenarios(run, snapshots);
    const std::vector<std::string> ids = ListedIds(catalog);
    EXPECT_EQ(ids.size(), 13u);
    EXPECT_EQ(catalog.FindById("VM-T00"), nullptr);
    ASSERT_NE(catalog.FindById("VM-P00"), nullptr);
    EXPECT_EQ(catalog.PathOf(*catalog.FindById("VM-P00")), Sj("data\\操作練習.scn"));
    for (int i = 1; i <= 12; ++i) {
        const std::string id = (i < 10 ? "VM-E0" : "VM-E") + std::to_string(i);
        EXPECT_NE(catalog.FindById(id), nullptr) << id;
    }
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
}

}  // namespace
}  // namespace valmore
