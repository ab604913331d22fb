#include <gtest/gtest.h>

#include "info_panel_fixture.h"

namespace valmore {
namespace {

using test::InfoOnScreen;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRuleGrey{120, 120, 120};

class InfoPanelTitles : public ::testing::TestWithParam<int> {
protected:
    InfoPanelTitles() : t(GetParam()) {}
    int RuleY() const { return t.info.TitleArea().bottom - 10; }
    int Middle() const { return (t.info.TitleArea().left + t.info.TitleArea().right) / 2; }
    Rgb At(int x, int y) const { return t.target.Pixel(x, y); }
    InfoOnScreen t;
};

TEST_P(InfoPanelTitles, ATradeLogIsHeadedWithAHalfWidthBlackRule) {
    t.info.ShowTradeLog("Bought 1,000 shares of Alpha");
    t.Paint();
    const Rect title = t.info.TitleArea();
    EXPECT_EQ(At(title.left + 3, RuleY()), kBlack);
    EXPECT_EQ(At(Middle() - 2, RuleY() - 1), kBlack) << "the rule is two pixels wide";
    EXPECT_NE(At(Middle() + 3, RuleY()), kBlack) << "and ends in the middle";
    EXPECT_GT(t.InkIn(Rect{title.left, title.top, Middle(), RuleY() - 2}), 0) << "the title word";
    EXPECT_GT(t.InkIn(t.info.TextArea()), 0) << "the log itself";
}

TEST_P(InfoPanelTitles, AGlossaryWordShowsItsSecondKeywordOnlyWhenItHasOne) {
    const Rect title = t.info.TitleArea();
    const CFont* large = t.host.Skin().Font(12);
    ASSERT_NE(large, nullptr);
    const std::string keyword = Sj("配当");
    const int secondLeft = title.left + large->TextWidth(keyword) + 96;
    const Rect secondKeyword{secondLeft, title.top, std::min(secondLeft + 40, title.right), RuleY() - 2};

    LinkEntry entry;
    entry.keyword0 = keyword;
    entry.detail = "Explained.";
    t.info.ShowGlossaryEntry(entry);
    t.Paint();
    EXPECT_EQ(At(title.right - 2, RuleY()), kRuleGrey) << "a thin grey rule across the title";
    EXPECT_NE(At(title.right - 2, RuleY() - 1), kRuleGrey);
    EXPECT_GT(t.InkIn(Rect{title.left + 80, title.top, secondLeft - 16, RuleY() - 2}), 0) << "the keyword";
    EXPECT_EQ(t.InkIn(secondKeyword), 0);

    entry.keyword1 = Sj("はいとう");
    t.info.ShowGlossaryEntry(entry);
    t.Paint();
    EXPECT_GT(t.InkIn(secondKeyword), 0);
}

TEST_P(InfoPanelTitles, ACompanyPageShowsTheProductNameBesideItsTitle) {
    t.info.ShowCompanyInfo(0);
    t.Paint();
    const Rect title = t.info.TitleArea();
    EXPECT_EQ(At(title.left + 3, RuleY()), kBlack);
    EXPECT_NE(At(Middle() + 3, RuleY()), kBlack);
    const int nameWidth = t.host.Skin().Font(12)->TextWidth("Alpha");
    EXPECT_GT(t.InkIn(Rect{title.left + 80, title.top, title.left + 80 + nameWidth, RuleY() - 2}), 0);
    EXPECT_GT(t.InkIn(t.info.TextArea()), 0);
}

TEST_P(InfoPanelTitles, OnlyTheShownPageIsDrawn) {
    t.info.ShowTradeLog("$y0100first$psecond");
    t.Paint();
    const Rect area = t.info.TextArea();
    const Rect low{area.left, area.top + 95, area.right, area.bottom};
    EXPECT_GT(t.InkIn(low), 0);
    t.Press(t.next);
    ASSERT_TRUE(t.info.dirty);
    t.Paint();
    EXPECT_EQ(t.InkIn(low), 0) << "the second page starts at the top and leaves the first page's place empty";
    EXPECT_GT(t.InkIn(Rect{area.left, area.top, area.right, area.top + 30}), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, InfoPanelTitles, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeSxga ? "Sxga" : "Xga"; });

}  // namespace
}  // namespace valmore
