#pragma once

#include <filesystem>

namespace valmore {

// Where results, interrupted plays and the account are kept by default (and the ranking server's
// database): $XDG_DATA_HOME/valmore when that is an absolute path, else $HOME/.local/share/valmore.
// Empty when neither is known. The values of the variables are passed in (null when unset).
std::filesystem::path DefaultUserDir(const char* xdgDataHome, const char* home);

}  // namespace valmore
