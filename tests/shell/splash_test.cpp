#include "shell/Splash.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/HeadlessWindow.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

TEST(Splash, TheGeneratedPictureIsShownCentredForTheWholeTime) {
    const auto file = CSplash::ImageFile(VALMORE_RUN_DIR);
    const CBitmap image = CBitmap::LoadBmpFile(file);
    ASSERT_FALSE(image.IsEmpty()) << file;
    EXPECT_EQ(image.GetSize(), (Size{522, 370}));

    CHeadlessWindow window({1280, 1024});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CSplash::Show(window, file, 150), CSplash::Outcome::Shown);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
    EXPECT_EQ(window.CanvasOffset(), (Point{379, 327}));
    EXPECT_GE(window.PresentCount(), 1);
    EXPECT_EQ(window.BackBuffer().Pixel(261, 185), image.Pixel(261, 185));
}

TEST(Splash, AMissingPictureShowsNothingAndWaitsForNothing) {
    test::TempDir dir;
    CHeadlessWindow window({1024, 768});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CSplash::Show(window, CSplash::ImageFile(dir.Path())), CSplash::Outcome::NoImage);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_FALSE(window.HasCanvas());

    // A file that is not a picture counts as missing.
    const auto junk = dir.Write("SR/splash.bmp", "BM not really");
    EXPECT_EQ(CSplash::Show(window, junk), CSplash::Outcome::NoImage);
}

TEST(Splash, ClosingTheWindowDuringTheSplashEndsItAtOnce) {
    CHeadlessWindow window({1024, 768});
    window.QueueInput(InputEvent::LeftDown(10, 10));  // ignored
    window.QueueInput(InputEvent::CloseRequest());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CSplash::Show(window, CSplash::ImageFile(VALMORE_RUN_DIR)), CSplash::Outcome::Closed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
}  // namespace valmore
