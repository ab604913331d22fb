#include <gtest/gtest.h>

#include "shell/Resolution.h"
#include "shell/ShellFixture.h"
#include "ui/ViewHost.h"

namespace valmore {
namespace {

TEST(ResolutionMode, TheScreenSizeChoosesTheModeAndTheCanvasIsCentred) {
    struct Case {
        Size screen;
        int mode;
        Point offset;
    };
    const Case cases[] = {
        {{1280, 1024}, kModeSxga, {0, 0}},   // exactly the SXGA canvas
        {{1280, 960}, kModeXga, {128, 96}},  // wide enough but not tall enough
        {{1600, 1200}, kModeSxga, {160, 88}},
        {{1024, 768}, kModeXga, {0, 0}},
        {{800, 600}, kModeXga, {0, 0}},  // smaller than the canvas: cut at the right and bottom
        {{1279, 1200}, kModeXga, {127, 216}},
        {{1025, 769}, kModeXga, {0, 0}},  // an odd pixel more does not shift the canvas by a half
    };
    for (const Case& c : cases) {
        const Resolution r = ChooseResolution(c.screen);
        EXPECT_EQ(r.mode, c.mode) << c.screen.width << "x" << c.screen.height;
        EXPECT_EQ(r.offset, c.offset) << c.screen.width << "x" << c.screen.height;
        EXPECT_EQ(r.canvas, CanvasSizeOf(c.mode));
    }
}

TEST(ResolutionMode, AForcedModeWinsOverTheScreenSize) {
    const Resolution small = ChooseResolution({1024, 768}, kModeSxga);
    EXPECT_EQ(small.mode, kModeSxga);
    EXPECT_EQ(small.canvas, (Size{1280, 1024}));
    EXPECT_EQ(small.offset, (Point{0, 0}));

    const Resolution large = ChooseResolution({1600, 1200}, kModeXga);
    EXPECT_EQ(large.mode, kModeXga);
    EXPECT_EQ(large.offset, (Point{288, 216}));
}

TEST(ResolutionMode, TheMainViewPlacesItsCanvasAndStartsTheTimer) {
    test::ShellFixture shell({1600, 1200});
    CMainView& view = shell.Create();
    ASSERT_TRUE(shell.created);
    EXPECT_EQ(view.Mode(), kModeSxga);
    EXPECT_EQ(shell.window.CanvasSize(), (Size{1280, 1024}));
    EXPECT_EQ(shell.window.CanvasOffset(), (Point{160, 88}));
    EXPECT_EQ(view.CanvasOffset(), (Point{160, 88}));
    EXPECT_EQ(shell.window.TickPeriod(), 100);
    EXPECT_EQ(shell.context.skin.Mode(), kModeSxga);
    EXPECT_TRUE(shell.context.HasPopups());
    // The screens wait for the first paint.
    EXPECT_FALSE(view.ScreensBuilt());
    shell.Pump();
    EXPECT_TRUE(view.ScreensBuilt());
    EXPECT_EQ(view.CurrentScreen(), 1);
}

}  // namespace
}  // namespace valmore
