#pragma once

// A stand-in for the screens under the practice run: a day controller that paces the days as the real
// one does (opening, news, orders, closing, price move), the news view, the order columns' quantities
// and the message box. Clicks that the practice run lets through act on it as the elements the
// steps point at would, and it follows the gate's answers as the controller does.

#include <array>
#include <cstdint>
#include <set>

#include "sim/DayController.h"
#include "tutorial/Condition.h"
#include "tutorial/TutorialHost.h"

namespace valmore::test {

class FakePracticePlay : public ITutorialHost {
public:
    static constexpr std::int32_t kUnit = 1000;
    // Where the message box lies on the canvas.
    static constexpr Rect kBox{262, 284, 762, 484};

    // What a practice play starts with.
    struct Play {
        int state = 0;
        int subState = 0;
        int countdown = 3000;
        int day = 0;
        bool detailView = false;
        std::array<std::int32_t, 3> quantity{kUnit, kUnit, kUnit};
        bool boxOpen = false;
        // The practice orders are refused once on the cash day and once on the short-sale day.
        std::set<int> refusedDays{1, 4};
        int executedDays = 0;
    };

    TutorialFacts Facts() const override {
        TutorialFacts facts;
        facts.state = static_cast<CDayController::State>(now.state);
        facts.subState = static_cast<CDayController::SubState>(now.subState);
        facts.quantities = now.quantity;
        facts.newsDetail = now.detailView;
        facts.popupOpen = now.boxOpen;
        if (now.boxOpen) facts.popupRect = kBox;
        return facts;
    }
    void HighlightGone() override { ++refreshes; }
    // A repaint inside the open box is its frame blinking.
    void Invalidate(const Rect& rect) override {
        if (!now.boxOpen || !kBox.Contains(rect.left, rect.top)) return;
        boxFrame = rect;
        if (boxBlink++ == 0) ++boxFramesStarted;
    }

    // A fresh practice play on the play screen; false when it cannot be loaded.
    bool Load() {
        if (loadable) now = Play{};
        onPlayScreen = loadable;
        return loadable;
    }
    // What the controller does with the gate's answer at a tick.
    void Follow(GateAnswer answer) {
        if (answer == GateAnswer::Run) Tick();
        if (answer == GateAnswer::End) {
            onPlayScreen = false;
            ++releases;
        }
    }

    // One controller tick, given only while the practice run lets the controller advance.
    void Tick() {
        now.countdown = now.countdown > 100 ? now.countdown - 100 : 0;
        if (now.countdown > 0) return;
        if (now.state == 0) {
            now.state = 1;
            now.countdown = 3000;
        } else if (now.subState == 0) {
            now.subState = 1;
        } else if (now.subState == 2) {
            now.subState = 3;
            now.countdown = 1500;
        } else if (now.subState == 3) {
            ++now.day;
            now.subState = 0;
            now.countdown = 1500;
            now.detailView = false;
            now.quantity.fill(kUnit);
        }
    }

    // A click let through to the element a step points at; what it does follows from what the step
    // waits for.
    void Press(const Condition& waitedFor, bool isExecuteButton) {
        if (waitedFor.kind == ConditionKind::DetailView) now.detailView = true;
        if (waitedFor.kind == ConditionKind::ColumnQuantity) {
            std::int32_t& q = now.quantity[static_cast<std::size_t>(waitedFor.column)];
            q += q < waitedFor.quantity ? kUnit : -kUnit;
        }
        if (!isExecuteButton || now.subState != 1) return;
        if (now.refusedDays.erase(now.day) > 0) {
            now.boxOpen = true;
            boxBlink = 0;
        } else {
            ++now.executedDays;
            now.subState = 2;
            now.countdown = 1000;
        }
    }

    Play now;
    Rect boxFrame{};
    int boxBlink = 0;
    int boxFramesStarted = 0;
    int refreshes = 0;
    bool loadable = true;
    bool onPlayScreen = false;
    int releases = 0;
};

}  // namespace valmore::test
