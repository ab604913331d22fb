#include <gtest/gtest.h>

#include "playscreen/AnimatedButton.h"
#include "playscreen/AssetPanel.h"
#include "playscreen/ChartPanel.h"
#include "playscreen/InfoPanel.h"
#include "playscreen/MarketPanel.h"
#include "playscreen/NewsPanel.h"
#include "playscreen/OrderPanel.h"
#include "playscreen/TitlePanel.h"
#include "simulation_screen_fixture.h"
#include "ui/ItemSelector.h"
#include "ui/SpinBox.h"

namespace valmore {
namespace {

using test::ScreenTest;

class SimulationScreenLayout : public ::testing::TestWithParam<int> {
protected:
    SimulationScreenLayout() : t(GetParam()) {}
    bool Xga() const { return GetParam() == kModeXga; }
    Rect SizedAt(int x, int y, int bitmap) const {
        return Rect::FromSize(x, y, t.host.Skin().Width(bitmap), t.host.Skin().Height(bitmap));
    }

    ScreenTest t;
};

INSTANTIATE_TEST_SUITE_P(BothResolutions, SimulationScreenLayout, ::testing::Values(kModeXga, kModeSxga),
                         test::ModeName);

TEST_P(SimulationScreenLayout, ElementsSitAtTheirModesPositionsWithTheSizesOfTheirBitmaps) {
    ASSERT_GT(t.host.Skin().Width(10), 0) << "the skin of the build's run folder is needed";
    CSimulationScreen& s = t.screen;
    EXPECT_EQ(s.BuyButton(0).GetRect(), Xga() ? SizedAt(6, 504, 10) : SizedAt(8, 630, 10));
    EXPECT_EQ(s.BuyButton(2).GetRect(), Xga() ? SizedAt(6 + 674, 504, 10) : SizedAt(8 + 842, 630, 10));
    EXPECT_EQ(s.SellButton(1).GetRect(), Xga() ? SizedAt(232 + 337, 504, 37) : SizedAt(290 + 421, 630, 37));
    EXPECT_EQ(s.InfoButton(0).GetRect(), Xga() ? SizedAt(276, 452, 16) : SizedAt(326, 576, 16));
    EXPECT_EQ(s.TitlePanel().GetRect(), Xga() ? SizedAt(6, 5, 0) : SizedAt(7, 6, 0));
    EXPECT_EQ(s.AssetPanel().GetRect(), Xga() ? SizedAt(6, 219, 3) : SizedAt(7, 273, 3));
    EXPECT_EQ(s.ChartPanel().GetRect(), Xga() ? SizedAt(605, 582, 6) : SizedAt(756, 727, 6));
    EXPECT_EQ(s.QuitButton().GetRect(), Xga() ? SizedAt(923, 11, 33) : SizedAt(1155, 13, 33));
    EXPECT_EQ(s.NewsListButton().GetRect(), Xga() ? SizedAt(930, 55, 22) : SizedAt(1167, 71, 22));
    EXPECT_EQ(s.ExecuteButton().GetRect(), Xga() ? SizedAt(963, 412, 26) : SizedAt(1205, 515, 26));
    EXPECT_EQ(s.InfoBackButton().GetRect(), Xga() ? SizedAt(400, 585, 114) : SizedAt(500, 731, 114));
    const int arrowHeight = t.host.Skin().Height(34);
    EXPECT_EQ(s.ProductSelector().GetRect(),
              Xga() ? Rect::FromSize(851, 585, 164, arrowHeight) : Rect::FromSize(1073, 731, 198, arrowHeight));
    const Rect spin = s.QuantityBox(1).GetRect();
    EXPECT_EQ(spin.left, Xga() ? 86 + 337 : 107 + 421);
    EXPECT_EQ(spin.top, Xga() ? 542 : 677);
    EXPECT_EQ(spin.Width(), 217);
}

TEST_P(SimulationScreenLayout, ElementsAreCreatedOnceInDrawingAndInputOrder) {
    CSimulationScreen& s = t.screen;
    std::vector<const CPanel*> expected{&s.TitlePanel(),     &s.QuitButton(),     &s.MarketPanel(),
                                        &s.NewsPanel(),      &s.NewsNextButton(), &s.NewsListButton(),
                                        &s.NewsPrevButton(), &s.AssetPanel(),     &s.OrderPanel()};
    for (int c = 0; c < 3; ++c) {
        for (const CPanel* p :
             {static_cast<const CPanel*>(&s.BuyButton(c)), static_cast<const CPanel*>(&s.PassButton(c)),
              static_cast<const CPanel*>(&s.SellButton(c)), static_cast<const CPanel*>(&s.QuantityBox(c)),
              static_cast<const CPanel*>(&s.InfoButton(c))}) {
            expected.push_back(p);
        }
    }
    for (const CPanel* p :
         {static_cast<const CPanel*>(&s.ExecuteButton()), static_cast<const CPanel*>(&s.ChartPanel()),
          static_cast<const CPanel*>(&s.ProductSelector()), static_cast<const CPanel*>(&s.InfoPanel()),
          static_cast<const CPanel*>(&s.InfoNextButton()), static_cast<const CPanel*>(&s.InfoPrevButton()),
          static_cast<const CPanel*>(&s.InfoBackButton())}) {
        expected.push_back(p);
    }
    ASSERT_EQ(s.Panels().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(s.Panels()[i].get(), expected[i]) << "element " << i;

    // Entering the screen again, or asking for the layout again, builds nothing new.
    const Rect before = s.BuyButton(0).GetRect();
    s.Layout();
    s.Activate();
    s.Activate();
    EXPECT_EQ(s.Panels().size(), expected.size());
    EXPECT_EQ(s.BuyButton(0).GetRect(), before);
}

TEST_P(SimulationScreenLayout, OnlyQuitAndTheInfoButtonsAreEnabledAtCreation) {
    CSimulationScreen& s = t.screen;
    EXPECT_TRUE(s.QuitButton().enabled);
    for (CSkinButton* b : {&s.NewsNextButton(), &s.NewsListButton(), &s.NewsPrevButton(), &s.InfoNextButton(),
                           &s.InfoPrevButton(), &s.InfoBackButton(), static_cast<CSkinButton*>(&s.ExecuteButton())}) {
        EXPECT_FALSE(b->enabled);
    }
    EXPECT_TRUE(s.NewsListButton().toggle);
    EXPECT_TRUE(s.NewsListButton().pressed) << "the list view is the one shown first";
    for (int c = 0; c < 3; ++c) {
        for (CSkinButton* b : {&s.BuyButton(c), &s.PassButton(c), &s.SellButton(c)}) {
            EXPECT_FALSE(b->enabled);
            EXPECT_TRUE(b->toggle);
            EXPECT_FALSE(b->pressed);
            EXPECT_EQ(b->identifier, c) << "one handler serves all three columns";
        }
        EXPECT_TRUE(s.InfoButton(c).enabled);
        EXPECT_FALSE(s.QuantityBox(c).Enabled());
        EXPECT_EQ(s.QuantityBox(c).identifier, c);
        EXPECT_EQ(s.InfoButton(c).identifier, c);
    }
}

TEST_P(SimulationScreenLayout, TheBackgroundIsRepaintedOnlyWhenAFullRedrawIsAsked) {
    // A point left of every panel shows the screen's background.
    const Rect gap{1, 300, 3, 302};
    t.Paint();
    EXPECT_FALSE(t.screen.FullRedrawPending());
    EXPECT_EQ(t.Picture().Pixel(1, 300), t.host.Skin().Bitmap(7).Pixel(1, 300 % t.host.Skin().Height(7)));

    t.host.Window().Canvas().FillSolid(gap, Rgb{1, 2, 3});
    t.Paint();
    EXPECT_EQ(t.CountColour(gap, Rgb{1, 2, 3}), 4) << "no background without the flag";

    const int invalidations = t.host.invalidateAllCount;
    t.screen.RefreshAllPanels();
    EXPECT_EQ(t.host.invalidateAllCount, invalidations + 1);
    EXPECT_TRUE(t.screen.MarketPanel().dirty);
    EXPECT_TRUE(t.screen.OrderPanel().dirty);
    t.Paint();
    EXPECT_EQ(t.CountColour(gap, Rgb{1, 2, 3}), 0);
    EXPECT_FALSE(t.screen.MarketPanel().dirty);
}

TEST_P(SimulationScreenLayout, APopupShownOverTheScreenRefreshesEveryPanel) {
    t.Paint();
    t.dialog.Show(QVDialog::kModeNotice, Sj("お知らせ"));
    EXPECT_EQ(t.popupModes, std::vector<int>{QVDialog::kModeNotice});
    EXPECT_TRUE(t.screen.FullRedrawPending());
    EXPECT_TRUE(t.screen.TitlePanel().dirty);
    EXPECT_TRUE(t.screen.InfoPanel().dirty);
}

}  // namespace
}  // namespace valmore
