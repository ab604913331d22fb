// The real program on a virtual display: it must start in the mode the screen calls for and end
// cleanly when the user quits from the main menu. Needs Xvfb and xdotool; skipped without them.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "shell/MainMenuScreen.h"
#include "support/TempDir.h"
#include "ui/Skin.h"

extern char** environ;

namespace valmore {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::string dirs = path;
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::filesystem::path candidate = std::filesystem::path(dirs.substr(start, end - start)) / program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// A child process that is killed, if still running, when the object goes away.
class Child {
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() { Kill(); }

    // Starts args[0] (found on the PATH) with extra environment entries. stdoutFd and keepFd, when
    // not -1, become the child's standard output and stay open in it.
    bool Start(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv, int stdoutFd = -1) {
        std::vector<std::string> env = extraEnv;
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            const std::string key = entry.substr(0, entry.find('='));
            bool replaced = false;
            for (const std::string& extra : extraEnv) replaced |= extra.rfind(key + "=", 0) == 0;
            if (!replaced) env.push_back(entry);
        }
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int rc = posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) pid_ = -1;
        return pid_ > 0;
    }

    // The exit status once the child has ended within the time; none while it runs.
    std::optional<int> WaitExit(milliseconds timeout) {
        const auto end = Clock::now() + timeout;
        while (pid_ > 0) {
            int status = 0;
            const pid_t r = waitpid(pid_, &status, WNOHANG);
            if (r == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            if (r < 0 || Clock::now() >= end) return std::nullopt;
            std::this_thread::sleep_for(milliseconds(20));
        }
        return std::nullopt;
    }

    void Kill() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

class Pipe {
public:
    Pipe() {
        if (pipe(fds_) != 0) fds_[0] = fds_[1] = -1;
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int Read() const { return fds_[0]; }
    int Write() const { return fds_[1]; }
    void CloseWrite() {
        if (fds_[1] >= 0) close(fds_[1]);
        fds_[1] = -1;
    }
    void CloseRead() {
        if (fds_[0] >= 0) close(fds_[0]);
        fds_[0] = -1;
    }

    // One line, without its line feed; none when nothing complete arrived in time.
    std::optional<std::string> ReadLine(milliseconds timeout) {
        std::string line;
        const auto end = Clock::now() + timeout;
        for (;;) {
            const auto left = std::chrono::duration_cast<milliseconds>(end - Clock::now()).count();
            if (left <= 0) return std::nullopt;
            pollfd p{fds_[0], POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
            char c = 0;
            if (read(fds_[0], &c, 1) != 1) return std::nullopt;
            if (c == '\n') return line;
            line += c;
        }
    }

private:
    int fds_[2];
};

// Runs a command to its end, at most for the time given; its exit status, or none on a timeout. What
// it prints on standard output goes to *out when asked for.
std::optional<int> RunCommand(const std::vector<std::string>& args, const std::string& display, milliseconds timeout,
                              std::string* out = nullptr) {
    Pipe output;
    Child child;
    if (!child.Start(args, {"DISPLAY=" + display}, output.Write())) return std::nullopt;
    output.CloseWrite();
    const auto end = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(end - Clock::now()).count();
        if (left <= 0) return std::nullopt;
        pollfd p{output.Read(), POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        char buffer[256];
        const ssize_t n = read(output.Read(), buffer, sizeof buffer);
        if (n <= 0) break;  // the command closed its output: it has ended or is about to
        if (out) out->append(buffer, static_cast<std::size_t>(n));
    }
    return child.WaitExit(std::chrono::duration_cast<milliseconds>(end - Clock::now()));
}

// The colour the display shows at a point, read from a one-pixel screenshot.
std::optional<Rgb> ScreenPixel(const std::string& display, Point at) {
    std::string text;
    const std::string crop = "1x1+" + std::to_string(at.x) + "+" + std::to_string(at.y);
    if (RunCommand({"import", "-window", "root", "-crop", crop, "-depth", "8", "txt:-"}, display, milliseconds(5000),
                   &text) != 0) {
        return std::nullopt;
    }
    // "0,0: (r,g,b)  #RRGGBB  ..."
    const std::size_t hash = text.find('#', text.find("0,0:"));
    if (hash == std::string::npos || hash + 7 > text.size()) return std::nullopt;
    return Rgb::FromPacked(static_cast<std::uint32_t>(std::stoul(text.substr(hash + 1, 6), nullptr, 16)));
}

// Waits until the display shows the colour at the point.
bool WaitForPixel(const std::string& display, Point at, Rgb colour, milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    do {
        if (ScreenPixel(display, at) == colour) return true;
        std::this_thread::sleep_for(milliseconds(50));
    } while (Clock::now() < end);
    return false;
}

Point Centre(Point corner, Size size) {
    return {corner.x + size.width / 2, corner.y + size.height / 2};
}

std::filesystem::path ProgramPath() {
    return std::filesystem::path(VALMORE_RUN_DIR).parent_path() / "src" / "shell" / "valmore";
}

void QuitFromTheMainMenu(Size screen, int mode, const std::string& expectedLine) {
    if (!OnPath("Xvfb") || !OnPath("xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    ASSERT_TRUE(std::filesystem::exists(ProgramPath())) << ProgramPath();

    // Xvfb picks a free display number itself and tells it through the pipe once it accepts clients.
    Pipe displayPipe;
    Child xvfb;
    const std::string geometry = std::to_string(screen.width) + "x" + std::to_string(screen.height) + "x24";
    ASSERT_TRUE(xvfb.Start({"Xvfb", "-displayfd", std::to_string(displayPipe.Write()), "-screen", "0", geometry,
                            "-nolisten", "tcp", "-noreset"},
                           {}));
    displayPipe.CloseWrite();
    const std::optional<std::string> number = displayPipe.ReadLine(milliseconds(10000));
    ASSERT_TRUE(number && !number->empty()) << "Xvfb did not start";
    const std::string display = ":" + *number;

    test::TempDir userDir;
    Pipe output;
    Child program;
    // In a sanitizer build the display libraries (D-Bus, FriBidi) keep memory until the process ends,
    // which the leak check would count against the program; our own code's leaks are checked by the
    // headless tests, so only that check is turned off here.
    const char* asanOptions = std::getenv("ASAN_OPTIONS");
    const std::string asan =
        std::string("ASAN_OPTIONS=") + (asanOptions ? asanOptions + std::string(":") : "") + "detect_leaks=0";
    ASSERT_TRUE(program.Start(
        {ProgramPath().string(), "--no-splash", "--data-dir", VALMORE_RUN_DIR, "--user-dir", userDir.Path().string()},
        {"DISPLAY=" + display, asan}, output.Write()));
    output.CloseWrite();
    const std::optional<std::string> line = output.ReadLine(milliseconds(10000));
    ASSERT_TRUE(line.has_value()) << "no mode line";
    std::string ignored;
    EXPECT_EQ(*line, expectedLine);

    const std::optional<int> found =
        RunCommand({"xdotool", "search", "--sync", "--onlyvisible", "--pid", std::to_string(program.Pid())}, display,
                   milliseconds(10000), &ignored);
    ASSERT_EQ(found, 0) << "the window did not appear";

    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, mode);
    const Point quitCorner = CMainMenuScreen::Placement(mode).buttons[3];
    const Point quit = Centre(quitCorner, skin.BitmapSize(52));
    // The popup is centred on the screen; its yes button lies at (440, 4) inside it. The button's size
    // is taken as the smaller of the yes picture and the OK picture, so the centre hits either way.
    const Size popup = skin.BitmapSize(90);
    const Size yesSize{std::min(skin.Width(117), skin.Width(86)), std::min(skin.Height(117), skin.Height(86))};
    const Point yesCorner{screen.width / 2 - popup.width / 2 + 440, screen.height / 2 - popup.height / 2 + 4};
    const Point yes = Centre(yesCorner, yesSize);
    ASSERT_GT(popup.width, 0);

    // Without a window manager the toolkit may unmap and map the window again while it goes full
    // screen, and a click in between is lost; so each step is repeated until its effect shows: the
    // menu's quit button, then the question's yes button, then the end of the program.
    auto click = [&](Point at) {
        return RunCommand({"xdotool", "mousemove", "--sync", std::to_string(at.x), std::to_string(at.y), "click", "1"},
                          display, milliseconds(5000));
    };
    const CBitmap& quitPicture = skin.Bitmap(52);
    const CBitmap& yesPicture = skin.Bitmap(117);
    ASSERT_TRUE(WaitForPixel(display, quit, quitPicture.Pixel(quit.x - quitCorner.x, quit.y - quitCorner.y),
                             milliseconds(10000)))
        << "the main menu was not shown";
    bool asked = false;
    for (int attempt = 0; attempt < 4 && !asked; ++attempt) {
        ASSERT_EQ(click(quit), 0);
        asked =
            WaitForPixel(display, yes, yesPicture.Pixel(yes.x - yesCorner.x, yes.y - yesCorner.y), milliseconds(2000));
    }
    ASSERT_TRUE(asked) << "the quit question was not shown";
    std::optional<int> status;
    for (int attempt = 0; attempt < 3 && !status; ++attempt) {
        ASSERT_EQ(click(yes), 0);
        status = program.WaitExit(milliseconds(3000));
    }
    EXPECT_EQ(status, 0) << "the program did not end after yes";
}

TEST(RealWindow, OnAnXgaScreenTheProgramStartsInXgaModeAndQuitsFromTheMenu) {
    QuitFromTheMainMenu({1024, 768}, kModeXga, "valmore: XGA mode, canvas 1024x768, screen 1024x768");
}

TEST(RealWindow, OnAnSxgaScreenTheProgramStartsInSxgaModeAndQuitsFromTheMenu) {
    QuitFromTheMainMenu({1280, 1024}, kModeSxga, "valmore: SXGA mode, canvas 1280x1024, screen 1280x1024");
}

}  // namespace
}  // namespace valmore
