#pragma once

// The program's icon for the desktop's application menu and task bar. The program itself never
// reads it; it is installed into the hicolor icon theme beside the menu entry.

#include <filesystem>
#include <string>

namespace valmore::skingen {

// The sizes desktops look up in the hicolor theme, in pixels.
inline constexpr int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Writes <folder>/<n>x<n>/apps/valmore.png for every size and <folder>/scalable/apps/valmore.svg.
bool WriteAppIcons(const std::filesystem::path& folder, std::string* error);

}  // namespace valmore::skingen
