// Every balloon of the practice run, laid out with the real skin's fonts and pictures in both
// resolution modes, stays inside its balloon and clear of its footer.

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "platform/Sjis.h"
#include "tutorial/BalloonStep.h"
#include "tutorial/PracticeScript.h"
#include "ui/MarkupText.h"
#include "ui/Skin.h"
#include "ui/ViewHost.h"

namespace valmore {
namespace {

Size CanvasOf(int mode) {
    return mode == kModeSxga ? Size{1280, 1024} : Size{1024, 768};
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Meets(const Rect& a, const Rect& b) {
    return !a.Intersect(b).IsEmpty();
}

std::string Where(const CBalloonStep& balloon, const Rect& cell) {
    auto text = [](const Rect& r) {
        return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
               std::to_string(r.bottom) + ")";
    };
    return "group " + std::to_string(balloon.group) + ": cell " + text(cell) + " in balloon " + text(balloon.rect);
}

class BalloonTextsFit : public testing::TestWithParam<int> {};

TEST_P(BalloonTextsFit, EveryTextStaysInsideItsBalloonAndClearOfItsFooter) {
    const int mode = GetParam();
    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, ModeOf(mode));
    ASSERT_NE(skin.Font(CBalloonStep::kFooterFont), nullptr);
    // The inline button pictures must have sizes, or the lines would look shorter than they are.
    ASSERT_GT(skin.Width(42), 0) << "the skin has not been built into " << VALMORE_RUN_DIR;

    int balloons = 0;
    for (const auto& step : BuildPracticeSteps(mode, CanvasOf(mode))) {
        const auto* balloon = dynamic_cast<const CBalloonStep*>(step.get());
        if (!balloon) continue;
        ++balloons;
        SCOPED_TRACE("group " + std::to_string(balloon->group));
        EXPECT_LE(balloon->Text().size(), CMarkupText::kMaxTextBytes);

        CMarkupText markup;
        const CMarkupText::PageSizes sizes = markup.Layout(skin, balloon->Text(), balloon->TextRect());
        EXPECT_EQ(sizes.pageCount, 1);

        const Rect drawable{balloon->rect.left + CBalloonStep::kClipInset, balloon->rect.top + CBalloonStep::kClipInset,
                            balloon->rect.right - CBalloonStep::kClipInset,
                            balloon->rect.bottom - CBalloonStep::kClipInset};
        const std::string& footer = CBalloonStep::FooterText(balloon->FooterKind());
        const Rect footerRect =
            footer.empty() ? Rect{} : balloon->FooterRect(skin.Font(CBalloonStep::kFooterFont)->TextExtent(footer));
        for (const MarkupFragment& f : markup.Fragments(0)) {
            EXPECT_TRUE(Inside(f.rect, drawable)) << Where(*balloon, f.rect) << " " << Cp932ToUtf8(f.Text());
            EXPECT_FALSE(Meets(f.rect, footerRect)) << "over the footer: " << Where(*balloon, f.rect);
        }
        // A figure broken over two lines is hard to read.
        auto isFigure = [](std::string_view c) {
            return c.size() == 1 && (std::isdigit(static_cast<unsigned char>(c[0])) || c[0] == ',' || c[0] == '.');
        };
        const auto fragments = markup.Fragments(0);
        for (std::size_t i = 1; i < fragments.size(); ++i) {
            if (isFigure(fragments[i - 1].Text()) && isFigure(fragments[i].Text())) {
                EXPECT_EQ(fragments[i - 1].rect.top, fragments[i].rect.top)
                    << "figure broken: " << Where(*balloon, fragments[i].rect);
            }
        }
        for (const MarkupImage& image : markup.ImageSlots(0)) {
            if (!image.used) continue;
            const Rect cell = Rect::FromSize(image.x, image.y, image.widthMinusOne + 1, image.heightMinusOne + 1);
            EXPECT_TRUE(Inside(cell, drawable)) << Where(*balloon, cell);
            EXPECT_FALSE(Meets(cell, footerRect)) << "over the footer: " << Where(*balloon, cell);
        }
    }
    EXPECT_EQ(balloons, 95);
}

INSTANTIATE_TEST_SUITE_P(BothModes, BalloonTextsFit, testing::Values(kModeXga, kModeSxga));

TEST(BalloonTexts, EveryCharacterExistsInShiftJis) {
    for (int group = 0; group < kPracticeGroups; ++group) {
        const std::string utf8(PracticeText(group));
        EXPECT_EQ(Cp932ToUtf8(Sj(utf8)), utf8) << "group " << group;
    }
}

}  // namespace
}  // namespace valmore
