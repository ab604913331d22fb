#include "server/ScenarioDirectory.h"

#include <algorithm>

#include "doctree/DocTree.h"
#include "platform/ProgramPath.h"
#include "scenario/ScenarioLoader.h"

namespace valmore {

CScenarioDirectory CScenarioDirectory::Load(const std::filesystem::path& dataDir, std::vector<std::string>* skipped) {
    CScenarioDirectory directory;
    for (const std::string& name : FindProgramFiles(dataDir, "data\\*.scn")) {
        const std::string path = "data\\" + name;
        CDocTree document;
        const DocLoadResult loaded = document.Load(MapProgramPath(dataDir, path));
        ScenarioHeader header;
        std::vector<std::string> problems;
        if (!loaded.Ok() || !ReadScenarioHeader(document, header, &problems)) {
            if (skipped != nullptr)
                skipped->push_back(loaded.Ok()
                                       ? path + ": " + (problems.empty() ? std::string("no header") : problems.front())
                                       : loaded.Message());
            continue;
        }
        if (directory.Find(header.ID) != nullptr) {
            if (skipped != nullptr) skipped->push_back(path + ": the ID is taken by an earlier file");
            continue;
        }
        directory.headers_.push_back(std::move(header));
        std::stable_sort(directory.headers_.begin(), directory.headers_.end(),
                         [](const ScenarioHeader& a, const ScenarioHeader& b) { return a.ID < b.ID; });
    }
    return directory;
}

const ScenarioHeader* CScenarioDirectory::Find(std::string_view id) const {
    const auto found = std::lower_bound(headers_.begin(), headers_.end(), id,
                                        [](const ScenarioHeader& h, std::string_view key) { return h.ID < key; });
    return found != headers_.end() && found->ID == id ? &*found : nullptr;
}

}  // namespace valmore
