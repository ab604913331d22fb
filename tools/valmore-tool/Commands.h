#pragma once

#include <string>
#include <vector>

namespace valmore {

// Each command takes its arguments (after the command word) and returns the exit status:
// 0 success, 1 bad input or a file problem, 2 a day refused by the order rules.
int RunDump(const std::vector<std::string>& args);
int RunPack(const std::vector<std::string>& args);
int RunUnpack(const std::vector<std::string>& args);
int RunCheck(const std::vector<std::string>& args);
int RunPlay(const std::vector<std::string>& args);

}  // namespace valmore
