#pragma once

// A one-line text field drawn by the program: typing, the input method's composition, a blinking
// caret, selection by mouse and Shift+arrows, the clipboard, horizontal scrolling, a byte limit
// counted in Shift_JIS and a password mode that shows "*" for each character.
//
// Keys (with the focus):
//   Left / Right          caret one character; with a selection and no Shift, to its start / end
//   Home / End            caret to the start / end of the text
//   Shift + the above     extends the selection from where it started
//   Backspace / Delete    removes the selection, else the character before / after the caret
//   Ctrl+A / C / X / V    select all, copy, cut, paste (copy and cut do nothing in password mode)
//   anything else         not used (false), so the dialog can take Tab, Enter and Escape
// While the input method composes, every key belongs to it and the field ignores them.
//
// Text arrives and leaves in Shift_JIS; typed or pasted text stops at the first character that
// would take the text past the limit, and control characters are dropped.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/InputEvent.h"
#include "platform/TextServices.h"
#include "ui/Panel.h"

namespace valmore {

class CTextField : public CPanel {
public:
    CTextField(IViewHost& owner, ITextServices& services, std::size_t byteLimit);

    void SetPasswordMode(bool on);
    void SetSkinFont(int skinFont) { skinFont_ = skinFont; }
    // Where the field's coordinates start on the canvas, for a field inside a popup; the input
    // method's window is placed by it.
    void SetCanvasOrigin(Point origin) { canvasOrigin_ = origin; }

    // Replaces the text (cut to the limit), with the caret at its end and no selection.
    void SetText(std::string_view sjis);
    const std::string& Text() const { return text_; }
    std::size_t ByteLimit() const { return limit_; }

    void SetFocus(bool focused);
    bool HasFocus() const { return focused_; }

    // Byte offsets into the text; the selection runs from its start up to, not including, its end.
    std::size_t Caret() const { return caret_; }
    std::size_t SelectionStart() const { return std::min(anchor_, caret_); }
    std::size_t SelectionEnd() const { return std::max(anchor_, caret_); }
    std::string SelectedText() const { return text_.substr(SelectionStart(), SelectionEnd() - SelectionStart()); }
    const std::string& Composition() const { return composition_; }
    // How far the text is scrolled to the left, in pixels.
    int ScrollOffset() const { return scroll_; }
    bool CaretVisible() const { return focused_ && caretOn_; }

    // Keys with their modifiers, typed text, the composition and the mouse with its buttons. True
    // when the field used the event.
    bool OnInput(const InputEvent& event);
    // The 100 ms timer: the caret blinks every half second.
    void OnTick();

    void Draw(CCanvas& dc) override;
    void OnMouseMove(Point point) override;
    void OnMouseDown(unsigned flags, int x, int y) override;
    void OnMouseUp(unsigned flags, int x, int y) override;
    bool OnKeyDown(int key) override;

private:
    bool HandleKey(int key, unsigned flags);
    void Insert(std::string_view sjis);
    void DeleteRange(std::size_t from, std::size_t to);
    void MoveCaret(std::size_t position, bool extend);
    std::size_t Previous(std::size_t pos) const;
    std::size_t Next(std::size_t pos) const;

    // What is shown for a piece of text: itself, or "*" per character in password mode.
    std::string Shown(std::string_view sjis) const;
    int Width(std::string_view sjis) const;
    int TextLeft() const;
    std::size_t HitTest(int x) const;
    // After every change: caret shown, scrolled into view, the input method told, repainted.
    void Changed();

    ITextServices& services_;
    std::size_t limit_;
    bool password_ = false;
    int skinFont_ = 12;
    Point canvasOrigin_{};
    std::string text_;
    std::string composition_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    int scroll_ = 0;
    bool focused_ = false;
    bool caretOn_ = true;
    int blinkTicks_ = 0;
    bool dragging_ = false;
};

}  // namespace valmore
