// Writes the starting corpus of every fuzz target into the folder given: small generated scenario
// files, plain and packed, with a few shapes the reader treats specially.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ScenarioTextGenerator.h"
#include "packer/LzssPacker.h"

namespace {

void Write(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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
    return 0;
}
