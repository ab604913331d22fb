#include "platform/UserDir.h"

namespace valmore {

std::filesystem::path DefaultUserDir(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr) {
        const std::filesystem::path base(xdgDataHome);
        if (base.is_absolute()) return base / "valmore";
    }
    if (home != nullptr && *home != '\0') return std::filesystem::path(home) / ".local" / "share" / "valmore";
    return {};
}

}  // namespace valmore
