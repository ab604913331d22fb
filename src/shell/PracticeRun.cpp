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
    // Link words of the practice news open their glossary entries.
    context_.EnsureGlossary();
    const ScenarioLoadResult loaded =
        context_.controller.NewPlay(MapProgramPath(context_.Paths().dataDir, Sj("data\\操作練習.scn")));
    if (!loaded.ok) {
        if (context_.HasPopups()) {
            context_.MessagePopup().Show(QVDialog::kModeNotice,
                                         Sj("操作練習を始められませんでした。") + Sj("練習用のシナリオファイル「") +
                                             FileNameText(loaded.file) + Sj("」を読み込めません。") +
                                             DocumentFailureText(loaded.status, loaded.line));
        }
        return;
    }
    tutorial_->Start();
    screen_.OrderPanel().AssignColumns();
    screen_.InfoPanel().ClearInfo();
    host_.SwitchScreen(kScreenSimulation);
    host_.InvalidateAll();
}

TutorialFacts CPracticeRun::Facts() const {
    TutorialFacts facts;
    facts.state = context_.controller.GetState();
    facts.subState = context_.controller.GetSubState();
    for (int c = 0; c < CSimulationScreen::kOrderColumns; ++c)
        facts.quantities.at(static_cast<std::size_t>(c)) = screen_.QuantityBox(c).Value();
    facts.newsDetail = screen_.NewsPanel().CurrentView() == CNewsPanel::kDetailView;
    if (context_.HasPopups() && context_.MessagePopup().IsOpen()) {
        facts.popupOpen = true;
        facts.popupRect = context_.MessagePopup().Bounds();
    }
    return facts;
}

void CPracticeRun::HighlightGone() {
    screen_.RefreshAllPanels();
}

void CPracticeRun::Invalidate(const Rect& rect) {
    host_.Invalidate(rect);
}

}  // namespace valmore
