// The real program on a virtual display, driven only by mouse clicks: from the main menu to a
// scenario, through every day of it, to the result screen, back to the menu and out. The finished
// play must be on disk as one record of that scenario. Needs Xvfb, xdotool and import; skipped
// without them.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "playscreen/AnimatedButton.h"
#include "playscreen/SimulationScreen.h"
#include "results/ResultStore.h"
#include "results/screens/ResultScreen.h"
#include "scenario/screens/ScenarioSelectScreen.h"
#include "shell/MainMenuScreen.h"
#include "shell/ProgramScreens.h"
#include "shell/ShellFixture.h"
#include "shell/XvfbSession.h"
#include "ui/Skin.h"

namespace valmore {
namespace {

using test::Clock;
using test::milliseconds;
using test::ScreenImage;
using test::XvfbSession;

// The practice scenario: seven days, so a whole play fits comfortably in the time of one test.
constexpr const char* kScenarioId = "VM-P00";
constexpr int kScenarioDays = 7;

// Where the program's screens put the buttons the play needs, read from the screens themselves as a
// headless copy of the program builds them for the same screen size.
struct ClickTargets {
    Point selectionButton;  // main menu: scenario selection
    Point quitButton;       // main menu: quit
    Point scenarioRow;
    Point startButton;
    std::array<Point, CSimulationScreen::kOrderColumns> pass{};
    std::array<Point, CSimulationScreen::kOrderColumns> passCorner{};
    Point execute;
    Point resultMenuButton;
    Point resultMenuCorner;
    Point selectMenuCorner;
    Point quitCorner;
};

std::optional<ClickTargets> FindTargets(Size screen) {
    test::ShellFixture fixture(screen);
    InstallProgramScreens(fixture.context);
    CMainView& view = fixture.Started();
    auto* menu = dynamic_cast<CMainMenuScreen*>(view.ScreenAt(kScreenMainMenu));
    auto* select = dynamic_cast<CScenarioSelectScreen*>(view.ScreenAt(kScreenScenarioSelect));
    auto* simulation = dynamic_cast<CSimulationScreen*>(view.ScreenAt(kScreenSimulation));
    auto* result = dynamic_cast<CResultScreen*>(view.ScreenAt(kScreenResult));
    if (!menu || !select || !simulation || !result) return std::nullopt;

    const CScenarioCatalog& catalog = select->Catalog();
    int index = -1;
    for (int i = 0; i < catalog.EntryCount(); ++i) {
        if (catalog.Entry(i)->header.ID == kScenarioId) index = i;
    }
    // The scenario must be on the first page, where the screen opens.
    if (index < 0 || index >= CScenarioCatalog::kRowsPerPage) return std::nullopt;

    ClickTargets targets;
    targets.selectionButton = test::Centre(menu->Button(1).GetRect());
    targets.quitButton = test::Centre(menu->Button(3).GetRect());
    targets.quitCorner = {menu->Button(3).GetRect().left, menu->Button(3).GetRect().top};
    targets.scenarioRow = test::Centre(catalog.Cell(index, 1));
    targets.startButton = test::Centre(select->StartButton().GetRect());
    targets.selectMenuCorner = {select->MenuButton().GetRect().left, select->MenuButton().GetRect().top};
    for (int c = 0; c < CSimulationScreen::kOrderColumns; ++c) {
        const Rect pass = simulation->PassButton(c).GetRect();
        targets.pass[static_cast<std::size_t>(c)] = test::Centre(pass);
        targets.passCorner[static_cast<std::size_t>(c)] = {pass.left, pass.top};
    }
    targets.execute = test::Centre(simulation->ExecuteButton().GetRect());
    const Rect menuButton = result->MenuButton().GetRect();
    targets.resultMenuButton = test::Centre(menuButton);
    targets.resultMenuCorner = {menuButton.left, menuButton.top};
    return targets;
}

// Clicks, and repeats the click until the display shows its effect: without a window manager a click
// may be lost while the window is mapped again, and a click may land just before a button is enabled.
template <class Effect>
bool ClickUntil(XvfbSession& session, Point at, Effect effect, int attempts = 4) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (!session.Click(at)) return false;
        if (session.WaitUntil(effect, milliseconds(2000))) return true;
    }
    return false;
}

TEST(RealWindowPlay, APracticePlayedByClicksEndsOnTheResultScreenAndIsRecorded) {
    if (!XvfbSession::ToolsInstalled()) GTEST_SKIP() << "Xvfb, xdotool or import is not installed";
    ASSERT_TRUE(std::filesystem::exists(test::ProgramPath())) << test::ProgramPath();
    const auto testEnd = Clock::now() + std::chrono::seconds(85);

    const Size screen{1024, 768};
    const std::optional<ClickTargets> found = FindTargets(screen);
    ASSERT_TRUE(found.has_value()) << "the practice scenario is not on the first page of the selection";
    const ClickTargets& at = *found;

    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, kModeXga);
    const CBitmap& passUp = skin.Bitmap(31);
    const CBitmap& passDown = skin.Bitmap(29);
    const CBitmap& passOff = skin.Bitmap(30);
    const CBitmap& quitUp = skin.Bitmap(52);
    const CBitmap& selectMenu = skin.Bitmap(62);
    const CBitmap& resultMenu = skin.Bitmap(80);
    const CBitmap& yesUp = skin.Bitmap(117);

    XvfbSession session(screen);
    ASSERT_TRUE(session.StartDisplay()) << "Xvfb did not start";
    test::TempDir userDir;
    std::string modeLine;
    ASSERT_TRUE(session.StartProgram({test::ProgramPath().string(), "--no-splash", "--data-dir", VALMORE_RUN_DIR,
                                      "--user-dir", userDir.Path().string()},
                                     &modeLine))
        << "no mode line";
    ASSERT_TRUE(session.WaitForWindow()) << "the window did not appear";

    auto mainMenuShown = [&](const ScreenImage& shot) { return shot.Shows(quitUp, at.quitCorner); };
    auto selectionShown = [&](const ScreenImage& shot) { return shot.Shows(selectMenu, at.selectMenuCorner); };
    auto resultShown = [&](const ScreenImage& shot) { return shot.Shows(resultMenu, at.resultMenuCorner); };
    // A column takes orders while its PASS button is enabled; it is undecided while that button is up.
    auto passShows = [&](const ScreenImage& shot, int c, const CBitmap& picture) {
        std::vector<const CBitmap*> others;
        for (const CBitmap* look : {&passUp, &passDown, &passOff}) {
            if (look != &picture) others.push_back(look);
        }
        return shot.Shows(picture, at.passCorner[static_cast<std::size_t>(c)], others);
    };
    auto takingOrders = [&](const ScreenImage& shot) {
        for (int c = 0; c < CSimulationScreen::kOrderColumns; ++c) {
            if (passShows(shot, c, passUp) || passShows(shot, c, passDown)) return true;
        }
        return false;
    };

    ASSERT_TRUE(session.WaitUntil(mainMenuShown, milliseconds(10000))) << "the main menu was not shown";
    ASSERT_TRUE(ClickUntil(session, at.selectionButton, selectionShown)) << "the scenario selection was not shown";
    // The start button is enabled only once the row is selected, and the selection screen gives way to
    // the play when it starts.
    bool started = false;
    for (int attempt = 0; attempt < 4 && !started; ++attempt) {
        ASSERT_TRUE(session.Click(at.scenarioRow));
        ASSERT_TRUE(session.Click(at.startButton));
        started = session.WaitUntil([&](const ScreenImage& shot) { return !selectionShown(shot); }, milliseconds(2000))
                      .has_value();
    }
    ASSERT_TRUE(started) << "the play did not start";

    // Each day: wait for the orders to open (six seconds on the first day, four later), pass in every
    // column in use, execute, and wait for the orders to close.
    int daysDecided = 0;
    bool finished = false;
    while (!finished && Clock::now() < testEnd) {
        std::optional<ScreenImage> shot = session.WaitUntil(
            [&](const ScreenImage& s) { return takingOrders(s) || resultShown(s); }, milliseconds(10000));
        ASSERT_TRUE(shot.has_value()) << "neither the orders of day " << daysDecided + 1 << " nor the result showed";
        if (resultShown(*shot)) {
            finished = true;
            break;
        }
        for (int c = 0; c < CSimulationScreen::kOrderColumns; ++c) {
            if (passShows(*shot, c, passUp)) {
                ASSERT_TRUE(session.Click(at.pass[static_cast<std::size_t>(c)]));
            }
        }
        ASSERT_TRUE(session.Click(at.execute));
        if (session.WaitUntil([&](const ScreenImage& s) { return !takingOrders(s); }, milliseconds(2000))) {
            ++daysDecided;
        }
    }
    ASSERT_TRUE(finished) << "the result screen was not reached in time";
    EXPECT_EQ(daysDecided, kScenarioDays);

    ASSERT_TRUE(ClickUntil(session, at.resultMenuButton, mainMenuShown)) << "the menu button did not lead back";
    const Point yesCorner{screen.width / 2 - skin.Width(90) / 2 + 440, screen.height / 2 - skin.Height(90) / 2 + 4};
    const Point yes = test::Centre(
        yesCorner, {std::min(skin.Width(117), skin.Width(86)), std::min(skin.Height(117), skin.Height(86))});
    ASSERT_TRUE(ClickUntil(session, at.quitButton, [&](const ScreenImage& s) { return s.Shows(yesUp, yesCorner); }))
        << "the quit question was not shown";
    std::optional<int> status;
    for (int attempt = 0; attempt < 3 && !status; ++attempt) {
        ASSERT_TRUE(session.Click(yes));
        status = session.Program().WaitExit(milliseconds(3000));
    }
    EXPECT_EQ(status, 0) << "the program did not end after yes";

    CResultStore results(userDir.Path() / "result.dat");
    ASSERT_TRUE(results.Load().Ok());
    EXPECT_EQ(results.Count(kScenarioId), 1);
    EXPECT_EQ(results.Lists().size(), 1u);
}

}  // namespace
}  // namespace valmore
