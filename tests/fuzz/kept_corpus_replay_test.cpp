// Every input kept under fuzz/corpus/<target>/ runs through its fuzz target's checks once more, in the
// normal and the sanitizer build, so an input that once found a fault stays a regression test.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#define VALMORE_FUZZ_TARGET(name) extern "C" int FuzzEntry_##name(const std::uint8_t*, std::size_t);
#include "FuzzTargets.inc"
#undef VALMORE_FUZZ_TARGET

namespace {

struct FuzzTarget {
    const char* name;
    int (*entry)(const std::uint8_t*, std::size_t);
};

constexpr FuzzTarget kTargets[] = {
#define VALMORE_FUZZ_TARGET(name) {#name, FuzzEntry_##name},
#include "FuzzTargets.inc"
#undef VALMORE_FUZZ_TARGET
};

// A failed check traps and ends the program; the handler names the input first.
char g_current[1024];

void NameInputAndDie(int signal) {
    const char prefix[] = "fuzz input that failed its checks: ";
    (void)!::write(STDERR_FILENO, prefix, sizeof prefix - 1);
    (void)!::write(STDERR_FILENO, g_current, std::strlen(g_current));
    (void)!::write(STDERR_FILENO, "\n", 1);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(KeptFuzzCorpus, EveryKeptInputPassesItsTargetsChecksAndEveryFolderHasATarget) {
    const std::filesystem::path root = std::filesystem::path(VALMORE_SOURCE_DIR) / "fuzz" / "corpus";
    std::signal(SIGILL, NameInputAndDie);
    std::signal(SIGTRAP, NameInputAndDie);

    std::set<std::string> names;
    for (const FuzzTarget& target : kTargets) {
        names.insert(target.name);
        const std::filesystem::path folder = root / target.name;
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << "no kept corpus for " << target.name;
        std::vector<std::filesystem::path> inputs;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) inputs.push_back(entry.path());
        std::sort(inputs.begin(), inputs.end());
        EXPECT_FALSE(inputs.empty()) << target.name;
        target.entry(nullptr, 0);
        for (const std::filesystem::path& input : inputs) {
            const std::string bytes = ReadBytes(input);
            std::snprintf(g_current, sizeof g_current, "%s", input.c_str());
            target.entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        }
    }
    // A corpus whose target was renamed or removed would silently stop being replayed.
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
        EXPECT_TRUE(names.contains(entry.path().filename().string())) << entry.path();
    }
    std::signal(SIGILL, SIG_DFL);
    std::signal(SIGTRAP, SIG_DFL);
}

}  // namespace
