#include "scenario/screens/ScenarioSelectScreen.h"

#include <array>
#include <utility>

#include "platform/ProgramPath.h"
#include "platform/Sjis.h"
#include "results/ResultStore.h"
#include "sim/DayController.h"
#include "sim/SnapshotStore.h"
#include "ui/Dialog.h"
#include "ui/FailureText.h"
#include "ui/MarkupText.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

// The captions are part of the pictures.
constexpr SkinButtonPictures kMenuImages{kSkinSelectButton4Up, kSkinSelectButton4Dn, kSkinNoPicture};
constexpr SkinButtonPictures kResumeImages{kSkinSelectButton3Up, kSkinSelectButton3Dn, kSkinSelectButton3Non};
constexpr SkinButtonPictures kRecordsImages{kSkinSelectButton2Up, kSkinSelectButton2Dn, kSkinSelectButton2Non};
constexpr SkinButtonPictures kStartImages{kSkinSelectButton1Up, kSkinSelectButton1Dn, kSkinSelectButton1Non};

}  // namespace

const CScenarioSelectScreen::LayoutTable& CScenarioSelectScreen::Placement(int mode) {
    return kScenarioSelectLayouts[static_cast<std::size_t>(ModeOf(mode))];
}

CScenarioSelectScreen::CScenarioSelectScreen(IViewHost& owner, CDayController& controller, QVDialog& dialog,
                                             const CResultStore& results, CSnapshotStore& snapshots,
                                             std::filesystem::path dataDir, std::filesystem::path snapshotFile,
                                             OpenRecords openRecords)
    : CScreen(owner),
      controller_(controller),
      dialog_(dialog),
      results_(results),
      snapshots_(snapshots),
      dataDir_(std::move(dataDir)),
      snapshotFile_(std::move(snapshotFile)),
      openRecords_(std::move(openRecords)) {
    backgroundBitmap = kBackgroundBitmap;
    Layout();
    catalog_->EnumerateScenarios(dataDir_, snapshots_);
    UpdatePageButtons();
    DisableActionButtons();
}

void CScenarioSelectScreen::Layout() {
    const LayoutTable& layout = Placement(owner_.Mode());
    auto addButton = [this](const SkinButtonPictures& images, Point at, std::string caption) {
        CSkinButton* button = AddPanel<CSkinButton>(owner_, images.up, images.dn, images.non);
        button->PlaceAt(at.x, at.y);
        button->SetLabel(std::move(caption));
        return button;
    };
    menu_ = addButton(kMenuImages, layout.menu, Sj("メニューへ戻る"));
    resume_ = addButton(kResumeImages, layout.resume, Sj("前回の続き"));
    records_ = addButton(kRecordsImages, layout.records, Sj("成績"));
    start_ = addButton(kStartImages, layout.start, Sj("開始"));
    previousPage_ = addButton(kPagePreviousButton, layout.previousPage, std::string());
    nextPage_ = addButton(kPageNextButton, layout.nextPage, std::string());

    catalog_ = AddPanel<CScenarioCatalog>(owner_, results_);
    catalog_->PlaceAt(layout.table.x, layout.table.y);

    menu_->onClick = [this](unsigned, int, int, CSkinButton&) { OnMenu(); };
    resume_->onClick = [this](unsigned, int, int, CSkinButton&) { OnResume(); };
    records_->onClick = [this](unsigned, int, int, CSkinButton&) { OnRecords(); };
    start_->onClick = [this](unsigned, int, int, CSkinButton&) { OnStart(); };
    previousPage_->onClick = [this](unsigned, int, int, CSkinButton&) { ChangePage(-1); };
    nextPage_->onClick = [this](unsigned, int, int, CSkinButton&) { ChangePage(+1); };
    catalog_->onSelectionChanged = [this] { UpdateActionButtons(); };
}

void CScenarioSelectScreen::Activate() {
    backgroundBitmap = kBackgroundBitmap;
    catalog_->RefreshInterruptedPlays(snapshots_);
    catalog_->ClearSelection();
    DisableActionButtons();
    UpdatePageButtons();
}

void CScenarioSelectScreen::Draw(CCanvas& dc) {
    DrawBackground(dc);
    const Point title = Placement(owner_.Mode()).title;
    dc.DrawBitmap(owner_.Skin().Bitmap(kTitleBitmap), title.x, title.y);
    CScreen::Draw(dc);
}

void CScenarioSelectScreen::DisableActionButtons() {
    start_->enabled = false;
    records_->enabled = false;
    resume_->enabled = false;
}

void CScenarioSelectScreen::UpdateActionButtons() {
    const CatalogEntry* entry = catalog_->Selected();
    if (!entry) {
        DisableActionButtons();
        return;
    }
    start_->enabled = true;
    records_->enabled = results_.Count(entry->header.ID) > 0;
    resume_->enabled = entry->hasInterruptedPlay;
}

void CScenarioSelectScreen::UpdatePageButtons() {
    previousPage_->enabled = catalog_->HasPreviousPage();
    nextPage_->enabled = catalog_->HasNextPage();
}

void CScenarioSelectScreen::ChangePage(int delta) {
    if (!catalog_->SetPage(catalog_->Page() + delta)) return;
    DisableActionButtons();
    UpdatePageButtons();
    owner_.InvalidateAll();
}

std::string CScenarioSelectScreen::FileNameForMessage() const {
    const CatalogEntry* entry = catalog_->Selected();
    return entry ? EscapeMarkup(catalog_->PathOf(*entry)) : std::string();
}

void CScenarioSelectScreen::ShowPlay() {
    // The controller shows the simulation screen through its view; without a view the play would
    // run unseen, so the switch is made here.
    if (owner_.CurrentScreen() != kScreenSimulation) {
        owner_.SwitchScreen(kScreenSimulation);
        owner_.InvalidateAll();
    }
}

void CScenarioSelectScreen::OnStart() {
    const CatalogEntry* entry = catalog_->Selected();
    if (!entry) return;
    const ScenarioLoadResult loaded = controller_.NewPlay(MapProgramPath(dataDir_, catalog_->PathOf(*entry)));
    if (!loaded.ok) {
        dialog_.Show(QVDialog::kModeNotice, Sj("シナリオファイル「") + FileNameForMessage() +
                                                Sj("」を読み込めませんでした。") +
                                                DocumentFailureText(loaded.status, loaded.line));
        owner_.InvalidateAll();
        return;
    }
    ShowPlay();
}

namespace {

// Why a stored play could not be continued, and what became of it.
std::string ResumeFailureText(const ResumeResult& resumed) {
    switch (resumed.problem) {
        case ResumeProblem::ScenarioRefused:
            return DocumentFailureText(resumed.scenarioStatus, resumed.scenarioLine) +
                   Sj("中断したシミュレーションの記録は、そのまま残してあります。");
        case ResumeProblem::PlayDoesNotFit:
            return Sj(
                "中断したシミュレーションの記録が、今のシナリオファイルの日数や銘柄の数と合いません。記録は、"
                "そのまま残してあります。");
        case ResumeProblem::NoStoredPlay:
            return Sj("中断したシミュレーションの記録が見つかりません。");
        default:
            return std::string();
    }
}

}  // namespace

void CScenarioSelectScreen::OnResume() {
    const CatalogEntry* entry = catalog_->Selected();
    if (!entry) return;
    const ResumeResult resumed =
        controller_.ResumePlay(MapProgramPath(dataDir_, catalog_->PathOf(*entry)), snapshots_, snapshotFile_);
    // Whether it worked or not, the mark follows the store: a resumed play can be continued once.
    catalog_->RefreshInterruptedPlays(snapshots_);
    if (!resumed.ok) {
        dialog_.Show(QVDialog::kModeNotice, Sj("シナリオファイル「") + FileNameForMessage() +
                                                Sj("」の前回の続きを再開できませんでした。") +
                                                ResumeFailureText(resumed));
        UpdateActionButtons();
        owner_.InvalidateAll();
        return;
    }
    ShowPlay();
    // The play goes on, but the store file still holds it and would offer it again next time.
    if (resumed.problem == ResumeProblem::StoreNotSaved) {
        dialog_.Show(QVDialog::kModeNotice, Sj("前回の続きを再開しましたが、中断したシミュレーションの記録を"
                                               "更新できませんでした（") +
                                                WriteFailureCause(resumed.errorNumber) +
                                                Sj("）。次に起動したときも、同じ続きが再開できるものとして表示され"
                                                   "ることがあります。"));
    }
}

void CScenarioSelectScreen::OnRecords() {
    const CatalogEntry* entry = catalog_->Selected();
    if (!entry || !openRecords_) return;
    // A copy, so the header stays whole whatever the record screen does with this screen.
    const ScenarioHeader header = entry->header;
    openRecords_(header);
}

void CScenarioSelectScreen::OnMenu() {
    owner_.SwitchScreen(kScreenMainMenu);
    owner_.InvalidateAll();
}

}  // namespace valmore
