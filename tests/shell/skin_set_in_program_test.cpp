// The generated skin as the program itself loads and places it: every listed file and every frame of
// the execute button has the size the skin's geometry table derives from the layout, and on the main
// menu and the simulation screen no two elements that should stand apart overlap.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProgramPath.h"
#include "shell/ProgramScreens.h"
#include "shell/ShellFixture.h"
#include "skingen/SkinGeometry.h"
#include "ui/ItemSelector.h"
#include "ui/SkinButton.h"
#include "ui/SpinBox.h"

namespace valmore {
namespace {

class SkinSetInProgram : public testing::TestWithParam<ResolutionMode> {};

TEST_P(SkinSetInProgram, EveryListedFileAndFrameLoadsAtItsTableSize) {
    const ResolutionMode mode = GetParam();
    const ResolutionMode geometryMode = mode;
    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, mode);
    for (const skingen::SkinEntry& entry : skingen::kSkinTable) {
        SCOPED_TRACE(entry.Name(geometryMode));
        const skingen::Size expected = entry.SizeIn(geometryMode);
        EXPECT_EQ(skin.Width(entry.index), expected.w);
        EXPECT_EQ(skin.Height(entry.index), expected.h);
        EXPECT_GT(expected.w * expected.h, 0) << "no entry of 0 to 120 may be missing";
    }
    const skingen::Size frameSize = skingen::kSkinTable[skingen::kExecuteFrameSizeIndex].SizeIn(geometryMode);
    for (int frame = 1; frame <= kExecuteFrameCount; ++frame) {
        const std::string name = std::string(CSkin::ModeFolder(mode)) + ExecuteFrameName(frame);
        CBitmap bitmap = CBitmap::LoadBmpFile(MapProgramPath(VALMORE_RUN_DIR, name));
        EXPECT_EQ(bitmap.Width(), frameSize.w) << name;
        EXPECT_EQ(bitmap.Height(), frameSize.h) << name;
    }
}

// Buttons, spin boxes and selectors sit on panels; panels must not overlap each other, nor controls
// other controls, and everything lies inside the canvas.
void ExpectApart(const CScreen& screen, Size canvas, const char* what) {
    std::vector<Rect> panels;
    std::vector<Rect> controls;
    for (const auto& panel : screen.Panels()) {
        const Rect r = panel->GetRect();
        if (auto* button = dynamic_cast<const CSkinButton*>(panel.get()); button && !button->visible) continue;
        EXPECT_GE(r.left, 0) << what;
        EXPECT_GE(r.top, 0) << what;
        EXPECT_LE(r.right, canvas.width) << what;
        EXPECT_LE(r.bottom, canvas.height) << what;
        EXPECT_FALSE(r.IsEmpty()) << what << ": an element without a bitmap";
        const bool control = dynamic_cast<const CSkinButton*>(panel.get()) ||
                             dynamic_cast<const CSpinBox*>(panel.get()) ||
                             dynamic_cast<const CItemSelector*>(panel.get());
        (control ? controls : panels).push_back(r);
    }
    for (const std::vector<Rect>* group : {&panels, &controls}) {
        for (std::size_t i = 0; i < group->size(); ++i) {
            for (std::size_t j = i + 1; j < group->size(); ++j) {
                const Rect& a = (*group)[i];
                const Rect& b = (*group)[j];
                EXPECT_TRUE(a.Intersect(b).IsEmpty())
                    << what << ": (" << a.left << "," << a.top << ")-(" << a.right << "," << a.bottom << ") and ("
                    << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ") overlap";
            }
        }
    }
}

TEST_P(SkinSetInProgram, MainMenuAndSimulationScreenElementsStandApart) {
    const ResolutionMode mode = GetParam();
    const Size screen = mode == kModeSxga ? Size{1280, 1024} : Size{1024, 768};
    test::ShellFixture shell(screen, mode);
    InstallProgramScreens(shell.context);
    CMainView& view = shell.Started();
    ASSERT_EQ(view.Mode(), mode);
    ExpectApart(*view.ScreenAt(1), view.CanvasSize(), "main menu");
    ExpectApart(*view.ScreenAt(0), view.CanvasSize(), "simulation screen");
    ExpectApart(*view.ScreenAt(2), view.CanvasSize(), "scenario selection");
}

INSTANTIATE_TEST_SUITE_P(BothModes, SkinSetInProgram, testing::Values(kModeXga, kModeSxga),
                         [](const testing::TestParamInfo<ResolutionMode>& info) {
                             return info.param == kModeXga ? "Xga" : "Sxga";
                         });

}  // namespace
}  // namespace valmore
