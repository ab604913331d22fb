#include "playscreen/SimulationScreen.h"

#include <initializer_list>

#include "platform/Sjis.h"
#include "playscreen/AnimatedButton.h"
#include "playscreen/AssetPanel.h"
#include "playscreen/ChartPanel.h"
#include "playscreen/InfoPanel.h"
#include "playscreen/MarketPanel.h"
#include "playscreen/NewsPanel.h"
#include "playscreen/OrderPanel.h"
#include "playscreen/OrderTexts.h"
#include "playscreen/SimulationLayout.h"
#include "playscreen/TitlePanel.h"
#include "sim/DayController.h"
#include "sim/SnapshotStore.h"
#include "ui/Dialog.h"
#include "ui/FailureText.h"
#include "ui/ItemSelector.h"
#include "ui/Skin.h"
#include "ui/SpinBox.h"

namespace valmore {

namespace {

// The layout field of each element, in the order of CSimulationScreen::Element.
constexpr std::array<Point SimulationLayout::*, CSimulationScreen::kElementCount> kElementPlaces{
    &SimulationLayout::title,      &SimulationLayout::market,       &SimulationLayout::news,
    &SimulationLayout::asset,      &SimulationLayout::order,        &SimulationLayout::info,
    &SimulationLayout::chart,      &SimulationLayout::quit,         &SimulationLayout::newsNext,
    &SimulationLayout::newsList,   &SimulationLayout::newsPrevious, &SimulationLayout::buy,
    &SimulationLayout::pass,       &SimulationLayout::sell,         &SimulationLayout::quantity,
    &SimulationLayout::infoButton, &SimulationLayout::execute,      &SimulationLayout::selector,
    &SimulationLayout::infoNext,   &SimulationLayout::infoPrevious, &SimulationLayout::infoBack,
};

// Skin bitmaps of the panels' backgrounds.
constexpr int kTitleBitmap = kSkinTitlePanel;
constexpr int kMarketBitmap = kSkinMarketPanel;
constexpr int kNewsBitmap = kSkinNewsPanel;
constexpr int kAssetBitmap = kSkinAssetPanel;
constexpr int kOrderBitmap = kSkinOrderPanel;
constexpr int kInfoBitmap = kSkinInfoPanel;
constexpr int kChartBitmap = kSkinChartPanel;

// Skin bitmaps of the buttons.
constexpr SkinButtonPictures kQuitImages{kSkinQuitUp, kSkinQuitDn, kSkinQuitNon};
constexpr SkinButtonPictures kRightImages{kSkinRightUp, kSkinRightDn, kSkinRightNon};
constexpr SkinButtonPictures kListImages{kSkinListUp, kSkinListDn, kSkinNoPicture};
constexpr SkinButtonPictures kLeftImages{kSkinLeftUp, kSkinLeftDn, kSkinLeftNon};
constexpr SkinButtonPictures kBuyImages{kSkinBuyUp, kSkinBuyDn, kSkinBuyNon};
constexpr SkinButtonPictures kPassImages{kSkinPassUp, kSkinPassDn, kSkinPassNon};
constexpr SkinButtonPictures kSellImages{kSkinSellUp, kSkinSellDn, kSkinSellNon};
constexpr SkinButtonPictures kInfoImages{kSkinInfoUp, kSkinInfoDn, kSkinInfoNon};
constexpr SkinButtonPictures kBackImages{kSkinGreyBackUp, kSkinGreyBackDn, kSkinGreyBackNon};
constexpr int kExecuteSizeBitmap = kSkinNextDn;

const SimulationLayout& LayoutFor(int mode) {
    return kSimulationLayouts[ModeOf(mode)];
}

bool IsOrderColumnElement(int element) {
    return element >= CSimulationScreen::kBuy && element <= CSimulationScreen::kInfoButton;
}

// The keys of the order columns: one key column per order column, one key row per action.
struct ChoiceKey {
    int key;
    int column;
    OrderChoice choice;
};
constexpr std::array<ChoiceKey, 9> kChoiceKeys{{
    {'Q', 0, OrderChoice::Buy},
    {'A', 0, OrderChoice::Pass},
    {'Z', 0, OrderChoice::Sell},
    {'W', 1, OrderChoice::Buy},
    {'S', 1, OrderChoice::Pass},
    {'X', 1, OrderChoice::Sell},
    {'E', 2, OrderChoice::Buy},
    {'D', 2, OrderChoice::Pass},
    {'C', 2, OrderChoice::Sell},
}};

}  // namespace

Point CSimulationScreen::Position(int mode, int element, int column) {
    if (element < 0 || element >= kElementCount) return {};
    Point at = LayoutFor(mode).*kElementPlaces[static_cast<std::size_t>(element)];
    if (IsOrderColumnElement(element)) at.x += column * ColumnStep(mode);
    return at;
}

int CSimulationScreen::ColumnStep(int mode) {
    return LayoutFor(mode).columnStep;
}

CSimulationScreen::CSimulationScreen(IViewHost& owner, CDayController& controller, QVDialog& dialog,
                                     CSnapshotStore& snapshots, std::filesystem::path snapshotFile,
                                     std::filesystem::path dataDir)
    : CScreen(owner),
      controller_(controller),
      dialog_(dialog),
      snapshots_(snapshots),
      snapshotFile_(std::move(snapshotFile)),
      dataDir_(std::move(dataDir)) {
    Layout();
    fullRedraw_ = true;
    dialog_.onRefreshPanels = [this] { RefreshAllPanels(); };
}

CSimulationScreen::~CSimulationScreen() {
    // The popup outlives the screen in tests; it must not call back into a screen that is gone.
    dialog_.onRefreshPanels = nullptr;
}

CSkinButton* CSimulationScreen::AddButton(int element, int column, int up, int dn, int non, int sizeBitmap) {
    CSkinButton* button = AddPanel<CSkinButton>(owner_, up, dn, non);
    const Point at = Position(owner_.Mode(), element, column);
    const CSkin& skin = owner_.Skin();
    button->SetRect(at.x, at.y, skin.Width(sizeBitmap), skin.Height(sizeBitmap));
    return button;
}

void CSimulationScreen::Layout() {
    // The panels are built once; a second call would leave the first set without its references.
    if (title_) return;
    const int mode = owner_.Mode();
    const CSkin& skin = owner_.Skin();
    auto place = [&](CPanel* panel, int element, int sizeBitmap) {
        const Point at = Position(mode, element);
        panel->SetRect(at.x, at.y, skin.Width(sizeBitmap), skin.Height(sizeBitmap));
    };

    title_ = AddPanel<CTitlePanel>(owner_, controller_);
    place(title_, kTitle, kTitleBitmap);

    quit_ = AddButton(kQuit, 0, kQuitImages.up, kQuitImages.dn, kQuitImages.non, kQuitImages.up);
    quit_->SetLabel(Sj("終了"));
    quit_->onClick = [this](unsigned, int, int, CSkinButton&) { LeavePlay(); };

    market_ = AddPanel<CMarketPanel>(owner_, controller_);
    place(market_, kMarket, kMarketBitmap);

    news_ = AddPanel<CNewsPanel>(owner_, controller_);
    place(news_, kNews, kNewsBitmap);
    newsNext_ = AddButton(kNewsNext, 0, kRightImages.up, kRightImages.dn, kRightImages.non, kRightImages.dn);
    newsNext_->enabled = false;
    newsList_ = AddButton(kNewsList, 0, kListImages.up, kListImages.dn, kListImages.non, kListImages.dn);
    newsList_->SetLabel(Sj("一覧"));
    newsList_->enabled = false;
    newsList_->toggle = true;
    newsList_->pressed = true;
    newsPrev_ = AddButton(kNewsPrev, 0, kLeftImages.up, kLeftImages.dn, kLeftImages.non, kLeftImages.dn);
    newsPrev_->SetLabel(Sj("前ページ"));
    newsPrev_->enabled = false;
    news_->SetButtons(newsNext_, newsList_, newsPrev_);

    asset_ = AddPanel<CAssetPanel>(owner_, controller_);
    place(asset_, kAsset, kAssetBitmap);

    order_ = AddPanel<COrderPanel>(owner_, controller_);
    place(order_, kOrder, kOrderBitmap);
    for (int c = 0; c < kOrderColumns; ++c) {
        const auto i = static_cast<std::size_t>(c);
        buy_[i] = AddButton(kBuy, c, kBuyImages.up, kBuyImages.dn, kBuyImages.non, kBuyImages.dn);
        pass_[i] = AddButton(kPass, c, kPassImages.up, kPassImages.dn, kPassImages.non, kPassImages.dn);
        sell_[i] = AddButton(kSell, c, kSellImages.up, kSellImages.dn, kSellImages.non, kSellImages.dn);
        for (CSkinButton* decision : {buy_[i], pass_[i], sell_[i]}) {
            decision->toggle = true;
            decision->enabled = false;
        }
        quantity_[i] = AddPanel<CSpinBox>(owner_);
        const Point at = Position(mode, kQuantity, c);
        quantity_[i]->SetRect(at.x, at.y);
        infoButton_[i] = AddButton(kInfoButton, c, kInfoImages.up, kInfoImages.dn, kInfoImages.non, kInfoImages.dn);
        order_->SetColumn(c, {buy_[i], pass_[i], sell_[i], quantity_[i], infoButton_[i]});
    }
    order_->onCompanyInfo = [this](int product) { info_->ShowCompanyInfo(product); };

    execute_ = AddPanel<CAnimatedButton>(owner_, dataDir_);
    {
        const Point at = Position(mode, kExecute);
        execute_->SetRect(at.x, at.y, skin.Width(kExecuteSizeBitmap), skin.Height(kExecuteSizeBitmap));
    }
    execute_->SetLabel(Sj("次へ"));
    execute_->enabled = false;
    execute_->onClick = [this](unsigned, int, int, CSkinButton&) { ExecuteOrders(); };
    order_->SetExecuteButton(execute_);

    chart_ = AddPanel<CChartPanel>(owner_, controller_);
    place(chart_, kChart, kChartBitmap);
    selector_ = AddPanel<CItemSelector>(owner_);
    {
        const Point at = Position(mode, kSelector);
        selector_->SetRect(at.x, at.y, LayoutFor(mode).selectorWidth, skin.Height(kRightImages.dn));
    }
    chart_->SetSelector(selector_);

    info_ = AddPanel<CInfoPanel>(owner_, controller_);
    place(info_, kInfo, kInfoBitmap);
    infoNext_ = AddButton(kInfoNext, 0, kRightImages.up, kRightImages.dn, kRightImages.non, kRightImages.dn);
    infoNext_->enabled = false;
    infoPrev_ = AddButton(kInfoPrev, 0, kLeftImages.up, kLeftImages.dn, kLeftImages.non, kLeftImages.dn);
    infoPrev_->SetLabel(Sj("前ページ"));
    infoPrev_->enabled = false;
    infoBack_ = AddButton(kInfoBack, 0, kBackImages.up, kBackImages.dn, kBackImages.non, kBackImages.up);
    infoBack_->enabled = false;
    info_->SetButtons(infoNext_, infoPrev_, infoBack_);

    news_->onGlossaryLink = [this](const LinkEntry& entry) { info_->ShowGlossaryEntry(entry); };
}

void CSimulationScreen::Activate() {
    if (onActivate) onActivate();
    order_->AssignColumns();
    // Whatever the previous screen left in the back buffer is painted over completely.
    fullRedraw_ = true;
    for (CPanel* panel : std::initializer_list<CPanel*>{news_, market_, asset_, order_, info_, chart_, title_}) {
        panel->dirty = true;
    }
}

void CSimulationScreen::Draw(CCanvas& dc) {
    if (fullRedraw_) {
        DrawBackground(dc);
        fullRedraw_ = false;
    }
    CScreen::Draw(dc);
    if (drawOverlay) drawOverlay(dc);
}

void CSimulationScreen::RefreshAllPanels() {
    for (CPanel* panel : std::initializer_list<CPanel*>{news_, market_, asset_, order_, info_, chart_, title_}) {
        panel->dirty = true;
    }
    fullRedraw_ = true;
    owner_.InvalidateAll();
}

void CSimulationScreen::LeavePlay() {
    if (dialog_.Show(QVDialog::kModeQuestion, Sj("本当に終了しますか？")) != QVDialog::kResultYes) return;
    const int keep =
        dialog_.Show(QVDialog::kModeQuestion, Sj("ここまでの成績を保存しますか？\n"
                                                 "成績を保存すれば、この状態からシミュレーションを再開できます。"));
    if (keep == QVDialog::kResultYes) {
        const DocSaveResult saved = controller_.StorePlay(snapshots_, snapshotFile_);
        if (!saved.ok) {
            // The user asked to keep this play; leaving it now would lose it, so the play goes on.
            dialog_.Show(QVDialog::kModeNotice, Sj("成績を保存できませんでした（") +
                                                    WriteFailureCause(saved.errorNumber) +
                                                    Sj("）。シミュレーションをこのまま続けます。"));
            return;
        }
    }
    owner_.SwitchScreen(kScreenMainMenu);
    owner_.InvalidateAll();
}

bool CSimulationScreen::OnKeyDown(int key) {
    if (Guided()) return false;
    if (controller_.AcceptingOrders() && OrderKey(key)) return true;
    return CScreen::OnKeyDown(key);
}

bool CSimulationScreen::OrderKey(int key) {
    if (KeyChoice(key)) return true;
    switch (key) {
        case kKeyUp:
        case kKeyDown: {
            int column = keyColumn_;
            // Before any key has chosen, the arrows act on the one column whose quantity can move.
            if (column < 0 || !QuantityBox(column).Enabled()) {
                column = -1;
                for (int c = 0; c < kOrderColumns; ++c) {
                    if (QuantityBox(c).Enabled()) {
                        column = c;
                        break;
                    }
                }
            }
            if (column < 0) return false;
            CSpinBox& box = QuantityBox(column);
            if (key == kKeyUp) {
                box.Increment();
            } else {
                box.Decrement();
            }
            return true;
        }
        case kKeyEnter:
            if (!execute_->enabled) return false;
            ExecuteOrders();
            return true;
        default:
            return false;
    }
}

bool CSimulationScreen::KeyChoice(int key) {
    for (const auto& choice : kChoiceKeys) {
        if (choice.key != key) continue;
        if (!order_->Choose(choice.column, choice.choice)) return false;
        keyColumn_ = choice.column;
        return true;
    }
    return false;
}

void CSimulationScreen::ExecuteOrders() {
    const OrderOutcome outcome = controller_.Execute(order_->CurrentOrders());
    const std::string notice = RefusalNotice(outcome.refusal);
    if (!notice.empty()) dialog_.Show(QVDialog::kModeNotice, notice);
}

void CSimulationScreen::StartDay() {
    keyColumn_ = -1;
    order_->StartDay();
}

int CSimulationScreen::CurrentDay() const {
    const CPlay* play = controller_.Play();
    return play ? play->CurrentEventListIndex() : 0;
}

// IPlayView: what the panels and buttons do about each step of the play.

void CSimulationScreen::OnPlayEvent(PlayEvent event) {
    switch (event) {
        case PlayEvent::PlayReset:
            // The panels forget the previous play before they take this one.
            quit_->enabled = false;  // a play opens before it can be left
            news_->ResetNews();
            info_->ResetInfo();
            order_->RefreshOrderButtons();
            asset_->ClearValues();
            chart_->ResetChart();
            RefreshAllPanels();
            order_->AssignColumns();
            // Nothing of the previous play's last day may show in the order columns.
            order_->StartDay();
            chart_->FillProductSelector();
            asset_->UpdateAssetValues();
            info_->ClearInfo();
            owner_.SwitchScreen(kScreenSimulation);
            owner_.InvalidateAll();
            break;
        case PlayEvent::OpeningEnded:
            StartDay();
            news_->UpdateNewsButtons();
            order_->RefreshOrderButtons();
            break;
        case PlayEvent::DayOpened:
            news_->SetSelectedEvent(CurrentDay());
            RefreshAllPanels();
            StartDay();
            news_->ShowListView();
            news_->UpdateNewsButtons();
            order_->RefreshOrderButtons();
            chart_->SetDays(CurrentDay());
            break;
        case PlayEvent::OrdersOpened:
            RefreshAllPanels();
            quit_->enabled = controller_.CanLeave() && !Guided();
            news_->UpdateNewsButtons();
            order_->RefreshOrderButtons();
            chart_->SetDays(CurrentDay());
            break;
        case PlayEvent::PricesMoved:
            RefreshAllPanels();
            news_->UpdateNewsButtons();
            order_->RefreshOrderButtons();
            break;
        case PlayEvent::LastDayPlayed:
            news_->SetSelectedEvent(CurrentDay());
            news_->UpdateNewsButtons();
            order_->RefreshOrderButtons();
            chart_->SetDays(CurrentDay());
            break;
        case PlayEvent::PlayFinished:
            news_->UpdateNewsButtons();
            order_->RefreshOrderButtons();
            break;
        case PlayEvent::ResultDue:
            // The result screen lays itself out from the finished play when it becomes current.
            owner_.SwitchScreen(kScreenResult);
            owner_.InvalidateAll();
            break;
        case PlayEvent::PlayAbandoned:
            quit_->enabled = false;
            // A notice still open over the released play has nothing left to explain.
            dialog_.Dismiss();
            owner_.SwitchScreen(kScreenMainMenu);
            owner_.InvalidateAll();
            break;
        case PlayEvent::Held:
            quit_->enabled = false;
            // The held day still shows a live execute button: its animation moves on at every paint.
            if (execute_->enabled) execute_->Invalidate();
            // The figures a held day shows are those of the play now, e.g. just after the prices moved.
            market_->UpdateMarketValues();
            asset_->UpdateAssetValues();
            break;
    }
}

void CSimulationScreen::OnOrdersExecuted(const std::vector<ExecutedTrade>& trades) {
    // The day's orders are booked: leaving now would keep a day that still has to close.
    quit_->enabled = false;
    order_->RefreshOrderButtons();
    const CPlay* play = controller_.Play();
    info_->ShowTradeLog(play ? TradeLogMarkup(trades, play->Market(), info_->TextWidth()) : std::string());
    execute_->enabled = false;
}

bool CSimulationScreen::OnTick() {
    quit_->enabled = controller_.CanLeave() && !Guided();
    bool repaint = false;
    // The execute button's animation moves on at every paint while it is enabled.
    if (execute_->enabled) {
        execute_->Invalidate();
        repaint = true;
    }
    switch (controller_.GetState()) {
        case CDayController::kOpening:
            market_->UpdateMarketValues();
            asset_->UpdateAssetValues();
            return true;
        case CDayController::kDay:
            switch (controller_.GetSubState()) {
                case CDayController::kNews:
                    // The "latest news" label pulses.
                    news_->dirty = true;
                    asset_->UpdateAssetValues();
                    return true;
                case CDayController::kClosing:
                case CDayController::kPriceMove: {
                    const bool market = market_->UpdateMarketValues();
                    const bool assets = asset_->UpdateAssetValues();
                    return repaint || market || assets;
                }
                default:
                    return asset_->UpdateAssetValues() || repaint;
            }
        default:
            return repaint;
    }
}

}  // namespace valmore
