#include <gtest/gtest.h>

#include <vector>

#include "platform/Canvas.h"
#include "ui/FakeViewHost.h"
#include "ui/ItemSelector.h"
#include "ui/Screen.h"
#include "ui/SolidSkin.h"
#include "ui/UiPixels.h"

namespace valmore {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBoxGrey{103, 103, 103};

// A selector 200 wide at (20, 30) with 16 x 18 arrows, on a screen; onChange calls are recorded.
struct SelectorOnScreen {
    test::SolidSkin files;
    std::unique_ptr<test::FakeViewHost> host;
    std::unique_ptr<CScreen> screen;
    CItemSelector* selector = nullptr;
    std::vector<int> changes;

    SelectorOnScreen() {
        for (int index : {19, 20, 21, 34, 35, 36}) files.Put(kModeXga, index, 16, 18, Rgb{0, 0, 180});
        host = std::make_unique<test::FakeViewHost>(kModeXga, files.Path());
        screen = std::make_unique<CScreen>(*host);
        selector = screen->AddPanel<CItemSelector>(*host);
        selector->SetRect(20, 30, 200, 18);
        selector->onChange = [this](int index) { changes.push_back(index); };
    }
    void Click(int x, int y) {
        screen->MouseDown(kMouseLeftButton, x, y);
        screen->MouseUp(0, x, y);
    }
    void ClickLeft() { Click(25, 35); }
    void ClickRight() { Click(215, 35); }
};

TEST(ItemSelector, ArrowsSitAtBothEndsWithTheTextBetween) {
    SelectorOnScreen t;
    EXPECT_EQ(t.selector->GetRect(), (Rect{20, 30, 220, 48}));
    EXPECT_EQ(t.selector->LeftButton().GetRect(), (Rect{20, 30, 36, 48}));
    EXPECT_EQ(t.selector->RightButton().GetRect(), (Rect{204, 30, 220, 48}));
}

TEST(ItemSelector, StepsThroughItsItemsAndTellsTheOwnerEveryTime) {
    SelectorOnScreen t;
    for (const char* item : {"A", "B", "C"}) t.selector->AddItem(item);
    EXPECT_FALSE(t.selector->LeftButton().enabled);
    EXPECT_TRUE(t.selector->RightButton().enabled);

    t.ClickRight();
    t.ClickRight();
    EXPECT_EQ(t.selector->CurrentIndex(), 2);
    EXPECT_TRUE(t.selector->LeftButton().enabled);
    EXPECT_FALSE(t.selector->RightButton().enabled);
    // The disabled arrow does nothing, but the owner still hears the (unchanged) index.
    t.ClickRight();
    EXPECT_EQ(t.selector->CurrentIndex(), 2);
    t.ClickLeft();
    EXPECT_EQ(t.selector->CurrentIndex(), 1);
    EXPECT_EQ(t.changes, (std::vector<int>{1, 2, 2, 1}));
}

TEST(ItemSelector, EveryButtonUpdateRepaintsTheWholeWindow) {
    SelectorOnScreen t;
    const int before = t.host->invalidateAllCount;
    t.selector->AddItem("A");
    EXPECT_GT(t.host->invalidateAllCount, before);
    const int afterAdd = t.host->invalidateAllCount;
    t.ClickLeft();
    EXPECT_GT(t.host->invalidateAllCount, afterAdd);
}

TEST(ItemSelector, OneItemOrNoneLeavesBothArrowsDisabled) {
    SelectorOnScreen t;
    EXPECT_FALSE(t.selector->LeftButton().enabled);
    EXPECT_FALSE(t.selector->RightButton().enabled);
    t.selector->AddItem("A");
    EXPECT_FALSE(t.selector->LeftButton().enabled);
    EXPECT_FALSE(t.selector->RightButton().enabled);
    t.ClickRight();
    t.ClickLeft();
    EXPECT_EQ(t.selector->CurrentIndex(), 0);
}

TEST(ItemSelector, ClearingTheListDisablesTheArrowsSoTheIndexCannotRunAway) {
    SelectorOnScreen t;
    for (const char* item : {"A", "B", "C"}) t.selector->AddItem(item);
    t.ClickRight();
    t.selector->Clear();
    EXPECT_EQ(t.selector->Count(), 0);
    EXPECT_EQ(t.selector->CurrentIndex(), 0);
    EXPECT_FALSE(t.selector->RightButton().enabled);
    t.ClickRight();
    EXPECT_EQ(t.selector->CurrentIndex(), 0);
    t.selector->AddItem("D");
    CBitmap target = CBitmap::Create(300, 100, kWhite);
    CCanvas canvas(target);
    t.selector->Draw(canvas);
    EXPECT_GT(test::InkOn(target, Rect{40, 31, 200, 47}).pixels, 0);
}

TEST(ItemSelector, APressDraggedOffAnArrowLetsItGo) {
    SelectorOnScreen t;
    for (const char* item : {"A", "B"}) t.selector->AddItem(item);
    t.screen->MouseDown(kMouseLeftButton, 215, 35);
    EXPECT_TRUE(t.selector->RightButton().pressed);
    t.screen->MouseMove({400, 400});
    EXPECT_FALSE(t.selector->RightButton().pressed);
    t.screen->MouseUp(0, 400, 400);
    EXPECT_EQ(t.selector->CurrentIndex(), 0);
    EXPECT_TRUE(t.changes.empty());
}

TEST(ItemSelector, DrawsAGreyBoxWithTheCurrentItemCentred) {
    SelectorOnScreen t;
    CBitmap target = CBitmap::Create(300, 100, Rgb{0, 120, 0});
    CCanvas canvas(target);
    t.selector->Draw(canvas);
    // Text box from x 39 to 204: a grey outline filled white, and empty while there are no items.
    EXPECT_EQ(target.Pixel(39, 30), kBoxGrey);
    EXPECT_EQ(target.Pixel(203, 47), kBoxGrey);
    EXPECT_EQ(target.Pixel(38, 35), (Rgb{0, 120, 0}));
    EXPECT_EQ(test::InkOn(target, Rect{40, 31, 203, 47}).pixels, 0);
    EXPECT_EQ(target.Pixel(20, 30), (Rgb{0, 0, 180}));

    t.selector->AddItem("XYZ");
    t.selector->Draw(canvas);
    const test::Ink ink = test::InkOn(target, Rect{40, 31, 203, 47});
    ASSERT_GT(ink.pixels, 0);
    EXPECT_LT(ink.darkest, 80);
    const int centre = (ink.box.left + ink.box.right) / 2;
    EXPECT_NEAR(centre, (39 + 204) / 2, 3);
}

}  // namespace
}  // namespace valmore
