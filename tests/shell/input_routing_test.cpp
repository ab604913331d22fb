#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Sjis.h"
#include "shell/PlaceholderScreen.h"
#include "shell/ShellFixture.h"

namespace valmore {
namespace {

using test::ShellFixture;

// A panel that writes what reaches it into a shared journal.
class RecordingPanel : public CPanel {
public:
    RecordingPanel(IViewHost& owner, std::string name, std::vector<std::string>& journal, Rect rect)
        : CPanel(owner), name_(std::move(name)), journal_(journal) {
        SetRect(rect.left, rect.top, rect.Width(), rect.Height());
    }
    void OnMouseMove(Point) override { journal_.push_back(name_ + " move"); }
    void OnMouseDown(unsigned, int, int) override { journal_.push_back(name_ + " down"); }
    void OnMouseUp(unsigned, int, int) override { journal_.push_back(name_ + " up"); }
    bool OnKeyDown(int key) override {
        journal_.push_back(name_ + " key " + std::to_string(key));
        return true;
    }

private:
    std::string name_;
    std::vector<std::string>& journal_;
};

// Three panels: "a" and "b" overlap at (150, 150); "c" lies elsewhere.
class OverlapScreen : public CScreen {
public:
    OverlapScreen(IViewHost& owner, std::vector<std::string>& journal) : CScreen(owner) {
        AddPanel<RecordingPanel>(owner, "a", journal, Rect{100, 100, 200, 200});
        AddPanel<RecordingPanel>(owner, "b", journal, Rect{150, 150, 250, 250});
        AddPanel<RecordingPanel>(owner, "c", journal, Rect{600, 600, 700, 700});
    }
};

ScreenFactory OverlapFactory(std::vector<std::string>& journal) {
    return [&journal](IViewHost& host, CAppContext&) { return std::make_unique<OverlapScreen>(host, journal); };
}

TEST(InputRouting, AClickReachesEveryPanelUnderItInTableOrderAndMovesReachAll) {
    ShellFixture shell;
    std::vector<std::string> journal;
    shell.context.screenFactories[2] = OverlapFactory(journal);
    CMainView& view = shell.Started();
    view.SwitchScreen(2);

    shell.window.QueueInput(InputEvent::MouseMove(160, 160));
    shell.Click({160, 160});
    shell.Pump();
    EXPECT_EQ(journal, (std::vector<std::string>{"a move", "b move", "c move", "a down", "b down", "a up", "b up"}));

    // The right and bottom edges are outside: (200, 200) belongs to "b" only.
    journal.clear();
    shell.Click({200, 200});
    shell.Pump();
    EXPECT_EQ(journal, (std::vector<std::string>{"b down", "b up"}));
}

TEST(InputRouting, APracticeRunThatRefusesAClickKeepsItFromThePanelsButStillRunsTheGateAndRepaints) {
    ShellFixture shell;
    std::vector<std::string> journal;
    shell.context.screenFactories[2] = OverlapFactory(journal);
    int offered = 0;
    int gates = 0;
    bool accept = false;
    shell.context.tutorial.isActive = [] { return true; };
    shell.context.tutorial.acceptClick = [&](const InputEvent&) {
        ++offered;
        return accept;
    };
    shell.context.tutorial.gate = [&] { ++gates; };
    CMainView& view = shell.Started();
    view.SwitchScreen(2);
    const int presents = shell.window.PresentCount();

    shell.Click({160, 160});
    shell.Pump();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(gates, 2);
    EXPECT_GT(shell.window.PresentCount(), presents);

    accept = true;
    shell.Click({160, 160});
    shell.Pump();
    EXPECT_EQ(journal, (std::vector<std::string>{"a down", "b down", "a up", "b up"}));
    EXPECT_EQ(gates, 4);
}

TEST(InputRouting, EscapeOnlyAsksARunningPracticeRunToStop) {
    ShellFixture shell;
    std::vector<std::string> journal;
    shell.context.screenFactories[2] = OverlapFactory(journal);
    bool active = false;
    int stops = 0;
    shell.context.tutorial.isActive = [&] { return active; };
    shell.context.tutorial.requestStop = [&] { ++stops; };
    CMainView& view = shell.Started();
    view.SwitchScreen(2);
    const int presents = shell.window.PresentCount();

    shell.window.QueueInput(InputEvent::KeyDown(kKeyEscape));
    shell.Pump();
    EXPECT_EQ(stops, 0);
    EXPECT_TRUE(journal.empty());  // not even the screen sees it
    EXPECT_EQ(view.CurrentScreen(), 2);
    EXPECT_EQ(shell.window.PresentCount(), presents);

    active = true;
    shell.window.QueueInput(InputEvent::KeyDown(kKeyEscape));
    shell.Pump();
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(journal.empty());

    // Other keys go to the current screen.
    shell.window.QueueInput(InputEvent::KeyDown('A'));
    shell.Pump();
    EXPECT_EQ(journal, (std::vector<std::string>{"a key 65"}));
}

TEST(InputRouting, TicksAdvanceTheDayControllerOnlyOnTheSimulationScreen) {
    ShellFixture shell;
    int advanced = 0;
    bool changed = false;
    shell.context.tickController = [&] {
        ++advanced;
        return changed;
    };
    CMainView& view = shell.Started();

    shell.window.QueueTick(5);
    shell.Pump();
    EXPECT_EQ(advanced, 0);
    EXPECT_EQ(view.TickCount(), 5);

    view.SwitchScreen(0);
    shell.window.InvalidateAll();
    shell.Pump();
    int presents = shell.window.PresentCount();
    shell.window.QueueTick(3);
    shell.Pump();
    EXPECT_EQ(advanced, 3);
    EXPECT_EQ(shell.window.PresentCount(), presents);  // nothing changed, nothing repainted

    changed = true;
    shell.window.QueueTick();
    shell.Pump();
    EXPECT_EQ(advanced, 4);
    EXPECT_EQ(shell.window.PresentCount(), presents + 1);

    view.SwitchScreen(3);
    shell.window.QueueTick(4);
    shell.Pump();
    EXPECT_EQ(advanced, 4);
}

// A simulation screen stand-in whose only panel asks a question when clicked.
class AskingScreen : public CScreen {
public:
    AskingScreen(IViewHost& owner, CAppContext& context) : CScreen(owner) {
        auto* button = AddPanel<CSkinButton>(owner);
        button->SetRect(10, 10, 100, 30);
        button->onClick = [&context, this](unsigned, int, int, CSkinButton&) {
            answer = context.MessagePopup().Show(QVDialog::kModeQuestion, Sj("続けますか？"));
        };
    }
    int answer = -1;
};

TEST(InputRouting, APlayKeepsTickingWhileAQuestionIsOpenAndOnlyThePopupGetsTheClicks) {
    ShellFixture shell;
    AskingScreen* asking = nullptr;
    shell.context.screenFactories[0] = [&](IViewHost& host, CAppContext& context) {
        auto screen = std::make_unique<AskingScreen>(host, context);
        asking = screen.get();
        return screen;
    };
    int advanced = 0;
    shell.context.tickController = [&] {
        ++advanced;
        return false;
    };
    CMainView& view = shell.Started();
    view.SwitchScreen(0);
    ASSERT_NE(asking, nullptr);

    QVDialog& popup = shell.context.MessagePopup();
    int ticksWhileOpen = 0;
    shell.window.SetFeed([&](CHeadlessWindow& window) {
        if (!popup.IsOpen()) return false;
        if (ticksWhileOpen == 0) {
            window.QueueTick(4);
            ticksWhileOpen = 4;
            // A click on the asking button's place would start a second question if it got through.
            window.QueueInput(InputEvent::LeftDown(50, 20));
            window.QueueInput(InputEvent::LeftUp(50, 20));
            return true;
        }
        const Rect bounds = popup.Bounds();
        const Point no = ShellFixture::Centre(popup.Button2().GetRect().Offset(bounds.left, bounds.top));
        window.QueueInput(InputEvent::LeftDown(no.x, no.y));
        window.QueueInput(InputEvent::LeftUp(no.x, no.y));
        return true;
    });
    shell.Click({50, 20});
    shell.Pump();
    EXPECT_EQ(asking->answer, QVDialog::kResultNo);
    EXPECT_EQ(advanced, 4);
    EXPECT_FALSE(popup.IsOpen());
    EXPECT_EQ(view.CurrentScreen(), 0);
}

TEST(InputRouting, ScreensWithoutTheirOwnClassAreNamedPlaceholdersAndUnknownNumbersAreRefused) {
    ShellFixture shell;
    std::vector<int> built;
    for (int slot = 0; slot < 8; ++slot) {
        if (slot == 1) continue;
        shell.context.screenFactories[static_cast<std::size_t>(slot)] = [&built, slot](IViewHost&, CAppContext&) {
            built.push_back(slot);
            return std::unique_ptr<CScreen>();  // nothing yet: the placeholder stands in
        };
    }
    CMainView& view = shell.Started();
    EXPECT_EQ(built, (std::vector<int>{2, 0, 3, 4, 5, 6, 7}));
    EXPECT_EQ(view.CurrentScreen(), 1);

    for (int slot = 0; slot < 8; ++slot) {
        ASSERT_NE(view.ScreenAt(slot), nullptr) << slot;
        if (slot == 1) continue;
        const auto* placeholder = dynamic_cast<const CPlaceholderScreen*>(view.ScreenAt(slot));
        ASSERT_NE(placeholder, nullptr) << slot;
        EXPECT_EQ(placeholder->Caption(), CPlaceholderScreen::ScreenName(slot));
    }
    EXPECT_EQ(view.ScreenAt(8), nullptr);
    EXPECT_EQ(view.ScreenAt(-1), nullptr);

    view.SwitchScreen(8);
    EXPECT_EQ(view.CurrentScreen(), 1);
    view.SwitchScreen(42);
    EXPECT_EQ(view.CurrentScreen(), 1);
    view.SwitchScreen(6);
    shell.window.InvalidateAll();
    shell.Pump();
    EXPECT_EQ(view.CurrentScreen(), 6);

    // A placeholder is never a dead end: its button leads back to the menu.
    const auto* ranking = dynamic_cast<const CPlaceholderScreen*>(view.ScreenAt(6));
    ASSERT_NE(ranking->BackButton(), nullptr);
    shell.Click(ShellFixture::Centre(ranking->BackButton()->GetRect()));
    shell.Pump();
    EXPECT_EQ(view.CurrentScreen(), 1);
}

TEST(InputRouting, ClosingTheWindowReleasesThePlayAndEndsTheProgram) {
    ShellFixture shell;
    int released = 0;
    shell.context.onDestroyPlay = [&] { ++released; };
    shell.context.controller.StartPlay();
    CMainView& view = shell.Started();
    shell.window.QueueInput(InputEvent::CloseRequest());
    EXPECT_EQ(view.Run(), CPlatformWindow::LoopEnd::Quit);
    EXPECT_EQ(shell.context.controller.Play(), nullptr);
    EXPECT_EQ(released, 1);
    EXPECT_TRUE(shell.window.QuitPosted());
}

}  // namespace
}  // namespace valmore
