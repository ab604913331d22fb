#pragma once

// The execute button. Disabled, it looks like any skin button; enabled, it shows a 22-frame animation
// instead of its up and down pictures, one frame further on every tick of the day controller, so it
// pulses while the day's orders can be submitted.

#include <array>
#include <filesystem>
#include <optional>

#include "platform/Bitmap.h"
#include "ui/SkinButton.h"

namespace valmore {

class CDayController;

class CAnimatedButton : public CSkinButton {
public:
    static constexpr int kFrameCount = kExecuteFrameCount;

    // Loads the execute button's animation frames from the mode's skin folder below
    // dataDir (the folder that holds "SR\"). A frame that cannot be read is left empty.
    CAnimatedButton(IViewHost& owner, CDayController& controller, const std::filesystem::path& dataDir);

    void Draw(CCanvas& dc) override;

    // Counts the controller ticks seen while enabled; the frame shown is this modulo 22. It keeps its
    // value while the button is disabled, so the animation resumes where it stopped.
    int FrameCounter() const { return frameCounter_; }
    const CBitmap& Frame(int index) const { return frames_[static_cast<std::size_t>(index % kFrameCount)]; }
    int FramesLoaded() const;

private:
    CDayController& controller_;
    std::array<CBitmap, kFrameCount> frames_;
    int frameCounter_ = 0;
    // The controller's state, sub-state and tick count at the last frame drawn. Repaints between two
    // ticks (the mouse passing over another button) show the same frame, so the animation keeps its pace.
    std::optional<std::array<int, 3>> lastSeen_;
};

}  // namespace valmore
