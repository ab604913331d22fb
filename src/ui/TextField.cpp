#include "ui/TextField.h"

#include <cstdlib>

#include "platform/Sjis.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kPadding = 3;     // between the border and the text
constexpr int kBlinkTicks = 5;  // timer ticks per caret phase

bool IsControl(std::string_view sjis, std::size_t pos) {
    const auto c = static_cast<unsigned char>(sjis[pos]);
    return SjisCharLength(sjis, pos) == 1 && (c < 0x20 || c == 0x7F);
}

}  // namespace

CTextField::CTextField(IViewHost& owner, ITextServices& services, std::size_t byteLimit)
    : CPanel(owner), services_(services), limit_(byteLimit) {}

void CTextField::SetPasswordMode(bool on) {
    password_ = on;
    Changed();
}

void CTextField::SetText(std::string_view sjis) {
    text_.clear();
    composition_.clear();
    caret_ = anchor_ = 0;
    scroll_ = 0;
    Insert(sjis);
}

void CTextField::SetFocus(bool focused) {
    if (focused_ == focused) return;
    focused_ = focused;
    dragging_ = false;
    if (!focused) composition_.clear();
    Changed();
}

std::size_t CTextField::Previous(std::size_t pos) const {
    // Shift_JIS cannot be stepped backwards safely; walk from the start instead.
    std::size_t at = 0;
    while (at < text_.size()) {
        const std::size_t next = at + SjisCharLength(text_, at);
        if (next >= pos) break;
        at = next;
    }
    return pos == 0 ? 0 : at;
}

std::size_t CTextField::Next(std::size_t pos) const {
    return pos >= text_.size() ? text_.size() : pos + SjisCharLength(text_, pos);
}

void CTextField::MoveCaret(std::size_t position, bool extend) {
    caret_ = position;
    if (!extend) anchor_ = caret_;
    Changed();
}

void CTextField::DeleteRange(std::size_t from, std::size_t to) {
    text_.erase(from, to - from);
    caret_ = anchor_ = from;
}

void CTextField::Insert(std::string_view sjis) {
    DeleteRange(SelectionStart(), SelectionEnd());
    std::string taken;
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t length = SjisCharLength(sjis, pos);
        // A pasted line break ends what is taken: the field holds one line.
        if (sjis[pos] == '\r' || sjis[pos] == '\n') break;
        if (!IsControl(sjis, pos)) {
            if (text_.size() + taken.size() + length > limit_) break;
            taken.append(sjis.substr(pos, length));
        }
        pos += length;
    }
    text_.insert(caret_, taken);
    caret_ += taken.size();
    anchor_ = caret_;
    Changed();
}

bool CTextField::HandleKey(int key, unsigned flags) {
    const bool shift = (flags & kModifierShift) != 0;
    const bool control = (flags & kModifierControl) != 0;
    const bool selection = SelectionStart() != SelectionEnd();
    if (control) {
        switch (key) {
            case 'A':
                anchor_ = 0;
                MoveCaret(text_.size(), true);
                return true;
            case 'C':
            case 'X':
                if (!password_ && selection) {
                    services_.SetClipboardText(SelectedText());
                    if (key == 'X') Insert({});
                }
                return true;
            case 'V':
                Insert(services_.ClipboardText());
                return true;
            default:
                break;
        }
    }
    switch (key) {
        case kKeyLeft:
            MoveCaret(selection && !shift ? SelectionStart() : Previous(caret_), shift);
            return true;
        case kKeyRight:
            MoveCaret(selection && !shift ? SelectionEnd() : Next(caret_), shift);
            return true;
        case kKeyHome:
            MoveCaret(0, shift);
            return true;
        case kKeyEnd:
            MoveCaret(text_.size(), shift);
            return true;
        case kKeyBackspace:
        case kKeyDelete:
            if (!selection) {
                anchor_ = key == kKeyBackspace ? Previous(caret_) : Next(caret_);
            }
            Insert({});
            return true;
        default:
            return false;
    }
}

bool CTextField::OnInput(const InputEvent& event) {
    switch (event.type) {
        case InputType::KeyDown:
            if (!focused_) return false;
            if (!composition_.empty()) return true;
            return HandleKey(event.key, event.flags);
        case InputType::Text:
            if (!focused_) return false;
            composition_.clear();
            Insert(event.text);
            return true;
        case InputType::TextEditing:
            if (!focused_) return false;
            composition_ = event.text;
            Changed();
            return true;
        case InputType::LeftDown:
            if (!rect_.Contains(event.x, event.y)) return false;
            OnMouseDown(event.flags, event.x, event.y);
            return true;
        case InputType::MouseMove:
            if ((event.flags & kMouseLeftButton) == 0) dragging_ = false;
            OnMouseMove(Point{event.x, event.y});
            return dragging_;
        case InputType::LeftUp: {
            const bool wasDragging = dragging_;
            dragging_ = false;
            return wasDragging;
        }
        default:
            return false;
    }
}

bool CTextField::OnKeyDown(int key) {
    return OnInput(InputEvent::KeyDown(key));
}

void CTextField::OnMouseDown(unsigned flags, int x, int) {
    if (!focused_) SetFocus(true);
    if (!composition_.empty()) return;
    MoveCaret(HitTest(x), (flags & kModifierShift) != 0);
    dragging_ = true;
}

void CTextField::OnMouseMove(Point point) {
    CPanel::OnMouseMove(point);
    if (dragging_ && HitTest(point.x) != caret_) MoveCaret(HitTest(point.x), true);
}

void CTextField::OnMouseUp(unsigned, int, int) {
    dragging_ = false;
}

void CTextField::OnTick() {
    if (!focused_) return;
    if (++blinkTicks_ >= kBlinkTicks) {
        blinkTicks_ = 0;
        caretOn_ = !caretOn_;
        Invalidate();
    }
}

std::string CTextField::Shown(std::string_view sjis) const {
    if (!password_) return std::string(sjis);
    return std::string(SjisCharCount(sjis), '*');
}

int CTextField::Width(std::string_view sjis) const {
    CCanvas& canvas = owner_.MeasuringCanvas();
    CCanvas::FontGuard font(canvas, owner_.Skin().Font(skinFont_));
    return canvas.TextExtent(Shown(sjis)).width;
}

int CTextField::TextLeft() const {
    return rect_.left + kPadding - scroll_;
}

std::size_t CTextField::HitTest(int x) const {
    const int target = x - TextLeft();
    std::size_t best = 0;
    int bestDistance = std::abs(target);
    for (std::size_t pos = 0; pos < text_.size();) {
        pos += SjisCharLength(text_, pos);
        const int distance = std::abs(Width(std::string_view(text_).substr(0, pos)) - target);
        if (distance < bestDistance) {
            best = pos;
            bestDistance = distance;
        }
    }
    return best;
}

void CTextField::Changed() {
    caretOn_ = true;
    blinkTicks_ = 0;
    const int view = std::max(1, rect_.Width() - 2 * kPadding);
    const std::string beforeCaret = text_.substr(0, caret_) + composition_;
    const int caretX = Width(beforeCaret);
    const int total = Width(text_ + composition_);
    if (caretX - scroll_ > view - 1) scroll_ = caretX - view + 1;
    if (caretX < scroll_) scroll_ = caretX;
    // Once the text is shorter than the view again, nothing stays scrolled out on the left.
    scroll_ = std::max(0, std::min(scroll_, total - view + 1));
    if (focused_) {
        const int x = TextLeft() + caretX;
        services_.SetTextInputArea(Rect{x, rect_.top, x + 1, rect_.bottom}.Offset(canvasOrigin_.x, canvasOrigin_.y));
    }
    Invalidate();
}

void CTextField::Draw(CCanvas& dc) {
    CCanvas::StateGuard state(dc);
    const Palette& colours = owner_.Skin().Colours();
    dc.FillSolid(rect_, colours.paper);
    dc.SelectPen(Pen{PenStyle::Solid, 1, colours.fieldBorder});
    dc.SelectBrush(Brush::Hollow());
    dc.Rectangle(rect_);

    const Rect inside{rect_.left + 1, rect_.top + 1, rect_.right - 1, rect_.bottom - 1};
    CCanvas::ClipGuard clip(dc, inside);
    dc.SelectFont(owner_.Skin().Font(skinFont_));
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.SetTextAlign(HAlign::Left, VAlign::Top);
    const int lineHeight = dc.TextExtent("A").height;
    const int top = rect_.top + (rect_.Height() - lineHeight) / 2;
    const int left = TextLeft();

    // The composition sits at the caret, between the two halves of the text.
    const std::string before = Shown(std::string_view(text_).substr(0, caret_));
    const std::string composing = Shown(composition_);
    const std::string after = Shown(std::string_view(text_).substr(caret_));
    const bool selection = composition_.empty() && SelectionStart() != SelectionEnd();
    if (!selection) {
        dc.SetTextColour(colours.text);
        dc.TextOut(left, top, before + composing + after);
    } else {
        const std::string head = Shown(std::string_view(text_).substr(0, SelectionStart()));
        const std::string selected = Shown(SelectedText());
        const std::string tail = Shown(std::string_view(text_).substr(SelectionEnd()));
        const int selectedLeft = left + dc.TextExtent(head).width;
        const int selectedRight = selectedLeft + dc.TextExtent(selected).width;
        dc.FillSolid(Rect{selectedLeft, top, selectedRight, top + lineHeight}, colours.selection);
        dc.SetTextColour(colours.text);
        dc.TextOut(left, top, head);
        dc.TextOut(selectedRight, top, tail);
        dc.SetTextColour(colours.selectionText);
        dc.TextOut(selectedLeft, top, selected);
    }
    const int caretX = left + dc.TextExtent(before + composing).width;
    if (!composing.empty()) {
        const int composingLeft = left + dc.TextExtent(before).width;
        dc.SelectPen(Pen{PenStyle::Solid, 1, colours.text});
        dc.Line(Point{composingLeft, top + lineHeight - 1}, Point{caretX, top + lineHeight - 1});
    }
    if (CaretVisible()) {
        dc.SelectPen(Pen{PenStyle::Solid, 1, colours.text});
        dc.Line(Point{caretX, top}, Point{caretX, top + lineHeight});
    }
}

}  // namespace valmore
