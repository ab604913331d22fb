#pragma once

// Every element of a screen is a panel: a rectangle on the canvas that draws itself into the back
// buffer and reacts to the mouse. Screens own their panels and offer them input in table order.

#include "platform/Canvas.h"
#include "platform/Geometry.h"
#include "ui/SkinPicture.h"
#include "ui/ViewHost.h"

namespace valmore {

class CPanel {
public:
    explicit CPanel(IViewHost& owner);
    virtual ~CPanel();
    CPanel(const CPanel&) = delete;
    CPanel& operator=(const CPanel&) = delete;

    virtual void Draw(CCanvas& dc);
    // Hover tracking: entering or leaving the rectangle invalidates it.
    virtual void OnMouseMove(Point point);
    virtual void OnMouseUp(unsigned flags, int x, int y);
    virtual void OnMouseDown(unsigned flags, int x, int y);
    // Keys the screen offers to its panels; true when the panel used it.
    virtual bool OnKeyDown(int key);

    // rect = (x, y, x + width, y + height); the inner rect follows from the insets.
    virtual void SetRect(int x, int y, int width, int height);
    // Copies the background skin bitmap at the rectangle's corner at its own size.
    void DrawBackground(CCanvas& dc) const;

    const Rect& GetRect() const { return rect_; }
    const Rect& InnerRect() const { return inner_; }
    IViewHost& Owner() const { return owner_; }
    void Invalidate() const { owner_.Invalidate(rect_); }

    int identifier = 0;   // for the owner's click handlers, to tell panels apart
    bool visible = true;  // a hidden panel takes no input (and a hidden button does not draw)
    bool enabled = true;  // a disabled button or control ignores presses and releases
    bool hover = false;
    bool dirty = false;  // costly panels repaint their content only when set
    int backgroundBitmap = kSkinTitlePanel;
    int insetTop = 32;
    int insetLeft = 4;
    int insetRight = 4;
    int insetBottom = 8;
    int lineHeight = 20;

protected:
    IViewHost& owner_;
    Rect rect_{};
    Rect inner_{};
};

}  // namespace valmore
