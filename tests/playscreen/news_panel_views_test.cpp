#include <gtest/gtest.h>

#include <algorithm>

#include "news_panel_fixture.h"
#include "ui/UiPixels.h"

namespace valmore {
namespace {

using test::NewsOnScreen;
using test::NewsScenario;

bool Bluish(Rgb p) {
    return p.b > 180 && p.r < 170 && p.g < 170;
}
bool PureRed(Rgb p) {
    return p.r == 255 && p.g < 8 && p.b < 8;
}

int CountIf(const CBitmap& bitmap, const Rect& within, bool (*test)(Rgb)) {
    int count = 0;
    for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x) count += test(bitmap.Pixel(x, y)) ? 1 : 0;
    return count;
}

// The width of the blue announcement drawn on the label line.
int AnnouncementWidth(const NewsOnScreen& t) {
    const Rect line = t.LabelLine();
    int left = line.right, right = line.left;
    for (int y = line.top; y < line.bottom + 4; ++y)
        for (int x = line.left; x < line.right; ++x)
            if (Bluish(t.target.Pixel(x, y))) left = std::min(left, x), right = std::max(right, x + 1);
    return right > left ? right - left : 0;
}

class NewsPanelInBothModes : public ::testing::TestWithParam<int> {};

TEST_P(NewsPanelInBothModes, AnnouncesTheStartAndTheEndOfThePlayWithTheButtonsOff) {
    NewsOnScreen t(GetParam(), NewsScenario(1));
    t.Paint();
    const int startWidth = AnnouncementWidth(t);
    EXPECT_GT(startWidth, 100) << "the opening announcement is drawn in blue";
    EXPECT_FALSE(t.next.enabled || t.list.enabled || t.prev.enabled);

    t.TickUntil(CDayController::kDay, CDayController::kOrders);
    ASSERT_TRUE(t.Execute().Accepted());
    t.TickUntil(CDayController::kOver, CDayController::kNews);
    t.Repaint();
    EXPECT_EQ(t.InkIn(t.news.ListRect()), 0) << "between the last day and the scoring only the background shows";

    t.TickUntil(CDayController::kFinishing, CDayController::kNews);
    t.Paint();
    const int endWidth = AnnouncementWidth(t);
    EXPECT_GT(endWidth, 60);
    EXPECT_LT(endWidth, startWidth) << "the end announcement is the shorter text";
    EXPECT_FALSE(t.next.enabled || t.list.enabled || t.prev.enabled);
}

TEST_P(NewsPanelInBothModes, TheFirstDayShowsOnlyTheLabelUntilItsNewsArrives) {
    NewsOnScreen t(GetParam(), NewsScenario(4));
    t.TickUntil(CDayController::kDay, CDayController::kNews);
    t.controller.Tick();
    t.Paint();
    EXPECT_GT(t.InkIn(t.LabelLine()), 0);
    const Rect below{t.news.InnerRect().left, t.news.RowRect(1).top, t.news.InnerRect().right,
                     t.news.InnerRect().bottom};
    EXPECT_EQ(t.InkIn(below), 0) << "no older news exists on the first day";

    t.TickUntil(CDayController::kDay, CDayController::kOrders);
    t.Paint();
    EXPECT_EQ(CountIf(t.target, t.LabelLine(), [](Rgb p) { return p.r > 200 && p.g < 150 && p.b < 150; }), 0)
        << "the label is gone once orders are taken";
    const test::Ink row0 = test::InkOn(t.target, t.news.RowRect(0), Rgb{255, 255, 255});
    EXPECT_LT(row0.darkest, 90) << "the first headline is drawn in black on row 0";
    EXPECT_EQ(t.InkIn(below), 0);
}

TEST_P(NewsPanelInBothModes, TheLatestNewsLabelCyclesFromWhiteRedToRedEvery800Ms) {
    EXPECT_EQ(CNewsPanel::PulseColour(0), (Rgb{255, 255, 255}));
    EXPECT_EQ(CNewsPanel::PulseColour(4), (Rgb{255, 0, 0}));
    EXPECT_EQ(CNewsPanel::PulseColour(7), (Rgb{255, 160, 160}));
    EXPECT_EQ(CNewsPanel::PulseColour(12), (Rgb{255, 0, 0}));

    NewsOnScreen t(GetParam(), NewsScenario(4));
    t.TickUntil(CDayController::kDay, CDayController::kNews);
    int redFrames = 0;
    int paleFrames = 0;
    for (int i = 0; i < 16; ++i) {
        t.controller.Tick();
        ASSERT_TRUE(t.news.dirty) << "every tick of the news pause repaints the label";
        t.Paint();
        const int red = CountIf(t.target, t.LabelLine(), PureRed);
        if (t.controller.Ticks() % 8 == 4) {
            EXPECT_GT(red, 0) << "tick " << t.controller.Ticks();
            ++redFrames;
        } else if (t.controller.Ticks() % 8 == 0) {
            EXPECT_EQ(red, 0) << "tick " << t.controller.Ticks();
            ++paleFrames;
        }
    }
    EXPECT_EQ(redFrames, 2);
    EXPECT_EQ(paleFrames, 2);
}

TEST_P(NewsPanelInBothModes, NextPageTurnsOnlyOnceOlderHeadlinesExist) {
    NewsOnScreen probe(GetParam(), NewsScenario(1));
    const int rows = probe.news.RowsPerPage();

    NewsOnScreen t(GetParam(), NewsScenario(rows + 2));
    t.TickUntil(CDayController::kDay, CDayController::kOrders);
    for (int day = 0; day < rows - 1; ++day) t.NextDay();
    ASSERT_EQ(t.Current(), rows - 1);
    t.Paint();
    EXPECT_FALSE(t.next.enabled) << "exactly one page of headlines";
    EXPECT_FALSE(t.prev.enabled);
    EXPECT_FALSE(t.list.enabled);
    EXPECT_TRUE(t.list.pressed);
    for (int row = 0; row < rows; ++row) EXPECT_GT(t.InkIn(t.news.RowRect(row)), 0) << "row " << row;

    t.NextDay();
    ASSERT_EQ(t.Current(), rows);
    EXPECT_TRUE(t.next.enabled) << "one headline more than a page";
    t.Press(t.next);
    EXPECT_EQ(t.news.ListPage(), 1);
    EXPECT_FALSE(t.next.enabled);
    EXPECT_TRUE(t.prev.enabled);
    t.Paint();
    EXPECT_GT(t.InkIn(t.news.RowRect(0)), 0) << "the oldest headline heads the second page";
    EXPECT_EQ(t.InkIn(t.news.RowRect(1)), 0);

    // Row 0 of the second page is the first day's news.
    t.ClickRow(0);
    EXPECT_EQ(t.news.SelectedEvent(), 0);
    t.Press(t.list);
    EXPECT_EQ(t.news.ListPage(), 1) << "the list page stays until the user turns back";
    t.Press(t.prev);
    EXPECT_EQ(t.news.ListPage(), 0);
    EXPECT_FALSE(t.prev.enabled);
    EXPECT_TRUE(t.next.enabled);
}

TEST_P(NewsPanelInBothModes, AHeadlineOpensItsDetailAndTheListButtonLeadsBack) {
    NewsOnScreen t(GetParam(), NewsScenario(5));
    t.TickUntil(CDayController::kDay, CDayController::kOrders);
    t.NextDay();
    t.NextDay();
    ASSERT_EQ(t.Current(), 2);

    t.ClickRow(3);
    EXPECT_EQ(t.news.CurrentView(), CNewsPanel::kListView) << "no headline below the oldest one";
    // Below the last full row there is no row, even where an older day would follow.
    const Rect inner = t.news.InnerRect();
    t.news.OnMouseUp(0, inner.left + 5, inner.top + t.news.RowsPerPage() * 20);
    EXPECT_EQ(t.news.CurrentView(), CNewsPanel::kListView);

    t.ClickRow(1);
    EXPECT_EQ(t.news.CurrentView(), CNewsPanel::kDetailView);
    EXPECT_EQ(t.news.SelectedEvent(), 1);
    EXPECT_EQ(t.news.Markup().PageCount(), 1);
    EXPECT_TRUE(t.list.enabled);
    EXPECT_FALSE(t.list.pressed);
    EXPECT_FALSE(t.next.enabled);
    t.Paint();
    EXPECT_GT(t.InkIn(t.news.RowRect(0)), 0) << "the detail text starts at the top of the list";

    t.Press(t.list);
    EXPECT_EQ(t.news.CurrentView(), CNewsPanel::kListView);
    EXPECT_TRUE(t.list.pressed);
    EXPECT_FALSE(t.list.enabled);
}

std::string ThreePages(int k) {
    return "Page one of " + std::to_string(k) + "$pPage two$pPage three";
}

TEST_P(NewsPanelInBothModes, ADetailTextPagesWithTheNewsButtons) {
    NewsOnScreen t(GetParam(), NewsScenario(3, ThreePages));
    t.TickUntil(CDayController::kDay, CDayController::kOrders);
    t.ClickRow(0);
    ASSERT_EQ(t.news.Markup().PageCount(), 3);
    EXPECT_TRUE(t.next.enabled);
    EXPECT_FALSE(t.prev.enabled);
    t.Press(t.next);
    t.Press(t.next);
    EXPECT_EQ(t.news.DetailPage(), 2);
    EXPECT_FALSE(t.next.enabled);
    EXPECT_TRUE(t.prev.enabled);
    t.Press(t.prev);
    EXPECT_EQ(t.news.DetailPage(), 1);

    t.Press(t.list);
    EXPECT_EQ(t.news.DetailPage(), 0);
    t.ClickRow(0);
    EXPECT_EQ(t.news.DetailPage(), 0) << "a detail opened again starts on its first page";
}

TEST_P(NewsPanelInBothModes, TheDayCloseTurnsTheButtonsOffAndTheNextDayOpensOnTheList) {
    NewsOnScreen t(GetParam(), NewsScenario(3, ThreePages));
    t.TickUntil(CDayController::kDay, CDayController::kOrders);
    t.ClickRow(0);
    t.Press(t.next);
    ASSERT_TRUE(t.Execute().Accepted());
    t.TickUntil(CDayController::kDay, CDayController::kPriceMove);
    EXPECT_FALSE(t.next.enabled || t.list.enabled || t.prev.enabled);
    EXPECT_EQ(t.news.DetailPage(), 0);
    t.Repaint();
    EXPECT_EQ(t.InkIn(t.news.ListRect()), 0) << "the detail is hidden while the prices move";

    t.TickUntil(CDayController::kDay, CDayController::kNews);
    EXPECT_EQ(t.news.CurrentView(), CNewsPanel::kListView);
    EXPECT_EQ(t.news.SelectedEvent(), 1);
    EXPECT_TRUE(t.list.pressed);
}

INSTANTIATE_TEST_SUITE_P(Modes, NewsPanelInBothModes, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeSxga ? "Sxga" : "Xga"; });

}  // namespace
}  // namespace valmore
