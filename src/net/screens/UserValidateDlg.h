#pragma once

// The user dialog: the user ID, nickname and password in three text fields, checked by the rules
// of the account before the dialog closes with OK. One instance lives for the whole run, in the
// variant of the resolution mode; the registration screen fills it and reads it back.
//
// Keys: the user ID field has the focus when the dialog opens; Tab and Shift+Tab move between the
// fields, Enter is OK and Escape is cancel. While the input method composes, every key is its own.

#include <array>
#include <memory>
#include <string>

#include "net/screens/UserDialogLayout.h"
#include "platform/TextServices.h"
#include "ui/Popup.h"
#include "ui/TextField.h"

namespace valmore {

class QVUserValidateDlg : public CPopup {
public:
    enum Field : int { kUserIdField = 0, kNicknameField = 1, kPasswordField = 2 };
    static constexpr int kFieldCount = 3;
    static constexpr int kLabelOffset = 120;  // labels start this far left of their field

    QVUserValidateDlg(IViewHost& owner, ITextServices& services);
    ~QVUserValidateDlg() override;

    // The values the fields show when the dialog opens (Shift_JIS).
    void SetValues(std::string userId, std::string nickname, std::string password);
    // True when the dialog closed with OK: the entries kept the rules and are now its values.
    bool Show();

    const std::string& UserId() const { return values_[kUserIdField]; }
    const std::string& Nickname() const { return values_[kNicknameField]; }
    const std::string& Password() const { return values_[kPasswordField]; }

    const std::string& Message() const { return message_; }
    CTextField& TextField(int field) { return *fields_[static_cast<std::size_t>(field)]; }
    int FocusedField() const { return focus_; }
    CSkinButton& OkButton() { return *ok_; }
    CSkinButton& CancelButton() { return *cancel_; }
    const UserDialogLayout& Layout() const { return layout_; }

    void OnPopupInput(const InputEvent& event) override;
    void OnPopupTick() override;

protected:
    QVUserValidateDlg(IViewHost& owner, ITextServices& services, const UserDialogLayout& layout);

private:
    void Focus(int field);
    void OnOk();
    void OnKeyDown(const InputEvent& event);
    void DrawContent(CCanvas& canvas) override;

    UserDialogLayout layout_;
    std::array<std::unique_ptr<CTextField>, kFieldCount> fields_;
    std::array<std::string, kFieldCount> values_;
    std::string message_;
    int focus_ = kUserIdField;
    bool accepted_ = false;
    CSkinButton* ok_;
    CSkinButton* cancel_;
};

// The user dialog of the resolution mode: QVUserValidateDlgSXGA in SXGA mode.
std::unique_ptr<QVUserValidateDlg> MakeUserDialog(IViewHost& owner, ITextServices& services);

}  // namespace valmore
