#include "SkinLayout.h"

#include "net/screens/CommMenuLayout.h"
#include "net/screens/RankingLayout.h"
#include "net/screens/RegistrationLayout.h"
#include "net/screens/UserDialogLayout.h"
#include "playscreen/SimulationLayout.h"
#include "results/screens/RecordLayout.h"
#include "results/screens/ResultLayout.h"
#include "scenario/screens/ScenarioSelectLayout.h"
#include "shell/MainMenuLayout.h"
#include "ui/PopupLayout.h"

namespace valmore::skingen {

namespace {

Placement Place(std::string what, std::vector<int> images, Point xga, Point sxga) {
    Placement p;
    p.what = std::move(what);
    p.images = std::move(images);
    p.at = {xga, sxga};
    return p;
}

// Both modes' corners of an element, from a layout table the program draws with.
template <class Layout, class Pick>
std::array<Point, kModeCount> PlaceFrom(const std::array<Layout, kModeCount>& layouts, Pick pick) {
    std::array<Point, kModeCount> at;
    for (int m = 0; m < kModeCount; ++m) {
        const valmore::Point p = pick(layouts[static_cast<std::size_t>(m)]);
        at[static_cast<std::size_t>(m)] = {p.x, p.y};
    }
    return at;
}

Placement Place(std::string what, std::vector<int> images, const std::array<Point, kModeCount>& at) {
    return Place(std::move(what), std::move(images), at[kModeXga], at[kModeSxga]);
}

std::vector<int> ExecuteImages() {
    std::vector<int> images = {kSkinNextUp, kSkinNextDn, kSkinNextNon};
    for (int n = 1; n <= kExecuteFrameCount; ++n) images.push_back(kFrameImage + n);
    return images;
}

ScreenPlan MainMenu() {
    ScreenPlan s{"main menu", kSkinMenuBackground, false, {}};
    auto at = [](auto pick) { return PlaceFrom(kMainMenuLayouts, pick); };
    s.placements = {
        Place("title", {kSkinMenuTitle}, at([](const MainMenuLayout& l) { return l.title; })),
        Place("practice", {kSkinMenuButton1Up, kSkinMenuButton1Dn},
              at([](const MainMenuLayout& l) { return l.buttons[0]; })),
        Place("scenario selection", {kSkinMenuButton2Up, kSkinMenuButton2Dn},
              at([](const MainMenuLayout& l) { return l.buttons[1]; })),
        Place("communication", {kSkinMenuButton3Up, kSkinMenuButton3Dn},
              at([](const MainMenuLayout& l) { return l.buttons[2]; })),
        Place("quit", {kSkinMenuButton4Up, kSkinMenuButton4Dn},
              at([](const MainMenuLayout& l) { return l.buttons[3]; })),
    };
    return s;
}

ScreenPlan Simulation() {
    ScreenPlan s{"simulation", kSkinBackground, false, {}};
    using L = SimulationLayout;
    auto at = [](auto pick) { return PlaceFrom(kSimulationLayouts, pick); };
    // An order column element, moved right by whole column steps.
    auto column = [](valmore::Point L::*element, int c) {
        return PlaceFrom(kSimulationLayouts, [=](const L& l) {
            return valmore::Point{(l.*element).x + c * l.columnStep, (l.*element).y};
        });
    };
    auto& p = s.placements;
    p.push_back(Place("title panel", {kSkinTitlePanel}, at([](const L& l) { return l.title; })));
    p.push_back(Place("QUIT", {kSkinQuitUp, kSkinQuitDn, kSkinQuitNon}, at([](const L& l) { return l.quit; })));
    p.push_back(Place("market panel", {kSkinMarketPanel}, at([](const L& l) { return l.market; })));
    p.push_back(Place("news panel", {kSkinNewsPanel}, at([](const L& l) { return l.news; })));
    p.push_back(Place("news next page", {kSkinRightUp, kSkinRightDn, kSkinRightNon},
                      at([](const L& l) { return l.newsNext; })));
    p.push_back(Place("news list", {kSkinListUp, kSkinListDn}, at([](const L& l) { return l.newsList; })));
    p.push_back(Place("news previous page", {kSkinLeftUp, kSkinLeftDn, kSkinLeftNon},
                      at([](const L& l) { return l.newsPrevious; })));
    p.push_back(Place("asset panel", {kSkinAssetPanel}, at([](const L& l) { return l.asset; })));
    p.push_back(Place("order panel", {kSkinOrderPanel}, at([](const L& l) { return l.order; })));
    for (int c = 0; c < 3; ++c) {
        const std::string col = " " + std::to_string(c);
        p.push_back(Place("BUY" + col, {kSkinBuyUp, kSkinBuyDn, kSkinBuyNon}, column(&L::buy, c)));
        p.push_back(Place("PASS" + col, {kSkinPassUp, kSkinPassDn, kSkinPassNon}, column(&L::pass, c)));
        p.push_back(Place("SELL" + col, {kSkinSellUp, kSkinSellDn, kSkinSellNon}, column(&L::sell, c)));
        // The spin box puts UP at its left and DOWN after the value field: W + gap + value width + gap.
        const std::array<Point, kModeCount> up = column(&L::quantity, c);
        p.push_back(Place("spin UP" + col, {kSkinUpUp, kSkinUpDn, kSkinUpNon}, up));
        p.push_back(Place("spin DOWN" + col, {kSkinDownUp, kSkinDownDn, kSkinDownNon},
                          {up[kModeXga].x + 29 + 3 + 112 + 3, up[kModeXga].y},
                          {up[kModeSxga].x + 36 + 5 + 140 + 5, up[kModeSxga].y}));
        p.push_back(Place("INFO" + col, {kSkinInfoUp, kSkinInfoDn, kSkinInfoNon}, column(&L::infoButton, c)));
    }
    p.push_back(Place("execute", ExecuteImages(), at([](const L& l) { return l.execute; })));
    p.push_back(Place("chart panel", {kSkinChartPanel}, at([](const L& l) { return l.chart; })));
    // The product selector has an arrow at each end.
    const std::array<Point, kModeCount> selector = at([](const L& l) { return l.selector; });
    p.push_back(Place("selector left", {kSkinLeftUp, kSkinLeftDn, kSkinLeftNon}, selector));
    p.push_back(Place(
        "selector right", {kSkinRightUp, kSkinRightDn, kSkinRightNon},
        {selector[kModeXga].x + kSimulationLayouts[kModeXga].selectorWidth - ImageSize(kSkinRightUp, kModeXga).w,
         selector[kModeXga].y},
        {selector[kModeSxga].x + kSimulationLayouts[kModeSxga].selectorWidth - ImageSize(kSkinRightUp, kModeSxga).w,
         selector[kModeSxga].y}));
    p.push_back(Place("information panel", {kSkinInfoPanel}, at([](const L& l) { return l.info; })));
    p.push_back(Place("information next page", {kSkinRightUp, kSkinRightDn, kSkinRightNon},
                      at([](const L& l) { return l.infoNext; })));
    p.push_back(Place("information previous page", {kSkinLeftUp, kSkinLeftDn, kSkinLeftNon},
                      at([](const L& l) { return l.infoPrevious; })));
    p.push_back(Place("information back", {kSkinGreyBackUp, kSkinGreyBackDn, kSkinGreyBackNon},
                      at([](const L& l) { return l.infoBack; })));
    return s;
}

ScreenPlan ScenarioSelection() {
    ScreenPlan s{"scenario selection", kSkinBackground, false, {}};
    using L = ScenarioSelectLayout;
    auto at = [](auto pick) { return PlaceFrom(kScenarioSelectLayouts, pick); };
    s.placements = {
        Place("title", {kSkinSelectTitle}, at([](const L& l) { return l.title; })),
        Place("menu", {kSkinSelectButton4Up, kSkinSelectButton4Dn}, at([](const L& l) { return l.menu; })),
        Place("continue", {kSkinSelectButton3Up, kSkinSelectButton3Dn, kSkinSelectButton3Non},
              at([](const L& l) { return l.resume; })),
        Place("records", {kSkinSelectButton2Up, kSkinSelectButton2Dn, kSkinSelectButton2Non},
              at([](const L& l) { return l.records; })),
        Place("start", {kSkinSelectButton1Up, kSkinSelectButton1Dn, kSkinSelectButton1Non},
              at([](const L& l) { return l.start; })),
        Place("previous page", {kSkinResultLeftUp, kSkinResultLeftDn, kSkinResultLeftNon},
              at([](const L& l) { return l.previousPage; })),
        Place("next page", {kSkinResultRightUp, kSkinResultRightDn, kSkinResultRightNon},
              at([](const L& l) { return l.nextPage; })),
        Place("catalogue", {kSkinSelectTable}, at([](const L& l) { return l.table; })),
    };
    return s;
}

ScreenPlan Result() {
    ScreenPlan s{"result", kSkinResultBackground, false, {}};
    using L = ResultLayout;
    auto at = [](auto pick) { return PlaceFrom(kResultLayouts, pick); };
    // The position and chart strips lie a fixed distance below their panels' tops.
    auto below = [](valmore::Point panel, const L& l) { return valmore::Point{panel.x, panel.y + l.panelStripDown}; };
    auto& p = s.placements;
    p.push_back(Place("scenario panel", {L::kScenarioBackground}, at([](const L& l) { return l.scenarioPanel; })));
    p.push_back(Place("scenario strip", {L::kScenarioStrip}, at([](const L& l) { return l.scenarioStrip; })));
    p.push_back(Place("menu", {L::kMenuUp, L::kMenuDn}, at([](const L& l) { return l.menuButton; })));
    p.push_back(Place("position panel", {L::kPositionBackground}, at([](const L& l) { return l.positionPanel; })));
    p.push_back(
        Place("position strip", {L::kPositionStrip}, at([&](const L& l) { return below(l.positionPanel, l); })));
    p.push_back(Place("chart panel", {L::kChartBackground}, at([](const L& l) { return l.chartPanel; })));
    p.push_back(Place("chart strip", {L::kChartStrip}, at([&](const L& l) { return below(l.chartPanel, l); })));
    p.push_back(Place("news panel", {L::kNewsBackground}, at([](const L& l) { return l.newsPanel; })));
    p.push_back(Place("news strip", {L::kNewsStrip}, at([](const L& l) { return l.newsStrip; })));
    p.push_back(Place("previous page", {kSkinResultLeftUp, kSkinResultLeftDn, kSkinResultLeftNon},
                      at([](const L& l) { return l.previousButton; })));
    p.push_back(Place("next page", {kSkinResultRightUp, kSkinResultRightDn, kSkinResultRightNon},
                      at([](const L& l) { return l.nextButton; })));
    // One detail button per listed day: fewer rows in XGA mode than in SXGA mode.
    for (int i = 0; i < L::kMaxRowsPerPage; ++i) {
        Placement d =
            Place("detail " + std::to_string(i), {L::kDetailUp, L::kDetailDn, L::kDetailNon}, at([i](const L& l) {
                      return valmore::Point{l.firstDetailButton.x, l.firstDetailButton.y + i * l.detailButtonStep};
                  }));
        for (int m = 0; m < kModeCount; ++m) {
            d.present[static_cast<std::size_t>(m)] = i < kResultLayouts[static_cast<std::size_t>(m)].rowsPerPage;
        }
        p.push_back(d);
    }
    return s;
}

ScreenPlan Records() {
    ScreenPlan s{"records", kSkinRecordBackground, false, {}};
    using L = RecordLayout;
    auto at = [](auto pick) { return PlaceFrom(kRecordLayouts, pick); };
    s.placements = {Place("back", {L::kBackUp, L::kBackDn}, at([](const L& l) { return l.backButton; }))};
    return s;
}

ScreenPlan CommMenu() {
    ScreenPlan s{"communication menu", kSkinCommMenuBackground, false, {}};
    auto at = [](int button) {
        return PlaceFrom(kCommMenuLayouts, [button](const CommMenuLayout& l) { return l.buttons[button]; });
    };
    s.placements = {
        Place("ranking", {kSkinCommButton1Up, kSkinCommButton1Dn, kSkinCommButton1Non}, at(0)),
        Place("submission", {kSkinCommButton2Up, kSkinCommButton2Dn, kSkinCommButton2Non}, at(1)),
        Place("registration", {kSkinCommButton3Up, kSkinCommButton3Dn}, at(2)),
        Place("back", {kSkinCommButton4Up, kSkinCommButton4Dn}, at(3)),
    };
    return s;
}

ScreenPlan Ranking() {
    ScreenPlan s{"ranking", kSkinRankingBackground, false, {}};
    auto at = [](auto pick) { return PlaceFrom(kRankingLayouts, pick); };
    s.placements = {
        Place("previous scenario", {kSkinLeftUp, kSkinLeftDn, kSkinLeftNon},
              at([](const RankingLayout& l) { return l.previousButton; })),
        Place("next scenario", {kSkinRightUp, kSkinRightDn, kSkinRightNon},
              at([](const RankingLayout& l) { return l.nextButton; })),
        Place("back", {kSkinCommBackUp, kSkinCommBackDn}, at([](const RankingLayout& l) { return l.backButton; })),
    };
    return s;
}

ScreenPlan Registration() {
    ScreenPlan s{"registration", kSkinBackground, false, {}};
    auto at = [](auto pick) { return PlaceFrom(kRegistrationLayouts, pick); };
    s.placements = {
        Place("form", {kSkinRegistrationForm}, at([](const RegistrationLayout& l) { return l.form; })),
        Place("change", {kSkinRegisterButtonUp, kSkinRegisterButtonDn},
              at([](const RegistrationLayout& l) { return l.changeButton; })),
        Place("back", {kSkinCommBackUp, kSkinCommBackDn}, at([](const RegistrationLayout& l) { return l.backButton; })),
    };
    return s;
}

ScreenPlan Notice() {
    ScreenPlan s{"message popup, notice", kSkinMessagePopup, true, {}};
    using L = MessagePopupLayout;
    auto at = [](auto pick) { return PlaceFrom(kMessagePopupLayouts, pick); };
    s.placements = {
        Place("previous page", {kSkinResultLeftUp, kSkinResultLeftDn, kSkinResultLeftNon},
              at([](const L& l) { return l.previousPage; })),
        Place("next page", {kSkinResultRightUp, kSkinResultRightDn, kSkinResultRightNon},
              at([](const L& l) { return l.nextPage; })),
        Place("OK", {kSkinOkUp, kSkinOkDn}, at([](const L& l) { return l.button2; })),
    };
    return s;
}

ScreenPlan Question() {
    ScreenPlan s{"message popup, question", kSkinMessagePopup, true, {}};
    using L = MessagePopupLayout;
    auto at = [](auto pick) { return PlaceFrom(kMessagePopupLayouts, pick); };
    s.placements = {
        Place("yes", {kSkinYesUp, kSkinYesDn}, at([](const L& l) { return l.button1; })),
        Place("no", {kSkinNoUp, kSkinNoDn}, at([](const L& l) { return l.button2; })),
    };
    return s;
}

ScreenPlan UserDialog() {
    ScreenPlan s{"user dialog", kSkinMessagePopup, true, {}};
    auto at = [](auto pick) { return PlaceFrom(kUserDialogLayouts, pick); };
    s.placements = {
        Place("OK", {kSkinOkUp, kSkinOkDn}, at([](const UserDialogLayout& l) { return l.okButton; })),
        Place("cancel", {kSkinCancelUp, kSkinCancelDn}, at([](const UserDialogLayout& l) { return l.cancelButton; })),
    };
    return s;
}

ScreenPlan DetailPopup() {
    ScreenPlan s{"detail popup", kSkinDetailPopup, true, {}};
    using L = DetailPopupLayout;
    auto at = [](auto pick) { return PlaceFrom(kDetailPopupLayouts, pick); };
    auto row = [](const L& l, int section) { return section * l.rowStep + L::kButtonRowY; };
    auto& p = s.placements;
    p.push_back(Place("OK", {kSkinOkUp, kSkinOkDn}, at([&](const L& l) { return valmore::Point{l.okX, row(l, 0)}; })));
    p.push_back(Place("back", {kSkinGreyBackUp, kSkinGreyBackDn, kSkinGreyBackNon}, at([&](const L& l) {
                          return valmore::Point{l.okX, row(l, L::kSections - 1)};
                      })));
    for (int i = 0; i < L::kSections; ++i) {
        const std::string n = " " + std::to_string(i);
        p.push_back(
            Place("previous page" + n, {kSkinResultLeftUp, kSkinResultLeftDn, kSkinResultLeftNon}, at([&](const L& l) {
                      return valmore::Point{l.leftX, row(l, i)};
                  })));
        p.push_back(
            Place("next page" + n, {kSkinResultRightUp, kSkinResultRightDn, kSkinResultRightNon}, at([&](const L& l) {
                      return valmore::Point{l.rightX, row(l, i)};
                  })));
    }
    return s;
}

}  // namespace

Size ImageSize(int image, Mode mode) {
    if (image > kFrameImage) return kSkinTable[kExecuteFrameSizeIndex].SizeIn(mode);
    if (image < 0 || image >= kSkinEntryCount) return {};
    return kSkinTable[static_cast<std::size_t>(image)].SizeIn(mode);
}

Size PlanArea(const ScreenPlan& plan, Mode mode) {
    return plan.popup ? ImageSize(plan.background, mode) : kCanvas[mode];
}

Rect PlacementRect(const Placement& p, Mode mode) {
    // Every image of a placement has the size of the first; the tests hold the table to that.
    const Size size = ImageSize(p.images.front(), mode);
    const Point at = p.at[mode];
    return {at.x, at.y, at.x + size.w, at.y + size.h};
}

const std::vector<ScreenPlan>& ScreenPlans() {
    static const std::vector<ScreenPlan> plans = {
        MainMenu(),     Simulation(), ScenarioSelection(), Result(),     Records(),     CommMenu(), Ranking(),
        Registration(), Notice(),     Question(),          UserDialog(), DetailPopup(),
    };
    return plans;
}

int HostOf(const ScreenPlan& plan, std::size_t placement, Mode mode) {
    const Rect r = PlacementRect(plan.placements[placement], mode);
    for (std::size_t i = placement; i-- > 0;) {
        const Placement& p = plan.placements[i];
        if (p.present[mode] && PlacementRect(p, mode).Contains(r)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace valmore::skingen
