#include "shell/CommandLine.h"

#include "net/ServerAddress.h"
#include "ui/ViewHost.h"

namespace valmore {

CommandLineResult ParseCommandLine(const std::vector<std::string>& args, const std::filesystem::path& defaultDataDir) {
    CommandLine options;
    options.dataDir = defaultDataDir;
    auto refuse = [](std::string why) { return CommandLineResult{std::nullopt, std::move(why)}; };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // Options with a value take it from the next argument or after "=".
        std::string name = arg;
        std::optional<std::string> value;
        if (arg.rfind("--", 0) == 0) {
            const std::size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                name = arg.substr(0, equals);
                value = arg.substr(equals + 1);
            }
        }
        auto takeValue = [&]() -> std::optional<std::string> {
            if (value) return value;
            if (i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };
        const bool takesValue = name == "--mode" || name == "--data-dir" || name == "--user-dir" || name == "--server";
        if (value && !takesValue) return refuse("option " + name + " takes no value");

        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--window") {
            options.windowed = true;
        } else if (name == "--no-splash") {
            options.splash = false;
        } else if (name == "--mode") {
            const std::optional<std::string> mode = takeValue();
            if (!mode) return refuse("--mode needs a value: xga or sxga");
            if (*mode == "xga" || *mode == "XGA") {
                options.mode = kModeXga;
            } else if (*mode == "sxga" || *mode == "SXGA") {
                options.mode = kModeSxga;
            } else {
                return refuse("unknown mode '" + *mode + "' (use xga or sxga)");
            }
        } else if (name == "--server") {
            const std::optional<std::string> url = takeValue();
            if (!url || !IsServerUrl(*url)) {
                return refuse("--server needs an http:// URL ending in the servlet folder, such as " +
                              std::string(kDefaultServerUrl));
            }
            options.server = *url;
        } else if (name == "--data-dir" || name == "--user-dir") {
            const std::optional<std::string> dir = takeValue();
            if (!dir || dir->empty()) return refuse(name + " needs a folder");
            if (name == "--data-dir") {
                options.dataDir = *dir;
            } else {
                options.userDir = std::filesystem::path(*dir);
            }
        } else {
            return refuse("unknown option '" + arg + "'");
        }
    }
    return CommandLineResult{options, {}};
}

std::string UsageText(const std::filesystem::path& defaultDataDir) {
    const std::string now = defaultDataDir.empty()
                                ? std::string()
                                : "                    (for this copy: " + defaultDataDir.string() + ")\n";
    return "Usage: valmore [OPTION]...\n"
           "Starts the share trading trainer, full screen.\n"
           "\n"
           "  --window          a window of the canvas size instead of the full screen; the window\n"
           "                    counts as the screen (XGA unless --mode sxga)\n"
           "  --mode xga|sxga   force the resolution mode (1024x768 or 1280x1024 canvas) instead of\n"
           "                    choosing it from the screen size\n"
           "  --no-splash       skip the start-up picture\n"
           "  --data-dir DIR    the folder holding \"data\" and \"SR\" (default: share/valmore in the\n"
           "                    prefix the program is installed in, else the run folder of the\n"
           "                    build this program came from)\n" +
           now +
           "  --user-dir DIR    the folder for result.dat, snapshot.dat and the account (default:\n"
           "                    $XDG_DATA_HOME/valmore or ~/.local/share/valmore; created if missing)\n"
           "  --server URL      the ranking server's base URL, up to and including\n"
           "                    \"/RURadiza/servlet/\" (default: the \"server\" file in the user\n"
           "                    folder, else http://127.0.0.1:8787/RURadiza/servlet/)\n"
           "  --help            show this text and exit\n";
}

std::filesystem::path DefaultDataDir(const std::filesystem::path& exe, const std::filesystem::path& installedRelative,
                                     const std::filesystem::path& buildRunDir) {
    if (exe.empty()) return buildRunDir;
    // Relative to the executable rather than a fixed prefix, so a copy unpacked under a staging
    // folder (DESTDIR) finds its own data just as one installed at /usr does.
    const std::filesystem::path installed = (exe.parent_path() / installedRelative).lexically_normal();
    std::error_code ec;
    if (std::filesystem::is_directory(installed, ec)) return installed;
    return buildRunDir;
}

}  // namespace valmore
