// One timer tick of the day controller plus a full redraw of the simulation screen, with every
// panel marked dirty as after RefreshAllPanels, in both resolution modes. The play is the shipped
// three-product exercise, half-way through and waiting for the day's orders, so the charts, the
// trade log and the news list all have days to draw. The figure to watch is the time per
// iteration: a tick comes every 100 ms, and the whole of this must stay far below that.
//
// The run folder (skin and shipped data) comes from VALMORE_RUN_DIR in the environment, or from the
// build folder this program was built in.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/HeadlessWindow.h"
#include "playscreen/OrderPanel.h"
#include "playscreen/SimulationScreen.h"
#include "shell/AppContext.h"
#include "shell/MainView.h"
#include "shell/ProgramScreens.h"

#ifndef VALMORE_RUN_DIR
#define VALMORE_RUN_DIR "run"
#endif

namespace valmore {
namespace {

constexpr int kDaysPlayedBefore = 18;

std::filesystem::path RunDir() {
    const char* fromEnvironment = std::getenv("VALMORE_RUN_DIR");
    return fromEnvironment && *fromEnvironment ? std::filesystem::path(fromEnvironment)
                                               : std::filesystem::path(VALMORE_RUN_DIR);
}

// The program as it runs, headless, with a play in progress on the simulation screen.
struct PlayingTrainer {
    explicit PlayingTrainer(int mode)
        : userDir(std::filesystem::temp_directory_path() / ("valmore-screen-bench-" + std::to_string(mode))),
          window(CanvasSizeOf(mode)),
          context(AppPaths{RunDir(), userDir}) {
        std::filesystem::create_directories(userDir);
        InstallProgramScreens(context);
        view = std::make_unique<CMainView>(window, context);
    }
    ~PlayingTrainer() {
        view.reset();
        std::error_code ec;
        std::filesystem::remove_all(userDir, ec);
    }

    // Starts the exercise and passes on every product until the given day's orders are awaited.
    std::string Start(int mode) {
        std::string error;
        if (!view->Create(mode, &error)) return error;
        view->Start();
        screen = dynamic_cast<CSimulationScreen*>(view->ScreenAt(kScreenSimulation));
        if (screen == nullptr) return "no simulation screen";
        const ScenarioLoadResult loaded = context.controller.NewPlay(RunDir() / "data" / "e05_rate_rise.scn");
        if (!loaded.ok) return loaded.Message();
        for (int day = 0; day <= kDaysPlayedBefore; ++day) {
            for (int i = 0; i < 1000 && !context.controller.AcceptingOrders(); ++i) view->OnTick();
            if (!context.controller.AcceptingOrders()) return "the play never asked for orders";
            if (day == kDaysPlayedBefore) break;
            for (int c = 0; c < COrderPanel::kColumns; ++c) {
                if (screen->OrderPanel().ColumnUsed(c)) screen->OrderPanel().Choose(c, OrderChoice::Pass);
            }
            if (!context.controller.Execute(screen->OrderPanel().CurrentOrders()).Accepted()) return "passing was refused";
        }
        if (view->CurrentScreen() != kScreenSimulation) return "the simulation screen is not showing";
        window.UpdateNow(*view);
        return "";
    }

    std::filesystem::path userDir;
    CHeadlessWindow window;
    CAppContext context;
    std::unique_ptr<CMainView> view;
    CSimulationScreen* screen = nullptr;
};

void BM_TickAndFullRedraw(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    PlayingTrainer trainer(mode);
    const std::string error = trainer.Start(mode);
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    const int presentsBefore = trainer.window.PresentCount();
    for (auto _ : state) {
        trainer.view->OnTick();
        trainer.screen->RefreshAllPanels();
        benchmark::DoNotOptimize(trainer.window.UpdateNow(*trainer.view));
    }
    // Every iteration must have painted, or the figure would measure nothing.
    state.counters["paints"] =
        benchmark::Counter(trainer.window.PresentCount() - presentsBefore, benchmark::Counter::kAvgIterations);
    state.SetLabel(mode == kModeSxga ? "SXGA 1280x1024" : "XGA 1024x768");
}
BENCHMARK(BM_TickAndFullRedraw)->Arg(kModeXga)->Arg(kModeSxga)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace valmore
