// Writes the starting corpus of every fuzz target into the folder given: small generated scenario
// files, plain and packed, with a few shapes the reader treats specially, marked-up texts, and store
// files written by the stores themselves from plays of those scenarios.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ScenarioTextGenerator.h"
#include "packer/LzssPacker.h"
#include "results/ResultStore.h"
#include "scenario/ScenarioLoader.h"
#include "sim/Play.h"
#include "sim/SnapshotStore.h"

namespace {

void Write(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The stores indent their files by depth; without the indentation a stored play fits the fuzzers'
// input size limit and still loads.
std::string Unindented(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && c == '\t') continue;
        lineStart = c == '\n';
        out.push_back(c);
    }
    return out;
}

// Plays a few days of each scenario that loads, buying and selling, and keeps each play as a stored
// play and its result in the result history.
void WriteStoreSeeds(const std::filesystem::path& root, const std::vector<std::string>& texts) {
    std::filesystem::create_directories(root / "result_store");
    valmore::CResultStore results(root / "result_store" / "results");
    int n = 0;
    for (const std::string& text : texts) {
        valmore::CScenario scenario;
        valmore::TextTable prdInfo;
        valmore::TextTable resources;
        if (!valmore::LoadScenarioFromBytes(text, "seed.scn", scenario, prdInfo, resources).ok) continue;
        valmore::CPlay play;
        play.Begin(scenario, prdInfo);
        for (int day = 0; day < 3; ++day) {
            valmore::OrderColumns columns;
            columns[0] = {0, day < 2 ? valmore::OrderChoice::Buy : valmore::OrderChoice::Sell,
                          play.Market().Products[0].unitQty};
            (void)play.ExecuteDay(columns);
            play.CloseDay();
            if (!play.AdvanceDay()) break;
        }
        const std::string id = "S" + std::to_string(n++);
        valmore::CSnapshotStore snapshots;
        snapshots.Store(id, play.MakeSnapshot());
        Write(root / "snapshot_store", "play" + id, Unindented(snapshots.ToText()));
        valmore::ResultRecord record;
        record.Date = "2026/12/0" + std::to_string(n);
        record.TotalScore = 50 + n;
        record.TradeCount = 3;
        (void)results.Add(id, record);
    }
    Write(root / "result_store", "results", Unindented(results.ToText()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::vector<std::string> texts;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        valmore::bench::ScenarioTextShape shape;
        shape.events = static_cast<int>(2 + seed * 2);
        shape.products = static_cast<int>(1 + seed % 3);
        shape.wordsPerDetail = 12;
        shape.crlf = seed % 2 == 1;
        shape.comments = seed % 3 != 0;
        texts.push_back(valmore::bench::GenerateScenarioText(shape, seed));
    }
    texts.push_back("{root\r\n; comment\r\n{A \"1\"}\r\n; between\r\n{B \"x#y\r\nz\"}\r\n{C \"\" \"2\"}\r\n");
    texts.push_back("{root {A \"v\" {B \"w\"} \"u\" {C}}} trailing");

    int n = 0;
    for (const std::string& text : texts) {
        const std::string packed = valmore::PackContainer(text);
        const std::string id = std::to_string(n++);
        Write(root / "doctree", "plain" + id, text);
        Write(root / "doctree", "packed" + id, packed);
        Write(root / "scenario", "plain" + id, text);
        Write(root / "scenario", "packed" + id, packed);
        Write(root / "lzss", "packed" + id, packed);
        Write(root / "lzss_pack", "plain" + id, std::string(1, static_cast<char>(n)) + text);
    }
    const std::vector<std::string> replies{
        "RURADIZA:OK",
        "VERERROR:",
        "RURADIZA:S1,Title,0,1,Lv,20,30,2,1000000,S2,,T2,1,0",
        "RURADIZA:head,1,u1,Nick,S1,90,100,200,300,400,500,2,u2",
        "RURADIZA:SCENARIO_VALIDATE_FAILUER,,message",
        "RURADIZA:NICKNAME_ERROR",
        "RURADIZA:-99999999999,+7,,,,x",
    };
    for (std::size_t i = 0; i < replies.size(); ++i) Write(root / "server_reply", "reply" + std::to_string(i), replies[i]);

    using namespace std::string_literals;
    // Markup: four bytes of area width and bitmap sizes, then the text.
    const std::vector<std::string> markups{
        "\x40\x10\x20\x00" "abc$n&def&$p$c255000000red$f14big$h10$x0040$y0020$m0003"s,
        "\x08\x21\x11\x07$g001$g002$g003$g004$g005 $dword$key$ $dlink$$ $dopen"s,
        "\x30\x05\x05\x00\x81\x75\x82\xa0\x82\xa2\x81\x42\x81\x76\x81\x69x\x81\x6a$d\x82\xa0$k$$q"s,
    };
    for (std::size_t i = 0; i < markups.size(); ++i) Write(root / "markup", "text" + std::to_string(i), markups[i]);

    WriteStoreSeeds(root, texts);
    return 0;
}
