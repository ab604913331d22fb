#include "ui/SpinBox.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/TextFormat.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kUpImage = 42;
constexpr int kUpPressedImage = 40;
constexpr int kUpDisabledImage = 41;
constexpr int kDownImage = 15;
constexpr int kDownPressedImage = 13;
constexpr int kDownDisabledImage = 14;

constexpr int kValueFont = 11;
constexpr int kPanelWidth = 217;

// Placement of the parts, per resolution mode.
struct SpinBoxLayout {
    int gap;          // between a button and the value
    int valueWidth;   // of the value box
    int rightMargin;  // between the value's last digit and the box's right edge
};
constexpr std::array<SpinBoxLayout, 2> kLayout{{
    {3, 112, 8},
    {5, 140, 12},
}};

const SpinBoxLayout& LayoutFor(int mode) {
    return kLayout[mode == kModeSxga ? 1 : 0];
}

// Steps never wrap around: a value pushed past the 32-bit range stops at its end.
std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

CSpinBox::CSpinBox(IViewHost& owner)
    : CPanel(owner),
      upButton_(std::make_unique<CSkinButton>(owner, kUpImage, kUpPressedImage, kUpDisabledImage)),
      downButton_(std::make_unique<CSkinButton>(owner, kDownImage, kDownPressedImage, kDownDisabledImage)) {
    // A spin box starts disabled, until its order column is in use.
    enabled = false;
    upButton_->enabled = false;
    downButton_->enabled = false;
}

CSpinBox::~CSpinBox() = default;

void CSpinBox::SetRect(int x, int y, int, int) {
    const CSkin& skin = owner_.Skin();
    const int w = skin.Width(kUpPressedImage);
    const int h = skin.Height(kUpPressedImage);
    const SpinBoxLayout& layout = LayoutFor(owner_.Mode());

    CPanel::SetRect(x, y, kPanelWidth, h);
    upRect_ = Rect{x, y, x + w, y + h};
    valueRect_ = Rect{upRect_.right + layout.gap, y, upRect_.right + layout.gap + layout.valueWidth, y + h};
    downRect_ = Rect{valueRect_.right + layout.gap, y, valueRect_.right + layout.gap + w, y + h};
    upButton_->SetRect(upRect_.left, upRect_.top, upRect_.Width(), upRect_.Height());
    downButton_->SetRect(downRect_.left, downRect_.top, downRect_.Width(), downRect_.Height());
}

void CSpinBox::UpdateButtons() {
    upButton_->enabled = enabled && value_ != max_;
    downButton_->enabled = enabled && value_ != min_;
}

void CSpinBox::SetEnabled(bool on) {
    enabled = on;
    UpdateButtons();
}

void CSpinBox::SetMin(std::int32_t m) {
    min_ = m;
    value_ = m;
    UpdateButtons();
}

void CSpinBox::SetMax(std::int32_t m) {
    max_ = m;
    value_ = min_;
    UpdateButtons();
}

void CSpinBox::SetStep(std::int32_t s) {
    step_ = s;
    UpdateButtons();
}

void CSpinBox::SetValue(std::int32_t v) {
    value_ = v;
    UpdateButtons();
}

void CSpinBox::Reset() {
    value_ = min_;
}

void CSpinBox::Increment() {
    if (enabled && value_ < max_) value_ = Saturate(std::int64_t{value_} + step_);
    UpdateButtons();
}

void CSpinBox::Decrement() {
    if (enabled && value_ > min_) value_ = Saturate(std::int64_t{value_} - step_);
    UpdateButtons();
}

void CSpinBox::OnMouseMove(Point point) {
    CPanel::OnMouseMove(point);
    // The buttons are not in the screen's table, so they hear of moves only from here; a press
    // dragged off a button lets it go, as it does for any other button.
    upButton_->OnMouseMove(point);
    downButton_->OnMouseMove(point);
}

void CSpinBox::OnMouseDown(unsigned, int x, int y) {
    // The press shows even on a disabled button: it keeps its disabled image.
    if (upRect_.Contains(x, y)) upButton_->pressed = true;
    if (downRect_.Contains(x, y)) downButton_->pressed = true;
}

void CSpinBox::OnMouseUp(unsigned, int x, int y) {
    if (upRect_.Contains(x, y)) {
        Increment();
        upButton_->pressed = false;
    }
    if (downRect_.Contains(x, y)) {
        Decrement();
        downButton_->pressed = false;
    }
}

void CSpinBox::Draw(CCanvas& dc) {
    CCanvas::FontGuard font(dc, owner_.Skin().Font(kValueFont));
    dc.FillSolid(Rect{valueRect_.left + 2, valueRect_.top + 1, valueRect_.right - 1, valueRect_.bottom - 1},
                 owner_.Skin().Colours().paper);
    upButton_->Draw(dc);
    downButton_->Draw(dc);

    Rect textRect = valueRect_;
    textRect.right -= LayoutFor(owner_.Mode()).rightMargin;
    dc.SetTextColour(enabled ? owner_.Skin().Colours().text : owner_.Skin().Colours().mutedText);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.DrawText(FormatGrouped(value_), textRect,
                CCanvas::kRight | CCanvas::kVCenter | CCanvas::kSingleLine | CCanvas::kEndEllipsis);
}

}  // namespace valmore
