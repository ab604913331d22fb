#pragma once

// Reading the skin that the build drew into the run folder.

#include <filesystem>
#include <optional>
#include <string>

#include "BmpImage.h"
#include "SkinGeometry.h"
#include "SkinLayout.h"
#include "support/TempDir.h"

namespace valmore::skingen::test {

inline std::filesystem::path SkinRoot() {
    return std::filesystem::path(VALMORE_RUN_DIR) / "SR";
}

inline std::filesystem::path ImagePath(int image, Mode mode) {
    const std::string folder = kSkinModeFolder[static_cast<std::size_t>(mode)];
    const std::string name = image > kFrameImage ? ExecuteFrameName(image - kFrameImage)
                                                 : kSkinTable[static_cast<std::size_t>(image)].Name(mode);
    return std::filesystem::path(VALMORE_RUN_DIR) / DiskPath(folder + name);
}

inline std::optional<CBmpImage> LoadImage(const std::filesystem::path& path, std::string* error) {
    if (!std::filesystem::exists(path)) {
        *error = path.string() + ": missing";
        return std::nullopt;
    }
    std::optional<CBmpImage> image = CBmpImage::Decode(valmore::test::ReadFileBytes(path), error);
    if (!image) *error = path.string() + ": " + *error;
    return image;
}

}  // namespace valmore::skingen::test
