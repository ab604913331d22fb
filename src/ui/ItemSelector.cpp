#include "ui/ItemSelector.h"

#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kLeftImage = 21;
constexpr int kLeftPressedImage = 19;
constexpr int kLeftDisabledImage = 20;
constexpr int kRightImage = 36;
constexpr int kRightPressedImage = 34;
constexpr int kRightDisabledImage = 35;

constexpr int kTextFont = 11;
constexpr int kTextGap = 3;  // between the left arrow and the text box

}  // namespace

CItemSelector::CItemSelector(IViewHost& owner)
    : CPanel(owner),
      leftButton_(std::make_unique<CSkinButton>(owner, kLeftImage, kLeftPressedImage, kLeftDisabledImage)),
      rightButton_(std::make_unique<CSkinButton>(owner, kRightImage, kRightPressedImage, kRightDisabledImage)) {
    leftButton_->enabled = false;
    rightButton_->enabled = false;
}

CItemSelector::~CItemSelector() = default;

void CItemSelector::SetRect(int x, int y, int width, int height) {
    CPanel::SetRect(x, y, width, height);
    const CSkin& skin = owner_.Skin();
    const int w = skin.Width(kLeftPressedImage);
    const int h = skin.Height(kLeftPressedImage);
    leftRect_ = Rect{x, y, x + w, y + h};
    rightRect_ = Rect{x + width - w, y, x + width, y + h};
    textRect_ = Rect{x + w + kTextGap, y, x + width - w, y + h};
    leftButton_->SetRect(leftRect_.left, leftRect_.top, leftRect_.Width(), leftRect_.Height());
    rightButton_->SetRect(rightRect_.left, rightRect_.top, rightRect_.Width(), rightRect_.Height());
}

void CItemSelector::AddItem(std::string sjis) {
    items_.push_back(std::move(sjis));
    UpdateButtons();
}

void CItemSelector::Clear() {
    items_.clear();
    index_ = 0;
    // An arrow left enabled over an empty list would step the index past the items added later.
    UpdateButtons();
}

void CItemSelector::UpdateButtons() {
    leftButton_->enabled = index_ > 0;
    rightButton_->enabled = index_ < Count() - 1;
    owner_.InvalidateAll();
}

void CItemSelector::OnMouseMove(Point point) {
    CPanel::OnMouseMove(point);
    leftButton_->OnMouseMove(point);
    rightButton_->OnMouseMove(point);
}

void CItemSelector::OnMouseDown(unsigned flags, int x, int y) {
    if (leftButton_->enabled && leftRect_.Contains(x, y)) leftButton_->OnMouseDown(flags, x, y);
    if (rightButton_->enabled && rightRect_.Contains(x, y)) rightButton_->OnMouseDown(flags, x, y);
}

void CItemSelector::OnMouseUp(unsigned flags, int x, int y) {
    const bool overArrow = leftRect_.Contains(x, y) || rightRect_.Contains(x, y);
    if (leftButton_->enabled && leftRect_.Contains(x, y)) {
        leftButton_->OnMouseUp(flags, x, y);
        --index_;
    }
    if (rightButton_->enabled && rightRect_.Contains(x, y)) {
        rightButton_->OnMouseUp(flags, x, y);
        ++index_;
    }
    if (overArrow && onChange) onChange(index_);
    UpdateButtons();
}

void CItemSelector::Draw(CCanvas& dc) {
    const Palette& colours = owner_.Skin().Colours();
    dc.SelectPen(Pen{PenStyle::Solid, 1, colours.selectorFrame});
    dc.SelectBrush(Brush::Solid(colours.paper));
    dc.Rectangle(textRect_);

    leftButton_->Draw(dc);
    rightButton_->Draw(dc);

    if (index_ < 0 || index_ >= Count()) return;
    CCanvas::FontGuard font(dc, owner_.Skin().Font(kTextFont));
    dc.SetTextColour(colours.text);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.DrawText(items_[static_cast<std::size_t>(index_)], textRect_,
                CCanvas::kCenter | CCanvas::kVCenter | CCanvas::kSingleLine);
}

}  // namespace valmore
