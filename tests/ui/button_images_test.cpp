#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "ui/FakeViewHost.h"
#include "ui/SkinButton.h"
#include "ui/SolidSkin.h"
#include "ui/UiPixels.h"

namespace valmore {
namespace {

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kWhite{255, 255, 255};

struct DrawnButton {
    test::SolidSkin files;
    std::unique_ptr<test::FakeViewHost> host;
    CBitmap target = CBitmap::Create(300, 200, kWhite);
    CCanvas canvas{target};

    DrawnButton() {
        files.Put(kModeXga, 12, 40, 20, kBlue);  // up
        files.Put(kModeXga, 10, 40, 20, kRed);   // dn
        files.Put(kModeXga, 11, 40, 20, kGrey);  // non
        host = std::make_unique<test::FakeViewHost>(kModeXga, files.Path());
    }
    Rgb Shown(CSkinButton& button) {
        target = CBitmap::Create(300, 200, kWhite);
        CCanvas fresh(target);
        button.Draw(fresh);
        return target.Pixel(button.GetRect().left + 5, button.GetRect().top + 5);
    }
};

TEST(ButtonImages, EachStateShowsItsOwnPicture) {
    DrawnButton t;
    CSkinButton button(*t.host, 12, 10, 11);
    button.PlaceAt(50, 60);
    EXPECT_EQ(t.Shown(button), kBlue);
    button.pressed = true;
    EXPECT_EQ(t.Shown(button), kRed);
    button.enabled = false;
    EXPECT_EQ(t.Shown(button), kGrey);
    button.pressed = false;
    EXPECT_EQ(t.Shown(button), kGrey);
    // The picture sits at the rectangle's corner at its own size.
    EXPECT_EQ(t.target.Pixel(49, 60), kWhite);
    EXPECT_EQ(t.target.Pixel(50, 60), kGrey);
    EXPECT_EQ(t.target.Pixel(89, 79), kGrey);
    EXPECT_EQ(t.target.Pixel(90, 79), kWhite);
}

TEST(ButtonImages, AHiddenButtonDrawsNothing) {
    DrawnButton t;
    CSkinButton button(*t.host, 12, 10, 11);
    button.PlaceAt(50, 60);
    button.visible = false;
    EXPECT_EQ(t.Shown(button), kWhite);
}

TEST(ButtonImages, AButtonWhosePicturesAreMissingDrawsNothing) {
    DrawnButton t;
    CSkinButton button(*t.host, 42, 40, 41);
    button.SetRect(50, 60, 30, 30);
    EXPECT_EQ(t.Shown(button), kWhite);
    EXPECT_EQ(test::InkOn(t.target, Rect{0, 0, 300, 200}).pixels, 0);
}

TEST(ButtonImages, ATextButtonIsAWhiteRoundedBoxWithItsLabelCentred) {
    DrawnButton t;
    CSkinButton button(*t.host);
    button.SetLabel(Sj("決定"));
    button.SetRect(20, 20, 100, 30);
    // Whatever the canvas held before, the box has a black outline and a white inside.
    t.canvas.SelectPen(Pen{PenStyle::Solid, 3, kRed});
    t.canvas.SelectBrush(Brush::Solid(kBlue));
    t.canvas.SetBackgroundColour(kRed);
    t.canvas.FillSolid(Rect{0, 0, 300, 200}, Rgb{0, 200, 0});
    button.Draw(t.canvas);

    EXPECT_EQ(t.target.Pixel(70, 20), (Rgb{0, 0, 0}));  // top edge
    EXPECT_EQ(t.target.Pixel(70, 49), (Rgb{0, 0, 0}));  // bottom edge
    EXPECT_EQ(t.target.Pixel(25, 23), kWhite);
    EXPECT_EQ(t.target.Pixel(20, 20), (Rgb{0, 200, 0}));  // the rounded corner leaves the background

    const test::Ink ink = test::InkOn(t.target, Rect{22, 22, 118, 48});
    ASSERT_GT(ink.pixels, 0);
    EXPECT_LT(ink.darkest, 80);
    for (int y = 22; y < 48; ++y) {
        for (int x = 22; x < 118; ++x) {
            const Rgb p = t.target.Pixel(x, y);
            ASSERT_FALSE(p.r > p.g + 40) << x << "," << y << ": the label is drawn without a background";
        }
    }
    const int leftGap = ink.box.left - 20;
    const int rightGap = 120 - ink.box.right;
    EXPECT_LE(std::abs(leftGap - rightGap), 3);
    const int topGap = ink.box.top - 20;
    const int bottomGap = 50 - ink.box.bottom;
    EXPECT_LE(std::abs(topGap - bottomGap), 4);
}

TEST(ButtonImages, ADisabledTextButtonHasAGreyLabel) {
    DrawnButton t;
    CSkinButton button(*t.host);
    button.SetRect(20, 20, 100, 30);
    button.enabled = false;
    button.Draw(t.canvas);
    const test::Ink ink = test::InkOn(t.target, Rect{22, 22, 118, 48});
    ASSERT_GT(ink.pixels, 0);
    EXPECT_GE(ink.darkest, 145);
    EXPECT_LE(ink.darkest, 160);
}

}  // namespace
}  // namespace valmore
