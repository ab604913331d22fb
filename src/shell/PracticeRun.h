#pragma once

// The practice run as the program holds it: the tutorial engine over the real simulation screen, the
// day controller and the message popup. It starts the practice play, gathers the facts the engine
// reads at every poll, and answers the controller's question at every tick; the controller releases
// the play when the answer is End.

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
    TutorialFacts Facts() const override;
    void HighlightGone() override;
    void Invalidate(const Rect& rect) override;

    // IPracticeGate: the engine's gate answers.
    GateAnswer Ask() override { return tutorial_->Gate(); }

private:
    IViewHost& host_;
    CAppContext& context_;
    CSimulationScreen& screen_;
    std::unique_ptr<CTutorial> tutorial_;
};

}  // namespace valmore
