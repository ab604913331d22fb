#pragma once

// Where the registration screen places its form, the account's values and its buttons, per
// resolution mode. The skin generator draws the form's boxes from the same table.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

struct RegistrationLayout {
    Point form;                  // top-left corners
    std::array<Rect, 3> values;  // user ID, nickname, password, in canvas coordinates
    Point changeButton;
    Point backButton;
};

inline constexpr std::array<RegistrationLayout, kModeCount> kRegistrationLayouts{{
    {{6, 207}, {{{434, 261, 623, 282}, {434, 294, 623, 315}, {434, 327, 623, 348}}}, {711, 328}, {936, 211}},
    {{6, 207}, {{{543, 275, 738, 299}, {543, 317, 738, 341}, {543, 358, 738, 382}}}, {911, 352}, {1200, 211}},
}};

}  // namespace valmore
