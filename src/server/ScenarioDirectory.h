#pragma once

// The scenario headers of the data folder the trainer reads, read once when the server starts:
// what results may be submitted for, and what the scenario list offers.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/Scenario.h"

namespace valmore {

class CScenarioDirectory {
public:
    // Reads the header of every "data/*.scn" below dataDir. Files the reader refuses are left out
    // and named in *skipped; of several files with one ID the first by name counts.
    static CScenarioDirectory Load(const std::filesystem::path& dataDir, std::vector<std::string>* skipped = nullptr);

    // Every scenario, sorted by ID.
    const std::vector<ScenarioHeader>& All() const { return headers_; }
    const ScenarioHeader* Find(std::string_view id) const;

    // Scenarios of this mode stay in the data folder for their authors and are never offered.
    static constexpr int kHiddenMode = 9;

private:
    std::vector<ScenarioHeader> headers_;
};

}  // namespace valmore
