// What the practice run draws over the screen: a white balloon with a grey outline and its text, and a
// red frame that blinks.

#include <gtest/gtest.h>

#include "FakePracticePlay.h"
#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "tutorial/BalloonStep.h"
#include "tutorial/ClickTargetStep.h"
#include "tutorial/Tutorial.h"
#include "ui/Skin.h"
#include "ui/ViewHost.h"

namespace valmore {
namespace {

constexpr Rgb kScreen{0, 128, 0};

int Count(const CBitmap& bitmap, const Rect& within, Rgb colour) {
    int n = 0;
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) n += bitmap.Pixel(x, y) == colour ? 1 : 0;
    }
    return n;
}

CBitmap DrawnOverScreen(CTutorial& tutorial) {
    CBitmap target = CBitmap::Create(1024, 768, kScreen);
    {
        CCanvas canvas(target);
        tutorial.Draw(canvas);
    }
    return target;
}

TEST(Drawing, ABalloonIsCentredWithItsTextAndTheFrameBlinks) {
    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, kModeXga);
    test::FakePracticePlay play;
    const Rect frame{600, 500, 700, 540};
    std::vector<std::unique_ptr<CTutorialStep>> steps;
    steps.push_back(std::make_unique<CBalloonStep>(0, Rect{0, 0, 500, 100}, Size{1024, 768},
                                                   Condition{ConditionKind::GroupDone}, false, true, Footer::Click,
                                                   Sj("$f16$h06操作練習です。")));
    steps.push_back(std::make_unique<CClickTargetStep>(0, frame, Condition{ConditionKind::Click}, false, true));
    CTutorial tutorial(play, skin, std::move(steps));
    ASSERT_TRUE(tutorial.Start());
    tutorial.Gate();

    const CTutorialStep* balloon = tutorial.Active(0);
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->rect, (Rect{262, 334, 762, 434}));
    const CBitmap shown = DrawnOverScreen(tutorial);
    const Rect& b = balloon->rect;
    EXPECT_EQ(shown.Pixel(b.left, (b.top + b.bottom) / 2), (Rgb{154, 154, 154}));
    EXPECT_EQ(shown.Pixel(b.left - 1, (b.top + b.bottom) / 2), kScreen);
    EXPECT_GT(Count(shown, b, Rgb{0, 0, 0}), 50);
    const Rgb red{255, 0, 0};
    EXPECT_GT(Count(shown, frame, red), 100);
    EXPECT_EQ(Count(shown, Rect{frame.left + 4, frame.top + 4, frame.right - 4, frame.bottom - 4}, red), 0);

    // Eight polls later the frame is in the dark part of its blinking, and the panels have been told
    // to redraw what it covered.
    for (int i = 0; i < 8; ++i) tutorial.Gate();
    EXPECT_GT(play.refreshes, 0);
    EXPECT_EQ(Count(DrawnOverScreen(tutorial), frame, red), 0);
}

}  // namespace
}  // namespace valmore
