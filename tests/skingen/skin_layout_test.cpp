// Where the screens put the skin's pictures: everything inside its screen or popup, nothing
// half on top of something else, and no wrong-coloured corners where a picture sits on another.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "skingen/SkinFiles.h"

namespace valmore::skingen::test {
namespace {

std::string Where(const ScreenPlan& plan, const Placement& p, Mode mode) {
    return plan.name + " / " + p.what + " / " + kSkinModeFolder[static_cast<std::size_t>(mode)];
}

TEST(SkinLayout, EveryElementLiesInsideItsScreenOrPopup) {
    for (const ScreenPlan& plan : ScreenPlans()) {
        for (int m = 0; m < kModeCount; ++m) {
            const Mode mode = static_cast<Mode>(m);
            const Size area = PlanArea(plan, mode);
            for (const Placement& p : plan.placements) {
                if (!p.present[m]) continue;
                const Rect r = PlacementRect(p, mode);
                EXPECT_TRUE((Rect{0, 0, area.w, area.h}.Contains(r))) << Where(plan, p, mode);
            }
        }
    }
}

TEST(SkinLayout, ElementsAreEitherApartOrOneLiesWhollyOnTheOther) {
    for (const ScreenPlan& plan : ScreenPlans()) {
        for (int m = 0; m < kModeCount; ++m) {
            const Mode mode = static_cast<Mode>(m);
            for (std::size_t i = 0; i < plan.placements.size(); ++i) {
                for (std::size_t j = i + 1; j < plan.placements.size(); ++j) {
                    const Placement& a = plan.placements[i];
                    const Placement& b = plan.placements[j];
                    if (!a.present[m] || !b.present[m]) continue;
                    const Rect ra = PlacementRect(a, mode);
                    const Rect rb = PlacementRect(b, mode);
                    if (!ra.Intersects(rb)) continue;
                    // Only a later element may lie on an earlier one (a button on its panel).
                    EXPECT_TRUE(ra.Contains(rb)) << Where(plan, b, mode) << " overlaps " << a.what;
                }
            }
        }
    }
}

TEST(SkinLayout, AllPicturesShownAtOnePlaceHaveOneSize) {
    // The up, pressed and greyed images of a button, and the execute frames, replace each other
    // in one rectangle.
    for (const ScreenPlan& plan : ScreenPlans()) {
        for (int m = 0; m < kModeCount; ++m) {
            const Mode mode = static_cast<Mode>(m);
            for (const Placement& p : plan.placements) {
                const Size first = ImageSize(p.images.front(), mode);
                for (int image : p.images) {
                    EXPECT_EQ(ImageSize(image, mode).w, first.w) << Where(plan, p, mode) << " image " << image;
                    EXPECT_EQ(ImageSize(image, mode).h, first.h) << Where(plan, p, mode) << " image " << image;
                }
            }
        }
    }
}

TEST(SkinLayout, ButtonsOfOneKindShareOneSize) {
    const std::vector<std::vector<int>> kinds = {
        {86, 87, 117, 118, 119, 120, 114, 115, 116, 94, 95, 22, 23},  // short labels: OK, yes, no, back, list
        {32, 33, 74, 79, 80, 100, 101},                               // longer labels: quit, menu, cancel
        {45, 46, 47, 48, 49, 50, 51, 52, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112},  // menus
        {55, 56, 57, 58, 59, 60, 61, 62, 64, 88, 91, 97, 98},                                // actions
        {19, 20, 21, 34, 35, 36, 76, 77, 78, 81, 82, 83},                                    // page arrows
        {84, 85, 89, 75},                                                                    // detail
    };
    for (const auto& kind : kinds) {
        for (int m = 0; m < kModeCount; ++m) {
            const Mode mode = static_cast<Mode>(m);
            for (int index : kind) {
                EXPECT_EQ(ImageSize(index, mode).w, ImageSize(kind.front(), mode).w) << index;
                EXPECT_EQ(ImageSize(index, mode).h, ImageSize(kind.front(), mode).h) << index;
            }
        }
    }
}

class SkinPictures {
public:
    const CBmpImage& Get(int image, Mode mode) {
        auto key = std::make_pair(static_cast<int>(mode), image);
        auto it = cache_.find(key);
        if (it == cache_.end()) {
            std::string error;
            std::optional<CBmpImage> loaded = LoadImage(ImagePath(image, mode), &error);
            EXPECT_TRUE(loaded.has_value()) << error;
            it = cache_.emplace(key, loaded ? *loaded : CBmpImage(1, 1)).first;
        }
        return it->second;
    }

private:
    std::map<std::pair<int, int>, CBmpImage> cache_;
};

void Paste(CBmpImage& onto, const CBmpImage& picture, int x, int y) {
    for (int j = 0; j < picture.Height(); ++j) {
        for (int i = 0; i < picture.Width(); ++i) onto.SetPixel(x + i, y + j, picture.Pixel(i, j));
    }
}

struct CornerSite {
    std::string where;
    Rgb8 behind;   // what the screen shows under the corner before the picture is copied there
    Rgb8 corner;   // the picture's own corner pixel
    int edge = 0;  // how far the button's top border line stands out from what lies behind
};

int Distance(Rgb8 a, Rgb8 b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// The border is the line near the middle of the top edge that differs most from the ground.
int EdgeContrast(const CBmpImage& picture, Rgb8 behind) {
    int most = 0;
    for (int y = 0; y < 3 && y < picture.Height(); ++y)
        most = std::max(most, Distance(picture.Pixel(picture.Width() / 2, y), behind));
    return most;
}

// Every place each picture (per mode) is copied to, with what lies behind each of its corners.
std::map<std::pair<int, int>, std::vector<CornerSite>> CornerSites(SkinPictures& pictures) {
    std::map<std::pair<int, int>, std::vector<CornerSite>> sites;
    for (const ScreenPlan& plan : ScreenPlans()) {
        for (int m = 0; m < kModeCount; ++m) {
            const Mode mode = static_cast<Mode>(m);
            const Size area = PlanArea(plan, mode);
            CBmpImage screen(area.w, area.h);
            const CBmpImage& ground = pictures.Get(plan.background, mode);
            for (int y = 0; y < area.h; y += ground.Height()) Paste(screen, ground, 0, y);
            for (const Placement& p : plan.placements) {
                if (!p.present[m]) continue;
                const Rect r = PlacementRect(p, mode);
                for (int image : p.images) {
                    const CBmpImage& picture = pictures.Get(image, mode);
                    const int cx[4] = {0, picture.Width() - 1, 0, picture.Width() - 1};
                    const int cy[4] = {0, 0, picture.Height() - 1, picture.Height() - 1};
                    for (int c = 0; c < 4; ++c) {
                        const Rgb8 behind = screen.Pixel(r.left + cx[c], r.top + cy[c]);
                        sites[{m * 10000 + image, c}].push_back(
                            {Where(plan, p, mode), behind, picture.Pixel(cx[c], cy[c]), EdgeContrast(picture, behind)});
                    }
                }
                Paste(screen, pictures.Get(p.images.front(), mode), r.left, r.top);
            }
        }
    }
    return sites;
}

TEST(SkinLayout, WhereverAPictureIsUsedTheSameColourLiesBehindItsCorners) {
    // A picture is copied opaquely, so whatever its corners blend with was decided when it was
    // drawn; a second place with a different colour behind would show a wrong-coloured corner.
    SkinPictures pictures;
    for (const auto& [key, sites] : CornerSites(pictures)) {
        for (const CornerSite& site : sites) {
            EXPECT_EQ(site.behind, sites.front().behind)
                << "image " << key.first % 10000 << " corner " << key.second << " at " << site.where
                << " (first used at " << sites.front().where << ")";
        }
    }
}

TEST(SkinLayout, RoundedButtonsShowTheColourBehindThemInTheirCorners) {
    SkinPictures pictures;
    const auto sites = CornerSites(pictures);
    // Decision buttons on the order panel, the quit button on the title panel, popup and menu buttons.
    const std::set<int> rounded = {10,  11,  12, 29, 30,  31,  37, 38, 39, 32, 33, 74, 86, 87,  117,
                                   119, 100, 45, 46, 103, 105, 84, 85, 89, 97, 55, 56, 64, 114, 94};
    for (int m = 0; m < kModeCount; ++m) {
        for (int image : rounded) {
            for (int c = 0; c < 4; ++c) {
                auto it = sites.find({m * 10000 + image, c});
                ASSERT_NE(it, sites.end()) << "image " << image << " is placed nowhere";
                for (const CornerSite& site : it->second) {
                    // The corner pixel blends in at most a little of the border; most of it is ground.
                    EXPECT_LT(Distance(site.corner, site.behind) * 2, site.edge)
                        << "image " << image << " corner " << c << " at " << site.where;
                }
            }
        }
    }
}

}  // namespace
}  // namespace valmore::skingen::test
