#pragma once

// The options of the valmore program.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/UserDir.h"

namespace valmore {

struct CommandLine {
    bool help = false;
    bool windowed = false;                         // --window
    std::optional<int> mode;                       // --mode xga|sxga
    bool splash = true;                            // --no-splash turns it off
    std::filesystem::path dataDir;                 // --data-dir, else the default given to the parser
    std::optional<std::filesystem::path> userDir;  // --user-dir, else the default user folder
    std::optional<std::string> server;             // --server, the ranking server's base URL
};

struct CommandLineResult {
    std::optional<CommandLine> options;
    std::string error;  // why the arguments were refused, when options is empty
};

// Reads the arguments after the program name.
CommandLineResult ParseCommandLine(const std::vector<std::string>& args, const std::filesystem::path& defaultDataDir);

// The text of --help; a default data folder, when given, is named in it.
std::string UsageText(const std::filesystem::path& defaultDataDir = {});

// Where "data" and "SR" are found without --data-dir. An installed program keeps them in its own
// prefix, installedRelative (such as "../share/valmore") from the folder holding the executable exe;
// when that folder does not exist, or exe is unknown, the program runs from a build and uses the
// build's run folder.
std::filesystem::path DefaultDataDir(const std::filesystem::path& exe, const std::filesystem::path& installedRelative,
                                     const std::filesystem::path& buildRunDir);

}  // namespace valmore
