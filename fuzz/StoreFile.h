#pragma once

// A private folder for the store targets, whose stores load only from real files. It lies in shared
// memory where there is one, so no run waits for a disk.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace valmore::fuzz {

inline const std::filesystem::path& StoreFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code error;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        std::filesystem::path dir = base / ("valmore-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(StoreFolder(), ignored);
        });
        return dir;
    }();
    return folder;
}

inline std::filesystem::path WriteStoreFile(const std::string& name, std::string_view bytes) {
    const std::filesystem::path file = StoreFolder() / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

}  // namespace valmore::fuzz
