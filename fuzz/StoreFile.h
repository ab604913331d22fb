#pragma once

// A private folder for the store targets, whose stores load only from real files. It lies in shared
// memory where there is one, so no run waits for a disk.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace valmore::fuzz {

inline const std::filesystem::path& StoreFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code error;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        // libFuzzer often ends with _Exit, which skips the clean-up below; folders of ended runs go here.
        for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("valmore-fuzz-", 0) != 0) continue;
            const long pid = std::strtol(name.c_str() + 13, nullptr, 10);
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                std::filesystem::remove_all(entry.path(), error);
        }
        std::filesystem::path dir = base / ("valmore-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        // The path is kept in plain memory, which outlives the static path the exit handler would see destroyed.
        static char removeAtExit[4096];
        std::snprintf(removeAtExit, sizeof removeAtExit, "%s", dir.c_str());
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removeAtExit, ignored);
        });
        return dir;
    }();
    return folder;
}

// Each file stays open for the whole run and is overwritten in place: opening and truncating it for
// every input would cost more than the store's own work.
inline std::filesystem::path WriteStoreFile(const std::string& name, std::string_view bytes) {
    static std::map<std::string, int> descriptors;
    const std::filesystem::path file = StoreFolder() / name;
    int& fd = descriptors.try_emplace(name, -1).first->second;
    if (fd < 0) fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0 || ::pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()) ||
        ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
        __builtin_trap();
    return file;
}

}  // namespace valmore::fuzz
