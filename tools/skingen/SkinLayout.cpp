#include "SkinLayout.h"

namespace valmore::skingen {

namespace {

Placement Place(std::string what, std::vector<int> images, Point xga, Point sxga) {
    Placement p;
    p.what = std::move(what);
    p.images = std::move(images);
    p.at = {xga, sxga};
    return p;
}

std::vector<int> ExecuteImages() {
    std::vector<int> images = {28, 26, 27};
    for (int n = 1; n <= kExecuteFrameCount; ++n) images.push_back(kFrameImage + n);
    return images;
}

ScreenPlan MainMenu() {
    ScreenPlan s{"main menu", 43, false, {}};
    s.placements = {
        Place("title", {44}, {0, 217}, {0, 271}),
        Place("practice", {46, 45}, {405, 270}, {507, 369}),
        Place("scenario selection", {48, 47}, {405, 335}, {507, 449}),
        Place("communication", {50, 49}, {405, 400}, {507, 532}),
        Place("quit", {52, 51}, {405, 465}, {507, 613}),
    };
    return s;
}

ScreenPlan Simulation() {
    ScreenPlan s{"simulation", 7, false, {}};
    auto& p = s.placements;
    p.push_back(Place("title panel", {0}, {6, 5}, {7, 6}));
    p.push_back(Place("QUIT", {33, 32, 74}, {923, 11}, {1155, 13}));
    p.push_back(Place("market panel", {1}, {6, 52}, {7, 67}));
    p.push_back(Place("news panel", {2}, {405, 52}, {506, 67}));
    p.push_back(Place("news next page", {36, 34, 35}, {983, 55}, {1230, 71}));
    p.push_back(Place("news list", {23, 22}, {930, 55}, {1167, 71}));
    p.push_back(Place("news previous page", {21, 19, 20}, {897, 55}, {1129, 71}));
    p.push_back(Place("asset panel", {3}, {6, 219}, {7, 273}));
    p.push_back(Place("order panel", {4}, {6, 409}, {7, 511}));
    for (int c = 0; c < 3; ++c) {
        const int dx = 337 * c;
        const int sx = 421 * c;
        const std::string col = " " + std::to_string(c);
        p.push_back(Place("BUY" + col, {12, 10, 11}, {6 + dx, 504}, {8 + sx, 630}));
        p.push_back(Place("PASS" + col, {31, 29, 30}, {120 + dx, 504}, {150 + sx, 630}));
        p.push_back(Place("SELL" + col, {39, 37, 38}, {232 + dx, 504}, {290 + sx, 630}));
        // The spin box puts UP at its left and DOWN after the value field: W + gap + value width + gap.
        p.push_back(Place("spin UP" + col, {42, 40, 41}, {86 + dx, 542}, {107 + sx, 677}));
        p.push_back(Place("spin DOWN" + col, {15, 13, 14}, {86 + 29 + 3 + 112 + 3 + dx, 542},
                          {107 + 36 + 5 + 140 + 5 + sx, 677}));
        p.push_back(Place("INFO" + col, {18, 16, 17}, {276 + dx, 452}, {326 + sx, 576}));
    }
    p.push_back(Place("execute", ExecuteImages(), {963, 412}, {1205, 515}));
    p.push_back(Place("chart panel", {6}, {605, 582}, {756, 727}));
    // The product selector is 164/198 wide with an arrow at each end.
    p.push_back(Place("selector left", {21, 19, 20}, {851, 585}, {1073, 731}));
    p.push_back(Place("selector right", {36, 34, 35}, {851 + 164 - 29, 585}, {1073 + 198 - 37, 731}));
    p.push_back(Place("information panel", {5}, {6, 582}, {7, 727}));
    p.push_back(Place("information next page", {36, 34, 35}, {565, 585}, {711, 731}));
    p.push_back(Place("information previous page", {21, 19, 20}, {528, 585}, {672, 731}));
    p.push_back(Place("information back", {114, 115, 116}, {400, 585}, {500, 731}));
    return s;
}

ScreenPlan ScenarioSelection() {
    ScreenPlan s{"scenario selection", 7, false, {}};
    s.placements = {
        Place("title", {53}, {6, 5}, {6, 6}),
        Place("menu", {62, 61}, {546, 8}, {671, 10}),
        Place("continue", {60, 59, 88}, {663, 8}, {821, 10}),
        Place("records", {58, 57, 91}, {780, 8}, {971, 10}),
        Place("start", {56, 55, 64}, {897, 8}, {1121, 10}),
        Place("previous page", {78, 76, 77}, {400, 8}, {500, 10}),
        Place("next page", {83, 81, 82}, {440, 8}, {550, 10}),
        Place("catalogue", {54}, {6, 38}, {9, 76}),
    };
    return s;
}

ScreenPlan Result() {
    ScreenPlan s{"result", 73, false, {}};
    auto& p = s.placements;
    p.push_back(Place("scenario panel", {65}, {6, 5}, {6, 8}));
    p.push_back(Place("scenario strip", {66}, {6, 38}, {6, 48}));
    p.push_back(Place("menu", {80, 79}, {936, 8}, {1162, 12}));
    p.push_back(Place("position panel", {67}, {6, 129}, {6, 170}));
    p.push_back(Place("position strip", {68}, {6, 162}, {6, 210}));
    p.push_back(Place("chart panel", {69}, {6, 349}, {6, 440}));
    p.push_back(Place("chart strip", {70}, {6, 382}, {6, 480}));
    p.push_back(Place("news panel", {71}, {6, 517}, {6, 650}));
    p.push_back(Place("news strip", {72}, {6, 550}, {6, 690}));
    p.push_back(Place("previous page", {78, 76, 77}, {954, 520}, {1180, 651}));
    p.push_back(Place("next page", {83, 81, 82}, {984, 520}, {1225, 651}));
    // Four day rows per page in XGA, five in SXGA, one detail button each.
    for (int i = 0; i < 5; ++i) {
        Placement d = Place("detail " + std::to_string(i), {85, 84, 89}, {945, 573 + 40 * i}, {1170, 719 + 50 * i});
        d.present = {i < 4, true};
        p.push_back(d);
    }
    return s;
}

ScreenPlan Records() {
    ScreenPlan s{"records", 92, false, {}};
    s.placements = {Place("back", {94, 95}, {958, 8}, {1197, 9})};
    return s;
}

ScreenPlan CommMenu() {
    ScreenPlan s{"communication menu", 102, false, {}};
    s.placements = {
        Place("ranking", {103, 104, 105}, {405, 270}, {507, 369}),
        Place("submission", {106, 107, 108}, {405, 334}, {507, 449}),
        Place("registration", {109, 110}, {405, 400}, {507, 532}),
        Place("back", {111, 112}, {405, 465}, {507, 613}),
    };
    return s;
}

ScreenPlan Ranking() {
    ScreenPlan s{"ranking", 93, false, {}};
    s.placements = {
        Place("previous scenario", {21, 19, 20}, {461, 8}, {576, 8}),
        Place("next scenario", {36, 34, 35}, {495, 8}, {626, 8}),
        Place("back", {94, 95}, {958, 8}, {1198, 9}),
    };
    return s;
}

ScreenPlan Registration() {
    ScreenPlan s{"registration", 7, false, {}};
    s.placements = {
        Place("form", {99}, {6, 207}, {6, 207}),
        Place("change", {97, 98}, {711, 328}, {911, 352}),
        Place("back", {94, 95}, {936, 211}, {1200, 211}),
    };
    return s;
}

ScreenPlan Notice() {
    ScreenPlan s{"message popup, notice", 90, true, {}};
    s.placements = {
        Place("previous page", {78, 76, 77}, {340, 4}, {340, 4}),
        Place("next page", {83, 81, 82}, {380, 4}, {380, 4}),
        Place("OK", {86, 87}, {496, 4}, {496, 4}),
    };
    return s;
}

ScreenPlan Question() {
    ScreenPlan s{"message popup, question", 90, true, {}};
    s.placements = {
        Place("yes", {117, 118}, {440, 4}, {440, 4}),
        Place("no", {119, 120}, {496, 4}, {496, 4}),
    };
    return s;
}

ScreenPlan UserDialog() {
    ScreenPlan s{"user dialog", 90, true, {}};
    s.placements = {
        Place("OK", {86, 87}, {420, 4}, {520, 4}),
        Place("cancel", {100, 101}, {477, 4}, {577, 4}),
    };
    return s;
}

ScreenPlan DetailPopup() {
    ScreenPlan s{"detail popup", 113, true, {}};
    auto& p = s.placements;
    const int step[2] = {180, 292};
    p.push_back(Place("OK", {86, 87}, {420, 4}, {525, 4}));
    p.push_back(Place("back", {114, 115, 116}, {420, 2 * step[0] + 4}, {525, 2 * step[1] + 4}));
    for (int i = 0; i < 3; ++i) {
        const std::string n = " " + std::to_string(i);
        p.push_back(Place("previous page" + n, {78, 76, 77}, {340, i * step[0] + 4}, {425, i * step[1] + 4}));
        p.push_back(Place("next page" + n, {83, 81, 82}, {380, i * step[0] + 4}, {475, i * step[1] + 4}));
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
