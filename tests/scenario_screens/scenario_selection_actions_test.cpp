// The selection screen's buttons: which of them may be pressed when, and what pressing them does to
// the play, the stores and the current screen. Clicks go through the screen as the main view sends
// them, in both resolution modes.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Sjis.h"
#include "results/ResultStore.h"
#include "scenario/screens/ScenarioSelectScreen.h"
#include "scenario_screens/ScenarioFolder.h"
#include "sim/DayController.h"
#include "sim/SnapshotStore.h"
#include "ui/Dialog.h"
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

Point CentreOf(const Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// What the message popup showed, read while its modal loop runs.
struct ShownNotice {
    int mode = -1;
    std::string text;
};

class SelectionScreen : public ::testing::TestWithParam<int> {
protected:
    SelectionScreen() { host.SwitchScreen(2); }

    CScenarioSelectScreen& Build() {
        screen = std::make_unique<CScenarioSelectScreen>(
            host, controller, dialog, results, snapshots, folder.Path(), folder.SnapshotFile(),
            [this](const ScenarioHeader& header) { recordsOpenedFor = header.ID; });
        screen->Activate();
        return *screen;
    }

    void Click(Point p) {
        screen->MouseDown(0, p.x, p.y);
        screen->MouseUp(0, p.x, p.y);
    }
    void Click(CSkinButton& button) { Click(CentreOf(button.GetRect())); }
    // Clicks the title cell of a row of the current page.
    void SelectRow(int row) { Click(CentreOf(screen->Catalog().Cell(row, 1))); }

    // Records the first popup shown from now on; the popup closes as soon as the queue runs dry.
    void WatchNotices() {
        host.Window().SetFeed([this](CHeadlessWindow&) {
            if (dialog.IsOpen() && !notice) {
                notice.emplace();
                notice->mode = dialog.Mode();
                for (const MarkupFragment& f : dialog.Body().Fragments(0)) notice->text += f.Text();
            }
            return false;
        });
    }

    FakeViewHost host{GetParam()};
    ScenarioFolder folder;
    CResultStore results{folder.dir / "result.dat"};
    CSnapshotStore snapshots;
    CDayController controller;
    QVDialog dialog{host};
    std::unique_ptr<CScenarioSelectScreen> screen;
    std::optional<std::string> recordsOpenedFor;
    std::optional<ShownNotice> notice;
};

TEST_P(SelectionScreen, PageButtonsFollowThePagesAndThePageSurvivesAVisit) {
    for (int i = 0; i < 31; ++i) folder.Add("s" + std::to_string(i) + ".scn", WithId("S" + std::to_string(100 + i)));
    CScenarioSelectScreen& s = Build();
    EXPECT_FALSE(s.PreviousPageButton().enabled);
    EXPECT_TRUE(s.NextPageButton().enabled);

    SelectRow(0);
    ASSERT_TRUE(s.StartButton().enabled);
    Click(s.NextPageButton());
    EXPECT_EQ(s.Catalog().Page(), 1);
    EXPECT_TRUE(s.PreviousPageButton().enabled);
    EXPECT_FALSE(s.NextPageButton().enabled);
    // A page change forgets the selection and what it allowed.
    EXPECT_EQ(s.Catalog().Selection(), -1);
    EXPECT_FALSE(s.StartButton().enabled);

    SelectRow(0);
    EXPECT_EQ(s.Catalog().Selected()->header.ID, "S130");
    // A disabled page button does nothing.
    Click(s.NextPageButton());
    EXPECT_EQ(s.Catalog().Page(), 1);

    Click(s.MenuButton());
    EXPECT_EQ(host.CurrentScreen(), 1);
    s.Activate();
    EXPECT_EQ(s.Catalog().Page(), 1);
    EXPECT_EQ(s.Catalog().Selection(), -1);
    EXPECT_TRUE(s.PreviousPageButton().enabled);

    Click(s.PreviousPageButton());
    EXPECT_EQ(s.Catalog().Page(), 0);
}

TEST_P(SelectionScreen, ThirtyScenariosFitOnOnePage) {
    for (int i = 0; i < 30; ++i) folder.Add("s" + std::to_string(i) + ".scn", WithId("S" + std::to_string(100 + i)));
    CScenarioSelectScreen& s = Build();
    EXPECT_FALSE(s.NextPageButton().enabled);
    SelectRow(29);
    EXPECT_EQ(s.Catalog().Selected()->header.ID, "S129");
}

TEST_P(SelectionScreen, AnEmptyDataFolderOffersNothingToPress) {
    CScenarioSelectScreen& s = Build();
    EXPECT_EQ(s.Catalog().EntryCount(), 0);
    SelectRow(0);
    for (CSkinButton* b :
         {&s.StartButton(), &s.RecordsButton(), &s.ResumeButton(), &s.PreviousPageButton(), &s.NextPageButton()}) {
        EXPECT_FALSE(b->enabled);
    }
    EXPECT_TRUE(s.MenuButton().enabled);
}

TEST_P(SelectionScreen, ActionsAreOfferedOnlyWhenTheSelectedScenarioAllowsThem) {
    folder.Add("a.scn", WithId("A"));  // never played
    folder.Add("b.scn", WithId("B"));  // finished once
    folder.Add("c.scn", WithId("C"));  // left in the middle
    results.Add("B", ResultRecord{});
    snapshots.Store("C", SnapshotRecord{});
    CScenarioSelectScreen& s = Build();
    EXPECT_FALSE(s.StartButton().enabled);

    SelectRow(0);
    EXPECT_TRUE(s.StartButton().enabled);
    EXPECT_FALSE(s.RecordsButton().enabled);
    EXPECT_FALSE(s.ResumeButton().enabled);

    SelectRow(1);
    EXPECT_TRUE(s.StartButton().enabled);
    EXPECT_TRUE(s.RecordsButton().enabled);
    EXPECT_FALSE(s.ResumeButton().enabled);

    SelectRow(2);
    EXPECT_TRUE(s.StartButton().enabled);
    EXPECT_FALSE(s.RecordsButton().enabled);
    EXPECT_TRUE(s.ResumeButton().enabled);

    // The results count and mark columns do not select; the click drops the selection.
    Click(CentreOf(s.Catalog().Cell(2, 10)));
    EXPECT_EQ(s.Catalog().Selection(), -1);
    EXPECT_FALSE(s.StartButton().enabled);
    EXPECT_FALSE(s.ResumeButton().enabled);
    SelectRow(1);
    Click(CentreOf(s.Catalog().Cell(1, 9)));
    EXPECT_FALSE(s.RecordsButton().enabled);
    // The last pixel of the fund column still selects.
    const Rect fund = s.Catalog().Cell(1, 8);
    Click({fund.right - 1, fund.top});
    EXPECT_EQ(s.Catalog().Selection(), 1);

    // Every visit starts without a selection.
    SelectRow(1);
    s.Activate();
    EXPECT_EQ(s.Catalog().Selection(), -1);
    EXPECT_FALSE(s.StartButton().enabled);
    EXPECT_FALSE(s.RecordsButton().enabled);
}

TEST_P(SelectionScreen, StartLaunchesAPlayOfTheSelectedScenarioOnTheSimulationScreen) {
    folder.Add("b.scn", WithId("B"));
    folder.Add("a.scn", WithId("A"));
    CScenarioSelectScreen& s = Build();
    SelectRow(1);
    Click(s.StartButton());
    ASSERT_NE(controller.Play(), nullptr);
    EXPECT_EQ(controller.Play()->Scenario().header.ID, "B");
    EXPECT_EQ(controller.GetState(), CDayController::kOpening);
    EXPECT_EQ(host.CurrentScreen(), 0);
}

TEST_P(SelectionScreen, ARefusedScenarioIsReportedByItsFileNameAndNoPlayStarts) {
    // The header is whole, so the file is listed; the rest cannot be played.
    std::string text = test::ScenarioFile(WithId("BAD"));
    text.erase(text.find("{Market"), text.find("{Event") - text.find("{Market"));
    folder.AddBytes("bad$n&.scn", text);
    CScenarioSelectScreen& s = Build();
    ASSERT_EQ(s.Catalog().EntryCount(), 1);

    SelectRow(0);
    WatchNotices();
    Click(s.StartButton());
    EXPECT_EQ(controller.Play(), nullptr);
    EXPECT_EQ(host.CurrentScreen(), 2);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->mode, QVDialog::kModeNotice);
    // The file name is shown as it is spelt, its "$" and "&" not taken as markup codes.
    EXPECT_NE(notice->text.find(Sj("data\\bad＄n＆.scn")), std::string::npos) << Cp932ToUtf8(notice->text);
    EXPECT_TRUE(s.StartButton().enabled);
}

TEST_P(SelectionScreen, AStoredPlayIsMarkedUntilItIsContinued) {
    folder.Add("a.scn", WithId("A"));
    folder.Add("b.scn", WithId("B"));
    CScenarioSelectScreen& s = Build();
    SelectRow(1);
    Click(s.StartButton());
    ASSERT_NE(controller.Play(), nullptr);
    // Leaving the play with storing, as the quit flow does.
    ASSERT_TRUE(controller.StorePlay(snapshots, folder.SnapshotFile()).ok);

    host.SwitchScreen(2);
    s.Activate();
    EXPECT_EQ(s.Catalog().CellText(*s.Catalog().Entry(1), 10), Sj("○"));
    EXPECT_EQ(s.Catalog().CellText(*s.Catalog().Entry(0), 10), "");
    SelectRow(1);
    ASSERT_TRUE(s.ResumeButton().enabled);

    controller.DestroyPlay();
    Click(s.ResumeButton());
    ASSERT_NE(controller.Play(), nullptr);
    EXPECT_EQ(controller.Play()->Scenario().header.ID, "B");
    EXPECT_EQ(host.CurrentScreen(), 0);
    EXPECT_FALSE(snapshots.Has("B"));
    CSnapshotStore reread;
    reread.Load(folder.SnapshotFile());
    EXPECT_FALSE(reread.Has("B"));

    host.SwitchScreen(2);
    s.Activate();
    EXPECT_EQ(s.Catalog().CellText(*s.Catalog().Entry(1), 10), "");
    SelectRow(1);
    EXPECT_FALSE(s.ResumeButton().enabled);
}

TEST_P(SelectionScreen, AStoredPlayThatNoLongerFitsIsReportedAndKept) {
    folder.Add("a.scn", WithId("A"));
    snapshots.Store("A", SnapshotRecord{});  // no products: not a play of a one-product scenario
    CScenarioSelectScreen& s = Build();
    SelectRow(0);
    ASSERT_TRUE(s.ResumeButton().enabled);

    WatchNotices();
    Click(s.ResumeButton());
    EXPECT_EQ(controller.Play(), nullptr);
    EXPECT_EQ(host.CurrentScreen(), 2);
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->text.find("data\\a.scn"), std::string::npos) << Cp932ToUtf8(notice->text);
    // Why, and that the stored play is still there.
    EXPECT_NE(notice->text.find(Sj("銘柄の数と合いません。記録は、そのまま残してあります。")), std::string::npos)
        << Cp932ToUtf8(notice->text);
    EXPECT_TRUE(snapshots.Has("A"));
    EXPECT_EQ(s.Catalog().CellText(*s.Catalog().Entry(0), 10), Sj("○"));
    EXPECT_TRUE(s.ResumeButton().enabled);
}

TEST_P(SelectionScreen, RecordsOpenForTheSelectedScenarioAndMenuGoesBack) {
    folder.Add("a.scn", WithId("A"));
    folder.Add("b.scn", WithId("B"));
    results.Add("B", ResultRecord{});
    CScenarioSelectScreen& s = Build();
    SelectRow(1);
    Click(s.RecordsButton());
    EXPECT_EQ(recordsOpenedFor, "B");
    // Viewing records starts no play.
    EXPECT_EQ(controller.Play(), nullptr);

    const int repaints = host.invalidateAllCount;
    Click(s.MenuButton());
    EXPECT_EQ(host.CurrentScreen(), 1);
    EXPECT_GT(host.invalidateAllCount, repaints);
}

INSTANTIATE_TEST_SUITE_P(BothModes, SelectionScreen, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeXga ? "Xga" : "Sxga"; });

}  // namespace
}  // namespace valmore
