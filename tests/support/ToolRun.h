#pragma once

#include <string>
#include <vector>

namespace valmore::test {

struct ToolRun {
    int status = -1;  // the exit status, or -1 when the tool did not exit normally
    std::string out;
};

// Runs the built valmore-tool with the arguments (each quoted for the shell) and collects its standard
// output, and its standard error too when asked.
ToolRun RunTool(const std::vector<std::string>& args, bool withStderr);

}  // namespace valmore::test
