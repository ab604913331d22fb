// What the practice run draws over the screen: a white balloon with a grey outline, its text and its
// blue footer, and a red frame that blinks.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "FakePracticePlay.h"
#include "platform/Bitmap.h"
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
constexpr Rgb kWhite{255, 255, 255};

int CountPixels(const CBitmap& bitmap, const Rect& within, bool (*match)(Rgb)) {
    int n = 0;
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) n += match(bitmap.Pixel(x, y)) ? 1 : 0;
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

TEST(Drawing, ABalloonIsCentredWithItsTextAndFooterAndTheFrameBlinks) {
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

    const auto* balloon = dynamic_cast<const CBalloonStep*>(tutorial.Active(0));
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->rect, (Rect{262, 334, 762, 434}));

    const CBitmap target = DrawnOverScreen(tutorial);
    const Rect& b = balloon->rect;
    EXPECT_EQ(target.Pixel(b.left, (b.top + b.bottom) / 2), (Rgb{154, 154, 154}));
    EXPECT_EQ(target.Pixel(b.left + 5, b.bottom - 5), kWhite);
    EXPECT_EQ(target.Pixel(b.left - 1, (b.top + b.bottom) / 2), kScreen);
    EXPECT_GT(CountPixels(target, balloon->TextRect(), [](Rgb p) { return p.r < 100 && p.g < 100 && p.b < 100; }), 50);
    const Rect footer =
        balloon->FooterRect(skin.Font(CBalloonStep::kFooterFont)->TextExtent(CBalloonStep::FooterText(Footer::Click)));
    EXPECT_GT(CountPixels(target, footer, [](Rgb p) { return p.b > 200 && p.r < 200; }), 20);
    auto red = [](Rgb p) { return p.r == 255 && p.g == 0 && p.b == 0; };
    EXPECT_GT(CountPixels(target, frame, red), 100);
    EXPECT_EQ(CountPixels(target, Rect{frame.left + 4, frame.top + 4, frame.right - 4, frame.bottom - 4}, red), 0);

    // Seven polls later the frame is in the dark part of its blinking; the panels are marked once
    // it has gone, so what was drawn under it comes back.
    for (int i = 0; i < 8; ++i) tutorial.Gate();
    EXPECT_GT(play.refreshes, 0);
    EXPECT_EQ(CountPixels(DrawnOverScreen(tutorial), frame, red), 0);
}

}  // namespace
}  // namespace valmore
