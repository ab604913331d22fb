#pragma once

// The ranking screen (screen 6): the server's scenarios one page each, with the scenario's header
// line and the first 21 rows of its ranking; the user's own row is blue. The scenario list is asked
// for once per run; the ranking at every page.

#include <array>
#include <string>
#include <vector>

#include "net/ServerLink.h"
#include "net/UserAccount.h"
#include "net/screens/RankingLayout.h"
#include "results/ResultStore.h"
#include "ui/Dialog.h"
#include "ui/Screen.h"
#include "ui/SkinButton.h"

namespace valmore {

class CRankingScreen : public CScreen {
public:
    static constexpr int kRows = RankingLayout::kRows;
    static constexpr int kColumns = RankingLayout::kColumns;
    static constexpr int kHeaderCells = RankingLayout::kHeaderCells;

    CRankingScreen(IViewHost& owner, const CServerLink& link, const CUserAccount& account, const CResultStore& results,
                   QVDialog& popup);

    void Layout() override;
    // Page 0, the scenario list on the first visit (back to the main menu when it cannot be had),
    // then the page's ranking.
    void Activate() override;
    void Draw(CCanvas& dc) override;

    void PreviousPage();
    void NextPage();

    // The header line of a scenario, with the number of the user's own records of it.
    static std::array<std::string, kHeaderCells> HeaderTexts(const ServerScenario& scenario, int ownRecords);
    // The cells of a ranking row, left to right.
    static std::array<std::string, kColumns> RowTexts(const RankingRow& row, const ServerScenario& scenario);

    const std::vector<ServerScenario>& Scenarios() const { return scenarios_; }
    bool ScenarioListFetched() const { return listFetched_; }
    int Page() const { return page_; }
    const std::vector<RankingRow>& Rows() const { return rows_; }
    // The page's ranking could not be had (or was given up); the table says so.
    bool PageFailed() const { return pageFailed_; }
    // True when the row is the user's own, shown in blue.
    bool IsOwnRow(const RankingRow& row) const;

    Rect TitleRect() const;
    Rect HeaderCellRect(int cell) const;
    Rect RowRect(int row) const;
    // Where a cell's text goes: the number columns keep a margin on both sides.
    Rect CellTextRect(int row, int column) const;

    CSkinButton& PreviousButton() const { return *previous_; }
    CSkinButton& NextButton() const { return *next_; }
    CSkinButton& BackButton() const { return *back_; }

private:
    void LoadRanking();
    const ServerScenario* PageScenario() const;

    const CServerLink& link_;
    const CUserAccount& account_;
    const CResultStore& results_;
    QVDialog& popup_;
    std::vector<ServerScenario> scenarios_;
    bool listFetched_ = false;
    int page_ = 0;
    std::vector<RankingRow> rows_;
    bool pageFailed_ = false;
    CSkinButton* previous_ = nullptr;
    CSkinButton* next_ = nullptr;
    CSkinButton* back_ = nullptr;
};

}  // namespace valmore
