// The dependency order of src/README.md holds in the sources: no file includes a folder that the
// table lists after its own, and the table names every folder there is.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace valmore {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceRoot = fs::path(VALMORE_SOURCE_DIR) / "src";

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Folder name to its row in the README's table; folders on one row share a level.
std::map<std::string, int> FolderLevels() {
    std::map<std::string, int> levels;
    std::istringstream lines(ReadText(kSourceRoot / "README.md"));
    const std::regex name("`([a-z_/]+)`");
    int level = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("| `", 0) != 0) continue;
        const std::string firstCell = line.substr(0, line.find('|', 1));
        for (std::sregex_iterator it(firstCell.begin(), firstCell.end(), name), end; it != end; ++it) {
            levels[(*it)[1]] = level;
        }
        ++level;
    }
    return levels;
}

// The listed folder a path inside src/ belongs to: the longest listed prefix, so that
// "scenario/screens/x.h" belongs to "scenario/screens" and not to "scenario".
std::string OwningFolder(const std::string& path, const std::map<std::string, int>& levels) {
    std::string best;
    for (const auto& [folder, level] : levels) {
        if (path.rfind(folder + "/", 0) == 0 && folder.size() > best.size()) best = folder;
    }
    return best;
}

TEST(IncludeOrder, TheReadmeListsEveryFolderWithSources) {
    const std::map<std::string, int> levels = FolderLevels();
    ASSERT_GT(levels.size(), 5u) << "the folder table of src/README.md was not found";
    for (const auto& entry : fs::recursive_directory_iterator(kSourceRoot)) {
        if (!entry.is_regular_file()) continue;
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        const std::string folder = fs::relative(entry.path().parent_path(), kSourceRoot).generic_string();
        EXPECT_TRUE(levels.contains(folder)) << folder << " is missing from src/README.md";
    }
}

TEST(IncludeOrder, NoFileIncludesAFolderListedAfterItsOwn) {
    const std::map<std::string, int> levels = FolderLevels();
    const std::regex include("^\\s*#\\s*include\\s*\"([^\"]+)\"");
    for (const auto& entry : fs::recursive_directory_iterator(kSourceRoot)) {
        if (!entry.is_regular_file()) continue;
        const std::string file = fs::relative(entry.path(), kSourceRoot).generic_string();
        const std::string own = OwningFolder(file, levels);
        if (own.empty()) continue;
        std::istringstream lines(ReadText(entry.path()));
        for (std::string line; std::getline(lines, line);) {
            std::smatch match;
            if (!std::regex_search(line, match, include)) continue;
            const std::string included = OwningFolder(match[1].str(), levels);
            if (included.empty() || included == own) continue;
            EXPECT_LT(levels.at(included), levels.at(own)) << file << " includes " << match[1].str();
        }
    }
}

}  // namespace
}  // namespace valmore
