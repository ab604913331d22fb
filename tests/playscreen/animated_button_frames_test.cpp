#include <gtest/gtest.h>

#include "platform/Canvas.h"
#include "playscreen/AnimatedButton.h"
#include "ui/FakeViewHost.h"
#include "ui/Skin.h"

namespace valmore {
namespace {

class ExecuteButton : public ::testing::TestWithParam<int> {
protected:
    explicit ExecuteButton(std::filesystem::path dataDir = VALMORE_RUN_DIR)
        : host(GetParam()),
          button(host, dataDir),
          target(CBitmap::Create(host.CanvasSize().width, host.CanvasSize().height, Rgb{255, 255, 255})),
          canvas(target) {
        button.PlaceAt(GetParam() == kModeSxga ? 1205 : 963, GetParam() == kModeSxga ? 515 : 412);
    }
    // Whether the button's rectangle shows exactly this picture.
    bool Shows(const CBitmap& picture) const {
        const Rect r = button.GetRect();
        if (picture.IsEmpty()) return false;
        for (int y = 0; y < std::min(r.Height(), picture.Height()); ++y)
            for (int x = 0; x < std::min(r.Width(), picture.Width()); ++x)
                if (target.Pixel(r.left + x, r.top + y) != picture.Pixel(x, y)) return false;
        return true;
    }
    // Some frames of the pulse look alike, so a frame is recognised by its number, not its picture.
    bool ShowsFrame(int number) const { return Shows(button.Frame(number % CAnimatedButton::kFrameCount)); }

    test::FakeViewHost host;
    CAnimatedButton button;
    CBitmap target;
    CCanvas canvas;
};

TEST_P(ExecuteButton, LoadsAllTwentyTwoFramesOfTheModesSkin) {
    EXPECT_EQ(button.FramesLoaded(), CAnimatedButton::kFrameCount);
    EXPECT_EQ(button.Frame(0).GetSize(), host.Skin().BitmapSize(27));
    EXPECT_EQ(button.GetRect().Width(), host.Skin().Width(28));
}

TEST_P(ExecuteButton, WhileEnabledEveryPaintShowsTheNextFrame) {
    // The screen repaints the button at every tick, also while the practice run holds the play, so
    // the animation never depends on the play moving on.
    button.enabled = true;
    for (int i = 0; i < 30; ++i) {
        button.Draw(canvas);
        ASSERT_TRUE(ShowsFrame(i)) << "paint " << i;
        ASSERT_EQ(button.FrameCounter(), i + 1);
    }
}

TEST_P(ExecuteButton, DisabledItShowsItsDisabledPictureAndTheAnimationWaits) {
    button.enabled = true;
    for (int i = 0; i < 5; ++i) button.Draw(canvas);
    const int counter = button.FrameCounter();
    ASSERT_EQ(counter, 5);

    button.enabled = false;
    for (int i = 0; i < 7; ++i) {
        button.Draw(canvas);
        EXPECT_TRUE(Shows(host.Skin().Bitmap(27)));
    }
    EXPECT_EQ(button.FrameCounter(), counter);

    button.enabled = true;
    button.Draw(canvas);
    EXPECT_TRUE(ShowsFrame(counter)) << "it resumes where it stopped";
    EXPECT_EQ(button.FrameCounter(), counter + 1);
}

class ExecuteButtonWithoutFrames : public ExecuteButton {
protected:
    ExecuteButtonWithoutFrames() : ExecuteButton("/nonexistent/valmore") {}
};

TEST_P(ExecuteButtonWithoutFrames, MissingFramesFallBackToTheButtonPictures) {
    EXPECT_EQ(button.FramesLoaded(), 0);
    button.enabled = true;
    button.Draw(canvas);
    EXPECT_TRUE(Shows(host.Skin().Bitmap(28)));
    button.pressed = true;
    button.Draw(canvas);
    EXPECT_TRUE(Shows(host.Skin().Bitmap(26)));
}

INSTANTIATE_TEST_SUITE_P(Modes, ExecuteButton, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeSxga ? "Sxga" : "Xga"; });
INSTANTIATE_TEST_SUITE_P(Modes, ExecuteButtonWithoutFrames, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeSxga ? "Sxga" : "Xga"; });

}  // namespace
}  // namespace valmore
