#pragma once

// The scenario selection screen (screen 2): the paged table of scenarios and four actions on the
// selected one: start a new play, continue its interrupted play, look at its records, or go back to
// the menu. The table is read once, when the screen is built at program start.

#include <filesystem>
#include <functional>

#include "scenario/Scenario.h"
#include "scenario/screens/ScenarioCatalog.h"
#include "scenario/screens/ScenarioSelectLayout.h"
#include "ui/Screen.h"
#include "ui/SkinButton.h"

namespace valmore {

class CDayController;
class CResultStore;
class CSnapshotStore;
class QVDialog;

class CScenarioSelectScreen : public CScreen {
public:
    static constexpr int kBackgroundBitmap = kSkinBackground;
    static constexpr int kTitleBitmap = kSkinSelectTitle;

    using LayoutTable = ScenarioSelectLayout;
    static const LayoutTable& Placement(int mode);

    using OpenRecords = std::function<void(const ScenarioHeader&)>;

    // dataDir holds the "data" folder; snapshotFile is where the interrupted plays are kept. The
    // record screen is opened through openRecords, which switches to it.
    CScenarioSelectScreen(IViewHost& owner, CDayController& controller, QVDialog& dialog, const CResultStore& results,
                          CSnapshotStore& snapshots, std::filesystem::path dataDir, std::filesystem::path snapshotFile,
                          OpenRecords openRecords);

    void Draw(CCanvas& dc) override;
    void Layout() override;
    // Marks the interrupted plays afresh and clears the selection; the page stays where it was.
    void Activate() override;

    CScenarioCatalog& Catalog() { return *catalog_; }
    const CScenarioCatalog& Catalog() const { return *catalog_; }
    CSkinButton& MenuButton() { return *menu_; }
    CSkinButton& ResumeButton() { return *resume_; }
    CSkinButton& RecordsButton() { return *records_; }
    CSkinButton& StartButton() { return *start_; }
    CSkinButton& PreviousPageButton() { return *previousPage_; }
    CSkinButton& NextPageButton() { return *nextPage_; }

private:
    void OnStart();
    void OnResume();
    void OnRecords();
    void OnMenu();
    void ChangePage(int delta);
    void UpdateActionButtons();
    void UpdatePageButtons();
    void DisableActionButtons();
    // A popup text naming the selected scenario's file.
    std::string FileNameForMessage() const;
    // After a play was started, the simulation screen must be showing.
    void ShowPlay();

    CDayController& controller_;
    QVDialog& dialog_;
    const CResultStore& results_;
    CSnapshotStore& snapshots_;
    std::filesystem::path dataDir_;
    std::filesystem::path snapshotFile_;
    OpenRecords openRecords_;

    CScenarioCatalog* catalog_ = nullptr;
    CSkinButton* menu_ = nullptr;
    CSkinButton* resume_ = nullptr;
    CSkinButton* records_ = nullptr;
    CSkinButton* start_ = nullptr;
    CSkinButton* previousPage_ = nullptr;
    CSkinButton* nextPage_ = nullptr;
};

}  // namespace valmore
