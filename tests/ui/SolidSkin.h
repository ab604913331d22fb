#pragma once

// A skin folder for tests: solid-colour BMP files written where the skin table looks for them, so a
// test can tell by a pixel's colour which picture was drawn.

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/Color.h"
#include "support/TempDir.h"
#include "ui/Skin.h"

namespace valmore::test {

// An uncompressed 24-bit bottom-up BMP of one colour.
inline std::string SolidBmp(int width, int height, Rgb colour) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::string out;
    auto put16 = [&](std::uint32_t v) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    out += "BM";
    put32(54 + pixelBytes);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(24);
    put32(0);
    put32(pixelBytes);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.push_back(static_cast<char>(colour.b));
            out.push_back(static_cast<char>(colour.g));
            out.push_back(static_cast<char>(colour.r));
        }
        out.append(static_cast<std::size_t>(rowBytes - width * 3), '\0');
    }
    return out;
}

// The skin file of an index as a path below the folder, with "/" for the program's "\".
inline std::string SkinFilePath(int mode, int index) {
    std::string path = std::string(CSkin::ModeFolder(ModeOf(mode))) + CSkin::FileName(ModeOf(mode), index);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

class SolidSkin {
public:
    // Writes skin bitmap index of the mode as a width x height picture of one colour.
    void Put(int mode, int index, int width, int height, Rgb colour) const {
        dir_.Write(SkinFilePath(mode, index), SolidBmp(width, height, colour));
    }
    const std::filesystem::path& Path() const { return dir_.Path(); }
    const TempDir& Dir() const { return dir_; }

private:
    TempDir dir_;
};

}  // namespace valmore::test
