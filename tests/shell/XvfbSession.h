#pragma once

// Running the real program on a virtual display: child processes that are always killed, a pipe
// read line by line with a time limit, commands run against the display (xdotool, import), and what
// the display shows, read back as pixels. Every wait is bounded.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

extern char** environ;

namespace valmore::test {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

inline bool OnPath(const std::string& program) {
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

    // Starts args[0] (found on the PATH) with extra environment entries. stdoutFd, when not -1,
    // becomes the child's standard output.
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
inline std::optional<int> RunCommand(const std::vector<std::string>& args, const std::string& display,
                                     milliseconds timeout, std::string* out = nullptr) {
    Pipe output;
    Child child;
    if (!child.Start(args, {"DISPLAY=" + display}, output.Write())) return std::nullopt;
    output.CloseWrite();
    const auto end = Clock::now() + timeout;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(end - Clock::now()).count();
        if (left <= 0) return std::nullopt;
        pollfd p{output.Read(), POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        const ssize_t n = read(output.Read(), buffer.data(), buffer.size());
        if (n <= 0) break;  // the command closed its output: it has ended or is about to
        if (out) out->append(buffer.data(), static_cast<std::size_t>(n));
    }
    return child.WaitExit(std::chrono::duration_cast<milliseconds>(end - Clock::now()));
}

// The colour the display shows at a point, read from a one-pixel screenshot.
inline std::optional<Rgb> ScreenPixel(const std::string& display, Point at) {
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
inline bool WaitForPixel(const std::string& display, Point at, Rgb colour, milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    do {
        if (ScreenPixel(display, at) == colour) return true;
        std::this_thread::sleep_for(milliseconds(50));
    } while (Clock::now() < end);
    return false;
}

// The whole display at one moment, as 8-bit RGB.
class ScreenImage {
public:
    static std::optional<ScreenImage> Take(const std::string& display, Size screen) {
        ScreenImage image;
        image.size_ = screen;
        if (RunCommand({"import", "-window", "root", "-depth", "8", "rgb:-"}, display, milliseconds(5000),
                       &image.bytes_) != 0) {
            return std::nullopt;
        }
        if (image.bytes_.size() != static_cast<std::size_t>(screen.width) * screen.height * 3) return std::nullopt;
        return image;
    }

    Rgb Pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= size_.width || y >= size_.height) return {};
        const std::size_t at = (static_cast<std::size_t>(y) * size_.width + x) * 3;
        return Rgb{static_cast<std::uint8_t>(bytes_[at]), static_cast<std::uint8_t>(bytes_[at + 1]),
                   static_cast<std::uint8_t>(bytes_[at + 2])};
    }

    // Whether the picture shows with its top-left corner at the point. Only the pixels where the
    // picture differs from every one of the others count, so a button's enabled, pressed and disabled
    // looks tell apart; nine in ten of them must match, as panels may write over a picture's edge.
    bool Shows(const CBitmap& picture, Point corner, const std::vector<const CBitmap*>& others = {}) const {
        int considered = 0;
        int matching = 0;
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                const Rgb colour = picture.Pixel(x, y);
                bool distinct = true;
                for (const CBitmap* other : others) {
                    if (x < other->Width() && y < other->Height() && other->Pixel(x, y) == colour) distinct = false;
                }
                if (!distinct) continue;
                ++considered;
                if (Pixel(corner.x + x, corner.y + y) == colour) ++matching;
            }
        }
        return considered > 0 && matching * 10 >= considered * 9;
    }

private:
    Size size_;
    std::string bytes_;
};

inline Point Centre(Point corner, Size size) {
    return {corner.x + size.width / 2, corner.y + size.height / 2};
}

inline Point Centre(const Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline std::filesystem::path ProgramPath() {
    return std::filesystem::path(VALMORE_RUN_DIR).parent_path() / "src" / "shell" / "valmore";
}

// Xvfb on a free display, and the program on it; both are killed when the session ends, the program
// first. Xvfb picks the display number itself and tells it through a pipe once it accepts clients.
class XvfbSession {
public:
    static bool ToolsInstalled() { return OnPath("Xvfb") && OnPath("xdotool") && OnPath("import"); }

    explicit XvfbSession(Size screen) : screen_(screen) {}

    bool StartDisplay() {
        Pipe displayPipe;
        const std::string geometry = std::to_string(screen_.width) + "x" + std::to_string(screen_.height) + "x24";
        if (!xvfb_.Start({"Xvfb", "-displayfd", std::to_string(displayPipe.Write()), "-screen", "0", geometry,
                          "-nolisten", "tcp", "-noreset"},
                         {})) {
            return false;
        }
        displayPipe.CloseWrite();
        const std::optional<std::string> number = displayPipe.ReadLine(milliseconds(10000));
        if (!number || number->empty()) return false;
        display_ = ":" + *number;
        return true;
    }

    // Starts the program on the display; its first line of output (the mode line) goes to *firstLine.
    bool StartProgram(const std::vector<std::string>& args, std::string* firstLine) {
        Pipe output;
        // In a sanitizer build the display libraries (D-Bus, FriBidi) keep memory until the process
        // ends, which the leak check would count against the program; our own code's leaks are checked
        // by the headless tests, so only that check is turned off here.
        const char* asanOptions = std::getenv("ASAN_OPTIONS");
        const std::string asan =
            std::string("ASAN_OPTIONS=") + (asanOptions ? asanOptions + std::string(":") : "") + "detect_leaks=0";
        if (!program_.Start(args, {"DISPLAY=" + display_, asan}, output.Write())) return false;
        output.CloseWrite();
        const std::optional<std::string> line = output.ReadLine(milliseconds(10000));
        if (!line) return false;
        if (firstLine) *firstLine = *line;
        return true;
    }

    // Waits until the program's window is mapped.
    bool WaitForWindow() {
        std::string ignored;
        return RunCommand({"xdotool", "search", "--sync", "--onlyvisible", "--pid", std::to_string(program_.Pid())},
                          display_, milliseconds(10000), &ignored) == 0;
    }

    bool Click(Point at) {
        return RunCommand({"xdotool", "mousemove", "--sync", std::to_string(at.x), std::to_string(at.y), "click", "1"},
                          display_, milliseconds(5000)) == 0;
    }

    std::optional<ScreenImage> Shot() const { return ScreenImage::Take(display_, screen_); }

    // Takes screenshots until the test holds or the time is up; the last screenshot, or none.
    template <class Test>
    std::optional<ScreenImage> WaitUntil(Test test, milliseconds timeout) const {
        const auto end = Clock::now() + timeout;
        do {
            std::optional<ScreenImage> shot = Shot();
            if (shot && test(*shot)) return shot;
            std::this_thread::sleep_for(milliseconds(50));
        } while (Clock::now() < end);
        return std::nullopt;
    }

    const std::string& Display() const { return display_; }
    Size ScreenSize() const { return screen_; }
    Child& Program() { return program_; }

private:
    Size screen_;
    std::string display_;
    Child xvfb_;
    // Declared after Xvfb, so it is destroyed, and so killed, before the display goes.
    Child program_;
};

}  // namespace valmore::test
