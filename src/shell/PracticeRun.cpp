#include "shell/PracticeRun.h"

#include "platform/ProgramPath.h"
#include "platform/Sjis.h"
#include "playscreen/InfoPanel.h"
#include "playscreen/NewsPanel.h"
#include "playscreen/OrderPanel.h"
#include "playscreen/SimulationScreen.h"
#include "shell/AppContext.h"
#include "tutorial/PracticeScript.h"
#include "ui/Dialog.h"
#include "ui/FailureText.h"
#include "ui/SpinBox.h"

namespace valmore {

CPracticeRun::CPracticeRun(IViewHost& host, CAppContext& context, CSimulationScreen& screen)
    : host_(host), context_(context), screen_(screen) {
    tutorial_ = std::make_unique<CTutorial>(*this, context_.skin,
                                            BuildPracticeSteps(static_cast<int>(host_.Mode()), host_.CanvasSize()));
}

CPracticeRun::~CPracticeRun() = default;

void CPracticeRun::Start() {
    if (tutorial_->Running()) return;
    if (tutorial_->Start()) return;
    if (context_.HasPopups()) {
        context_.MessagePopup().Show(QVDialog::kModeNotice, Sj("操作練習を始められませんでした。") + loadError_);
    }
}

int CPracticeRun::ControllerState() const {
    return static_cast<int>(context_.controller.GetState());
}

int CPracticeRun::ControllerSubState() const {
    return static_cast<int>(context_.controller.GetSubState());
}

std::int32_t CPracticeRun::ColumnQuantity(int column) const {
    if (column < 0 || column >= CSimulationScreen::kOrderColumns) return 0;
    return screen_.QuantityBox(column).Value();
}

bool CPracticeRun::NewsDetailShown() const {
    return screen_.NewsPanel().CurrentView() == CNewsPanel::kDetailView;
}

bool CPracticeRun::MessageBoxOpen() const {
    return context_.HasPopups() && context_.MessagePopup().IsOpen();
}

void CPracticeRun::HighlightMessageBox(const Rect& rect) {
    if (!context_.HasPopups()) return;
    context_.MessagePopup().SetHighlightBlink(0);
    context_.MessagePopup().SetHighlight(true, rect);
}

void CPracticeRun::BlinkMessageBox() {
    if (context_.HasPopups()) context_.MessagePopup().AdvanceHighlightBlink();
}

void CPracticeRun::RefreshAllPanels() {
    screen_.RefreshAllPanels();
}

void CPracticeRun::Invalidate(const Rect& rect) {
    host_.Invalidate(rect);
}

bool CPracticeRun::StartPracticePlay() {
    // Link words of the practice news open their glossary entries.
    context_.EnsureGlossary();
    const ScenarioLoadResult loaded =
        context_.controller.NewPlay(MapProgramPath(context_.Paths().dataDir, Sj("data\\操作練習.scn")));
    loadError_ = loaded.ok ? std::string()
                           : Sj("練習用のシナリオファイル「") + FileNameText(loaded.file) + Sj("」を読み込めません。") +
                                 DocumentFailureText(loaded.status, loaded.line);
    return loaded.ok;
}

void CPracticeRun::ShowPracticeScreen() {
    screen_.OrderPanel().AssignColumns();
    screen_.InfoPanel().ClearInfo();
    host_.SwitchScreen(kScreenSimulation);
    host_.InvalidateAll();
}

void CPracticeRun::ReleasePracticePlay() {
    // Nothing of a practice play is kept: no result, no snapshot.
    context_.DestroyPlay();
    if (context_.HasPopups()) {
        context_.MessagePopup().SetHighlight(false);
        // A notice still open over the released play has nothing left to explain.
        context_.MessagePopup().Dismiss();
    }
    host_.SwitchScreen(kScreenMainMenu);
    host_.InvalidateAll();
}

bool CPracticeRun::ShouldEnd() const {
    // The engine's gate polls once and, at the end, releases the play itself.
    lastGate_ = tutorial_->Gate();
    return lastGate_ == CTutorial::GateResult::Ended;
}

void CPracticeRun::End() {
    if (context_.HasPopups()) context_.MessagePopup().SetHighlight(false);
}

}  // namespace valmore
