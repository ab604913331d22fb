#pragma once

// The communication menu (screen 5): the ranking, the result submission, the registration and the
// way back to the main menu. Opening it checks the stored account with the server; ranking and
// submission are open only to an account the server accepted.

#include <array>
#include <filesystem>

#include "net/ServerLink.h"
#include "net/UserAccount.h"
#include "net/screens/CommMenuLayout.h"
#include "results/ResultStore.h"
#include "ui/Dialog.h"
#include "ui/Screen.h"
#include "ui/SkinButton.h"

namespace valmore {

class CCommMenuScreen : public CScreen {
public:
    enum Button : int { kRankingButton = 0, kSubmitButton = 1, kRegistrationButton = 2, kBackButton = 3 };
    static constexpr int kButtonCount = CommMenuLayout::kButtonCount;
    // The background is repeated only down to this far above the bottom of the area drawn.
    static constexpr int kBackgroundBottomGap = 300;

    CCommMenuScreen(IViewHost& owner, const CServerLink& link, CUserAccount& account, std::filesystem::path accountFile,
                    const CResultStore& results, QVDialog& popup);

    void Layout() override;
    // Checks the stored account (unless coming back from the registration), then opens the buttons
    // the account status allows.
    void Activate() override;
    void Draw(CCanvas& dc) override;

    // Back from the registration screen, whose change flow has already set the account status.
    void ReturnFromRegistration();

    // Asks the server about the account's user ID and password and sets the status, telling the user
    // when there is no account or the server no longer takes it.
    void CheckStoredAccount();
    // Sends the best result of every scenario played, with the account as the file holds it.
    void SubmitResults();

    CSkinButton& ButtonAt(int button) const { return *buttons_[static_cast<std::size_t>(button)]; }

private:
    void UpdateButtons();

    const CServerLink& link_;
    CUserAccount& account_;
    std::filesystem::path accountFile_;
    const CResultStore& results_;
    QVDialog& popup_;
    std::array<CSkinButton*, kButtonCount> buttons_{};
    bool returningFromRegistration_ = false;
};

}  // namespace valmore
