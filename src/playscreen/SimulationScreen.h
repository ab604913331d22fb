#pragma once

// The simulation screen (screen 0), where a play happens: the title, market, news, asset, order,
// information and chart panels with their buttons, laid out from one table per resolution mode. The
// day controller tells this screen what happens to the play (IPlayView); the screen decides what
// each panel and button does about it.
//
// Keyboard (it only adds to the mouse, and acts only while the day's orders are accepted):
//   Q / A / Z   BUY / PASS / SELL of the left order column
//   W / S / X   BUY / PASS / SELL of the middle order column
//   E / D / C   BUY / PASS / SELL of the right order column
//   Up / Down   one trading unit more / less for the column last chosen by key
//   Enter       execute, when the execute button is enabled
// The keys lie on the keyboard as the buttons lie on the screen: one key column per order column,
// one key row per action. A key only ever chooses; taking a decision back is done with the mouse.

#include <array>
#include <filesystem>
#include <functional>
#include <vector>

#include "sim/PlayView.h"
#include "ui/Screen.h"

namespace valmore {

class CDayController;
class CSnapshotStore;
class QVDialog;
class CSkinButton;
class CSpinBox;
class CItemSelector;
class CTitlePanel;
class CMarketPanel;
class CNewsPanel;
class CAssetPanel;
class COrderPanel;
class CInfoPanel;
class CChartPanel;
class CAnimatedButton;

class CSimulationScreen : public CScreen, public IPlayView {
public:
    // The elements of the layout table, in the order of its rows.
    enum Element : int {
        kTitle = 0,
        kMarket,
        kNews,
        kAsset,
        kOrder,
        kInfo,
        kChart,
        kQuit,
        kNewsNext,
        kNewsList,
        kNewsPrev,
        kBuy,
        kPass,
        kSell,
        kQuantity,
        kInfoButton,
        kExecute,
        kSelector,
        kInfoNext,
        kInfoPrev,
        kInfoBack,
        kElementCount
    };
    static constexpr int kOrderColumns = 3;

    // `dataDir` holds "SR\" (the execute button's animation frames are read from there);
    // `snapshotFile` is where a play left with QUIT is kept.
    CSimulationScreen(IViewHost& owner, CDayController& controller, QVDialog& dialog, CSnapshotStore& snapshots,
                      std::filesystem::path snapshotFile, std::filesystem::path dataDir);
    ~CSimulationScreen() override;

    // Top-left corner of an element in a resolution mode; the order-column elements (kBuy to
    // kInfoButton) of column c are shifted right by c column steps.
    static Point Position(int mode, int element, int column = 0);
    static int ColumnStep(int mode);

    void Draw(CCanvas& dc) override;
    // Creates every element once; the constructor calls it.
    void Layout() override;
    void Activate() override;
    bool OnKeyDown(int key) override;

    // The quit flow of the QUIT button.
    void LeavePlay();
    // The execute action of the button and the Enter key: the day's orders as the order panel holds
    // them; a refused day is explained in the notice popup.
    void ExecuteOrders();
    // Marks every panel for repainting, repaints the whole background and invalidates the window.
    void RefreshAllPanels();
    // True while the practice run leads the user: the keys are kept away, and 終了, whose clicks the run
    // swallows, shows disabled.
    std::function<bool()> guided;
    // Told whenever the screen becomes current (the practice run forgets an old stop request).
    std::function<void()> onActivate;
    // Drawn over the panels at every paint (the practice run's balloons and highlights).
    std::function<void(CCanvas&)> drawOverlay;

    bool FullRedrawPending() const { return fullRedraw_; }
    int KeyColumn() const { return keyColumn_; }

    CTitlePanel& TitlePanel() const { return *title_; }
    CMarketPanel& MarketPanel() const { return *market_; }
    CNewsPanel& NewsPanel() const { return *news_; }
    CAssetPanel& AssetPanel() const { return *asset_; }
    COrderPanel& OrderPanel() const { return *order_; }
    CInfoPanel& InfoPanel() const { return *info_; }
    CChartPanel& ChartPanel() const { return *chart_; }
    CSkinButton& QuitButton() const { return *quit_; }
    CAnimatedButton& ExecuteButton() const { return *execute_; }
    CItemSelector& ProductSelector() const { return *selector_; }
    CSkinButton& NewsNextButton() const { return *newsNext_; }
    CSkinButton& NewsListButton() const { return *newsList_; }
    CSkinButton& NewsPrevButton() const { return *newsPrev_; }
    CSkinButton& InfoNextButton() const { return *infoNext_; }
    CSkinButton& InfoPrevButton() const { return *infoPrev_; }
    CSkinButton& InfoBackButton() const { return *infoBack_; }
    CSkinButton& BuyButton(int c) const { return *buy_.at(static_cast<std::size_t>(c)); }
    CSkinButton& PassButton(int c) const { return *pass_.at(static_cast<std::size_t>(c)); }
    CSkinButton& SellButton(int c) const { return *sell_.at(static_cast<std::size_t>(c)); }
    CSpinBox& QuantityBox(int c) const { return *quantity_.at(static_cast<std::size_t>(c)); }
    CSkinButton& InfoButton(int c) const { return *infoButton_.at(static_cast<std::size_t>(c)); }

    // IPlayView
    void OnPlayEvent(PlayEvent event) override;
    void OnOrdersExecuted(const std::vector<ExecutedTrade>& trades) override;
    bool OnTick() override;

private:
    bool Guided() const { return guided && guided(); }
    CSkinButton* AddButton(int element, int column, int up, int dn, int non, int sizeBitmap);
    bool OrderKey(int key);
    bool KeyChoice(int key);
    void StartDay();
    int CurrentDay() const;

    CDayController& controller_;
    QVDialog& dialog_;
    CSnapshotStore& snapshots_;
    std::filesystem::path snapshotFile_;
    std::filesystem::path dataDir_;
    bool fullRedraw_ = true;
    int keyColumn_ = -1;

    CTitlePanel* title_ = nullptr;
    CMarketPanel* market_ = nullptr;
    CNewsPanel* news_ = nullptr;
    CAssetPanel* asset_ = nullptr;
    COrderPanel* order_ = nullptr;
    CInfoPanel* info_ = nullptr;
    CChartPanel* chart_ = nullptr;
    CSkinButton* quit_ = nullptr;
    CSkinButton* newsNext_ = nullptr;
    CSkinButton* newsList_ = nullptr;
    CSkinButton* newsPrev_ = nullptr;
    std::array<CSkinButton*, kOrderColumns> buy_{};
    std::array<CSkinButton*, kOrderColumns> pass_{};
    std::array<CSkinButton*, kOrderColumns> sell_{};
    std::array<CSpinBox*, kOrderColumns> quantity_{};
    std::array<CSkinButton*, kOrderColumns> infoButton_{};
    CAnimatedButton* execute_ = nullptr;
    CItemSelector* selector_ = nullptr;
    CSkinButton* infoNext_ = nullptr;
    CSkinButton* infoPrev_ = nullptr;
    CSkinButton* infoBack_ = nullptr;
};

}  // namespace valmore
