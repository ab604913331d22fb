// Reading speed of data files: LZSS unpacking against zlib inflating the same text, document tree
// parsing, and a whole scenario-sized load (unpack, parse, walk every day).

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>

#include "ScenarioTextGenerator.h"
#include "doctree/DocTree.h"
#include "doctree/Lzss.h"
#include "packer/LzssPacker.h"

namespace valmore {
namespace {

// About 5 MB: far more days than a scenario may hold, with long news bodies, so one load shows the
// cost of a large data file.
const std::string& ScenarioText() {
    static const std::string text = [] {
        bench::ScenarioTextShape shape;
        shape.events = 2600;
        shape.wordsPerDetail = 360;
        return bench::GenerateScenarioText(shape, 42);
    }();
    return text;
}

const std::string& PackedScenario() {
    static const std::string packed = PackContainer(ScenarioText());
    return packed;
}

const std::string& DeflatedScenario() {
    static const std::string deflated = [] {
        const std::string& text = ScenarioText();
        uLongf size = compressBound(text.size());
        std::string out(size, '\0');
        if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
                      text.size(), Z_DEFAULT_COMPRESSION) != Z_OK) {
            std::abort();
        }
        out.resize(size);
        return out;
    }();
    return deflated;
}

void ReportSizes(benchmark::State& state) {
    state.counters["text_MB"] = static_cast<double>(ScenarioText().size()) / 1e6;
    state.counters["lzss_ratio"] = static_cast<double>(PackedScenario().size()) / ScenarioText().size();
    state.counters["zlib_ratio"] = static_cast<double>(DeflatedScenario().size()) / ScenarioText().size();
}

void BM_LzssDecode(benchmark::State& state) {
    const std::string& packed = PackedScenario();
    std::string out(ScenarioText().size(), '\0');
    for (auto _ : state) {
        bool ok = LzssDecode(std::string_view(packed).substr(8), out.data(), out.size());
        benchmark::DoNotOptimize(ok);
        benchmark::ClobberMemory();
    }
    if (out != ScenarioText()) state.SkipWithError("LZSS decode gave different text");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.size()));
    ReportSizes(state);
}
BENCHMARK(BM_LzssDecode)->Unit(benchmark::kMillisecond);

void BM_ZlibInflate(benchmark::State& state) {
    const std::string& deflated = DeflatedScenario();
    std::string out(ScenarioText().size(), '\0');
    for (auto _ : state) {
        uLongf size = out.size();
        int rc = uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                            reinterpret_cast<const Bytef*>(deflated.data()), deflated.size());
        benchmark::DoNotOptimize(rc);
        benchmark::ClobberMemory();
    }
    if (out != ScenarioText()) state.SkipWithError("zlib inflate gave different text");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.size()));
    ReportSizes(state);
}
BENCHMARK(BM_ZlibInflate)->Unit(benchmark::kMillisecond);

void BM_DocTreeParse(benchmark::State& state) {
    const std::string& text = ScenarioText();
    CDocTree tree;
    for (auto _ : state) {
        DocLoadResult result = tree.LoadFromBytes(text, "bench.scn");
        if (!result.Ok()) state.SkipWithError(result.Message().c_str());
        benchmark::DoNotOptimize(tree.Root());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DocTreeParse)->Unit(benchmark::kMillisecond);

// What the scenario loader does with a packed file: unpack, parse, then read every field of every
// day through the cursor, converting the numbers.
void BM_PackedScenarioLoadAndWalk(benchmark::State& state) {
    const std::string& packed = PackedScenario();
    std::int64_t checksum = 0;
    for (auto _ : state) {
        CDocTree tree;
        DocLoadResult result = tree.LoadFromBytes(packed, "bench.scn");
        if (!result.Ok()) state.SkipWithError(result.Message().c_str());
        tree.MoveToRoot();
        if (tree.EnterChild("Header")) {
            checksum += CDocTree::TextToInt(tree.GetChildText("FundAmount").value_or(""));
        }
        tree.MoveToRoot();
        if (tree.EnterChild("Event")) {
            const int days = tree.CountChildren();
            for (int e = 0; e < days; ++e) {
                if (!tree.EnterChild(std::to_string(e))) continue;
                for (const char* key : {"Date", "DOW", "HeadLine", "Detail", "Info"}) {
                    checksum += static_cast<std::int64_t>(tree.GetChildText(key).value_or("").size());
                }
                checksum += static_cast<std::int64_t>(CDocTree::TextToReal(tree.GetChildText("N225").value_or("")));
                if (tree.EnterChild("Motion")) {
                    for (int p = 0; p < 3; ++p) {
                        if (!tree.EnterChild(std::to_string(p))) continue;
                        checksum += CDocTree::TextToInt(tree.GetChildText("Price").value_or(""));
                        checksum += CDocTree::TextToInt(tree.GetChildText("Judge").value_or(""));
                        tree.ExitToParent();
                    }
                    tree.ExitToParent();
                }
                tree.ExitToParent();
            }
        }
        tree.Release();
    }
    benchmark::DoNotOptimize(checksum);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ScenarioText().size()));
}
BENCHMARK(BM_PackedScenarioLoadAndWalk)->Unit(benchmark::kMillisecond);

void BM_Pack(benchmark::State& state) {
    const std::string& text = ScenarioText();
    for (auto _ : state) {
        std::string packed = PackContainer(text);
        benchmark::DoNotOptimize(packed.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Pack)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace valmore
