#pragma once

// What a text field needs of the window beyond events: the clipboard, and telling the input method
// where the caret is so its candidate window opens beside it. The real window uses the system's
// clipboard; the headless window keeps its own, so tests copy and paste without a display.

#include <string>
#include <string_view>

#include "platform/Geometry.h"

namespace valmore {

class ITextServices {
public:
    virtual ~ITextServices() = default;

    // Clipboard text in Shift_JIS; empty when the clipboard holds no text.
    virtual std::string ClipboardText() const = 0;
    virtual void SetClipboardText(std::string_view sjis) = 0;

    // Where the caret of the field with the keyboard focus lies, in canvas coordinates.
    virtual void SetTextInputArea(const Rect& caret) = 0;
};

}  // namespace valmore
