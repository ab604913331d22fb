#pragma once

// Stands in a slot of the screen table whose real screen is not part of the program yet: the
// default background with the screen's name in the middle, so switching to it is visible and safe,
// and a button back to the main menu, so the user is never stranded there.

#include <string>

#include "ui/Screen.h"
#include "ui/SkinButton.h"

namespace valmore {

class CPlaceholderScreen : public CScreen {
public:
    CPlaceholderScreen(IViewHost& owner, int screenNumber);

    void Draw(CCanvas& dc) override;
    void Activate() override {}

    const std::string& Caption() const { return caption_; }
    // Null on the main menu's own placeholder.
    CSkinButton* BackButton() const { return back_; }

    // The name of a screen number (Shift_JIS); empty for a slot the program does not use.
    static std::string ScreenName(int screenNumber);

private:
    std::string caption_;
    CSkinButton* back_ = nullptr;
};

}  // namespace valmore
