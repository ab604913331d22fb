#include <gtest/gtest.h>

#include <limits>

#include "platform/Canvas.h"
#include "ui/FakeViewHost.h"
#include "ui/Screen.h"
#include "ui/SolidSkin.h"
#include "ui/SpinBox.h"
#include "ui/UiPixels.h"

namespace valmore {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kUpColour{0, 0, 200};
constexpr Rgb kUpDnColour{200, 0, 0};
constexpr Rgb kUpNonColour{100, 100, 100};

// A spin box at (10, 50) on a screen, with its button pictures 24 x 22 (XGA) or 30 x 28 (SXGA).
struct SpinBoxOnScreen {
    test::SolidSkin files;
    std::unique_ptr<test::FakeViewHost> host;
    std::unique_ptr<CScreen> screen;
    CSpinBox* box = nullptr;

    explicit SpinBoxOnScreen(int mode = kModeXga) {
        const int w = mode == kModeXga ? 24 : 30;
        const int h = mode == kModeXga ? 22 : 28;
        files.Put(mode, 42, w, h, kUpColour);
        files.Put(mode, 40, w, h, kUpDnColour);
        files.Put(mode, 41, w, h, kUpNonColour);
        files.Put(mode, 15, w, h, Rgb{0, 150, 0});
        files.Put(mode, 13, w, h, Rgb{150, 0, 150});
        files.Put(mode, 14, w, h, Rgb{60, 60, 60});
        host = std::make_unique<test::FakeViewHost>(mode, files.Path());
        screen = std::make_unique<CScreen>(*host);
        box = screen->AddPanel<CSpinBox>(*host);
        box->SetRect(10, 50);
    }
    void Click(const Rect& r) {
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        screen->MouseDown(kMouseLeftButton, x, y);
        screen->MouseUp(0, x, y);
    }
};

TEST(SpinBoxLayout, PartsArePlacedFromTheButtonPictureAndTheModesGaps) {
    SpinBoxOnScreen xga(kModeXga);
    EXPECT_EQ(xga.box->GetRect(), (Rect{10, 50, 227, 72}));
    EXPECT_EQ(xga.box->UpRect(), (Rect{10, 50, 34, 72}));
    EXPECT_EQ(xga.box->ValueRect(), (Rect{37, 50, 149, 72}));
    EXPECT_EQ(xga.box->DownRect(), (Rect{152, 50, 176, 72}));
    EXPECT_EQ(xga.box->UpButton().GetRect(), xga.box->UpRect());
    EXPECT_EQ(xga.box->DownButton().GetRect(), xga.box->DownRect());

    SpinBoxOnScreen sxga(kModeSxga);
    EXPECT_EQ(sxga.box->GetRect(), (Rect{10, 50, 227, 78}));
    EXPECT_EQ(sxga.box->ValueRect(), (Rect{45, 50, 185, 78}));
    EXPECT_EQ(sxga.box->DownRect(), (Rect{190, 50, 220, 78}));
}

TEST(SpinBoxValue, ANewBoxIsDisabledUntilItsOwnerEnablesIt) {
    SpinBoxOnScreen t;
    EXPECT_FALSE(t.box->Enabled());
    EXPECT_EQ(t.box->Value(), 1000);
    t.box->Increment();
    EXPECT_EQ(t.box->Value(), 1000);
    EXPECT_FALSE(t.box->UpButton().enabled);
    EXPECT_FALSE(t.box->DownButton().enabled);
    t.box->SetEnabled(true);
    EXPECT_TRUE(t.box->UpButton().enabled);
    EXPECT_FALSE(t.box->DownButton().enabled);
}

TEST(SpinBoxValue, AtTheEndsTheButtonTowardsTheEndIsDisabledAndStepsStop) {
    SpinBoxOnScreen t;
    t.box->SetEnabled(true);
    for (int i = 0; i < 9; ++i) t.box->Increment();
    EXPECT_EQ(t.box->Value(), 10000);
    EXPECT_FALSE(t.box->UpButton().enabled);
    EXPECT_TRUE(t.box->DownButton().enabled);
    t.box->Increment();
    EXPECT_EQ(t.box->Value(), 10000);

    for (int i = 0; i < 12; ++i) t.box->Decrement();
    EXPECT_EQ(t.box->Value(), 1000);
    EXPECT_FALSE(t.box->DownButton().enabled);
    EXPECT_TRUE(t.box->UpButton().enabled);
}

TEST(SpinBoxValue, AStepThatDoesNotDivideTheRangePassesTheMaximumOnce) {
    SpinBoxOnScreen t;
    t.box->SetEnabled(true);
    t.box->SetValue(9500);
    t.box->Increment();
    EXPECT_EQ(t.box->Value(), 10500);
    EXPECT_TRUE(t.box->UpButton().enabled);  // the value differs from the maximum
    t.box->Increment();
    EXPECT_EQ(t.box->Value(), 10500);
}

TEST(SpinBoxValue, SettingTheRangeRestartsFromTheMinimum) {
    SpinBoxOnScreen t;
    t.box->SetEnabled(true);
    t.box->SetMin(100);
    EXPECT_EQ(t.box->Value(), 100);
    t.box->Increment();
    t.box->SetMax(5000);
    EXPECT_EQ(t.box->Value(), 100);
    EXPECT_FALSE(t.box->DownButton().enabled);
    t.box->Increment();
    t.box->Reset();
    EXPECT_EQ(t.box->Value(), 100);
}

TEST(SpinBoxValue, HugeStepsStopAtTheEndsOfTheNumberRangeInsteadOfWrapping) {
    SpinBoxOnScreen t;
    t.box->SetEnabled(true);
    t.box->SetMin(std::numeric_limits<std::int32_t>::min());
    t.box->SetMax(std::numeric_limits<std::int32_t>::max());
    t.box->SetStep(std::numeric_limits<std::int32_t>::max());
    t.box->SetValue(std::numeric_limits<std::int32_t>::max() - 5);
    t.box->Increment();
    EXPECT_EQ(t.box->Value(), std::numeric_limits<std::int32_t>::max());
    t.box->SetValue(std::numeric_limits<std::int32_t>::min() + 5);
    t.box->Decrement();
    EXPECT_EQ(t.box->Value(), std::numeric_limits<std::int32_t>::min());
}

TEST(SpinBoxClicks, TheLeftButtonCountsUpAndTheRightOneDown) {
    SpinBoxOnScreen t;
    t.box->SetEnabled(true);
    t.Click(t.box->UpRect());
    t.Click(t.box->UpRect());
    EXPECT_EQ(t.box->Value(), 3000);
    t.Click(t.box->DownRect());
    EXPECT_EQ(t.box->Value(), 2000);
    // A click on the value itself changes nothing.
    t.Click(t.box->ValueRect());
    EXPECT_EQ(t.box->Value(), 2000);
    EXPECT_FALSE(t.box->UpButton().pressed);
    EXPECT_FALSE(t.box->DownButton().pressed);
}

TEST(SpinBoxClicks, APressShowsTheButtonDownUntilTheRelease) {
    SpinBoxOnScreen t;
    t.box->SetEnabled(true);
    const Rect up = t.box->UpRect();
    t.screen->MouseDown(kMouseLeftButton, up.left + 2, up.top + 2);
    EXPECT_TRUE(t.box->UpButton().pressed);
    EXPECT_EQ(t.box->UpButton().CurrentImage(), 40);
    t.screen->MouseMove({up.left + 3, up.top + 3});
    EXPECT_TRUE(t.box->UpButton().pressed);
    t.screen->MouseUp(0, up.left + 3, up.top + 3);
    EXPECT_FALSE(t.box->UpButton().pressed);
    EXPECT_EQ(t.box->Value(), 2000);
}

TEST(SpinBoxClicks, APressDraggedOffAButtonLetsItGoWithoutChangingTheValue) {
    SpinBoxOnScreen t;
    t.box->SetEnabled(true);
    const Rect up = t.box->UpRect();
    t.screen->MouseDown(kMouseLeftButton, up.left + 2, up.top + 2);
    t.screen->MouseMove({600, 600});
    t.screen->MouseUp(0, 600, 600);
    EXPECT_FALSE(t.box->UpButton().pressed);
    EXPECT_EQ(t.box->Value(), 1000);
}

TEST(SpinBoxClicks, ADisabledButtonStillShowsItsDisabledPictureWhenPressed) {
    SpinBoxOnScreen t;
    t.box->SetEnabled(true);
    const Rect down = t.box->DownRect();
    t.screen->MouseDown(kMouseLeftButton, down.left + 1, down.top + 1);
    EXPECT_EQ(t.box->DownButton().CurrentImage(), 14);
    t.screen->MouseUp(0, down.left + 1, down.top + 1);
    EXPECT_EQ(t.box->Value(), 1000);
}

struct DrawnSpinBox : SpinBoxOnScreen {
    CBitmap target = CBitmap::Create(400, 200, Rgb{0, 120, 0});
    CCanvas canvas{target};
    DrawnSpinBox() { box->SetEnabled(true); }
    test::Ink ValueInk() {
        box->Draw(canvas);
        const Rect v = box->ValueRect();
        return test::InkOn(target, Rect{v.left + 2, v.top + 1, v.right - 1, v.bottom - 1});
    }
};

TEST(SpinBoxDrawing, TheValueIsGroupedAndRightAlignedInsideTheValueBox) {
    DrawnSpinBox t;
    t.box->SetValue(1234567);
    const test::Ink ink = t.ValueInk();
    ASSERT_GT(ink.pixels, 0);
    EXPECT_LT(ink.darkest, 80);
    const Rect v = t.box->ValueRect();
    EXPECT_LE(ink.box.right, v.right - 8);
    EXPECT_GE(ink.box.right, v.right - 8 - 3);
    EXPECT_GT(ink.box.left, v.left + 2);

    // Fewer digits keep the same right edge.
    t.box->SetValue(5);
    const test::Ink shorter = t.ValueInk();
    EXPECT_GE(shorter.box.right, v.right - 8 - 3);
    EXPECT_GT(shorter.box.left, ink.box.left + 20);

    // The box around the digits is white, the buttons their pictures.
    EXPECT_EQ(t.target.Pixel(v.left + 3, v.top + 2), kWhite);
    EXPECT_EQ(t.target.Pixel(t.box->UpRect().left, t.box->UpRect().top), kUpColour);
}

TEST(SpinBoxDrawing, ADisabledBoxShowsItsValueInGrey) {
    DrawnSpinBox t;
    t.box->SetEnabled(false);
    const test::Ink ink = t.ValueInk();
    ASSERT_GT(ink.pixels, 0);
    EXPECT_GE(ink.darkest, 145);
    EXPECT_LE(ink.darkest, 165);
    EXPECT_EQ(t.target.Pixel(t.box->UpRect().left, t.box->UpRect().top), kUpNonColour);
}

}  // namespace
}  // namespace valmore
