#pragma once

// The start-up picture: shown centred in the program's window for a few seconds before the main view
// takes the window over. Input is ignored meanwhile, except a request to close the window.

#include <filesystem>

#include "platform/Bitmap.h"
#include "platform/PlatformWindow.h"

namespace valmore {

class CSplash {
public:
    static constexpr int kShowMs = 3000;

    enum class Outcome {
        Shown,    // the picture was shown for the whole time
        NoImage,  // no readable picture; nothing was shown
        Closed,   // the user closed the window meanwhile; the program should end
    };

    // The splash file below the data folder.
    static std::filesystem::path ImageFile(const std::filesystem::path& dataDir);

    // Shows the picture for durationMs while pumping the window's events. The window's canvas is
    // replaced by one of the picture's size; the main view creates its own afterwards.
    static Outcome Show(CPlatformWindow& window, const std::filesystem::path& imageFile, int durationMs = kShowMs);
};

}  // namespace valmore
