#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/Sjis.h"
#include "ui/DetailDialog.h"
#include "ui/FakeViewHost.h"
#include "ui/PopupScript.h"

namespace valmore {
namespace {

using test::FakeViewHost;
using test::FirstLinkAt;
using test::ModalScript;

int InkOverBackground(FakeViewHost& host, const IModalPopup& popup, const Rect& local) {
    return test::InkOverBackground(host, popup, 113, local);
}

std::string Entry(int i, const std::string& key, const std::string& detail, const std::string& k1 = "") {
    return "{" + std::to_string(i) + " {KEYWORD0 \"" + key + "\"}{KEYWORD1 \"" + k1 +
           "\"}{KEYWORD2 \"\"}{SEARCHKEY \"" + key + "\"}{DETAIL \"" + detail + "\"}}";
}

std::string Link(const std::string& key) {
    return "$d" + key + "$$";
}

class DetailPopup : public ::testing::TestWithParam<int> {
protected:
    DetailPopup() : host(GetParam()), dialog(host), script(host) {
        // A chain of explanations, each leading to the next, and one that leads to itself.
        const std::string dict = "{root {Dict " + Entry(0, "A", Sj("最初の説明 ") + Link("B"), Sj("えー")) +
                                 Entry(1, "B", Link("C")) + Entry(2, "C", Link("D")) + Entry(3, "D", "end") +
                                 Entry(4, "LOOP", Link("LOOP")) + Entry(5, "TWO", "one$ptwo") + "}}";
        EXPECT_TRUE(host.glossary.LoadGlossaryFromBytes(dict, "QV.dict").Ok());
    }

    std::string ShownKey() const { return dialog.CurrentEntry() ? dialog.CurrentEntry()->key : "(none)"; }
    void ClickLinkIn(int section) {
        script.ClickAt(dialog, FirstLinkAt(dialog.Section(section), dialog.Page(section)));
    }
    void ClickOk() { script.Click(dialog, dialog.OkButton().GetRect()); }
    void ClickBack() { script.Click(dialog, dialog.BackButton().GetRect()); }

    FakeViewHost host;
    QVDetailDialog dialog;
    ModalScript script;
    const std::string label = Sj("1日目");
};

INSTANTIATE_TEST_SUITE_P(BothResolutions, DetailPopup, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeXga ? "Xga" : "Sxga"; });

TEST_P(DetailPopup, BackWalksThreeFollowedLinksBackToTheFirstExplanation) {
    script.Then([&] { ClickLinkIn(0); });
    script.Then([&] {
        EXPECT_EQ(ShownKey(), "A");
        EXPECT_EQ(dialog.HistoryLength(), 0) << "a link in the news text starts no history";
        EXPECT_FALSE(dialog.BackButton().enabled);
        ClickLinkIn(2);
    });
    for (const char* expected : {"B", "C"}) {
        script.Then([&, expected] {
            EXPECT_EQ(ShownKey(), expected);
            EXPECT_TRUE(dialog.BackButton().enabled);
            ClickLinkIn(2);
        });
    }
    script.Then([&] {
        EXPECT_EQ(ShownKey(), "D");
        EXPECT_EQ(dialog.HistoryLength(), 3);
        ClickBack();
    });
    for (const char* expected : {"C", "B"}) {
        script.Then([&, expected] {
            EXPECT_EQ(ShownKey(), expected);
            ClickBack();
        });
    }
    script.Then([&] {
        EXPECT_EQ(ShownKey(), "A");
        EXPECT_EQ(dialog.Page(2), 0);
        EXPECT_EQ(dialog.HistoryLength(), 0);
        EXPECT_FALSE(dialog.BackButton().enabled);
        EXPECT_EQ(dialog.BackButton().CurrentImage(), 116);
        // A disabled BACK ignores the click.
        ClickBack();
    });
    script.Then([&] {
        EXPECT_EQ(ShownKey(), "A");
        ClickOk();
    });
    EXPECT_EQ(dialog.Show(Sj("詳細は ") + Link("A"), Sj("解説"), label), QVDetailDialog::kResultOk);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(host.ticks, script.ticksQueued);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST_P(DetailPopup, ALinkInTheNewsTextsReplacesTheExplanationButKeepsTheHistory) {
    script.Then([&] { ClickLinkIn(0); });
    script.Then([&] { ClickLinkIn(2); });
    script.Then([&] {
        ASSERT_EQ(ShownKey(), "B");
        ClickLinkIn(1);
    });
    script.Then([&] {
        EXPECT_EQ(ShownKey(), "D");
        EXPECT_EQ(dialog.HistoryLength(), 1);
        ClickBack();
    });
    script.Then([&] {
        EXPECT_EQ(ShownKey(), "A");
        ClickOk();
    });
    dialog.Show(Link("A"), Link("D"), label);
    EXPECT_TRUE(script.Finished());
}

TEST_P(DetailPopup, AnUnknownLinkWordChangesNothingNotEvenTheHistory) {
    ASSERT_TRUE(
        host.glossary.LoadGlossaryFromBytes("{root {Dict " + Entry(0, "A", Link("NOWHERE")) + "}}", "QV.dict").Ok());
    script.Then([&] { ClickLinkIn(0); });
    script.Then([&] {
        ASSERT_EQ(ShownKey(), "A");
        ClickLinkIn(2);
    });
    script.Then([&] {
        EXPECT_EQ(ShownKey(), "A");
        EXPECT_EQ(dialog.HistoryLength(), 0);
        EXPECT_FALSE(dialog.BackButton().enabled);
        ClickOk();
    });
    dialog.Show(Link("A"), "", label);
    EXPECT_TRUE(script.Finished());
}

TEST_P(DetailPopup, TheHistoryHoldsAtMostNinetyNineEntriesAndStillShowsEveryLink) {
    script.Then([&] { ClickLinkIn(0); });
    script.Then([&] {
        ASSERT_EQ(ShownKey(), "LOOP");
        for (int i = 0; i < 105; ++i) ClickLinkIn(2);
    });
    script.Then([&] {
        EXPECT_EQ(dialog.HistoryLength(), QVDetailDialog::kMaxHistory);
        EXPECT_EQ(ShownKey(), "LOOP");
        for (int i = 0; i < 99; ++i) ClickBack();
    });
    script.Then([&] {
        EXPECT_EQ(dialog.HistoryLength(), 0);
        EXPECT_FALSE(dialog.BackButton().enabled);
        ClickBack();
        ClickOk();
    });
    EXPECT_EQ(dialog.Show(Link("LOOP"), "", label), QVDetailDialog::kResultOk);
    EXPECT_TRUE(script.Finished());
}

TEST_P(DetailPopup, OpensWithAnEmptyGlossarySectionTitledOnlyByItsName) {
    auto afterName = [&](int section) {
        const Rect t = dialog.TitleRect(section);
        return Rect{t.left + 80, t.top, t.right, t.bottom - 11};
    };
    auto expectFreshShowing = [&] {
        EXPECT_EQ(dialog.CurrentEntry(), nullptr);
        EXPECT_EQ(dialog.Section(2).FragmentCount(0), 0);
        EXPECT_EQ(dialog.HistoryLength(), 0);
        for (int i = 0; i < QVDetailDialog::kSections; ++i) EXPECT_EQ(dialog.Page(i), 0);
        EXPECT_EQ(InkOverBackground(host, dialog, afterName(2)), 0);
        EXPECT_GT(InkOverBackground(host, dialog, afterName(0)), 0) << "the label follows the section name";
        EXPECT_GT(InkOverBackground(host, dialog, afterName(1)), 0);
    };
    script.Then(expectFreshShowing);
    script.Then([&] { ClickLinkIn(0); });
    script.Then([&] { ClickLinkIn(2); });
    script.Then([&] {
        ASSERT_EQ(ShownKey(), "B");
        script.Click(dialog, dialog.RightButton(0).GetRect());
    });
    script.Then([&] {
        ASSERT_EQ(dialog.Page(0), 1);
        EXPECT_GT(InkOverBackground(host, dialog, afterName(2)), 0) << "the entry's keyword heads the section";
        ClickOk();
    });
    dialog.Show(Link("A") + "$p2", "x", label);

    // Nothing of the previous showing is left.
    script.Then(expectFreshShowing);
    script.Then([&] { ClickOk(); });
    dialog.Show(Link("A"), "x", label);
    EXPECT_TRUE(script.Finished());
}

TEST_P(DetailPopup, EachSectionPagesOnItsOwn) {
    script.Then([&] {
        EXPECT_FALSE(dialog.LeftButton(0).enabled);
        EXPECT_TRUE(dialog.RightButton(0).enabled);
        EXPECT_FALSE(dialog.LeftButton(1).enabled);
        EXPECT_FALSE(dialog.RightButton(1).enabled);
        EXPECT_FALSE(dialog.RightButton(2).enabled);
        script.Click(dialog, dialog.RightButton(0).GetRect());
    });
    script.Then([&] {
        EXPECT_EQ(dialog.Page(0), 1);
        EXPECT_TRUE(dialog.LeftButton(0).enabled);
        EXPECT_FALSE(dialog.RightButton(0).enabled);
        // The link of the page now shown.
        ClickLinkIn(0);
    });
    script.Then([&] {
        ASSERT_EQ(ShownKey(), "TWO");
        EXPECT_EQ(dialog.Page(0), 1);
        EXPECT_TRUE(dialog.RightButton(2).enabled);
        script.Click(dialog, dialog.RightButton(2).GetRect());
    });
    script.Then([&] {
        EXPECT_EQ(dialog.Page(2), 1);
        script.Click(dialog, dialog.LeftButton(0).GetRect());
    });
    script.Then([&] {
        EXPECT_EQ(dialog.Page(0), 0);
        EXPECT_EQ(dialog.Page(2), 1);
        ClickOk();
    });
    dialog.Show("one$p" + Link("TWO"), "x", label);
    EXPECT_TRUE(script.Finished());
}

TEST_P(DetailPopup, ALinkRunningPastItsFrameDoesNotAnswerClicksInTheSectionBelow) {
    script.Then([&] {
        const Point at = FirstLinkAt(dialog.Section(0), 0);
        ASSERT_TRUE(dialog.FrameRect(1).Contains(at));
        script.ClickAt(dialog, at);
    });
    script.Then([&] {
        EXPECT_EQ(dialog.CurrentEntry(), nullptr);
        ClickOk();
    });
    char row[8];
    std::snprintf(row, sizeof row, "%04d", dialog.FrameRect(1).top + 4 - dialog.TextRect(0).top);
    dialog.Show(std::string("a$y") + row + Link("A"), "plain", label);
    EXPECT_TRUE(script.Finished());
}

TEST_P(DetailPopup, EnterClosesWithOkAndEscapeWithCancel) {
    script.Then([&] { host.Window().QueueInput(InputEvent::KeyDown(kKeyEnter)); });
    EXPECT_EQ(dialog.Show("a", "b", label), QVDetailDialog::kResultOk);
    script.Then([&] { host.Window().QueueInput(InputEvent::KeyDown(kKeyEscape)); });
    EXPECT_EQ(dialog.Show("a", "b", label), QVDetailDialog::kResultCancel);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST_P(DetailPopup, QuittingDuringTheLoopEndsTheShowingAsCancelled) {
    script.Then([&] { host.Window().PostQuit(); });
    EXPECT_EQ(dialog.Show("a", "b", label), QVDetailDialog::kResultCancel);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST(DetailPopupPlace, SectionsAndButtonsFollowTheXgaTable) {
    class OffsetHost : public FakeViewHost {
    public:
        Size ScreenSize() const override { return {1280, 1024}; }
        Point CanvasOffset() const override { return {128, 128}; }
    } host;
    QVDetailDialog dialog(host);
    const Size size = host.Skin().BitmapSize(113);
    ASSERT_GT(size.width, 0);
    EXPECT_EQ(dialog.Bounds(),
              Rect::FromSize(640 - size.width / 2 - 128, 512 - size.height / 2 - 128, size.width, size.height));
    EXPECT_EQ(dialog.TitleRect(2), (Rect{14, 395, 607, 427}));
    EXPECT_EQ(dialog.FrameRect(2), (Rect{6, 430, 614, 539}));
    EXPECT_EQ(dialog.TextRect(2), (Rect{14, 430, 607, 539}));
    const Size ok = host.Skin().BitmapSize(86);
    EXPECT_EQ(dialog.BackButton().GetRect(), Rect::FromSize(420, 364, ok.width, ok.height));
    EXPECT_EQ(dialog.RightButton(1).GetRect().left, 380);
    EXPECT_EQ(dialog.RightButton(1).GetRect().top, 184);
}

}  // namespace
}  // namespace valmore
