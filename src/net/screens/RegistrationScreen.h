#pragma once

// The registration screen (screen 7): the account's user ID, nickname and password, and the change
// flow behind "登録変更": the user dialog, then the server's validation of an account it has not
// accepted yet, then the change itself, which is written to the account file once the server took it.

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "net/ServerLink.h"
#include "net/UserAccount.h"
#include "net/screens/UserValidateDlg.h"
#include "ui/Dialog.h"
#include "ui/Screen.h"
#include "ui/SkinButton.h"

namespace valmore {

class CRegistrationScreen : public CScreen {
public:
    CRegistrationScreen(IViewHost& owner, const CServerLink& link, CUserAccount& account,
                        std::filesystem::path accountFile, QVDialog& popup, QVUserValidateDlg& dialog);

    void Layout() override;
    // Fills the user dialog with the account.
    void Activate() override;
    void Draw(CCanvas& dc) override;

    // The "登録変更" flow.
    void ChangeRegistration();

    // What the screen shows for the user ID, nickname and password (Shift_JIS).
    std::array<std::string, 3> ShownValues() const;
    Rect ValueRect(int value) const;

    CSkinButton& ChangeButton() const { return *change_; }
    CSkinButton& BackButton() const { return *back_; }

    // Leads back to the communication menu; without it the back button switches there itself.
    std::function<void()> onBack;

private:
    const CServerLink& link_;
    CUserAccount& account_;
    std::filesystem::path accountFile_;
    QVDialog& popup_;
    QVUserValidateDlg& dialog_;
    CSkinButton* change_ = nullptr;
    CSkinButton* back_ = nullptr;
};

}  // namespace valmore
