#include <gtest/gtest.h>

#include "shell/CommandLine.h"
#include "support/TempDir.h"
#include "ui/ViewHost.h"

namespace valmore {
namespace {

CommandLineResult Parse(std::vector<std::string> args) {
    return ParseCommandLine(args, "/built/run");
}

TEST(CommandLine, WithoutOptionsTheProgramRunsFullScreenWithTheBuiltRunFolder) {
    const CommandLineResult r = Parse({});
    ASSERT_TRUE(r.options);
    EXPECT_FALSE(r.options->windowed);
    EXPECT_FALSE(r.options->mode.has_value());
    EXPECT_TRUE(r.options->splash);
    EXPECT_EQ(r.options->dataDir, "/built/run");
    EXPECT_FALSE(r.options->userDir.has_value());
}

TEST(CommandLine, EveryOptionIsReadInBothSpellings) {
    const CommandLineResult r =
        Parse({"--window", "--mode", "sxga", "--no-splash", "--data-dir", "/d", "--user-dir=/u"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_TRUE(r.options->windowed);
    EXPECT_EQ(r.options->mode, kModeSxga);
    EXPECT_FALSE(r.options->splash);
    EXPECT_EQ(r.options->dataDir, "/d");
    EXPECT_EQ(r.options->userDir, std::filesystem::path("/u"));

    EXPECT_EQ(Parse({"--mode=xga"}).options->mode, kModeXga);
    EXPECT_TRUE(Parse({"--help"}).options->help);
}

TEST(CommandLine, UnknownOrIncompleteOptionsAreRefusedWithAReason) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{"--fullscreen"},
                                                                                      {"window"},
                                                                                      {"--mode"},
                                                                                      {"--mode", "vga"},
                                                                                      {"--data-dir"},
                                                                                      {"--user-dir="},
                                                                                      {"--no-splash=yes"}}) {
        const CommandLineResult r = Parse(args);
        EXPECT_FALSE(r.options) << args[0];
        EXPECT_FALSE(r.error.empty()) << args[0];
    }
    EXPECT_NE(Parse({"--fullscreen"}).error.find("--fullscreen"), std::string::npos);
}

TEST(CommandLine, TheServerOptionTakesOnlyAnHttpUrl) {
    EXPECT_FALSE(Parse({}).options->server.has_value());
    EXPECT_EQ(Parse({"--server", "http://127.0.0.1:9/RURadiza/servlet/"}).options->server,
              "http://127.0.0.1:9/RURadiza/servlet/");
    EXPECT_EQ(Parse({"--server=https://h/s/"}).options->server, "https://h/s/");
    for (const char* bad : {"--server", "--server=", "--server=h:80/s/", "--server=file:///etc/passwd"}) {
        const CommandLineResult r = Parse({bad});
        EXPECT_FALSE(r.options) << bad;
        EXPECT_NE(r.error.find("--server"), std::string::npos) << bad;
    }
}

TEST(CommandLine, TheUserFolderFollowsTheDataHomeConvention) {
    EXPECT_EQ(DefaultUserDir("/x/data", "/home/u"), "/x/data/valmore");
    EXPECT_EQ(DefaultUserDir(nullptr, "/home/u"), "/home/u/.local/share/valmore");
    // A relative data home is not a place anyone asked for.
    EXPECT_EQ(DefaultUserDir("rel", "/home/u"), "/home/u/.local/share/valmore");
    EXPECT_EQ(DefaultUserDir("", "/home/u"), "/home/u/.local/share/valmore");
    EXPECT_TRUE(DefaultUserDir(nullptr, nullptr).empty());
}

TEST(CommandLine, AnInstalledProgramFindsItsDataInItsOwnPrefixAndABuiltOneInItsRunFolder) {
    test::TempDir prefix;
    std::filesystem::create_directories(prefix / "bin");
    const std::filesystem::path exe = prefix / "bin" / "valmore";
    // Not installed yet: the data folder is the build's.
    EXPECT_EQ(DefaultDataDir(exe, "../share/valmore", "/built/run"), "/built/run");
    std::filesystem::create_directories(prefix / "share" / "valmore");
    EXPECT_EQ(DefaultDataDir(exe, "../share/valmore", "/built/run"), prefix / "share" / "valmore");
    EXPECT_EQ(DefaultDataDir({}, "../share/valmore", "/built/run"), "/built/run");
    EXPECT_NE(UsageText(prefix / "share" / "valmore").find((prefix / "share" / "valmore").string()), std::string::npos);
}

}  // namespace
}  // namespace valmore
