// What the practice run draws over the screen: a white balloon with a grey outline and its text, and a
// red frame that blinks; and over the message box, the frame round one of its buttons.

#include <gtest/gtest.h>

#include "FakePracticePlay.h"
#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "tutorial/BalloonStep.h"
#include "tutorial/ClickTargetStep.h"
#include "tutorial/MessageBoxStep.h"
#include "tutorial/Tutorial.h"
#include "tutorial/WaitStep.h"
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
    tutorial.Start();
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
    // The frame runs round the rectangle, a few pixels out, and never over what it points at.
    const Rect around{frame.left - 6, frame.top - 6, frame.right + 6, frame.bottom + 6};
    EXPECT_GT(Count(shown, around, red), 100);
    EXPECT_EQ(Count(shown, frame, red), 0);

    // Eight polls later the frame is in the dark part of its blinking, and the panels have been told
    // to redraw what it covered.
    for (int i = 0; i < 8; ++i) tutorial.Gate();
    EXPECT_GT(play.refreshes, 0);
    EXPECT_EQ(Count(DrawnOverScreen(tutorial), around, red), 0);
}

TEST(Drawing, TheMessageBoxFrameIsDrawnOverTheBoxAloneAndBlinksOnSevenOfEverySixteenPolls) {
    CSkin skin;
    test::FakePracticePlay play;
    const Rect box = test::FakePracticePlay::kBox;
    const Rect frame{430, 4, 490, 44};  // in the box
    std::vector<std::unique_ptr<CTutorialStep>> steps;
    steps.push_back(std::make_unique<CWaitStep>(0, Condition{ConditionKind::GroupDone}, false, false));
    steps.push_back(std::make_unique<CMessageBoxStep>(0, frame));
    CTutorial tutorial(play, skin, std::move(steps));
    play.now.boxOpen = true;
    tutorial.Start();
    tutorial.Poll();
    EXPECT_EQ(tutorial.PopupFrame(), frame);

    const Rgb red{255, 0, 0};
    const auto drawnOverBox = [&] {
        CBitmap target = CBitmap::Create(box.Width(), box.Height(), kScreen);
        {
            CCanvas canvas(target);
            tutorial.DrawOverPopup(canvas);
        }
        return target;
    };
    for (int poll = 0; poll < 32; ++poll) {
        SCOPED_TRACE(testing::Message() << "poll " << poll);
        const CBitmap shown = drawnOverBox();
        EXPECT_EQ(Count(shown, frame, red) > 60, poll % 16 < 7);
        EXPECT_EQ(Count(shown, Rect{frame.left + 6, frame.top + 6, frame.right - 6, frame.bottom - 6}, red), 0);
        EXPECT_EQ(Count(DrawnOverScreen(tutorial), Rect{0, 0, 1024, 768}, red), 0) << "drawn under the box";
        EXPECT_FALSE(tutorial.Poll());
        EXPECT_EQ(play.boxFrame,
                  (Rect{box.left + frame.left, box.top + frame.top, box.left + frame.right, box.top + frame.bottom}));
    }

    // Closing the box ends the group, and the frame with it.
    play.now.boxOpen = false;
    EXPECT_TRUE(tutorial.Poll());
    EXPECT_EQ(tutorial.PopupFrame(), std::nullopt);
}

}  // namespace
}  // namespace valmore
