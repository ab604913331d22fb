#include "support/ToolRun.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace valmore::test {

ToolRun RunTool(const std::vector<std::string>& args, bool withStderr) {
#ifdef VALMORE_TOOL_PATH
    std::string command = std::string("'") + VALMORE_TOOL_PATH + "'";
#else
    std::string command = "valmore-tool";
#endif
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += withStderr ? " 2>&1" : " 2>/dev/null";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace valmore::test
