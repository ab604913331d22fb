#pragma once

// The execute button. Disabled, it looks like any skin button; enabled, it shows a 22-frame animation
// instead of its up and down pictures, one frame further at every paint. The simulation screen
// repaints it at every tick while it is enabled, so it pulses while the day's orders can be submitted,
// also while the practice run holds the play.

#include <array>
#include <filesystem>

#include "platform/Bitmap.h"
#include "ui/SkinButton.h"

namespace valmore {

class CAnimatedButton : public CSkinButton {
public:
    static constexpr int kFrameCount = kExecuteFrameCount;

    // Loads the execute button's animation frames from the mode's skin folder below
    // dataDir (the folder that holds "SR\"). A frame that cannot be read is left empty.
    CAnimatedButton(IViewHost& owner, const std::filesystem::path& dataDir);

    void Draw(CCanvas& dc) override;

    // Counts the paints while enabled; the next frame shown is this modulo 22. It keeps its value while
    // the button is disabled, so the animation resumes where it stopped.
    int FrameCounter() const { return frameCounter_; }
    const CBitmap& Frame(int index) const { return frames_[static_cast<std::size_t>(index % kFrameCount)]; }
    int FramesLoaded() const;

private:
    std::array<CBitmap, kFrameCount> frames_;
    int frameCounter_ = 0;
};

}  // namespace valmore
