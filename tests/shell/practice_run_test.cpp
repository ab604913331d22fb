// The practice run over the real trainer, in both resolution modes: a beginner starts it from the
// main menu, clicks only inside the current click targets (after one try on a live button beside
// them), clicks a balloon that asks for a click, answers the message boxes, and otherwise waits for
// the next tick, until the main menu is back. Escape ends it at any moment.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <regex>
#include <tuple>
#include <vector>

#include "TrainerFixture.h"
#include "platform/Sjis.h"
#include "playscreen/AssetPanel.h"
#include "playscreen/InfoPanel.h"
#include "playscreen/MarketPanel.h"
#include "playscreen/NewsPanel.h"
#include "playscreen/OrderPanel.h"
#include "shell/PracticeRun.h"
#include "tutorial/BalloonStep.h"
#include "tutorial/ClickTargetStep.h"
#include "tutorial/PracticeScript.h"

namespace valmore {
namespace {

using test::Trainer;

constexpr int kSlack = 8;  // hand-made rectangles differ from the elements by a few pixels

bool Near(const Rect& a, const Rect& b) {
    return std::abs(a.left - b.left) <= kSlack && std::abs(a.top - b.top) <= kSlack &&
           std::abs(a.right - b.right) <= kSlack && std::abs(a.bottom - b.bottom) <= kSlack;
}

Rect Union(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// The elements a frame may point at: every panel and button, the arrows of the spin boxes, the first
// headline, the information text, and any block of neighbouring cells of the market and asset tables.
std::vector<Rect> Elements(const CSimulationScreen& screen) {
    std::vector<Rect> all;
    for (const auto& panel : screen.Panels()) all.push_back(panel->GetRect());
    for (int c = 0; c < CSimulationScreen::kOrderColumns; ++c) {
        all.push_back(screen.QuantityBox(c).UpRect());
        all.push_back(screen.QuantityBox(c).DownRect());
    }
    all.push_back(screen.NewsPanel().RowRect(0));
    all.push_back(screen.InfoPanel().TextArea());
    const auto blocks = [&all](int rows, int columns, const auto& cell) {
        for (int r1 = 0; r1 < rows; ++r1)
            for (int r2 = r1; r2 < rows; ++r2)
                for (int c1 = 0; c1 < columns; ++c1)
                    for (int c2 = c1; c2 < columns; ++c2) all.push_back(Union(cell(r1, c1), cell(r2, c2)));
    };
    blocks(CMarketPanel::kRows, CMarketPanel::kColumns, [&](int r, int c) { return screen.MarketPanel().Cell(r, c); });
    blocks(CAssetPanel::kRows, CAssetPanel::kColumns, [&](int r, int c) { return screen.AssetPanel().Cell(r, c); });
    return all;
}

std::string Nearest(const std::vector<Rect>& elements, const Rect& r) {
    const auto distance = [&r](const Rect& e) {
        return std::abs(e.left - r.left) + std::abs(e.top - r.top) + std::abs(e.right - r.right) +
               std::abs(e.bottom - r.bottom);
    };
    const Rect e = *std::ranges::min_element(elements, {}, distance);
    return "(" + std::to_string(e.left) + ", " + std::to_string(e.top) + ", " + std::to_string(e.right) + ", " +
           std::to_string(e.bottom) + ")";
}

// What a stray click could have changed on the screen.
auto Fingerprint(Trainer& t) {
    CSimulationScreen& s = t.Simulation();
    std::vector<int> order;
    for (int c = 0; c < CSimulationScreen::kOrderColumns; ++c) {
        order.push_back(static_cast<int>(s.OrderPanel().GetChoice(c)));
        order.push_back(s.QuantityBox(c).Value());
    }
    return std::make_tuple(order, s.NewsPanel().CurrentView(), s.NewsPanel().DetailPage(), s.InfoPanel().Page(),
                           s.InfoPanel().HistoryDepth(), t.Current(), t.context.controller.AcceptingOrders());
}

// The figures written in a balloon, as numbers ("6,000株" is 6000, "－42,000円" is 42000).
std::vector<long> YenFigures(const std::string& sjisText) {
    const std::string text = Cp932ToUtf8(sjisText);
    std::vector<long> figures;
    static const std::regex figure("([0-9][0-9,]*)(円|株)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), figure); it != std::sregex_iterator(); ++it) {
        std::string digits = (*it)[1];
        std::erase(digits, ',');
        if (digits.size() < 10) figures.push_back(std::stol(digits));
    }
    return figures;
}

// The simulation screen as the controller's view, with the times the controller said it released the
// practice play.
class AbandonCounter final : public IPlayView {
public:
    explicit AbandonCounter(IPlayView& screen) : screen_(screen) {}
    void OnPlayEvent(PlayEvent event) override {
        if (event == PlayEvent::PlayAbandoned) ++abandoned;
        screen_.OnPlayEvent(event);
    }
    void OnOrdersExecuted(const std::vector<ExecutedTrade>& trades) override { screen_.OnOrdersExecuted(trades); }
    bool OnTick() override { return screen_.OnTick(); }

    int abandoned = 0;

private:
    IPlayView& screen_;
};

class Beginner {
public:
    explicit Beginner(int mode) : t(mode), view(t.Simulation()) {
        t.context.controller.SetView(&view);
        t.window.SetFeed([this](CHeadlessWindow&) { return Act(); });
    }
    ~Beginner() { t.context.controller.SetView(&t.Simulation()); }

    CTutorial& Tutorial() { return t.context.practice->Tutorial(); }
    const CTutorialStep* Find(const std::function<bool(const CTutorialStep&)>& match) {
        for (int slot = 0; slot < CTutorial::kSlots; ++slot) {
            const CTutorialStep* step = Tutorial().Active(slot);
            if (step && match(*step)) return step;
        }
        return nullptr;
    }
    const CTutorialStep* ActiveOf(StepKind kind) {
        return Find([kind](const CTutorialStep& s) { return s.Kind() == kind; });
    }

    void Click(int x, int y) {
        t.window.QueueInput(InputEvent::LeftDown(x, y));
        t.window.QueueInput(InputEvent::LeftUp(x, y));
        if (!doubleClicks) return;
        t.window.QueueInput(InputEvent::LeftDown(x, y, kMouseLeftButton | kMouseRepeatClick));
        t.window.QueueInput(InputEvent::LeftUp(x, y, kMouseRepeatClick));
    }

    // The figures a balloon quotes of the asset table must be in the cells its frame points at.
    void CheckNewGroup() {
        const int last = started.empty() ? -1 : started.back();
        const CTutorialStep* first = Find([last](const CTutorialStep& s) { return s.group > last; });
        if (!first) return;
        started.push_back(first->group);
        // Group 10 had the beginner click the glossary link of the first news detail.
        if (first->group == 11) {
            EXPECT_GT(t.Simulation().InfoPanel().PageCount(), 0) << "the glossary link was missed";
        }
        readTicks = 0;
        // For looking at: VALMORE_PRACTICE_SHOTS names a folder that gets the canvas of every group (and
        // of every message box as it is answered).
        if (const char* shots = std::getenv("VALMORE_PRACTICE_SHOTS")) {
            t.window.BackBuffer().SavePng(
                std::filesystem::path(shots) /
                ((t.view->Mode() == kModeSxga ? "sxga-" : "xga-") + std::to_string(first->group) + ".png"));
        }
        const CSimulationScreen& screen = t.Simulation();
        const std::vector<Rect> elements = Elements(screen);
        const auto* balloon = dynamic_cast<const CBalloonStep*>(
            Find([&](const CTutorialStep& s) { return s.group == first->group && s.Kind() == StepKind::Balloon; }));
        for (int slot = 0; slot < CTutorial::kSlots; ++slot) {
            const CTutorialStep* step = Tutorial().Active(slot);
            if (!step || step->group != first->group) continue;
            if (step->Kind() == StepKind::Highlight || step->Kind() == StepKind::ClickTarget) {
                // The glossary link of the first news detail is a word in the text, not an element, and
                // the trade log is a few lines at the top of the information text.
                const bool link = step->Kind() == StepKind::ClickTarget &&
                                  screen.NewsPanel().CurrentView() == CNewsPanel::kDetailView &&
                                  screen.NewsPanel().GetRect().Contains(step->rect.left, step->rect.top);
                const Rect info = screen.InfoPanel().GetRect();
                const bool tradeLog = step->Kind() == StepKind::Highlight &&
                                      info.Contains(step->rect.left, step->rect.top) &&
                                      info.Contains(step->rect.right - 1, step->rect.bottom - 1);
                if (!link && !tradeLog) {
                    EXPECT_TRUE(std::ranges::any_of(elements, [&](const Rect& e) { return Near(e, step->rect); }))
                        << "group " << step->group << " frames (" << step->rect.left << ", " << step->rect.top << ", "
                        << step->rect.right << ", " << step->rect.bottom << ") on no element; nearest "
                        << Nearest(elements, step->rect);
                }
            }
            const Rect assets = screen.AssetPanel().GetRect();
            if (balloon && step->Kind() == StepKind::Highlight && assets.Contains(step->rect.left, step->rect.top) &&
                assets.Contains(step->rect.right - 1, step->rect.bottom - 1)) {
                std::vector<long> shown;
                for (int r = 0; r < CAssetPanel::kRows; ++r)
                    for (int c = 0; c < CAssetPanel::kColumns; ++c) {
                        const Rect cell = screen.AssetPanel().Cell(r, c);
                        if (step->rect.Contains((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2))
                            shown.push_back(std::labs(screen.AssetPanel().Value(r, c).value));
                    }
                const std::vector<long> quoted = YenFigures(balloon->Text());
                if (!quoted.empty()) {
                    EXPECT_TRUE(
                        std::ranges::any_of(quoted, [&](long q) { return std::ranges::find(shown, q) != shown.end(); }))
                        << "group " << step->group
                        << " quotes none of the figures in its cells: " << testing::PrintToString(shown) << " "
                        << testing::PrintToString(quoted);
                }
            }
        }
    }

    // A click that must not reach the screen; checked once it has been delivered.
    void Probe(std::string what) {
        probe = Fingerprint(t);
        probeWhat = std::move(what);
    }

    // One thing the beginner does; false once the run is over.
    bool Act() {
        if (probe && Tutorial().Running()) {
            EXPECT_EQ(*probe, Fingerprint(t)) << probeWhat << " reached the screen" << testing::PrintToString(*probe)
                                              << testing::PrintToString(Fingerprint(t));
        }
        probe.reset();
        if (!t.context.practice || !Tutorial().Running()) return false;
        if (t.Current() == kScreenSimulation) {
            CheckNewGroup();
            // Its clicks are swallowed while the run leads, so 終了 never looks as if it would act.
            EXPECT_FALSE(t.Simulation().QuitButton().enabled) << "in group " << (started.empty() ? -1 : started.back());
        }
        QVDialog& box = t.context.MessagePopup();
        if (box.IsOpen()) {
            // The box is read for a few ticks while its frame blinks round the OK button.
            if (boxTicks++ < 3) {
                t.window.QueueTick();
                return true;
            }
            boxTicks = 0;
            ++boxesAnswered;
            if (const char* shots = std::getenv("VALMORE_PRACTICE_SHOTS")) {
                t.window.BackBuffer().SavePng(
                    std::filesystem::path(shots) /
                    ((t.view->Mode() == kModeSxga ? "sxga-box" : "xga-box") + std::to_string(boxesAnswered) + ".png"));
            }
            const std::optional<Rect> frame = Tutorial().PopupFrame();
            const Rect ok = box.Button2().GetRect();
            EXPECT_TRUE(frame && Near(*frame, ok)) << "the message box frame misses its OK button";
            const Rect b = box.Bounds();
            // A few polls into its blinking the frame shows over the box.
            int red = 0;
            for (int y = ok.top - kSlack; y < ok.bottom + kSlack; ++y)
                for (int x = ok.left - kSlack; x < ok.right + kSlack; ++x)
                    red += t.window.BackBuffer().Pixel(b.left + x, b.top + y) == Rgb{255, 0, 0} ? 1 : 0;
            EXPECT_GT(red, 40) << "no frame over the message box";
            Click(b.left + (ok.left + ok.right) / 2, b.top + (ok.top + ok.bottom) / 2);
            return true;
        }
        if (const auto* target = dynamic_cast<const CClickTargetStep*>(ActiveOf(StepKind::ClickTarget))) {
            const Rect aim = target->Target();
            if (probedGroup != target->group) {
                // A live button beside the target: the click must not reach it.
                probedGroup = target->group;
                Probe("a click beside the target of group " + std::to_string(target->group));
                Click(aim.left - 4, (aim.top + aim.bottom) / 2);
                return true;
            }
            Click((aim.left + aim.right) / 2, (aim.top + aim.bottom) / 2);
            return true;
        }
        const CTutorialStep* waiting =
            Find([](const CTutorialStep& s) { return s.condition.kind == ConditionKind::Click; });
        const auto* balloon = waiting ? dynamic_cast<const CBalloonStep*>(ActiveOf(StepKind::Balloon)) : nullptr;
        if (balloon && readTicks++ >= 1) {
            readTicks = 0;
            Probe("a click on the balloon of group " + std::to_string(balloon->group));
            const Rect r = CBalloonStep::Place(balloon->rect, t.view->CanvasSize());
            Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            return true;
        }
        t.window.QueueTick();
        return true;
    }

    Trainer t;
    AbandonCounter view;
    std::optional<decltype(Fingerprint(std::declval<Trainer&>()))> probe;
    std::string probeWhat;
    std::vector<int> started;
    int probedGroup = -1;
    int boxTicks = 0;
    int readTicks = 0;
    int boxesAnswered = 0;
    bool doubleClicks = false;
};

// Runs the practice from the main menu until moment() holds, presses Escape there and then only lets
// the ticks go by until the run has ended. True if Escape was pressed.
bool EscapeWhen(Beginner& b, const std::function<bool(Beginner&)>& moment) {
    bool escaped = false;
    b.t.window.SetFeed([&](CHeadlessWindow& w) {
        if (!escaped && b.Tutorial().Running() && moment(b)) {
            escaped = true;
            w.QueueInput(InputEvent::KeyDown(kKeyEscape));
            w.QueueTick();
            return true;
        }
        // After Escape only ticks: the run must end by itself, also under an open message box.
        if (escaped) {
            if (!b.Tutorial().Running() && !b.t.context.MessagePopup().IsOpen()) return false;
            w.QueueTick();
            return true;
        }
        return b.Act();
    });
    b.t.Click(b.t.Menu().Button(0));
    return escaped;
}

class PracticeRun : public testing::TestWithParam<int> {};

TEST_P(PracticeRun, ABeginnerFollowsEveryGroupAndReturnsToTheMenuWithNothingStored) {
    const int mode = GetParam();
    Beginner b(mode);
    ASSERT_EQ(b.t.Current(), kScreenMainMenu);
    b.t.Click(b.t.Menu().Button(0));
    EXPECT_FALSE(b.Tutorial().Running());
    EXPECT_EQ(b.t.Current(), kScreenMainMenu);

    std::vector<int> expected;
    for (int g = 0; g < kPracticeGroups; ++g) expected.push_back(g);
    EXPECT_EQ(b.started, expected);
    EXPECT_EQ(b.boxesAnswered, 2);
    EXPECT_EQ(b.t.context.controller.Play(), nullptr);
    EXPECT_FALSE(b.Tutorial().PopupFrame());
    EXPECT_EQ(b.view.abandoned, 1);
    EXPECT_FALSE(std::filesystem::exists(b.t.context.ResultFile()));
    EXPECT_FALSE(std::filesystem::exists(b.t.context.SnapshotFile()));
}

TEST_P(PracticeRun, EscapeEndsTheRunDuringABalloonAWaitOrAMessageBox) {
    const int mode = GetParam();
    const std::vector<std::pair<const char*, std::function<bool(Beginner&)>>> moments{
        {"during the opening's wait", [](Beginner& b) { return b.ActiveOf(StepKind::Wait) != nullptr; }},
        {"during a balloon", [](Beginner& b) { return b.Tutorial().GroupNumber() > 30; }},
        {"with the message box open", [](Beginner& b) { return b.t.context.MessagePopup().IsOpen(); }},
    };
    for (const auto& [when, moment] : moments) {
        SCOPED_TRACE(when);
        Beginner b(mode);
        EXPECT_TRUE(EscapeWhen(b, moment));
        EXPECT_FALSE(b.Tutorial().Running());
        EXPECT_EQ(b.t.Current(), kScreenMainMenu);
        EXPECT_EQ(b.t.context.controller.Play(), nullptr);
        EXPECT_FALSE(b.t.context.MessagePopup().IsOpen());
        EXPECT_EQ(b.view.abandoned, 1);
        EXPECT_FALSE(std::filesystem::exists(b.t.context.ResultFile()));
        EXPECT_FALSE(std::filesystem::exists(b.t.context.SnapshotFile()));
    }
}

TEST_P(PracticeRun, ADoubleClickNeverPassesOverAGroup) {
    Beginner b(GetParam());
    b.doubleClicks = true;
    // Every click of the first two days, the message box's included, is a double click.
    ASSERT_TRUE(EscapeWhen(b, [](Beginner& b) { return b.Tutorial().GroupNumber() > 60; }));
    std::vector<int> expected;
    for (int g = 0; g < 60; ++g) expected.push_back(g);
    EXPECT_EQ(b.started, expected);
    EXPECT_EQ(b.boxesAnswered, 1);
}

TEST_P(PracticeRun, ANewRunAfterEscapeStartsFromAFreshOrderPanel) {
    Beginner b(GetParam());
    // Escape on the second day once 4,000 and 3,000 shares are chosen.
    ASSERT_TRUE(EscapeWhen(b, [](Beginner& b) { return b.Tutorial().GroupNumber() > 49; }));
    ASSERT_EQ(b.t.Simulation().QuantityBox(1).Value(), 3000);

    // The new run's first look at the order columns, before its first tick.
    EXPECT_TRUE(EscapeWhen(b, [](Beginner& b) {
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(b.t.Simulation().QuantityBox(c).Value(), 1000) << "column " << c;
            EXPECT_EQ(b.t.Simulation().OrderPanel().GetChoice(c), OrderChoice::None) << "column " << c;
        }
        return true;
    }));
}

INSTANTIATE_TEST_SUITE_P(BothModes, PracticeRun, testing::Values(kModeXga, kModeSxga), test::ModeName);

}  // namespace
}  // namespace valmore
