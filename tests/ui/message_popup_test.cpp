#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/Sjis.h"
#include "ui/Dialog.h"
#include "ui/FakeViewHost.h"
#include "ui/PopupScript.h"

namespace valmore {
namespace {

using test::FakeViewHost;
using test::FirstLinkAt;
using test::ModalScript;

int InkOverBackground(FakeViewHost& host, const IModalPopup& popup, const Rect& local) {
    return test::InkOverBackground(host, popup, 90, local);
}

// Rows of the rectangle holding ink, grouped into runs of consecutive rows: one run per text line.
std::vector<Rect> InkLines(FakeViewHost& host, const IModalPopup& popup, const Rect& local) {
    std::vector<Rect> lines;
    bool inLine = false;
    for (int y = local.top; y < local.bottom; ++y) {
        Rect row{};
        for (int x = local.left; x < local.right; ++x) {
            if (InkOverBackground(host, popup, {x, y, x + 1, y + 1}) > 0) row = row.Union({x, y, x + 1, y + 1});
        }
        if (row.IsEmpty()) {
            inLine = false;
        } else if (inLine) {
            lines.back() = lines.back().Union(row);
        } else {
            lines.push_back(row);
            inLine = true;
        }
    }
    return lines;
}

std::string Entry(int i, const std::string& key, const std::string& detail, const std::string& k1 = "") {
    return "{" + std::to_string(i) + " {KEYWORD0 \"" + key + "\"}{KEYWORD1 \"" + k1 +
           "\"}{KEYWORD2 \"\"}{SEARCHKEY \"" + key + "\"}{DETAIL \"" + detail + "\"}}";
}

class MessagePopup : public ::testing::TestWithParam<int> {
protected:
    MessagePopup() : host(GetParam()), dialog(host), script(host) {}

    FakeViewHost host;
    QVDialog dialog;
    ModalScript script;
};

INSTANTIATE_TEST_SUITE_P(BothResolutions, MessagePopup, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeXga ? "Xga" : "Sxga"; });

TEST_P(MessagePopup, AQuestionAnswersTwoForYesAndThreeForNoWhileTheMainViewKeepsTicking) {
    script.Then([&] {
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_TRUE(dialog.Button1().visible);
        EXPECT_EQ(dialog.Button1().CurrentImage(), 117);
        EXPECT_EQ(dialog.Button2().CurrentImage(), 119);
        script.Click(dialog, dialog.Button1().GetRect());
    });
    EXPECT_EQ(dialog.Show(QVDialog::kModeQuestion, Sj("保存しますか？")), QVDialog::kResultYes);
    EXPECT_FALSE(dialog.IsOpen());

    script.Then([&] { host.Window().QueueTick(3); }).Then([&] { script.Click(dialog, dialog.Button2().GetRect()); });
    EXPECT_EQ(dialog.Show(QVDialog::kModeQuestion, Sj("保存しますか？")), QVDialog::kResultNo);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(host.ticks, script.ticksQueued + 3);
    EXPECT_EQ(host.modalDepth, 0);
}

TEST_P(MessagePopup, AQuestionShowsNoPageButtonsAndIgnoresClicksWhereTheyWouldBe) {
    // Two pages of markup, which a notice would let the user page through.
    const std::string twoPages = "one$ptwo";
    script.Then([&] {
        EXPECT_EQ(InkOverBackground(host, dialog, dialog.LeftButton().GetRect()), 0);
        EXPECT_EQ(InkOverBackground(host, dialog, dialog.RightButton().GetRect()), 0);
        EXPECT_GT(InkOverBackground(host, dialog, dialog.Button1().GetRect()), 0);
        script.Click(dialog, dialog.RightButton().GetRect());
    });
    script.Then([&] {
        EXPECT_EQ(dialog.Page(), 0);
        EXPECT_TRUE(dialog.IsOpen());
        script.Click(dialog, dialog.Button2().GetRect());
    });
    EXPECT_EQ(dialog.Show(QVDialog::kModeQuestion, twoPages), QVDialog::kResultNo);
}

TEST_P(MessagePopup, ANoticeClosesOnlyWithItsOkButtonAndAnswersZero) {
    script.Then([&] {
        EXPECT_FALSE(dialog.Button1().visible);
        EXPECT_EQ(dialog.Button2().CurrentImage(), 86);
        host.Window().QueueInput(InputEvent::KeyDown(kKeyEnter));
        host.Window().QueueInput(InputEvent::KeyDown(kKeyEscape));
        // Where button 1 would be: it is hidden, so nothing happens.
        script.Click(dialog, dialog.Button1().GetRect());
    });
    script.Then([&] {
        EXPECT_TRUE(dialog.IsOpen());
        script.Click(dialog, dialog.Button2().GetRect());
    });
    EXPECT_EQ(dialog.Show(QVDialog::kModeNotice, Sj("保存しました。")), QVDialog::kResultOk);
    EXPECT_TRUE(script.Finished());
}

TEST_P(MessagePopup, ATwoPageNoticeIsPagedWithLeftAndRight) {
    script.Then([&] {
        EXPECT_EQ(dialog.Body().PageCount(), 2);
        EXPECT_FALSE(dialog.LeftButton().enabled);
        EXPECT_TRUE(dialog.RightButton().enabled);
        EXPECT_EQ(dialog.LeftButton().CurrentImage(), 77);
        script.Click(dialog, dialog.RightButton().GetRect());
    });
    script.Then([&] {
        EXPECT_EQ(dialog.Page(), 1);
        EXPECT_TRUE(dialog.LeftButton().enabled);
        EXPECT_FALSE(dialog.RightButton().enabled);
        // RIGHT on the last page stays there.
        script.Click(dialog, dialog.RightButton().GetRect());
    });
    script.Then([&] {
        EXPECT_EQ(dialog.Page(), 1);
        script.Click(dialog, dialog.LeftButton().GetRect());
    });
    script.Then([&] {
        EXPECT_EQ(dialog.Page(), 0);
        script.Click(dialog, dialog.Button2().GetRect());
    });
    EXPECT_EQ(dialog.Show(QVDialog::kModeNotice, Sj("一頁目$p二頁目")), QVDialog::kResultOk);
    EXPECT_TRUE(script.Finished());
}

TEST_P(MessagePopup, ALineFeedBreaksTheLineOfAQuestionButNotOfANotice) {
    const std::string text = Sj("上段の長い文章です\n下");
    script.Then([&] {
        const std::vector<Rect> lines = InkLines(host, dialog, dialog.TextRect());
        ASSERT_EQ(lines.size(), 2u);
        // Each line is centred on its own, so the short one sits in the middle under the long one.
        const int middle = (dialog.TextRect().left + dialog.TextRect().right) / 2;
        for (const Rect& line : lines) EXPECT_NEAR((line.left + line.right) / 2, middle, 4);
        EXPECT_LT(lines[1].Width(), lines[0].Width());
        script.Click(dialog, dialog.Button2().GetRect());
    });
    dialog.Show(QVDialog::kModeQuestion, text);

    script.Then([&] {
        EXPECT_EQ(InkLines(host, dialog, dialog.TextRect()).size(), 1u);
        const auto fragments = dialog.Body().Fragments(0);
        ASSERT_EQ(fragments.size(), 11u) << "the line feed is a character of its own";
        for (const MarkupFragment& f : fragments) EXPECT_EQ(f.rect.top, fragments[0].rect.top);
        script.Click(dialog, dialog.Button2().GetRect());
    });
    dialog.Show(QVDialog::kModeNotice, text);
    EXPECT_TRUE(script.Finished());
}

TEST_P(MessagePopup, ALinkWordOpensItsGlossaryEntryInThePopup) {
    ASSERT_TRUE(host.glossary
                    .LoadGlossaryFromBytes("{root {Dict " + Entry(0, Sj("株式"), Sj("一頁$p二頁"), Sj("かぶしき")) +
                                               Entry(1, Sj("配当"), "x") + "}}",
                                           "QV.dict")
                    .Ok());
    const CFont& keywordFont = *host.Skin().Font(12);
    const CFont& secondFont = *host.Skin().Font(10);
    const Rect title = dialog.TitleRect();
    const int keywordWidth = keywordFont.TextWidth(Sj("株式"));
    const Rect keyword1{title.left + 96 + keywordWidth, title.top,
                        title.left + 96 + keywordWidth + secondFont.TextWidth(Sj("かぶしき")), title.bottom - 12};

    script.Then([&] {
        // A word the glossary does not know does nothing.
        script.ClickAt(dialog, FirstLinkAt(dialog.Body(), 0));
    });
    script.Then([&] {
        EXPECT_EQ(dialog.Mode(), QVDialog::kModeNotice);
        EXPECT_EQ(dialog.CurrentEntry(), nullptr);
        EXPECT_EQ(InkOverBackground(host, dialog, keyword1), 0);
        script.Click(dialog, dialog.RightButton().GetRect());
    });
    script.Then([&] { script.ClickAt(dialog, FirstLinkAt(dialog.Body(), 1)); });
    script.Then([&] {
        EXPECT_EQ(dialog.Mode(), QVDialog::kModeGlossary);
        ASSERT_NE(dialog.CurrentEntry(), nullptr);
        EXPECT_EQ(dialog.CurrentEntry()->key, Sj("株式"));
        EXPECT_EQ(dialog.Page(), 0);
        EXPECT_EQ(dialog.Body().PageCount(), 2);
        EXPECT_EQ(dialog.Body().Fragments(0)[0].Text(), Sj("一"));
        EXPECT_FALSE(dialog.LeftButton().enabled);
        EXPECT_TRUE(dialog.RightButton().enabled);
        EXPECT_GT(InkOverBackground(host, dialog,
                                    {title.left + 80, title.top, title.left + 80 + keywordWidth, title.bottom - 12}),
                  0);
        EXPECT_GT(InkOverBackground(host, dialog, keyword1), 0);
        script.Click(dialog, dialog.Button2().GetRect());
    });
    EXPECT_EQ(dialog.Show(QVDialog::kModeNotice, Sj("$d未知$$です。$p詳しくは$d株式$$を参照。")), QVDialog::kResultOk);
    EXPECT_TRUE(script.Finished());

    // The next showing starts from the caller's text again.
    script.Then([&] {
        EXPECT_EQ(dialog.Mode(), QVDialog::kModeNotice);
        EXPECT_EQ(dialog.CurrentEntry(), nullptr);
        script.Click(dialog, dialog.Button2().GetRect());
    });
    dialog.Show(QVDialog::kModeNotice, "plain");
}

TEST_P(MessagePopup, ALinkLaidOutBelowTheTextAreaCannotBeClicked) {
    ASSERT_TRUE(host.glossary.LoadGlossaryFromBytes("{root {Dict " + Entry(0, "Kabu", "x") + "}}", "QV.dict").Ok());
    script.Then([&] {
        // Just below the text area, still inside the popup, where the link's characters are cut off.
        const Point at{FirstLinkAt(dialog.Body(), 0).x, dialog.TextRect().bottom + 2};
        ASSERT_TRUE(dialog.Body().FindLink(0, at.x, at.y).has_value());
        ASSERT_LT(at.y, dialog.Bounds().Height());
        script.ClickAt(dialog, at);
    });
    script.Then([&] {
        EXPECT_EQ(dialog.CurrentEntry(), nullptr);
        EXPECT_EQ(dialog.Mode(), QVDialog::kModeNotice);
        script.Click(dialog, dialog.Button2().GetRect());
    });
    char row[8];
    std::snprintf(row, sizeof row, "%04d", dialog.TextRect().Height());
    dialog.Show(QVDialog::kModeNotice, std::string("a$y") + row + "$dKabu$$");
}

TEST_P(MessagePopup, QuittingDuringTheLoopEndsTheShowingAsDeclined) {
    int refreshes = 0;
    std::vector<bool> openAtRefresh;
    dialog.onRefreshPanels = [&] {
        ++refreshes;
        openAtRefresh.push_back(dialog.IsOpen());
    };
    script.Then([&] {
        EXPECT_EQ(refreshes, 1);
        host.Window().PostQuit();
    });
    EXPECT_EQ(dialog.Show(QVDialog::kModeQuestion, Sj("終了しますか？")), QVDialog::kResultNo);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(openAtRefresh, (std::vector<bool>{false, false}));
    EXPECT_EQ(dialog.Show(QVDialog::kModeNotice, Sj("お知らせ")), QVDialog::kResultOk);
}

TEST(MessagePopupPlace, ThePopupIsCentredOnTheScreenAndPlacedInCanvasCoordinates) {
    // An XGA canvas in the middle of a larger screen.
    class OffsetHost : public FakeViewHost {
    public:
        Size ScreenSize() const override { return {1280, 1024}; }
        Point CanvasOffset() const override { return {128, 128}; }
    } host;
    QVDialog dialog(host);
    const Size size = host.Skin().BitmapSize(90);
    ASSERT_GT(size.width, 0);
    EXPECT_EQ(dialog.Bounds(),
              Rect::FromSize(640 - size.width / 2 - 128, 512 - size.height / 2 - 128, size.width, size.height));
    EXPECT_EQ(dialog.TextRect(), (Rect{14, 67, 607, 179}));
    EXPECT_EQ(dialog.TitleRect(), (Rect{14, 35, 607, 67}));
}

}  // namespace
}  // namespace valmore
