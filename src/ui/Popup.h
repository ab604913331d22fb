#pragma once

// The base of the modal popups: a borderless window drawn from its background picture, centred on
// the screen, whose buttons sit in a panel table and take clicks the way a screen's panels do. Each
// showing runs a modal loop until a button (or a key the popup accepts) closes it.

#include <functional>
#include <utility>

#include "ui/LinkLookup.h"
#include "ui/PagedText.h"
#include "ui/PanelTable.h"
#include "ui/SkinButton.h"
#include "ui/ViewHost.h"

namespace valmore {

class CPopup : public IModalPopup {
public:
    ~CPopup() override;
    CPopup(const CPopup&) = delete;
    CPopup& operator=(const CPopup&) = delete;

    // True from the start of a showing until something closes it.
    bool IsOpen() const { return open_; }

    // IModalPopup: the background picture's size, centred on the screen.
    Rect Bounds() const override;
    // The background, the visible buttons, then what the popup adds.
    void DrawPopup(CCanvas& canvas) override;
    // Drawn over the popup at every paint, last, in popup coordinates (the practice run frames a button
    // with it).
    std::function<void(CCanvas&)> drawOver;

    // Presses, releases and moves go to the buttons; a release on no button goes to OnRelease.
    void OnPopupInput(const InputEvent& event) override;

protected:
    CPopup(IViewHost& owner, int backgroundBitmap);

    // Adds a button to the popup's table (popup coordinates) and returns it.
    template <class... Args>
    CSkinButton* AddButton(Args&&... args) {
        return buttons_.Add<CSkinButton>(owner_, std::forward<Args>(args)...);
    }

    // The LEFT and RIGHT buttons that turn a paged text, added to the table and wired to the text.
    struct PageButtons {
        CSkinButton* left;
        CSkinButton* right;
    };
    PageButtons AddPageButtons(CPagedText& text);
    // Puts them at (leftX, y) and (rightX, y), each the size of its own picture.
    void PlacePageButtons(const PageButtons& buttons, int leftX, int rightX, int y) const;

    // Runs the modal loop of one showing; every button starts released.
    void RunShowing();
    // Ends the showing once the current input has been handled.
    void Close();
    void RepaintPopup() const;
    // A link entry's headings on a title line: keyword0 in the large font at the point, keyword1 (if
    // any) in secondFont a little after it, both on the same top.
    void DrawEntryHeading(CCanvas& canvas, const LinkEntry& entry, Point at, int secondFont) const;

    // Draws over the background and buttons; the canvas state is put back afterwards.
    virtual void DrawContent(CCanvas& canvas) = 0;
    // A release that fell on no button (link words), in popup coordinates.
    virtual void OnRelease(int x, int y);
    // A key while the popup is shown; by default keys do nothing.
    virtual void OnKey(int key);

    IViewHost& owner_;

private:
    int background_;
    bool open_ = false;
    CPanelTable buttons_;
};

}  // namespace valmore
