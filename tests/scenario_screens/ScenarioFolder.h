#pragma once

// A working folder with a "data" folder of scenario files written by the test.

#include <cstdint>
#include <string>

#include "support/TempDir.h"

namespace valmore::test {

struct ScenarioText {
    std::string id = "S";
    std::string title = "Title";  // Shift_JIS
    int mode = 0;
    int level = 1;
    std::string duration = "2";
    std::string estimatedTime = "5";
    std::string fundAmount = "1,000,000";
    int products = 1;
    int events = 2;
};

// A complete scenario file: the header, products priced 1000 yen, the market and days on which the
// prices stay put.
inline std::string ScenarioFile(const ScenarioText& s) {
    std::string text = "{Scenario\n{Header\n";
    text += "{ID \"" + s.id + "\"}\n";
    text += "{Title \"" + s.title + "\"}\n";
    text += "{Category \"0\"}\n";
    text += "{Mode \"" + std::to_string(s.mode) + "\"}\n";
    text += "{Level \"" + std::to_string(s.level) + "\"}\n";
    text += "{Duration \"" + s.duration + "\"}\n";
    text += "{EstimatedTime \"" + s.estimatedTime + "\"}\n";
    text += "{FundAmount \"" + s.fundAmount + "\"}\n}\n";
    text += "{Product\n";
    for (int i = 0; i < s.products; ++i) {
        text += "{" + std::to_string(i) + " {Name \"P" + std::to_string(i) + "\"} {Code \"100" + std::to_string(i) +
                "\"} {Price \"1000\"} {InfoNo \"0\"}}\n";
    }
    text += "}\n{Market {Interest \"1.0\"} {Exchange \"120.0\"} {N225 \"10000.0\"}}\n{Event\n";
    for (int k = 0; k < s.events; ++k) {
        text += "{" + std::to_string(k) + " {Date \"4/" + std::to_string(k + 1) + "\"} {Motion";
        for (int i = 0; i < s.products; ++i) text += " {" + std::to_string(i) + " {Price \"1000\"}}";
        text += "}}\n";
    }
    text += "}\n}\n";
    return text;
}

class ScenarioFolder {
public:
    // Writes data/<name> and returns its path.
    std::filesystem::path Add(const std::string& name, const ScenarioText& s) const {
        return dir.Write("data/" + name, ScenarioFile(s));
    }
    std::filesystem::path AddBytes(const std::string& name, std::string_view bytes) const {
        return dir.Write("data/" + name, bytes);
    }
    const std::filesystem::path& Path() const { return dir.Path(); }
    std::filesystem::path SnapshotFile() const { return dir / "snapshot.dat"; }

    TempDir dir;
};

}  // namespace valmore::test
