// Paging through the days of a finished play, the detail popup of a day with its glossary links,
// and leaving the result screen for the main menu.

#include <gtest/gtest.h>

#include <functional>

#include "ResultScreenFixture.h"

namespace valmore {
namespace {

using test::ResultScreenRig;

// A scenario of `events` days of one product, every day judged a pass.
std::string DaysScenario(int events, const std::string& detail = "detail") {
    test::ScenarioOutline outline;
    outline.judges.assign(static_cast<std::size_t>(events), {"3"});
    outline.detail = detail;
    return test::ScenarioText(outline);
}

class NewsPaging : public ::testing::TestWithParam<int> {
protected:
    NewsPaging() : rig(GetParam()) {}

    // Plays a scenario of the given number of days to its result screen.
    void PlayDays(int events) { ASSERT_TRUE(rig.Play(rig.folder.Write("days.scn", DaysScenario(events)), {})); }
    int Rows() const { return rig.screen.NewsPanel().RowsPerPage(); }
    std::vector<bool> DetailButtonsEnabled() const {
        std::vector<bool> enabled;
        for (int i = 0; i < rig.screen.DetailButtonCount(); ++i) enabled.push_back(rig.screen.DetailButton(i).enabled);
        return enabled;
    }
    // Counts the modal loops the popup runs: the headless window asks its feed whenever a loop has
    // nothing left to deliver.
    int CountPopupsDuring(const std::function<void()>& action) {
        int asked = 0;
        rig.host.Window().SetFeed([&asked](CHeadlessWindow&) {
            ++asked;
            return false;
        });
        action();
        rig.host.Window().SetFeed(nullptr);
        return asked;
    }

    ResultScreenRig rig;
};

TEST_P(NewsPaging, WithExactlyOnePageOfDaysThereIsNoNextPage) {
    // Four days a page and four detail buttons in XGA mode, five in SXGA mode.
    ASSERT_EQ(Rows(), GetParam() == kModeXga ? 4 : 5);
    ASSERT_EQ(rig.screen.DetailButtonCount(), Rows());
    PlayDays(Rows());
    EXPECT_EQ(rig.host.CurrentScreen(), 3);
    EXPECT_EQ(rig.screen.NewsPanel().Page(), 0);
    EXPECT_FALSE(rig.screen.NextButton().enabled);
    EXPECT_FALSE(rig.screen.PreviousButton().enabled);
    EXPECT_EQ(DetailButtonsEnabled(), std::vector<bool>(static_cast<std::size_t>(Rows()), true));
    EXPECT_EQ(static_cast<int>(rig.screen.NewsPanel().PageRows().size()), Rows());

    // A disabled next button does not page.
    rig.Click(rig.screen.NextButton().GetRect());
    EXPECT_EQ(rig.screen.NewsPanel().Page(), 0);
}

TEST_P(NewsPaging, OneDayMoreMakesASecondPageWithOneDayAndTheOtherDetailButtonsDisabled) {
    PlayDays(Rows() + 1);
    EXPECT_TRUE(rig.screen.NextButton().enabled);
    EXPECT_FALSE(rig.screen.PreviousButton().enabled);

    const int before = rig.host.invalidateAllCount;
    rig.Click(rig.screen.NextButton().GetRect());
    EXPECT_GT(rig.host.invalidateAllCount, before);
    EXPECT_EQ(rig.screen.NewsPanel().Page(), 1);
    EXPECT_FALSE(rig.screen.NextButton().enabled);
    EXPECT_TRUE(rig.screen.PreviousButton().enabled);
    std::vector<bool> expected(static_cast<std::size_t>(Rows()), false);
    expected[0] = true;
    EXPECT_EQ(DetailButtonsEnabled(), expected);
    const std::vector<NewsDayView> rows = rig.screen.NewsPanel().PageRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].event, Rows());
    rig.Paint();  // a part-empty page paints

    EXPECT_EQ(CountPopupsDuring([&] { rig.Click(rig.screen.DetailButton(1).GetRect()); }), 0)
        << "a detail button without a day opens nothing";

    rig.Click(rig.screen.PreviousButton().GetRect());
    EXPECT_EQ(rig.screen.NewsPanel().Page(), 0);
    EXPECT_TRUE(rig.screen.NextButton().enabled);

    // Showing the screen again starts from the first page.
    rig.Click(rig.screen.NextButton().GetRect());
    rig.screen.Activate();
    EXPECT_EQ(rig.screen.NewsPanel().Page(), 0);
    EXPECT_FALSE(rig.screen.PreviousButton().enabled);
}

// The text of a laid-out page, character by character.
std::string PageText(const CMarkupText& text, int page) {
    std::string shown;
    for (const MarkupFragment& f : text.Fragments(page)) shown += f.Text();
    return shown;
}

Point FirstLinkAt(const CMarkupText& text, int page) {
    for (const MarkupFragment& f : text.Fragments(page)) {
        if (f.link) return {(f.rect.left + f.rect.right) / 2, (f.rect.top + f.rect.bottom) / 2};
    }
    ADD_FAILURE() << "no link on page " << page;
    return {};
}

TEST_P(NewsPaging, DetailShowsThatDaysNewsAndFollowsGlossaryLinksWithBack) {
    const std::string dict =
        "{root {Dict {0 {KEYWORD0 \"A\"}{SEARCHKEY \"A\"}{DETAIL \"see $dB$$\"}}"
        "{1 {KEYWORD0 \"B\"}{SEARCHKEY \"B\"}{DETAIL \"end\"}}}}";
    ASSERT_TRUE(rig.host.glossary.LoadGlossaryFromBytes(dict, "QV.dict").Ok());
    ASSERT_TRUE(rig.Play(rig.folder.Write("days.scn", DaysScenario(Rows() + 1, "$dA$$ day")), {}));
    rig.Click(rig.screen.NextButton().GetRect());

    QVDetailDialog& dialog = rig.detail;
    auto click = [&](Point at) {
        const Rect b = dialog.Bounds();
        rig.host.Window().QueueInput(InputEvent::LeftDown(b.left + at.x, b.top + at.y));
        rig.host.Window().QueueInput(InputEvent::LeftUp(b.left + at.x, b.top + at.y));
    };
    auto centre = [](const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };
    auto shownKey = [&] { return dialog.CurrentEntry() ? dialog.CurrentEntry()->key : std::string("(none)"); };

    // Each step runs once the popup has taken the clicks before it.
    std::vector<std::function<void()>> steps{
        [&] {
            EXPECT_EQ(PageText(dialog.Section(0), 0), "A day" + std::to_string(Rows()));
            EXPECT_EQ(PageText(dialog.Section(1), 0), "info" + std::to_string(Rows()));
            click(FirstLinkAt(dialog.Section(0), 0));
        },
        [&] {
            EXPECT_EQ(shownKey(), "A");
            click(FirstLinkAt(dialog.Section(2), 0));
        },
        [&] {
            EXPECT_EQ(shownKey(), "B");
            EXPECT_TRUE(dialog.BackButton().enabled);
            click(centre(dialog.BackButton().GetRect()));
        },
        [&] {
            EXPECT_EQ(shownKey(), "A");
            EXPECT_FALSE(dialog.BackButton().enabled);
            click(centre(dialog.OkButton().GetRect()));
        },
    };
    std::size_t next = 0;
    rig.host.Window().SetFeed([&](CHeadlessWindow&) {
        if (next >= steps.size()) return false;
        steps[next++]();
        return true;
    });
    rig.Click(rig.screen.DetailButton(0).GetRect());
    rig.host.Window().SetFeed(nullptr);
    EXPECT_EQ(next, steps.size()) << "the popup took every step";
    EXPECT_FALSE(dialog.IsOpen());
}

TEST_P(NewsPaging, MenuReleasesThePlayAndReturnsToTheMainMenu) {
    PlayDays(2);
    const int before = rig.host.invalidateAllCount;
    rig.Click(rig.screen.MenuButton().GetRect());
    EXPECT_EQ(rig.controller.Play(), nullptr);
    EXPECT_EQ(rig.host.CurrentScreen(), 1);
    EXPECT_GT(rig.host.invalidateAllCount, before);

    // Without a play the screen still paints, empty, and its buttons do nothing harmful.
    rig.screen.Activate();
    rig.Paint();
    EXPECT_TRUE(rig.screen.NewsPanel().PageRows().empty());
    EXPECT_FALSE(rig.screen.NextButton().enabled);
    EXPECT_FALSE(rig.screen.DetailButton(0).enabled);
    EXPECT_FALSE(rig.screen.PositionPanel().CurrentTable());
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, NewsPaging, ::testing::Values(kModeXga, kModeSxga), test::ModeName);

}  // namespace
}  // namespace valmore
