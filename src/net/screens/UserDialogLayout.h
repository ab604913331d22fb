#pragma once

// Where the user dialog places its buttons, message and fields, per resolution mode (dialog
// coordinates). The skin generator places the dialog's buttons from the same table.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

namespace user_dialog_units {
// The fields were placed in dialog units of a 10 pt dialog font: 4 units across are 7 pixels, 8 units
// down are 13 pixels, rounded as the window system rounds them.
constexpr int Across(int units) {
    return (units * 7 + 2) / 4;
}
constexpr int Down(int units) {
    return (units * 13 + 4) / 8;
}
constexpr Rect Field(int x, int y, int width, int height) {
    return Rect{Across(x), Down(y), Across(x) + Across(width), Down(y) + Down(height)};
}
}  // namespace user_dialog_units

struct UserDialogLayout {
    Point okButton;
    Point cancelButton;
    int messageTop;
    std::array<Rect, 3> fields;  // user ID, nickname, password, from top to bottom; grown to fit the text
};

inline constexpr std::array<UserDialogLayout, kModeCount> kUserDialogLayouts{{
    {{420, 4},
     {477, 4},
     40,
     {user_dialog_units::Field(174, 45, 93, 12), user_dialog_units::Field(174, 68, 93, 12),
      user_dialog_units::Field(174, 91, 93, 12)}},
    {{520, 4},
     {577, 4},
     60,
     {user_dialog_units::Field(200, 72, 93, 12), user_dialog_units::Field(200, 95, 93, 12),
      user_dialog_units::Field(200, 118, 93, 12)}},
}};

}  // namespace valmore
