// valmore: the share trading trainer. Opens the full-screen window (or a plain window with --window),
// shows the start-up picture, then runs the main view until the user quits.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "platform/SdlWindow.h"
#include "platform/Sjis.h"
#include "shell/AppContext.h"
#include "shell/CommandLine.h"
#include "shell/MainView.h"
#include "shell/ProgramScreens.h"
#include "shell/Resolution.h"
#include "shell/Splash.h"

#ifndef VALMORE_DEFAULT_DATA_DIR
#define VALMORE_DEFAULT_DATA_DIR "."
#endif
#ifndef VALMORE_INSTALLED_DATA_DIR
#define VALMORE_INSTALLED_DATA_DIR "../share/valmore"
#endif

int main(int argc, char** argv) {
    using namespace valmore;

    const std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path defaultDataDir =
        DefaultDataDir(ec ? std::filesystem::path() : exe, VALMORE_INSTALLED_DATA_DIR, VALMORE_DEFAULT_DATA_DIR);
    const CommandLineResult parsed = ParseCommandLine(args, defaultDataDir);
    if (!parsed.options) {
        std::fprintf(stderr, "valmore: %s\nTry 'valmore --help' for the options.\n", parsed.error.c_str());
        return 2;
    }
    const CommandLine& options = *parsed.options;
    if (options.help) {
        std::fputs(UsageText(defaultDataDir).c_str(), stdout);
        return 0;
    }

    if (!std::filesystem::is_directory(options.dataDir, ec)) {
        std::fprintf(stderr, "valmore: the data folder %s does not exist (see --data-dir)\n",
                     options.dataDir.string().c_str());
        return 1;
    }
    const std::filesystem::path userDir =
        options.userDir ? *options.userDir : DefaultUserDir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (userDir.empty()) {
        std::fprintf(stderr, "valmore: no folder for your results: HOME is not set; use --user-dir DIR\n");
        return 1;
    }
    std::filesystem::create_directories(userDir, ec);
    if (ec || !std::filesystem::is_directory(userDir, ec)) {
        std::fprintf(stderr, "valmore: cannot create the folder %s for your results\n", userDir.string().c_str());
        return 1;
    }

    SdlWindowOptions windowOptions;
    windowOptions.windowed = options.windowed;
    windowOptions.windowSize = CanvasSizeOf(options.mode.value_or(kModeXga));
    windowOptions.title = Sj("ヴァルモア");
    std::string error;
    std::unique_ptr<CSdlWindow> window = CSdlWindow::Open(windowOptions, &error);
    if (!window) {
        std::fprintf(stderr, "valmore: %s\n", error.c_str());
        return 1;
    }

    const Size screen = window->ScreenSize();
    const Resolution resolution = ChooseResolution(screen, options.mode);
    std::printf("valmore: %s mode, canvas %dx%d, screen %dx%d\n", resolution.mode == kModeSxga ? "SXGA" : "XGA",
                resolution.canvas.width, resolution.canvas.height, screen.width, screen.height);
    std::fflush(stdout);

    if (options.splash && CSplash::Show(*window, CSplash::ImageFile(options.dataDir)) == CSplash::Outcome::Closed) {
        return 0;
    }

    CAppContext context(AppPaths{options.dataDir, userDir}, options.server);
    if (!context.Server().problem.empty()) std::fprintf(stderr, "valmore: %s\n", context.Server().problem.c_str());
    InstallProgramScreens(context);
    CMainView view(*window, context);
    if (!view.Create(options.mode, &error)) {
        std::fprintf(stderr, "valmore: %s\n", error.c_str());
        return 1;
    }
    view.Run();
    return 0;
}
