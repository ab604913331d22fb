#pragma once

// Reads a scenario file into the in-memory scenario. A file that breaks the limits or leaves out
// something the play needs is refused as a whole: nothing half-loaded is ever played.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "doctree/DocTree.h"
#include "scenario/Scenario.h"

namespace valmore {

struct ScenarioLoadResult {
    bool ok = false;
    std::string file;                   // the path as given, for messages
    std::vector<std::string> problems;  // one sentence each, in English, when refused
    // How the file itself was read: Ok when only its contents were refused; the line of a format error.
    DocLoadStatus status = DocLoadStatus::Ok;
    int line = 0;

    // "FILE: PROBLEM" for the first problem, or "" when loaded.
    std::string Message() const;
};

// Loads the scenario into `scenario`, `prdInfo` and `resources`. They are replaced only when the file
// is accepted; on refusal they are left as they were.
ScenarioLoadResult LoadScenario(const std::filesystem::path& path, CScenario& scenario, TextTable& prdInfo,
                                TextTable& resources, IDocErrorSink* sink = nullptr);

// The same from bytes already in memory (plain or packed); `name` stands for the file in messages.
ScenarioLoadResult LoadScenarioFromBytes(std::string bytes, std::string_view name, CScenario& scenario,
                                         TextTable& prdInfo, TextTable& resources);

// Reads the "Header" section and the product count of a loaded tree. Returns false, naming what is
// missing in *problems, when a required key or section is absent. Leaves the cursor at the root.
bool ReadScenarioHeader(CDocTree& document, ScenarioHeader& header, std::vector<std::string>* problems = nullptr);

// Reads a whole loaded tree, collecting every problem rather than stopping at the first one; this is
// what both the loader and the authors' check command use.
bool ReadScenarioDocument(CDocTree& document, CScenario& scenario, TextTable& prdInfo, TextTable& resources,
                          std::vector<std::string>& problems);

}  // namespace valmore
