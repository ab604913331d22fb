#pragma once

// Program paths are Shift_JIS with backslashes, relative to the working folder, and the data and
// skin files were named without regard to case ("SR\SXGA\Comm\touroku.bmp", "data\操作練習.scn").
// These functions find such files on a case-sensitive file system below a base folder.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace valmore {

// The file system path of a program path below base: "\" and "/" both separate components, names
// become UTF-8, and each component that does not exist as spelled takes the name of a directory
// entry that equals it ignoring ASCII case (the exact spelling wins; among several others, the
// first in name order). Components that match nothing are kept as spelled, so a file about to be
// created maps to a usable path. "." components are dropped. A ".." component would leave the base
// folder, so such a path maps to an empty path, which no file operation accepts.
std::filesystem::path MapProgramPath(const std::filesystem::path& base, std::string_view sjisPath);

// The names (Shift_JIS, without folder) of the regular files in the folder of a program pattern
// such as "data\*.scn" whose names match its last component: "*" stands for any run of characters
// and "?" for one character, ASCII letters match either case. Names that cannot be written in
// Shift_JIS are left out, since the program could not open them again. Sorted by name, ignoring
// ASCII case.
std::vector<std::string> FindProgramFiles(const std::filesystem::path& base, std::string_view sjisPattern);

// Whether a Shift_JIS name matches a Shift_JIS pattern with "*" and "?", ignoring ASCII case.
bool MatchesProgramPattern(std::string_view sjisPattern, std::string_view sjisName);

}  // namespace valmore
