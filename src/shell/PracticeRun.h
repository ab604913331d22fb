#pragma once

// The practice run as the program holds it: the tutorial engine over the real simulation screen, the
// day controller and the message popup. It answers the engine's questions about the play, holds the
// controller while a step waits, and starts and releases the practice play.

#include <memory>

#include "sim/DayController.h"
#include "tutorial/Tutorial.h"
#include "tutorial/TutorialHost.h"

namespace valmore {

class CAppContext;
class CSimulationScreen;
class IViewHost;

class CPracticeRun final : public ITutorialHost, public IPracticeGate {
public:
    // The script of the host's resolution mode, balloons placed on its canvas; the skin must be loaded.
    CPracticeRun(IViewHost& host, CAppContext& context, CSimulationScreen& screen);
    ~CPracticeRun() override;
    CPracticeRun(const CPracticeRun&) = delete;
    CPracticeRun& operator=(const CPracticeRun&) = delete;

    CTutorial& Tutorial() { return *tutorial_; }
    const CTutorial& Tutorial() const { return *tutorial_; }
    // From the main menu: a fresh practice play, or a notice saying why there is none.
    void Start();

    // ITutorialHost
    int ControllerState() const override;
    int ControllerSubState() const override;
    std::int32_t ColumnQuantity(int column) const override;
    bool NewsDetailShown() const override;
    bool MessageBoxOpen() const override;
    void HighlightMessageBox(const Rect& rect) override;
    void BlinkMessageBox() override;
    void RefreshAllPanels() override;
    void Invalidate(const Rect& rect) override;
    bool StartPracticePlay() override;
    void ShowPracticeScreen() override;
    void ReleasePracticePlay() override;

    // IPracticeGate: the controller asks at every tick; one gate of the engine answers all three.
    bool IsRunning() const override { return tutorial_->Running(); }
    bool ShouldEnd() const override;
    bool RunFlag() const override { return lastGate_ != CTutorial::GateResult::Hold; }
    void End() override;

private:
    IViewHost& host_;
    CAppContext& context_;
    CSimulationScreen& screen_;
    std::unique_ptr<CTutorial> tutorial_;
    std::string loadError_;  // why the practice scenario could not be read, as markup for the notice
    mutable CTutorial::GateResult lastGate_ = CTutorial::GateResult::NotRunning;
};

}  // namespace valmore
