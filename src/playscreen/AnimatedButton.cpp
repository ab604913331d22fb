#include "playscreen/AnimatedButton.h"

#include <string>

#include "platform/ProgramPath.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kUp = kSkinNextUp;
constexpr int kDn = kSkinNextDn;
constexpr int kNon = kSkinNextNon;  // every frame is shown at this picture's size

}  // namespace

CAnimatedButton::CAnimatedButton(IViewHost& owner, const std::filesystem::path& dataDir)
    : CSkinButton(owner, kUp, kDn, kNon) {
    for (int i = 0; i < kFrameCount; ++i) {
        const std::string name = ExecuteFrameName(i + 1);
        const std::filesystem::path file = MapProgramPath(dataDir, std::string(CSkin::ModeFolder(owner.Mode())) + name);
        if (!file.empty()) frames_[static_cast<std::size_t>(i)] = CBitmap::LoadBmpFile(file);
    }
}

int CAnimatedButton::FramesLoaded() const {
    int count = 0;
    for (const CBitmap& frame : frames_) count += frame.IsEmpty() ? 0 : 1;
    return count;
}

void CAnimatedButton::Draw(CCanvas& dc) {
    if (!visible) return;
    if (!enabled) {
        CSkinButton::Draw(dc);
        return;
    }
    const CBitmap& frame = Frame(frameCounter_);
    ++frameCounter_;
    if (frame.IsEmpty()) {
        // Without its frame the button still shows that it can be pressed.
        CSkinButton::Draw(dc);
        return;
    }
    const CSkin& skin = owner_.Skin();
    dc.DrawBitmapPart(frame, Rect{0, 0, skin.Width(kNon), skin.Height(kNon)}, rect_.left, rect_.top);
}

}  // namespace valmore
