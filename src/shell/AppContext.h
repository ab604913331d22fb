#pragma once

// The program-wide objects, held in one place for the whole run: the skin, the popups and the user
// dialog, the result and snapshot stores, the glossary, the day controller with the play it holds,
// the server link with the user's account, and the hooks through which the practice run and the real
// screens join the shell. A test builds a fresh one.

#include <array>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/ServerAddress.h"
#include "net/ServerLink.h"
#include "net/UserAccount.h"
#include "net/screens/UserValidateDlg.h"
#include "platform/InputEvent.h"
#include "results/ResultStore.h"
#include "scenario/Glossary.h"
#include "sim/DayController.h"
#include "sim/SnapshotStore.h"
#include "ui/DetailDialog.h"
#include "ui/Dialog.h"
#include "ui/LinkLookup.h"
#include "ui/Screen.h"
#include "ui/ScreenNumber.h"
#include "ui/Skin.h"
#include "ui/ViewHost.h"

namespace valmore {

class CAppContext;
class CPracticeRun;

// Where the program finds its files.
struct AppPaths {
    std::filesystem::path dataDir;  // holds "data\" and "SR\"
    std::filesystem::path userDir;  // holds result.dat, snapshot.dat and the account
};

// Builds the screen of one slot. Screens are built once, at the first paint, after the skin.
using ScreenFactory = std::function<std::unique_ptr<CScreen>(IViewHost& host, CAppContext& context)>;

// What the practice run lends the shell. Every member may stay empty: no practice run is then active.
struct TutorialHooks {
    std::function<bool()> isActive;
    // Asked for every button press and release while the run is active; true lets it reach the screen.
    std::function<bool(const InputEvent& click)> acceptClick;
    // Escape while the run is active.
    std::function<void()> requestStop;
    // Polls the run after every click, so what the click did counts at once.
    std::function<void()> gate;
};

// One report of a store file that was found damaged at start-up, as the message popup shows it.
struct StoreProblem {
    enum class Store { Results, Snapshots };
    Store store = Store::Results;
    std::filesystem::path file;
    std::vector<LoadProblem> problems;
    bool somethingKept = false;    // part of the file could be read and is in use
    std::filesystem::path keptAs;  // where the next save moves the damaged file
};

// The context answers the popups' and panels' link words from the glossary.
class CAppContext : public ILinkLookup {
public:
    // serverOption: the --server URL, when given; otherwise the user folder's setting or the bundled
    // server is used.
    explicit CAppContext(AppPaths paths, const std::optional<std::string>& serverOption = std::nullopt);
    ~CAppContext() override;
    CAppContext(const CAppContext&) = delete;
    CAppContext& operator=(const CAppContext&) = delete;

    const AppPaths& Paths() const { return paths_; }
    std::filesystem::path ResultFile() const { return paths_.userDir / "result.dat"; }
    std::filesystem::path SnapshotFile() const { return paths_.userDir / "snapshot.dat"; }
    std::filesystem::path GlossaryFile() const;
    std::filesystem::path AccountFile() const { return CUserAccount::FileIn(paths_.userDir); }

    // Creates the popups over the main view; done once the skin is loaded.
    void CreatePopups(IViewHost& host);
    // Destroys them again; the main view does so before it goes away, as they refer to it.
    void DestroyPopups();
    bool HasPopups() const { return messagePopup_ != nullptr; }
    QVDialog& MessagePopup() { return *messagePopup_; }
    QVDetailDialog& DetailPopup() { return *detailPopup_; }
    QVUserValidateDlg& UserDialog() { return *userDialog_; }
    // The main view, once it has created the popups; null before.
    IViewHost* Host() const { return host_; }

    // Reads both stores from the user folder. A missing file is an empty store; a damaged one keeps
    // what could be read, is set aside by the next save, and is returned here to be shown to the user.
    std::vector<StoreProblem> LoadStores();
    CResultStore& Results() { return results_; }
    CSnapshotStore& Snapshots() { return snapshots_; }

    // Reads the account file of the user folder; the message for the user (Shift_JIS) when it was
    // damaged or refused, else empty.
    std::string LoadAccount();
    CUserAccount& Account() { return account_; }
    const ServerAddress& Server() const { return server_; }
    CServerLink& ServerLink() { return serverLink_; }

    // The glossary as loaded so far (empty before the first scenario).
    const CGlossary& Glossary() const { return glossary_; }
    // Loads the glossary the first time it is asked for and keeps it for the rest of the run, even
    // when the file was missing, so a broken glossary is not read again for every scenario.
    const CGlossary& EnsureGlossary();
    bool GlossaryAttempted() const { return glossaryAttempted_; }
    // ILinkLookup: the glossary entry with the key, as the popups and panels show it.
    std::optional<LinkEntry> FindLinkEntry(std::string_view key) const override;

    // A notice raised inside a tick (message popup markup): the main view shows it once the tick has
    // returned, so no modal loop runs inside the tick and the play cannot move on under the notice.
    void QueueNotice(std::string markup) { notices_.push_back(std::move(markup)); }
    // The oldest notice not yet shown, if any, taken out of the queue.
    std::optional<std::string> TakeNotice();

    // Releases the play still held, if any.
    void DestroyPlay();
    // Ends the program once the handler that asks has returned.
    void RequestQuit();
    bool QuitRequested() const { return quitRequested_; }
    void SetQuitHandler(std::function<void()> handler) { quitHandler_ = std::move(handler); }

    CSkin skin;
    // Paces the play and owns its objects; DestroyPlay releases them.
    CDayController controller;

    // Hooks; each does nothing until the part of the program behind it is there.
    std::array<ScreenFactory, kScreenSlots> screenFactories;  // an empty slot shows a placeholder
    std::function<bool()> tickController;                     // true when the canvas changed
    std::function<void()> startPracticeRun;
    std::function<void()> onDestroyPlay;  // after the play is released
    TutorialHooks tutorial;
    // The practice run, built with the simulation screen once the skin is loaded.
    std::unique_ptr<CPracticeRun> practice;

    bool TutorialActive() const { return tutorial.isActive && tutorial.isActive(); }

private:
    AppPaths paths_;
    IViewHost* host_ = nullptr;
    std::unique_ptr<QVDialog> messagePopup_;
    std::unique_ptr<QVDetailDialog> detailPopup_;
    std::unique_ptr<QVUserValidateDlg> userDialog_;
    CResultStore results_;
    CSnapshotStore snapshots_;
    ServerAddress server_;
    CServerLink serverLink_;
    CUserAccount account_;
    CGlossary glossary_;
    bool glossaryAttempted_ = false;
    bool quitRequested_ = false;
    std::function<void()> quitHandler_;
    std::deque<std::string> notices_;
};

}  // namespace valmore
