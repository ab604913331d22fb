#include "ui/Popup.h"

#include "platform/Canvas.h"
#include "ui/Skin.h"

namespace valmore {

CPopup::CPopup(IViewHost& owner, int backgroundBitmap) : owner_(owner), background_(backgroundBitmap) {}

CPopup::~CPopup() = default;

Rect CPopup::Bounds() const {
    const Size size = owner_.Skin().BitmapSize(background_);
    const Size screen = owner_.ScreenSize();
    const Point offset = owner_.CanvasOffset();
    return Rect::FromSize(screen.width / 2 - size.width / 2 - offset.x, screen.height / 2 - size.height / 2 - offset.y,
                          size.width, size.height);
}

CPopup::PageButtons CPopup::AddPageButtons(CPagedText& text) {
    PageButtons buttons{AddButton(kPagePreviousButton.up, kPagePreviousButton.dn, kPagePreviousButton.non),
                        AddButton(kPageNextButton.up, kPageNextButton.dn, kPageNextButton.non)};
    buttons.left->onClick = [&text](unsigned, int, int, CSkinButton&) { text.PreviousPage(); };
    buttons.right->onClick = [&text](unsigned, int, int, CSkinButton&) { text.NextPage(); };
    text.SetButtons(buttons.left, buttons.right);
    return buttons;
}

void CPopup::PlacePageButtons(const PageButtons& buttons, int leftX, int rightX, int y) const {
    const CSkin& skin = owner_.Skin();
    const Size left = skin.BitmapSize(kPagePreviousButton.up);
    const Size right = skin.BitmapSize(kPageNextButton.up);
    buttons.left->SetRect(leftX, y, left.width, left.height);
    buttons.right->SetRect(rightX, y, right.width, right.height);
}

void CPopup::RunShowing() {
    for (const auto& button : buttons_.Panels()) static_cast<CSkinButton&>(*button).pressed = false;
    open_ = true;
    owner_.InvalidateAll();
    owner_.RunModal(*this, [this] { return !open_; });
    open_ = false;
    owner_.InvalidateAll();
}

void CPopup::Close() {
    open_ = false;
    RepaintPopup();
}

void CPopup::RepaintPopup() const {
    owner_.Invalidate(Bounds());
}

void CPopup::DrawEntryHeading(CCanvas& canvas, const LinkEntry& entry, Point at, int secondFont) const {
    constexpr int kKeywordFont = 12;
    constexpr int kSecondKeywordGap = 16;
    if (!entry.keyword0) return;
    const CSkin& skin = owner_.Skin();
    const CFont* keywordFont = skin.Font(kKeywordFont);
    canvas.SelectFont(keywordFont);
    canvas.TextOut(at.x, at.y, *entry.keyword0);
    if (!entry.keyword1) return;
    const int width = keywordFont ? keywordFont->TextWidth(*entry.keyword0) : 0;
    canvas.SelectFont(skin.Font(secondFont));
    canvas.TextOut(at.x + kSecondKeywordGap + width, at.y, *entry.keyword1);
}

void CPopup::DrawPopup(CCanvas& canvas) {
    canvas.DrawBitmap(owner_.Skin().Bitmap(background_), 0, 0);
    buttons_.Draw(canvas);
    // Whatever the popup changes is put back, so the screens painted after it find the canvas as it was.
    CCanvas::StateGuard state(canvas);
    DrawContent(canvas);
    if (drawOver) drawOver(canvas);
}

void CPopup::OnPopupInput(const InputEvent& event) {
    switch (event.type) {
        case InputType::LeftDown:
            buttons_.MouseDown(event.flags, event.x, event.y);
            RepaintPopup();
            break;
        case InputType::LeftUp:
            if (!buttons_.MouseUp(event.flags, event.x, event.y)) OnRelease(event.x, event.y);
            if (open_) RepaintPopup();
            break;
        case InputType::MouseMove:
            // A button pressed and then left shows its normal image again.
            buttons_.MouseMove({event.x, event.y});
            break;
        case InputType::KeyDown:
            OnKey(event.key);
            break;
        default:
            break;
    }
}

void CPopup::OnRelease(int, int) {}

void CPopup::OnKey(int) {}

}  // namespace valmore
