// The real program on a virtual display: it must start in the mode the screen calls for, run the
// practice run from the menu until Escape, and end cleanly when the user quits from the main menu.
// Needs Xvfb and xdotool; skipped without them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "shell/MainMenuScreen.h"
#include "shell/XvfbSession.h"
#include "support/TempDir.h"
#include "tutorial/BalloonStep.h"
#include "tutorial/PracticeScript.h"
#include "ui/Skin.h"

namespace valmore {
namespace {

using test::Centre;
using test::Child;
using test::milliseconds;
using test::OnPath;
using test::Pipe;
using test::ProgramPath;
using test::RunCommand;
using test::WaitForPixel;

// practiceFirst: "操作練習" first, which must show its first balloon, then Escape back to the menu.
void QuitFromTheMainMenu(Size screen, ResolutionMode mode, const std::string& expectedLine,
                         bool practiceFirst = false) {
    if (!OnPath("Xvfb") || !OnPath("xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    ASSERT_TRUE(std::filesystem::exists(ProgramPath())) << ProgramPath();

    // Xvfb picks a free display number itself and tells it through the pipe once it accepts clients.
    Pipe displayPipe;
    Child xvfb;
    const std::string geometry = std::to_string(screen.width) + "x" + std::to_string(screen.height) + "x24";
    ASSERT_TRUE(xvfb.Start({"Xvfb", "-displayfd", std::to_string(displayPipe.Write()), "-screen", "0", geometry,
                            "-nolisten", "tcp", "-noreset"},
                           {}));
    displayPipe.CloseWrite();
    const std::optional<std::string> number = displayPipe.ReadLine(milliseconds(10000));
    ASSERT_TRUE(number && !number->empty()) << "Xvfb did not start";
    const std::string display = ":" + *number;

    test::TempDir userDir;
    Pipe output;
    Child program;
    // In a sanitizer build the display libraries (D-Bus, FriBidi) keep memory until the process ends,
    // which the leak check would count against the program; our own code's leaks are checked by the
    // headless tests, so only that check is turned off here.
    const char* asanOptions = std::getenv("ASAN_OPTIONS");
    const std::string asan =
        std::string("ASAN_OPTIONS=") + (asanOptions ? asanOptions + std::string(":") : "") + "detect_leaks=0";
    ASSERT_TRUE(program.Start(
        {ProgramPath().string(), "--no-splash", "--data-dir", VALMORE_RUN_DIR, "--user-dir", userDir.Path().string()},
        {"DISPLAY=" + display, asan}, output.Write()));
    output.CloseWrite();
    const std::optional<std::string> line = output.ReadLine(milliseconds(10000));
    ASSERT_TRUE(line.has_value()) << "no mode line";
    std::string ignored;
    EXPECT_EQ(*line, expectedLine);

    const std::optional<int> found =
        RunCommand({"xdotool", "search", "--sync", "--onlyvisible", "--pid", std::to_string(program.Pid())}, display,
                   milliseconds(10000), &ignored);
    ASSERT_EQ(found, 0) << "the window did not appear";

    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, mode);
    const Point quitCorner = CMainMenuScreen::Placement(mode).buttons[3];
    const Point quit = Centre(quitCorner, skin.BitmapSize(52));
    // The popup is centred on the screen; its yes button lies at (440, 4) inside it. The button's size
    // is taken as the smaller of the yes picture and the OK picture, so the centre hits either way.
    const Size popup = skin.BitmapSize(90);
    const Size yesSize{std::min(skin.Width(117), skin.Width(86)), std::min(skin.Height(117), skin.Height(86))};
    const Point yesCorner{screen.width / 2 - popup.width / 2 + 440, screen.height / 2 - popup.height / 2 + 4};
    const Point yes = Centre(yesCorner, yesSize);
    ASSERT_GT(popup.width, 0);

    // Without a window manager the toolkit may unmap and map the window again while it goes full
    // screen, and a click in between is lost; so each step is repeated until its effect shows: the
    // menu's quit button, then the question's yes button, then the end of the program.
    auto click = [&](Point at) {
        return RunCommand({"xdotool", "mousemove", "--sync", std::to_string(at.x), std::to_string(at.y), "click", "1"},
                          display, milliseconds(5000));
    };
    const CBitmap& quitPicture = skin.Bitmap(52);
    const CBitmap& yesPicture = skin.Bitmap(117);
    const Rgb quitPixel = quitPicture.Pixel(quit.x - quitCorner.x, quit.y - quitCorner.y);
    ASSERT_TRUE(WaitForPixel(display, quit, quitPixel, milliseconds(10000))) << "the main menu was not shown";
    if (practiceFirst) {
        // The first balloon is white inside its gray border, at the middle of its left edge.
        const Rect balloon = CBalloonStep::Place(PracticeScript(static_cast<int>(mode)).front().rect, screen);
        EXPECT_EQ(balloon.left + balloon.right, screen.width);
        EXPECT_EQ(balloon.top + balloon.bottom, screen.height);
        const Point inside{balloon.left + 5, (balloon.top + balloon.bottom) / 2};
        const Point practiceCorner = CMainMenuScreen::Placement(mode).buttons[0];
        const Point practice = Centre(practiceCorner, skin.BitmapSize(52));
        bool shown = false;
        for (int attempt = 0; attempt < 4 && !shown; ++attempt) {
            ASSERT_EQ(click(practice), 0);
            shown = WaitForPixel(display, inside, Rgb{255, 255, 255}, milliseconds(3000));
        }
        ASSERT_TRUE(shown) << "the first balloon was not shown";
        ASSERT_FALSE(WaitForPixel(display, quit, quitPixel, milliseconds(200))) << "the main menu is still shown";

        bool back = false;
        for (int attempt = 0; attempt < 3 && !back; ++attempt) {
            ASSERT_EQ(RunCommand({"xdotool", "key", "Escape"}, display, milliseconds(5000)), 0);
            back = WaitForPixel(display, quit, quitPixel, milliseconds(3000));
        }
        ASSERT_TRUE(back) << "Escape did not bring the main menu back";
    }
    bool asked = false;
    for (int attempt = 0; attempt < 4 && !asked; ++attempt) {
        ASSERT_EQ(click(quit), 0);
        asked =
            WaitForPixel(display, yes, yesPicture.Pixel(yes.x - yesCorner.x, yes.y - yesCorner.y), milliseconds(2000));
    }
    ASSERT_TRUE(asked) << "the quit question was not shown";
    std::optional<int> status;
    for (int attempt = 0; attempt < 3 && !status; ++attempt) {
        ASSERT_EQ(click(yes), 0);
        status = program.WaitExit(milliseconds(3000));
    }
    EXPECT_EQ(status, 0) << "the program did not end after yes";
}

TEST(RealWindow, OnAnXgaScreenTheProgramStartsInXgaModeAndQuitsFromTheMenu) {
    QuitFromTheMainMenu({1024, 768}, kModeXga, "valmore: XGA mode, canvas 1024x768, screen 1024x768");
}

TEST(RealWindow, OnAnSxgaScreenTheProgramStartsInSxgaModeAndQuitsFromTheMenu) {
    QuitFromTheMainMenu({1280, 1024}, kModeSxga, "valmore: SXGA mode, canvas 1280x1024, screen 1280x1024");
}

TEST(RealWindow, OnAnXgaScreenEscapeEndsThePracticeRunAndTheProgramStillQuits) {
    QuitFromTheMainMenu({1024, 768}, kModeXga, "valmore: XGA mode, canvas 1024x768, screen 1024x768", true);
}

TEST(RealWindow, OnAnSxgaScreenEscapeEndsThePracticeRunAndTheProgramStillQuits) {
    QuitFromTheMainMenu({1280, 1024}, kModeSxga, "valmore: SXGA mode, canvas 1280x1024, screen 1280x1024", true);
}

}  // namespace
}  // namespace valmore
