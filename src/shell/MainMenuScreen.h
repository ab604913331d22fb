#pragma once

// The main menu (screen 1): the first screen after start-up and where every finished, left or
// stopped activity returns. Four bitmap buttons: the practice run, scenario selection,
// communication with the centre, and quitting the program.

#include <array>

#include "shell/MainMenuLayout.h"
#include "ui/Screen.h"
#include "ui/SkinButton.h"

namespace valmore {

class CAppContext;

class CMainMenuScreen : public CScreen {
public:
    static constexpr int kBackgroundBitmap = kSkinMenuBackground;
    static constexpr int kTitleBitmap = kSkinMenuTitle;
    static constexpr int kButtonCount = MainMenuLayout::kButtonCount;

    using LayoutTable = MainMenuLayout;
    static const LayoutTable& Placement(int mode);

    CMainMenuScreen(IViewHost& owner, CAppContext& context);

    void Draw(CCanvas& dc) override;
    void Layout() override;
    void Activate() override {}

    // Buttons 0 to 3 in table order: practice run, scenario selection, communication, quit.
    CSkinButton& Button(int index) const { return *buttons_[static_cast<std::size_t>(index)]; }

private:
    void OnPractice();
    void OnQuit();

    CAppContext& context_;
    std::array<CSkinButton*, kButtonCount> buttons_{};
};

}  // namespace valmore
