// What the user can tell from the buttons: a pressed button looks pushed in, a disabled one
// greyed out, buying is green and selling red, and the execute button pulses smoothly.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "skingen/SkinFiles.h"

namespace valmore::skingen::test {
namespace {

struct Measure {
    double luma = 0;      // mean brightness of the face, 0..255
    double contrast = 0;  // spread of brightness: label against face
    double r = 0, g = 0, b = 0;
};

Measure MeasureFace(int image, Mode mode) {
    std::string error;
    std::optional<CBmpImage> picture = LoadImage(ImagePath(image, mode), &error);
    EXPECT_TRUE(picture.has_value()) << error;
    Measure m;
    if (!picture) return m;
    std::vector<double> lumas;
    // The face without its outermost two pixels, where borders and corners are.
    for (int y = 2; y < picture->Height() - 2; ++y) {
        for (int x = 2; x < picture->Width() - 2; ++x) {
            const Rgb8 p = picture->Pixel(x, y);
            const double l = 0.299 * p.r + 0.587 * p.g + 0.114 * p.b;
            lumas.push_back(l);
            m.r += p.r, m.g += p.g, m.b += p.b;
        }
    }
    const double n = static_cast<double>(lumas.size());
    for (double l : lumas) m.luma += l / n;
    for (double l : lumas) m.contrast += (l - m.luma) * (l - m.luma) / n;
    m.contrast = std::sqrt(m.contrast);
    m.r /= n, m.g /= n, m.b /= n;
    return m;
}

struct Triple {
    int up, dn, non;  // non is -1 for buttons that are never disabled
};

const Triple kButtons[] = {
    {12, 10, 11},    {31, 29, 30}, {39, 37, 38}, {42, 40, 41},   {15, 13, 14},    {18, 16, 17},
    {21, 19, 20},    {36, 34, 35}, {28, 26, 27}, {33, 32, 74},   {78, 76, 77},    {83, 81, 82},
    {85, 84, 89},    {56, 55, 64}, {58, 57, 91}, {60, 59, 88},   {114, 115, 116}, {103, 104, 105},
    {106, 107, 108}, {23, 22, -1}, {86, 87, -1}, {117, 118, -1}, {119, 120, -1},  {100, 101, -1},
    {94, 95, -1},    {80, 79, -1}, {62, 61, -1}, {46, 45, -1},   {97, 98, -1},    {111, 112, -1},
};

TEST(ButtonLooks, APressedButtonIsDarkerThanItsRestingImage) {
    for (int m = 0; m < kModeCount; ++m) {
        for (const Triple& t : kButtons) {
            const Measure up = MeasureFace(t.up, static_cast<Mode>(m));
            const Measure dn = MeasureFace(t.dn, static_cast<Mode>(m));
            EXPECT_LT(dn.luma, up.luma - 8) << "button " << t.up;
        }
    }
}

TEST(ButtonLooks, ADisabledButtonHasLessContrastThanItsEnabledImage) {
    for (int m = 0; m < kModeCount; ++m) {
        for (const Triple& t : kButtons) {
            if (t.non < 0) continue;
            const Measure up = MeasureFace(t.up, static_cast<Mode>(m));
            const Measure non = MeasureFace(t.non, static_cast<Mode>(m));
            EXPECT_LT(non.contrast, up.contrast * 0.75) << "button " << t.up;
        }
    }
}

TEST(ButtonLooks, BuyingIsGreenAndSellingIsRedAsInTheTradeLog) {
    for (int m = 0; m < kModeCount; ++m) {
        for (int buy : {12, 10}) {
            const Measure c = MeasureFace(buy, static_cast<Mode>(m));
            EXPECT_GT(c.g, c.r + 30) << buy;
            EXPECT_GT(c.g, c.b + 20) << buy;
        }
        for (int sell : {39, 37}) {
            const Measure c = MeasureFace(sell, static_cast<Mode>(m));
            EXPECT_GT(c.r, c.g + 60) << sell;
            EXPECT_GT(c.r, c.b + 60) << sell;
        }
    }
}

TEST(ButtonLooks, TheExecuteFramesBrightenAndSettleInOneSmoothLoop) {
    for (int m = 0; m < kModeCount; ++m) {
        std::vector<double> luma;
        for (int n = 1; n <= kExecuteFrameCount; ++n)
            luma.push_back(MeasureFace(kFrameImage + n, static_cast<Mode>(m)).luma);
        const auto [lo, hi] = std::minmax_element(luma.begin(), luma.end());
        const double range = *hi - *lo;
        EXPECT_GT(range, 25) << "the pulse must be visible";
        EXPECT_EQ(lo - luma.begin(), 0) << "the loop starts at rest";
        EXPECT_EQ(hi - luma.begin(), kExecuteFrameCount / 2) << "and peaks half-way";
        for (int k = 0; k < kExecuteFrameCount; ++k) {
            const double step = std::abs(luma[static_cast<std::size_t>((k + 1) % kExecuteFrameCount)] -
                                         luma[static_cast<std::size_t>(k)]);
            // No jump between neighbouring frames, also from the last frame back to the first.
            EXPECT_LT(step, range * 0.2) << "frame " << k + 1;
        }
        for (int k = 0; k < kExecuteFrameCount / 2; ++k) EXPECT_LT(luma[k], luma[k + 1]) << "rising at " << k + 1;
        for (int k = kExecuteFrameCount / 2; k + 1 < kExecuteFrameCount; ++k)
            EXPECT_GT(luma[k], luma[k + 1]) << "settling at " << k + 1;
    }
}

}  // namespace
}  // namespace valmore::skingen::test
