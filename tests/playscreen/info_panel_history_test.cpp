#include <gtest/gtest.h>

#include "info_panel_fixture.h"

namespace valmore {
namespace {

using test::ChainWord;
using test::InfoOnScreen;

class InfoPanelHistory : public ::testing::TestWithParam<int> {};

TEST_P(InfoPanelHistory, AGlossaryLinkOpensItsWordAndBackReturns) {
    InfoOnScreen t(GetParam());
    t.info.ShowGlossaryEntry(t.Word(0));
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kGlossary);
    EXPECT_FALSE(t.back.enabled);

    ASSERT_TRUE(t.ClickLinkTo(ChainWord(1)));
    EXPECT_EQ(t.info.Entry().key, ChainWord(1));
    EXPECT_EQ(t.info.HistoryDepth(), 1);
    EXPECT_TRUE(t.back.enabled);

    t.Press(t.back);
    EXPECT_EQ(t.info.Entry().key, ChainWord(0));
    EXPECT_EQ(t.info.HistoryDepth(), 0);
    EXPECT_FALSE(t.back.enabled);
}

TEST_P(InfoPanelHistory, ATradeLogNeitherClearsNorExtendsTheHistory) {
    InfoOnScreen t(GetParam());
    t.info.ShowGlossaryEntry(t.Word(0));
    ASSERT_TRUE(t.ClickLinkTo(ChainWord(1)));
    ASSERT_TRUE(t.ClickLinkTo(ChainWord(2)));
    t.info.ShowTradeLog("Bought 1,000 shares");
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kTradeLog);
    EXPECT_EQ(t.info.HistoryDepth(), 2);
    EXPECT_FALSE(t.ClickLinkTo(ChainWord(3)));

    t.Press(t.back);
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kGlossary);
    EXPECT_EQ(t.info.Entry().key, ChainWord(1)) << "back leads to the most recently stored page";
}

TEST_P(InfoPanelHistory, ANewsLinkOrAnInfoButtonStartsAFreshHistory) {
    InfoOnScreen t(GetParam());
    t.info.ShowGlossaryEntry(t.Word(0));
    ASSERT_TRUE(t.ClickLinkTo(ChainWord(1)));
    t.info.ShowGlossaryEntry(t.Word(7));
    EXPECT_EQ(t.info.HistoryDepth(), 0);

    ASSERT_TRUE(t.ClickLinkTo(ChainWord(8)));
    t.info.ShowCompanyInfo(0);
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kCompany);
    EXPECT_EQ(t.info.HistoryDepth(), 0);
    EXPECT_FALSE(t.back.enabled);
}

TEST_P(InfoPanelHistory, ACompanyPageComesBackWithItsHeadingAfterALink) {
    InfoOnScreen t(GetParam());
    t.info.ShowCompanyInfo(0);
    EXPECT_EQ(t.info.HeadingName(), "Alpha");
    ASSERT_TRUE(t.ClickLinkTo(ChainWord(5)));
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kGlossary);

    t.Press(t.back);
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kCompany);
    EXPECT_EQ(t.info.HeadingName(), "Alpha");
    EXPECT_EQ(t.info.Text(), "Alpha makes $d" + ChainWord(5) + "$$.");
}

TEST_P(InfoPanelHistory, AProductWithoutInformationLeavesThePanelAsItWas) {
    InfoOnScreen t(GetParam());
    t.info.ShowGlossaryEntry(t.Word(3));
    t.info.ShowCompanyInfo(1);
    t.info.ShowCompanyInfo(2);
    t.info.ShowCompanyInfo(-1);
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kGlossary);
    EXPECT_EQ(t.info.Entry().key, ChainWord(3));
}

TEST_P(InfoPanelHistory, LinksInATradeLogDoNothing) {
    InfoOnScreen t(GetParam());
    t.info.ShowTradeLog("Log with $d" + ChainWord(4) + "$$");
    EXPECT_TRUE(t.ClickLinkTo(ChainWord(4)));
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kTradeLog);
    EXPECT_EQ(t.info.HistoryDepth(), 0);
}

TEST_P(InfoPanelHistory, PagesTurnWithTheButtonsAndAnEmptyLogLeavesNoPagesBehind) {
    InfoOnScreen t(GetParam());
    t.info.ShowTradeLog("one$ptwo$pthree");
    EXPECT_EQ(t.info.PageCount(), 3);
    EXPECT_TRUE(t.next.enabled);
    EXPECT_FALSE(t.prev.enabled);
    t.Press(t.next);
    t.Press(t.next);
    EXPECT_EQ(t.info.Page(), 2);
    EXPECT_FALSE(t.next.enabled);
    EXPECT_TRUE(t.prev.enabled);
    t.Press(t.prev);
    EXPECT_EQ(t.info.Page(), 1);

    // A day without executed orders empties the panel; its page buttons must not lead into the old log.
    t.info.ShowTradeLog("");
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kNothing);
    EXPECT_EQ(t.info.Page(), 0);
    EXPECT_FALSE(t.next.enabled);
    EXPECT_FALSE(t.prev.enabled);
    t.Paint();
    EXPECT_EQ(t.InkIn(t.info.GetRect()), 0);
}

TEST_P(InfoPanelHistory, ANewPlayEmptiesThePanelAndItsHistory) {
    InfoOnScreen t(GetParam());
    t.info.ShowGlossaryEntry(t.Word(0));
    ASSERT_TRUE(t.ClickLinkTo(ChainWord(1)));
    t.info.ResetInfo();
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kNothing);
    EXPECT_EQ(t.info.HistoryDepth(), 0);
    EXPECT_FALSE(t.back.enabled || t.next.enabled || t.prev.enabled);

    t.info.ShowGlossaryEntry(t.Word(0));
    ASSERT_TRUE(t.ClickLinkTo(ChainWord(1)));
    t.info.ClearInfo();
    EXPECT_EQ(t.info.Kind(), CInfoPanel::kNothing);
    EXPECT_EQ(t.info.HistoryDepth(), 0);
    EXPECT_FALSE(t.back.enabled);
}

INSTANTIATE_TEST_SUITE_P(Modes, InfoPanelHistory, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeSxga ? "Sxga" : "Xga"; });

}  // namespace
}  // namespace valmore
