// The trainer installed the way its package installs it: with the prefix /usr, into a staging folder
// (DESTDIR). Started from an unrelated folder without --data-dir, the installed program must find the
// data in its own prefix and show the very main menu the program in the build shows; the menu entry
// and the metadata must pass the desktop's validators. Needs Xvfb, xdotool, ImageMagick,
// desktop-file-validate and appstreamcli; skipped without them.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/MainMenuScreen.h"
#include "shell/XvfbSession.h"
#include "skingen/AppIcon.h"
#include "support/TempDir.h"
#include "ui/Skin.h"

namespace valmore {
namespace {

namespace fs = std::filesystem;
using test::milliseconds;
using test::OnPath;
using test::RunCommand;
using test::ScreenImage;
using test::XvfbSession;

// Runs a command outside any display; its exit status, with what it printed in *out.
std::optional<int> RunOutsideDisplay(const std::vector<std::string>& args, std::string* out) {
    return RunCommand(args, "", milliseconds(60000), out);
}

// Holds the working folder elsewhere for a while, as a menu entry started from $HOME would.
class WorkingFolder {
public:
    explicit WorkingFolder(const fs::path& to) : before_(fs::current_path()) { fs::current_path(to); }
    ~WorkingFolder() { fs::current_path(before_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    fs::path before_;
};

// Starts a program on the session's display and takes a screenshot once the main menu shows.
std::optional<ScreenImage> MainMenuShot(XvfbSession& session, std::vector<std::string> args, const fs::path& userDir) {
    args.insert(args.end(), {"--no-splash", "--user-dir", userDir.string()});
    if (!session.StartProgram(args, nullptr) || !session.WaitForWindow()) return std::nullopt;
    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, kModeXga);
    const Point quitCorner = CMainMenuScreen::Placement(kModeXga).buttons[3];
    std::optional<ScreenImage> shot = session.WaitUntil(
        [&](const ScreenImage& image) { return image.Shows(skin.Bitmap(52), quitCorner); }, milliseconds(10000));
    session.Program().Kill();
    return shot;
}

TEST(InstalledTrainer, StartedFromElsewhereItFindsItsOwnDataAndShowsTheMainMenuAsTheBuildDoes) {
    if (!XvfbSession::ToolsInstalled() || !OnPath("desktop-file-validate") || !OnPath("appstreamcli")) {
        GTEST_SKIP() << "Xvfb, xdotool, ImageMagick, desktop-file-utils or appstream is missing (scripts/setup)";
    }
    test::TempDir stage;
    std::string out;
    ASSERT_EQ(RunOutsideDisplay(
                  {VALMORE_CMAKE_COMMAND, "-E", "env", "DESTDIR=" + stage.Path().string(), VALMORE_CMAKE_COMMAND,
                   "--install", VALMORE_BUILD_DIR, "--prefix", "/usr", "--component", "trainer"},
                  &out),
              0)
        << out;
    const fs::path usr = stage / "usr";
    const fs::path installed = usr / "bin" / "valmore";

    out.clear();
    EXPECT_EQ(RunOutsideDisplay({"desktop-file-validate", (usr / "share/applications/valmore.desktop").string()}, &out),
              0)
        << out;
    int metadataFiles = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(usr / "share/metainfo")) {
        out.clear();
        EXPECT_EQ(RunOutsideDisplay({"appstreamcli", "validate", "--no-net", entry.path().string()}, &out), 0) << out;
        ++metadataFiles;
    }
    EXPECT_EQ(metadataFiles, 1);
    for (int size : skingen::kAppIconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_TRUE(fs::is_regular_file(usr / "share/icons/hicolor" / name / "apps/valmore.png")) << name;
    }
    EXPECT_TRUE(fs::is_regular_file(usr / "share/icons/hicolor/scalable/apps/valmore.svg"));

    // The program names the data folder it will use; it must be the staged prefix's, not the build's.
    out.clear();
    ASSERT_EQ(RunOutsideDisplay({installed.string(), "--help"}, &out), 0) << out;
    EXPECT_NE(out.find("(for this copy: " + (usr / "share/valmore").string() + ")"), std::string::npos) << out;

    test::TempDir elsewhere;
    const WorkingFolder inElsewhere(elsewhere.Path());
    XvfbSession session({1024, 768});
    ASSERT_TRUE(session.StartDisplay()) << "Xvfb did not start";
    const std::optional<ScreenImage> installedMenu = MainMenuShot(session, {installed.string()}, elsewhere / "a");
    ASSERT_TRUE(installedMenu) << "the installed program did not show the main menu";
    const std::optional<ScreenImage> builtMenu =
        MainMenuShot(session, {test::ProgramPath().string(), "--data-dir", VALMORE_RUN_DIR}, elsewhere / "b");
    ASSERT_TRUE(builtMenu) << "the program in the build did not show the main menu";
    int differing = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) differing += installedMenu->Pixel(x, y) == builtMenu->Pixel(x, y) ? 0 : 1;
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace valmore
