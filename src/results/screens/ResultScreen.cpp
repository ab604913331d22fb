#include "results/screens/ResultScreen.h"

#include "platform/Sjis.h"
#include "results/screens/ResultLayout.h"
#include "sim/DayController.h"
#include "ui/DetailDialog.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

// The result screen's buttons take the size of their down picture.
void PlaceByDownPicture(CSkinButton& button, const CSkin& skin, Point at) {
    button.SetRect(at.x, at.y, skin.Width(button.dn), skin.Height(button.dn));
}

}  // namespace

CResultScreen::CResultScreen(IViewHost& owner, CDayController& controller, QVDetailDialog& detail,
                             const CResultStore* results)
    : CScreen(owner), controller_(controller), detail_(detail), results_(results) {
    backgroundBitmap = ResultLayout::kBackground;
    Layout();
}

void CResultScreen::Layout() {
    const ResultLayout& layout = ResultLayoutFor(owner_.Mode());

    scenario_ = AddPanel<CResultScenarioPanel>(owner_, controller_, results_);
    scenario_->Place();

    menu_ = AddPanel<CSkinButton>(owner_, ResultLayout::kMenuUp, ResultLayout::kMenuDn);
    PlaceByDownPicture(*menu_, owner_.Skin(), layout.menuButton);
    menu_->SetLabel(Sj("メニュー"));
    menu_->onClick = [this](unsigned, int, int, CSkinButton&) { OnMenu(); };

    position_ = AddPanel<CPositionResultPanel>(owner_, controller_);
    position_->Place();

    chart_ = AddPanel<CResultChartPanel>(owner_, controller_);
    chart_->Place();

    news_ = AddPanel<CNewsTradesPanel>(owner_, controller_);
    news_->Place();

    previous_ = AddPanel<CSkinButton>(owner_, kPagePreviousButton.up, kPagePreviousButton.dn, kPagePreviousButton.non);
    PlaceByDownPicture(*previous_, owner_.Skin(), layout.previousButton);
    previous_->enabled = false;
    previous_->onClick = [this](unsigned, int, int, CSkinButton&) { OnPage(-1); };

    next_ = AddPanel<CSkinButton>(owner_, kPageNextButton.up, kPageNextButton.dn, kPageNextButton.non);
    PlaceByDownPicture(*next_, owner_.Skin(), layout.nextButton);
    next_->enabled = false;
    next_->onClick = [this](unsigned, int, int, CSkinButton&) { OnPage(+1); };

    details_.clear();
    for (int i = 0; i < layout.rowsPerPage; ++i) {
        CSkinButton* button =
            AddPanel<CSkinButton>(owner_, ResultLayout::kDetailUp, ResultLayout::kDetailDn, ResultLayout::kDetailNon);
        PlaceByDownPicture(*button, owner_.Skin(),
                           {layout.firstDetailButton.x, layout.firstDetailButton.y + i * layout.detailButtonStep});
        button->SetLabel(Sj("詳細"));
        button->identifier = i;
        button->onClick = [this](unsigned, int, int, CSkinButton& clicked) { OnDetail(clicked.identifier); };
        details_.push_back(button);
    }
    news_->SetButtons(previous_, next_, details_);
}

void CResultScreen::Activate() {
    const CPlay* play = controller_.Play();
    chart_->LayOut(play ? play->Market().ProductCount : 0);
    news_->SetPage(0);
}

void CResultScreen::Draw(CCanvas& dc) {
    if (owner_.Skin().Height(backgroundBitmap) > 0) {
        DrawBackground(dc);
    } else {
        dc.FillSolid(dc.ClipBox(), owner_.Skin().Colours().paper);
    }
    CScreen::Draw(dc);
}

void CResultScreen::OnMenu() {
    controller_.DestroyPlay();
    owner_.SwitchScreen(kScreenMainMenu);
    owner_.InvalidateAll();
}

void CResultScreen::OnPage(int step) {
    news_->SetPage(news_->Page() + step);
    owner_.InvalidateAll();
}

void CResultScreen::OnDetail(int row) {
    const CPlay* play = controller_.Play();
    if (!play) return;
    const int event = news_->Page() * news_->RowsPerPage() + row;
    if (row < 0 || event < 0 || event >= play->Scenario().EventCount()) return;
    const ScenarioEvent& day = play->Scenario().events[static_cast<std::size_t>(event)];
    detail_.Show(day.Detail.value_or(std::string()), day.Info.value_or(std::string()),
                 day.HeadLine.value_or(std::string()));
}

}  // namespace valmore
