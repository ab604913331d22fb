#include "shell/AppContext.h"

#include "platform/AtomicFile.h"
#include "platform/ProgramPath.h"
#include "shell/MainMenuScreen.h"
#include "shell/PracticeRun.h"

namespace valmore {

CAppContext::CAppContext(AppPaths paths, const std::optional<std::string>& serverOption)
    : paths_(std::move(paths)),
      results_(paths_.userDir / "result.dat"),
      server_(ResolveServerAddress(serverOption, paths_.userDir)),
      serverLink_(server_.baseUrl) {
    screenFactories[kScreenMainMenu] = [](IViewHost& host, CAppContext& context) -> std::unique_ptr<CScreen> {
        return std::make_unique<CMainMenuScreen>(host, context);
    };
}

CAppContext::~CAppContext() {
    controller.SetPracticeGate(nullptr);
    DestroyPopups();
}

std::filesystem::path CAppContext::GlossaryFile() const {
    return MapProgramPath(paths_.dataDir, "data\\QV.dict");
}

void CAppContext::CreatePopups(IViewHost& host) {
    host_ = &host;
    messagePopup_ = std::make_unique<QVDialog>(host);
    detailPopup_ = std::make_unique<QVDetailDialog>(host);
    userDialog_ = MakeUserDialog(host, host.TextServices());
}

void CAppContext::DestroyPopups() {
    userDialog_.reset();
    detailPopup_.reset();
    messagePopup_.reset();
    host_ = nullptr;
}

std::vector<StoreProblem> CAppContext::LoadStores() {
    std::vector<StoreProblem> found;
    StoreLoadResult results = results_.Load();
    if (!results.Ok()) {
        found.push_back({StoreProblem::Store::Results, ResultFile(), results.problems, !results_.Lists().empty(),
                         FreeAsideName(ResultFile())});
    }
    SnapshotLoadReport snapshots = snapshots_.Load(SnapshotFile());
    if (!snapshots.Ok()) {
        found.push_back({StoreProblem::Store::Snapshots, SnapshotFile(), snapshots.problems, snapshots_.Count() > 0,
                         FreeAsideName(SnapshotFile())});
    }
    return found;
}

std::string CAppContext::LoadAccount() {
    return account_.Load(AccountFile()).message;
}

const CGlossary& CAppContext::EnsureGlossary() {
    if (!glossaryAttempted_) {
        glossaryAttempted_ = true;
        glossary_.LoadGlossary(GlossaryFile());
    }
    return glossary_;
}

std::optional<LinkEntry> CAppContext::FindLinkEntry(std::string_view key) const {
    const GlossaryEntry* entry = glossary_.FindEntry(key);
    if (!entry) return std::nullopt;
    return LinkEntry{entry->SEARCHKEY, entry->KEYWORD0, entry->KEYWORD1, entry->DETAIL};
}

void CAppContext::DestroyPlay() {
    controller.DestroyPlay();
    if (onDestroyPlay) onDestroyPlay();
}

std::optional<std::string> CAppContext::TakeNotice() {
    if (notices_.empty()) return std::nullopt;
    std::string notice = std::move(notices_.front());
    notices_.pop_front();
    return notice;
}

void CAppContext::RequestQuit() {
    quitRequested_ = true;
    if (quitHandler_) quitHandler_();
}

}  // namespace valmore
