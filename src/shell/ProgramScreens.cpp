#include "shell/ProgramScreens.h"

#include "net/screens/CommMenuScreen.h"
#include "net/screens/RankingScreen.h"
#include "net/screens/RegistrationScreen.h"
#include "platform/Sjis.h"
#include "playscreen/SimulationScreen.h"
#include "results/ResultRecordFromFigures.h"
#include "results/screens/RecordScreen.h"
#include "results/screens/ResultScreen.h"
#include "scenario/screens/ScenarioSelectScreen.h"
#include "shell/MainView.h"
#include "shell/PracticeRun.h"
#include "ui/FailureText.h"

namespace valmore {

namespace {

// Screens are built in table order at the first paint, so one screen reaches another only when it
// acts, through the table of the main view.
template <class T>
T* ScreenOf(IViewHost& host, int slot) {
    auto* view = dynamic_cast<CMainView*>(&host);
    return view ? dynamic_cast<T*>(view->ScreenAt(slot)) : nullptr;
}

// The practice run over the simulation screen just built: it draws over the screen, sees every
// click first, holds the controller and answers the main menu's practice button.
void InstallPracticeRun(IViewHost& host, CAppContext& context, CSimulationScreen& screen) {
    context.controller.SetPracticeGate(nullptr);
    context.practice = std::make_unique<CPracticeRun>(host, context, screen);
    context.controller.SetPracticeGate(context.practice.get());
    screen.drawOverlay = [&context](CCanvas& dc) { context.practice->Tutorial().Draw(dc); };
    context.MessagePopup().drawOver = [&context](CCanvas& dc) {
        if (context.practice) context.practice->Tutorial().DrawOverPopup(dc);
    };
    screen.onActivate = [&context] { context.practice->Tutorial().ClearStopRequest(); };
    context.startPracticeRun = [&context] { context.practice->Start(); };
    context.tutorial.isActive = [&context] { return context.practice && context.practice->Tutorial().Running(); };
    context.tutorial.acceptClick = [&context](const InputEvent& click) {
        CTutorial& tutorial = context.practice->Tutorial();
        const bool accepted = click.type == InputType::LeftDown ? tutorial.OnButtonDown(click.flags, click.x, click.y)
                                                                : tutorial.OnButtonUp(click.flags, click.x, click.y);
        return tutorial.LetsThrough(accepted);
    };
    context.tutorial.requestStop = [&context] { context.practice->Tutorial().RequestStop(); };
    // A click may finish a step; the run then ends at the controller's next tick.
    context.tutorial.gate = [&context] {
        if (context.practice) context.practice->Tutorial().Poll();
    };
}

}  // namespace

void InstallProgramScreens(CAppContext& context) {
    context.screenFactories[kScreenSimulation] = [&context](IViewHost& host, CAppContext&) {
        auto screen =
            std::make_unique<CSimulationScreen>(host, context.controller, context.MessagePopup(), context.Snapshots(),
                                                context.SnapshotFile(), context.Paths().dataDir);
        // While the practice run guides the user, the screen keeps its keys and its 終了 button idle.
        screen->guided = [&context] { return context.TutorialActive(); };
        context.controller.SetView(screen.get());
        InstallPracticeRun(host, context, *screen);
        return std::unique_ptr<CScreen>(std::move(screen));
    };
    context.screenFactories[kScreenScenarioSelect] = [&context](IViewHost& host, CAppContext&) {
        // Link words in news texts resolve from the first play on; the glossary is read once per run.
        context.EnsureGlossary();
        return std::unique_ptr<CScreen>(std::make_unique<CScenarioSelectScreen>(
            host, context.controller, context.MessagePopup(), context.Results(), context.Snapshots(),
            context.Paths().dataDir, context.SnapshotFile(), [&host](const ScenarioHeader& header) {
                if (auto* records = ScreenOf<CRecordScreen>(host, kScreenRecords)) records->ShowScenario(header);
            }));
    };
    context.screenFactories[kScreenResult] = [&context](IViewHost& host, CAppContext&) {
        return std::unique_ptr<CScreen>(
            std::make_unique<CResultScreen>(host, context.controller, context.DetailPopup(), &context.Results()));
    };
    context.screenFactories[kScreenRecords] = [&context](IViewHost& host, CAppContext&) {
        return std::unique_ptr<CScreen>(std::make_unique<CRecordScreen>(host, context.Results()));
    };

    context.screenFactories[kScreenCommMenu] = [&context](IViewHost& host, CAppContext&) {
        return std::unique_ptr<CScreen>(std::make_unique<CCommMenuScreen>(host, context.ServerLink(), context.Account(),
                                                                          context.AccountFile(), context.Results(),
                                                                          context.MessagePopup()));
    };
    context.screenFactories[kScreenRanking] = [&context](IViewHost& host, CAppContext&) {
        return std::unique_ptr<CScreen>(std::make_unique<CRankingScreen>(host, context.ServerLink(), context.Account(),
                                                                         context.Results(), context.MessagePopup()));
    };
    context.screenFactories[kScreenRegistration] = [&context](IViewHost& host, CAppContext&) {
        auto screen =
            std::make_unique<CRegistrationScreen>(host, context.ServerLink(), context.Account(), context.AccountFile(),
                                                  context.MessagePopup(), context.UserDialog());
        // The change flow has set the account status, so the menu does not ask the server again.
        screen->onBack = [&host] {
            if (auto* menu = ScreenOf<CCommMenuScreen>(host, kScreenCommMenu)) menu->ReturnFromRegistration();
        };
        return std::unique_ptr<CScreen>(std::move(screen));
    };

    context.tickController = [&context] { return context.controller.Tick(); };
    // A finished play joins the result history at once; a failed write is shown, never ignored.
    context.controller.onFinished = [&context](const FinalFigures& figures) {
        // A practice play is only an exercise: it joins no history.
        if (context.TutorialActive()) return;
        DocSaveResult saved = context.Results().Add(figures.ScenarioID, ResultRecordFromFigures(figures));
        if (!saved.ok) {
            // The record stays in the store, so the next save that succeeds writes it too.
            context.QueueNotice(Sj("成績を「") + FileNameText(context.ResultFile().string()) +
                                Sj("」に保存できませんでした（") + WriteFailureCause(saved.errorNumber) +
                                Sj("）。それまでの記録のファイルはそのまま残っています。"));
        }
    };
}

}  // namespace valmore
