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
};

struct CommandLineResult {
    std::optional<CommandLine> options;
    std::string error;  // why the arguments were refused, when options is empty
};

// Reads the arguments after the program name.
CommandLineResult ParseCommandLine(const std::vector<std::string>& args, const std::filesystem::path& defaultDataDir);

// The text of --help.
std::string UsageText();

}  // namespace valmore
