#include <gtest/gtest.h>

#include <filesystem>

#include "sim/Play.h"
#include "sim/PlayFixtures.h"
#include "sim/SnapshotStore.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

using test::FlatScenario;
using test::ReadFileBytes;
using test::TempDir;

OrderColumns Columns(OrderColumn first) {
    return {first, OrderColumn{}, OrderColumn{}};
}

// A play of "flat" stopped on day 5 holding three lots bought on days 1 to 3 (the first lot, of day 0,
// was sold, so the lot ring no longer starts at its first slot).
SnapshotRecord StoppedPlay() {
    CScenario scenario = FlatScenario(1, 10);
    scenario.products[0].Name = "\x8a\x94\x8e\xae";  // Shift_JIS text
    CPlay play;
    play.Begin(scenario, PrdInfoTable{});
    for (int day = 0; day < 5; ++day) {
        OrderColumn column = day < 4 ? OrderColumn{0, OrderChoice::Buy, 1000} : OrderColumn{0, OrderChoice::Sell, 1000};
        EXPECT_TRUE(play.ExecuteDay(Columns(column)).Accepted());
        play.CloseDay();
        play.AdvanceDay();
    }
    SnapshotRecord record = play.MakeSnapshot();
    record.market.Exchange = 120.5;
    record.market.Interest = 2.5;
    return record;
}

TEST(SnapshotFile, SavingWhatWasLoadedWritesTheSameBytes) {
    TempDir dir;
    SnapshotRecord record = StoppedPlay();
    EXPECT_EQ(record.position.Holding(0).Head(), 1);
    EXPECT_EQ(record.market.Products[0].Valid, 1);

    CSnapshotStore store;
    store.Store("flat", record);
    store.Store("other", SnapshotRecord{});
    ASSERT_TRUE(store.Save(dir / "snapshot.dat").ok);
    std::string first = ReadFileBytes(dir / "snapshot.dat");
    EXPECT_NE(first.find("\"120.500000\""), std::string::npos);
    EXPECT_NE(first.find("\"2.500000\""), std::string::npos);

    CSnapshotStore loaded;
    ASSERT_TRUE(loaded.Load(dir / "snapshot.dat").Ok());
    ASSERT_EQ(loaded.Count(), 2);
    const SnapshotRecord* back = loaded.Find("flat");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->market, record.market);
    EXPECT_EQ(back->position, record.position);
    EXPECT_EQ(back->position.Holding(0).Head(), 0);
    EXPECT_EQ(back->position.Holding(0).Lot(0).date, "day1");
    EXPECT_EQ(back->CurrentEventListIndex, 5);
    ASSERT_EQ(back->history.DayRecordCount(), 6);
    EXPECT_EQ(back->history.days[4], record.history.days[4]);
    EXPECT_EQ(back->history.OrderCount, record.history.OrderCount);

    ASSERT_TRUE(loaded.Save(dir / "again.dat").ok);
    EXPECT_EQ(ReadFileBytes(dir / "again.dat"), first);
}

TEST(SnapshotFile, AStoredPlayIsReplacedByANewerOneAndCanBeTakenOnce) {
    CSnapshotStore store;
    SnapshotRecord older;
    older.CurrentEventListIndex = 2;
    SnapshotRecord newer;
    newer.CurrentEventListIndex = 7;
    store.Store("s", older);
    store.Store("s", newer);
    EXPECT_EQ(store.Count(), 1);
    ASSERT_TRUE(store.Has("s"));
    EXPECT_EQ(store.Take("s")->CurrentEventListIndex, 7);
    EXPECT_FALSE(store.Has("s"));
    EXPECT_FALSE(store.Take("s").has_value());
}

TEST(SnapshotFile, NoFileIsAnEmptyStoreWithoutComplaint) {
    TempDir dir;
    CSnapshotStore store;
    EXPECT_TRUE(store.Load(dir / "snapshot.dat").Ok());
    EXPECT_EQ(store.Count(), 0);
    EXPECT_FALSE(store.DamagedFile().has_value());
}

TEST(SnapshotFile, AnUnreadableFileIsReportedAndKeptAsideBeforeTheNextSave) {
    TempDir dir;
    std::string damaged = "{root\n\t{0\n\t\tgarbage\n\t}\n}\n";
    dir.Write("snapshot.dat", damaged);
    CSnapshotStore store;
    SnapshotLoadReport report = store.Load(dir / "snapshot.dat");
    ASSERT_FALSE(report.Ok());
    EXPECT_NE(report.Message().find("snapshot.dat"), std::string::npos);
    EXPECT_EQ(store.Count(), 0);

    store.Store("flat", StoppedPlay());
    ASSERT_TRUE(store.Save(dir / "snapshot.dat").ok);
    EXPECT_EQ(ReadFileBytes(dir / "snapshot.dat.damaged"), damaged);
    CSnapshotStore reread;
    EXPECT_TRUE(reread.Load(dir / "snapshot.dat").Ok());
    EXPECT_TRUE(reread.Has("flat"));
}

// Gives the first node named `key` in the text the value `value`.
std::string WithValue(std::string text, const std::string& key, const std::string& value) {
    std::size_t node = text.find("{" + key + "\n");
    std::size_t open = text.find('"', node);
    std::size_t close = text.find('"', open + 1);
    if (node == std::string::npos || close == std::string::npos) return "key not found: " + key;
    return text.replace(open + 1, close - open - 1, value);
}

TEST(SnapshotFile, APlayWithAMissingOrImpossibleValueIsSkippedAndTheFileKeptAside) {
    TempDir dir;
    CSnapshotStore store;
    store.Store("a", StoppedPlay());
    store.Store("b", StoppedPlay());
    std::string good = store.ToText();

    std::string missingKey = good;
    missingKey.replace(missingKey.find("{CashAmount\n"), 12, "{CashAmountX\n");
    const std::string broken[] = {
        missingKey,
        WithValue(good, "ProductLastIndex", "4"),
        WithValue(good, "Side", "2"),
        WithValue(good, "amount", "0"),
        WithValue(good, "CurrentEventListIndex", "-1"),
        WithValue(good, "action", "7"),
        WithValue(good, "unitQty", "0"),
    };
    for (const std::string& text : broken) {
        SCOPED_TRACE(text.substr(0, 200));
        dir.Write("snapshot.dat", text);
        CSnapshotStore loaded;
        SnapshotLoadReport report = loaded.Load(dir / "snapshot.dat");
        ASSERT_EQ(report.problems.size(), 1u);
        EXPECT_EQ(report.problems[0].message.find((dir / "snapshot.dat").string()), 0u);
        EXPECT_FALSE(loaded.Has("a"));
        EXPECT_TRUE(loaded.Has("b"));

        ASSERT_TRUE(loaded.Save(dir / "snapshot.dat").ok);
        EXPECT_EQ(ReadFileBytes(dir / "snapshot.dat.damaged"), text);
        std::filesystem::remove(dir / "snapshot.dat.damaged");
        EXPECT_FALSE(loaded.DamagedFile().has_value());
    }
}

TEST(SnapshotFile, AFailedSaveIsReported) {
    TempDir dir;
    CSnapshotStore store;
    store.Store("a", StoppedPlay());
    DocSaveResult saved = store.Save(dir / "no-such-folder" / "snapshot.dat");
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.error.empty());
}

}  // namespace
}  // namespace valmore
