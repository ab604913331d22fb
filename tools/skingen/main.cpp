// valmore-skingen: draws both skin sets, the execute-button frames and the splash image into a
// folder (the run folder), at the paths the program reads them from: the program's picture table
// names every file.
// With --icons it draws the program's desktop icon in the hicolor theme's layout instead.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "AppIcon.h"
#include "SkinGeometry.h"
#include "SkinLayout.h"
#include "SkinPainter.h"

namespace fs = std::filesystem;
using namespace valmore;
using namespace valmore::skingen;

namespace {

// Writes beside the target and renames over it, so a program reading the run folder never sees a
// half-written bitmap. There is no flush to disk: the files are build output that the next build
// recreates, and flushing some three hundred files would slow every build down.
bool WriteReplacing(const fs::path& target, const std::string& bytes, std::string* error) {
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (ec) {
        *error = target.parent_path().string() + ": cannot create the folder: " + ec.message();
        return false;
    }
    const fs::path temp = target.string() + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            *error = temp.string() + ": cannot write";
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        *error = target.string() + ": cannot replace: " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

bool WriteImage(const fs::path& target, const CBmpImage& image, int* count, std::string* error) {
    if (!WriteReplacing(target, image.Encode(), error)) return false;
    ++*count;
    return true;
}

int Usage() {
    std::fprintf(stderr, "usage: valmore-skingen [--out <folder>] [--icons <folder>]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    fs::path out;
    fs::path icons;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (arg == "--icons" && i + 1 < argc) {
            icons = argv[++i];
        } else {
            return Usage();
        }
    }
    if (out.empty() && icons.empty()) return Usage();
    if (!icons.empty()) {
        std::string iconError;
        if (!WriteAppIcons(icons, &iconError)) {
            std::fprintf(stderr, "valmore-skingen: %s\n", iconError.c_str());
            return 1;
        }
        if (out.empty()) return 0;
    }
    CSkinPainter painter;
    int count = 0;
    std::string error;
    for (int m = 0; m < kModeCount; ++m) {
        const Mode mode = static_cast<Mode>(m);
        const std::string folder = kSkinModeFolder[static_cast<std::size_t>(m)];
        for (const SkinEntry& entry : kSkinTable) {
            if (!WriteImage(out / DiskPath(folder + entry.Name(mode)), painter.Image(entry.index, mode), &count,
                            &error)) {
                std::fprintf(stderr, "valmore-skingen: %s\n", error.c_str());
                return 1;
            }
        }
        for (int n = 1; n <= kExecuteFrameCount; ++n) {
            if (!WriteImage(out / DiskPath(folder + ExecuteFrameName(n)), painter.Image(kFrameImage + n, mode), &count,
                            &error)) {
                std::fprintf(stderr, "valmore-skingen: %s\n", error.c_str());
                return 1;
            }
        }
    }
    if (!WriteImage(out / DiskPath(kSplashFile), PaintSplashImage(), &count, &error)) {
        std::fprintf(stderr, "valmore-skingen: %s\n", error.c_str());
        return 1;
    }
    std::printf("valmore-skingen: %d bitmaps written to %s\n", count, out.string().c_str());
    return 0;
}
