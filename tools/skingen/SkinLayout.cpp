#include "SkinLayout.h"

#include "net/screens/CommMenuLayout.h"
#include "net/screens/RankingLayout.h"
#include "net/screens/RegistrationLayout.h"
#include "net/screens/UserDialogLayout.h"
#include "scenario/screens/ScenarioSelectLayout.h"
#include "shell/MainMenuLayout.h"

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
    auto& p = s.placements;
    p.push_back(Place("title panel", {kSkinTitlePanel}, {6, 5}, {7, 6}));
    p.push_back(Place("QUIT", {kSkinQuitUp, kSkinQuitDn, kSkinQuitNon}, {923, 11}, {1155, 13}));
    p.push_back(Place("market panel", {kSkinMarketPanel}, {6, 52}, {7, 67}));
    p.push_back(Place("news panel", {kSkinNewsPanel}, {405, 52}, {506, 67}));
    p.push_back(Place("news next page", {kSkinRightUp, kSkinRightDn, kSkinRightNon}, {983, 55}, {1230, 71}));
    p.push_back(Place("news list", {kSkinListUp, kSkinListDn}, {930, 55}, {1167, 71}));
    p.push_back(Place("news previous page", {kSkinLeftUp, kSkinLeftDn, kSkinLeftNon}, {897, 55}, {1129, 71}));
    p.push_back(Place("asset panel", {kSkinAssetPanel}, {6, 219}, {7, 273}));
    p.push_back(Place("order panel", {kSkinOrderPanel}, {6, 409}, {7, 511}));
    for (int c = 0; c < 3; ++c) {
        const int dx = 337 * c;
        const int sx = 421 * c;
        const std::string col = " " + std::to_string(c);
        p.push_back(Place("BUY" + col, {kSkinBuyUp, kSkinBuyDn, kSkinBuyNon}, {6 + dx, 504}, {8 + sx, 630}));
        p.push_back(Place("PASS" + col, {kSkinPassUp, kSkinPassDn, kSkinPassNon}, {120 + dx, 504}, {150 + sx, 630}));
        p.push_back(Place("SELL" + col, {kSkinSellUp, kSkinSellDn, kSkinSellNon}, {232 + dx, 504}, {290 + sx, 630}));
        // The spin box puts UP at its left and DOWN after the value field: W + gap + value width + gap.
        p.push_back(Place("spin UP" + col, {kSkinUpUp, kSkinUpDn, kSkinUpNon}, {86 + dx, 542}, {107 + sx, 677}));
        p.push_back(Place("spin DOWN" + col, {kSkinDownUp, kSkinDownDn, kSkinDownNon},
                          {86 + 29 + 3 + 112 + 3 + dx, 542}, {107 + 36 + 5 + 140 + 5 + sx, 677}));
        p.push_back(Place("INFO" + col, {kSkinInfoUp, kSkinInfoDn, kSkinInfoNon}, {276 + dx, 452}, {326 + sx, 576}));
    }
    p.push_back(Place("execute", ExecuteImages(), {963, 412}, {1205, 515}));
    p.push_back(Place("chart panel", {kSkinChartPanel}, {605, 582}, {756, 727}));
    // The product selector is 164/198 wide with an arrow at each end.
    p.push_back(Place("selector left", {kSkinLeftUp, kSkinLeftDn, kSkinLeftNon}, {851, 585}, {1073, 731}));
    p.push_back(Place("selector right", {kSkinRightUp, kSkinRightDn, kSkinRightNon}, {851 + 164 - 29, 585},
                      {1073 + 198 - 37, 731}));
    p.push_back(Place("information panel", {kSkinInfoPanel}, {6, 582}, {7, 727}));
    p.push_back(Place("information next page", {kSkinRightUp, kSkinRightDn, kSkinRightNon}, {565, 585}, {711, 731}));
    p.push_back(Place("information previous page", {kSkinLeftUp, kSkinLeftDn, kSkinLeftNon}, {528, 585}, {672, 731}));
    p.push_back(
        Place("information back", {kSkinGreyBackUp, kSkinGreyBackDn, kSkinGreyBackNon}, {400, 585}, {500, 731}));
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
    auto& p = s.placements;
    p.push_back(Place("scenario panel", {kSkinResultScenarioPanel}, {6, 5}, {6, 8}));
    p.push_back(Place("scenario strip", {kSkinResultScenarioStrip}, {6, 38}, {6, 48}));
    p.push_back(Place("menu", {kSkinResultMenuUp, kSkinResultMenuDn}, {936, 8}, {1162, 12}));
    p.push_back(Place("position panel", {kSkinResultPositionPanel}, {6, 129}, {6, 170}));
    p.push_back(Place("position strip", {kSkinResultPositionStrip}, {6, 162}, {6, 210}));
    p.push_back(Place("chart panel", {kSkinResultChartPanel}, {6, 349}, {6, 440}));
    p.push_back(Place("chart strip", {kSkinResultChartStrip}, {6, 382}, {6, 480}));
    p.push_back(Place("news panel", {kSkinResultNewsPanel}, {6, 517}, {6, 650}));
    p.push_back(Place("news strip", {kSkinResultNewsStrip}, {6, 550}, {6, 690}));
    p.push_back(
        Place("previous page", {kSkinResultLeftUp, kSkinResultLeftDn, kSkinResultLeftNon}, {954, 520}, {1180, 651}));
    p.push_back(
        Place("next page", {kSkinResultRightUp, kSkinResultRightDn, kSkinResultRightNon}, {984, 520}, {1225, 651}));
    // Four day rows per page in XGA, five in SXGA, one detail button each.
    for (int i = 0; i < 5; ++i) {
        Placement d = Place("detail " + std::to_string(i), {kSkinDetailUp, kSkinDetailDn, kSkinDetailNon},
                            {945, 573 + 40 * i}, {1170, 719 + 50 * i});
        d.present = {i < 4, true};
        p.push_back(d);
    }
    return s;
}

ScreenPlan Records() {
    ScreenPlan s{"records", kSkinRecordBackground, false, {}};
    s.placements = {Place("back", {kSkinCommBackUp, kSkinCommBackDn}, {958, 8}, {1197, 9})};
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
    s.placements = {
        Place("previous page", {kSkinResultLeftUp, kSkinResultLeftDn, kSkinResultLeftNon}, {340, 4}, {340, 4}),
        Place("next page", {kSkinResultRightUp, kSkinResultRightDn, kSkinResultRightNon}, {380, 4}, {380, 4}),
        Place("OK", {kSkinOkUp, kSkinOkDn}, {496, 4}, {496, 4}),
    };
    return s;
}

ScreenPlan Question() {
    ScreenPlan s{"message popup, question", kSkinMessagePopup, true, {}};
    s.placements = {
        Place("yes", {kSkinYesUp, kSkinYesDn}, {440, 4}, {440, 4}),
        Place("no", {kSkinNoUp, kSkinNoDn}, {496, 4}, {496, 4}),
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
    auto& p = s.placements;
    const int step[2] = {180, 292};
    p.push_back(Place("OK", {kSkinOkUp, kSkinOkDn}, {420, 4}, {525, 4}));
    p.push_back(Place("back", {kSkinGreyBackUp, kSkinGreyBackDn, kSkinGreyBackNon}, {420, 2 * step[0] + 4},
                      {525, 2 * step[1] + 4}));
    for (int i = 0; i < 3; ++i) {
        const std::string n = " " + std::to_string(i);
        p.push_back(Place("previous page" + n, {kSkinResultLeftUp, kSkinResultLeftDn, kSkinResultLeftNon},
                          {340, i * step[0] + 4}, {425, i * step[1] + 4}));
        p.push_back(Place("next page" + n, {kSkinResultRightUp, kSkinResultRightDn, kSkinResultRightNon},
                          {380, i * step[0] + 4}, {475, i * step[1] + 4}));
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
