#include <gtest/gtest.h>

#include <vector>

#include "ui/FakeViewHost.h"
#include "ui/Screen.h"
#include "ui/SkinButton.h"
#include "ui/SolidSkin.h"

namespace valmore {
namespace {

constexpr int kUp = 12;
constexpr int kDn = 10;
constexpr int kNon = 11;

// One 40 x 20 bitmap button at (100, 100) on a screen, with its clicks recorded; input is replayed
// through the screen as the main view delivers it.
struct ButtonOnScreen {
    test::SolidSkin files;
    std::unique_ptr<test::FakeViewHost> host;
    std::unique_ptr<CScreen> screen;
    CSkinButton* button = nullptr;
    std::vector<Point> clicks;

    explicit ButtonOnScreen(int non = kNon) {
        files.Put(kModeXga, kUp, 40, 20, Rgb{0, 0, 255});
        files.Put(kModeXga, kDn, 40, 20, Rgb{255, 0, 0});
        files.Put(kModeXga, kNon, 40, 20, Rgb{128, 128, 128});
        host = std::make_unique<test::FakeViewHost>(kModeXga, files.Path());
        screen = std::make_unique<CScreen>(*host);
        button = screen->AddPanel<CSkinButton>(*host, kUp, kDn, non);
        button->PlaceAt(100, 100);
        button->onClick = [this](unsigned, int x, int y, CSkinButton&) { clicks.push_back({x, y}); };
    }
    void Down(int x, int y) { screen->MouseDown(kMouseLeftButton, x, y); }
    void Move(int x, int y) { screen->MouseMove({x, y}); }
    void Up(int x, int y) { screen->MouseUp(0, x, y); }
};

TEST(ButtonPressAndRelease, AClickInsideRunsTheHandlerOnceAndLeavesTheButtonUp) {
    ButtonOnScreen t;
    EXPECT_EQ(t.button->GetRect(), (Rect{100, 100, 140, 120}));
    t.Down(110, 110);
    EXPECT_TRUE(t.button->pressed);
    EXPECT_EQ(t.button->CurrentImage(), kDn);
    t.Move(115, 112);
    EXPECT_TRUE(t.button->pressed);
    t.Up(115, 112);
    EXPECT_FALSE(t.button->pressed);
    EXPECT_EQ(t.button->CurrentImage(), kUp);
    ASSERT_EQ(t.clicks.size(), 1u);
    EXPECT_EQ(t.clicks[0], (Point{115, 112}));
}

TEST(ButtonPressAndRelease, DraggingOffThePressedButtonLetsItGoAndReleasingOutsideDoesNothing) {
    ButtonOnScreen t;
    t.Down(110, 110);
    const int repaintsBefore = t.host->invalidateAllCount;
    t.Move(140, 110);  // the right edge is already outside
    EXPECT_FALSE(t.button->pressed);
    EXPECT_EQ(t.button->CurrentImage(), kUp);
    EXPECT_GT(t.host->invalidateAllCount, repaintsBefore);
    t.Up(300, 300);
    EXPECT_TRUE(t.clicks.empty());
}

TEST(ButtonPressAndRelease, TheReleaseAloneDecidesSoAPressThatBeganElsewhereStillClicks) {
    ButtonOnScreen t;
    t.Down(10, 10);
    t.Move(120, 110);
    EXPECT_FALSE(t.button->pressed);
    t.Up(120, 110);
    EXPECT_EQ(t.clicks.size(), 1u);

    // Pressed, dragged off, then released back over it later: the release clicks.
    t.Down(110, 110);
    t.Move(500, 500);
    t.Move(101, 101);
    t.Up(101, 101);
    EXPECT_EQ(t.clicks.size(), 2u);
}

TEST(ButtonPressAndRelease, TheRectangleIsHalfOpen) {
    ButtonOnScreen t;
    t.Up(140, 110);
    t.Up(120, 120);
    t.Up(99, 110);
    EXPECT_TRUE(t.clicks.empty());
    t.Up(100, 100);
    t.Up(139, 119);
    EXPECT_EQ(t.clicks.size(), 2u);
}

TEST(ButtonPressAndRelease, AToggleIgnoresPressesAndFlipsAtEachRelease) {
    ButtonOnScreen t;
    t.button->toggle = true;
    t.Down(110, 110);
    EXPECT_FALSE(t.button->pressed);
    t.Up(110, 110);
    EXPECT_TRUE(t.button->pressed);
    EXPECT_EQ(t.button->CurrentImage(), kDn);
    // Moving away does not let a toggle go.
    t.Down(110, 110);
    t.Move(600, 600);
    EXPECT_TRUE(t.button->pressed);
    t.Up(110, 110);
    EXPECT_FALSE(t.button->pressed);
    EXPECT_EQ(t.button->CurrentImage(), kUp);
    EXPECT_EQ(t.clicks.size(), 2u);
}

TEST(ButtonPressAndRelease, ADisabledButtonNeverPressesNorClicks) {
    ButtonOnScreen t;
    t.button->enabled = false;
    t.Down(110, 110);
    EXPECT_FALSE(t.button->pressed);
    t.Up(110, 110);
    EXPECT_TRUE(t.clicks.empty());
    EXPECT_EQ(t.button->CurrentImage(), kNon);

    t.button->toggle = true;
    t.Up(110, 110);
    EXPECT_FALSE(t.button->pressed);
    EXPECT_TRUE(t.clicks.empty());
}

TEST(ButtonPressAndRelease, ADisabledButtonWithoutADisabledImageLooksEnabled) {
    ButtonOnScreen t(-1);
    t.button->enabled = false;
    EXPECT_EQ(t.button->CurrentImage(), kUp);
    t.button->pressed = true;
    EXPECT_EQ(t.button->CurrentImage(), kDn);
}

TEST(ButtonPressAndRelease, AHiddenButtonTakesNoInput) {
    ButtonOnScreen t;
    t.button->visible = false;
    t.Down(110, 110);
    EXPECT_FALSE(t.button->pressed);
    t.Up(110, 110);
    EXPECT_TRUE(t.clicks.empty());
    // Even when called directly, as a panel that forwards input would.
    t.button->OnMouseDown(0, 110, 110);
    t.button->OnMouseUp(0, 110, 110);
    EXPECT_FALSE(t.button->pressed);
    EXPECT_TRUE(t.clicks.empty());

    t.button->visible = true;
    t.Up(110, 110);
    EXPECT_EQ(t.clicks.size(), 1u);
}

TEST(ButtonPressAndRelease, OneHandlerTellsButtonsApartByIdentifier) {
    ButtonOnScreen t;
    std::vector<int> seen;
    auto handler = [&](unsigned, int, int, CSkinButton& b) { seen.push_back(b.identifier); };
    t.button->identifier = 1;
    t.button->onClick = handler;
    CSkinButton* second = t.screen->AddPanel<CSkinButton>(*t.host, kUp, kDn, kNon);
    second->PlaceAt(200, 100);
    second->identifier = 2;
    second->onClick = handler;
    t.Up(210, 110);
    t.Up(110, 110);
    EXPECT_EQ(seen, (std::vector<int>{2, 1}));
}

}  // namespace
}  // namespace valmore
