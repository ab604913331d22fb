#pragma once

// Input as the window delivers it to the program: mouse positions in canvas coordinates, the left
// button, keys by the key codes below, typed text in Shift_JIS, and the request to close the window.

#include <string>

namespace valmore {

enum class InputType {
    MouseMove,
    LeftDown,
    LeftUp,
    KeyDown,
    Text,          // typed text; `text` holds it in Shift_JIS
    TextEditing,   // the input method's composition so far, in Shift_JIS; empty when it ends
    CloseRequest,  // the window manager asks the program to end
};

// Bits of InputEvent::flags: buttons held and modifier keys down at the time of the event.
constexpr unsigned kMouseLeftButton = 0x01;
constexpr unsigned kMouseRightButton = 0x02;
constexpr unsigned kModifierShift = 0x04;
constexpr unsigned kModifierControl = 0x08;
// The press or release belongs to the second (or a later) click of a double click.
constexpr unsigned kMouseRepeatClick = 0x10;

// Key codes: letters and digits are their upper-case ASCII codes; the rest are listed here. Keys
// the program has no use for arrive as kKeyOther.
constexpr int kKeyOther = 0;
constexpr int kKeyBackspace = 0x08;
constexpr int kKeyTab = 0x09;
constexpr int kKeyEnter = 0x0D;
constexpr int kKeyEscape = 0x1B;
constexpr int kKeySpace = 0x20;
constexpr int kKeyPageUp = 0x21;
constexpr int kKeyPageDown = 0x22;
constexpr int kKeyEnd = 0x23;
constexpr int kKeyHome = 0x24;
constexpr int kKeyLeft = 0x25;
constexpr int kKeyUp = 0x26;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDown = 0x28;
constexpr int kKeyDelete = 0x2E;

struct InputEvent {
    InputType type = InputType::MouseMove;
    int x = 0;  // canvas coordinates, for mouse events
    int y = 0;
    unsigned flags = 0;
    int key = kKeyOther;  // for KeyDown
    std::string text;     // for Text

    static InputEvent MouseMove(int x, int y, unsigned flags = 0) { return {InputType::MouseMove, x, y, flags, 0, {}}; }
    static InputEvent LeftDown(int x, int y, unsigned flags = kMouseLeftButton) {
        return {InputType::LeftDown, x, y, flags, 0, {}};
    }
    static InputEvent LeftUp(int x, int y, unsigned flags = 0) { return {InputType::LeftUp, x, y, flags, 0, {}}; }
    static InputEvent KeyDown(int key, unsigned flags = 0) { return {InputType::KeyDown, 0, 0, flags, key, {}}; }
    static InputEvent Text(std::string sjis) { return {InputType::Text, 0, 0, 0, 0, std::move(sjis)}; }
    static InputEvent TextEditing(std::string sjis) { return {InputType::TextEditing, 0, 0, 0, 0, std::move(sjis)}; }
    static InputEvent CloseRequest() { return {InputType::CloseRequest, 0, 0, 0, 0, {}}; }
};

}  // namespace valmore
