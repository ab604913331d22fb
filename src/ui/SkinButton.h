#pragma once

// A button drawn from skin bitmaps (or, without bitmaps, a rounded box with a label).
//
//   event                       normal button                    toggle button
//   press inside, enabled       pressed := 1                     nothing
//   move outside while pressed  pressed := 0, repaint            nothing
//   release inside, enabled     pressed := 0, run the handler    pressed flips, run the handler
//   release inside, disabled    nothing                          nothing
//
// The release alone decides: releasing over an enabled button runs its handler even when the press
// began elsewhere.

#include <functional>
#include <string>

#include "ui/Panel.h"

namespace valmore {

class CSkinButton : public CPanel {
public:
    using ClickHandler = std::function<void(unsigned flags, int x, int y, CSkinButton& button)>;

    // A text button: a rounded box with its label.
    explicit CSkinButton(IViewHost& owner);
    // A bitmap button with normal and pressed images, and optionally a disabled one (-1: none).
    CSkinButton(IViewHost& owner, int up, int dn, int non = -1);

    void Draw(CCanvas& dc) override;
    void OnMouseMove(Point point) override;
    void OnMouseUp(unsigned flags, int x, int y) override;
    void OnMouseDown(unsigned flags, int x, int y) override;

    void SetLabel(std::string sjis) { label = std::move(sjis); }
    // Sets the rect to the size of the up image at (x, y).
    void PlaceAt(int x, int y);
    // The skin bitmap the button shows now (-1 for a text button).
    int CurrentImage() const;

    ClickHandler onClick;
    std::string label;  // Shift_JIS; drawn only by a text button
    int up = -1;
    int dn = -1;
    int non = -1;
    bool pressed = false;
    bool toggle = false;
};

}  // namespace valmore
