#pragma once

// A stand-in for the screens under the practice run: a day controller that paces the days as the real
// one does (opening, news, orders, closing, price move), the news view, the order columns' quantities
// and the message box. Clicks that the practice run lets through act on it as the elements the
// steps point at would.

#include <array>
#include <cstdint>
#include <set>
#include <vector>

#include "platform/Geometry.h"
#include "tutorial/Condition.h"
#include "tutorial/TutorialHost.h"

namespace valmore::test {

class FakePracticePlay : public ITutorialHost {
public:
    static constexpr std::int32_t kUnit = 1000;

    // ITutorialHost
    int ControllerState() const override { return state; }
    int ControllerSubState() const override { return subState; }
    std::int32_t ColumnQuantity(int column) const override { return quantity[static_cast<std::size_t>(column)]; }
    bool NewsDetailShown() const override { return detailView; }
    bool MessageBoxOpen() const override { return boxOpen; }
    void HighlightMessageBox(const Rect& rect) override {
        boxFrame = rect;
        boxBlink = 0;
        ++boxFramesStarted;
    }
    void BlinkMessageBox() override { ++boxBlink; }
    void RefreshAllPanels() override { ++refreshes; }
    void Invalidate(const Rect&) override {}
    bool StartPracticePlay() override {
        if (!loadable) return false;
        state = 0;
        subState = 0;
        countdown = 3000;
        day = 0;
        detailView = false;
        quantity.fill(kUnit);
        boxOpen = false;
        refusedDays = {1, 4};
        executedDays = 0;
        ++starts;
        return true;
    }
    void ShowPracticeScreen() override { onPlayScreen = true; }
    void ReleasePracticePlay() override {
        onPlayScreen = false;
        boxFrame = Rect{};
        ++releases;
    }

    // One controller tick, given only while the practice run lets the controller advance.
    void Tick() {
        ++ticks;
        countdown = countdown > 100 ? countdown - 100 : 0;
        if (countdown > 0) return;
        if (state == 0) {
            state = 1;
            subState = 0;
            countdown = 3000;
        } else if (subState == 0) {
            subState = 1;
        } else if (subState == 2) {
            subState = 3;
            countdown = 1500;
        } else if (subState == 3) {
            ++day;
            subState = 0;
            countdown = 1500;
            detailView = false;
            quantity.fill(kUnit);
        }
    }

    // The execute button: the practice orders are refused once on the cash day and once on the
    // short-sale day, which shows the message box until its button is pressed.
    void Execute() {
        if (subState != 1) return;
        if (refusedDays.erase(day) > 0) {
            boxOpen = true;
            return;
        }
        ++executedDays;
        subState = 2;
        countdown = 1000;
    }

    // A click let through to the element a step points at; what it does follows from what the step
    // waits for.
    void Press(const Condition& waitedFor, bool isExecuteButton) {
        ++clicksReached;
        if (waitedFor.kind == ConditionKind::DetailView) detailView = true;
        if (waitedFor.kind == ConditionKind::ColumnQuantity) {
            std::int32_t& q = quantity[static_cast<std::size_t>(waitedFor.column)];
            q += q < waitedFor.quantity ? kUnit : -kUnit;
        }
        if (isExecuteButton) Execute();
    }

    int state = 0;
    int subState = 0;
    int countdown = 3000;
    int day = 0;
    bool detailView = false;
    std::array<std::int32_t, 3> quantity{kUnit, kUnit, kUnit};
    bool boxOpen = false;
    Rect boxFrame{};
    int boxBlink = 0;
    int boxFramesStarted = 0;
    std::set<int> refusedDays{1, 4};
    int executedDays = 0;
    int ticks = 0;
    int refreshes = 0;
    int clicksReached = 0;
    bool loadable = true;
    bool onPlayScreen = false;
    int starts = 0;
    int releases = 0;
};

}  // namespace valmore::test
