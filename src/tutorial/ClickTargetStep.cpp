#include "tutorial/ClickTargetStep.h"

namespace valmore {

namespace {

constexpr int kInsetX = 3;
constexpr int kInsetY = 2;

}  // namespace

Rect CClickTargetStep::Target() const {
    return Rect{rect.left + kInsetX, rect.top + kInsetY, rect.right - kInsetX, rect.bottom - kInsetY};
}

bool CClickTargetStep::OnButtonUp(unsigned, int x, int y) {
    return Target().Contains(x, y);
}

bool CClickTargetStep::OnButtonDown(unsigned, int x, int y) {
    return Target().Contains(x, y);
}

}  // namespace valmore
