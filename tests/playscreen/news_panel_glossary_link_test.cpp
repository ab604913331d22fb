#include <gtest/gtest.h>

#include "news_panel_fixture.h"

namespace valmore {
namespace {

using test::NewsOnScreen;
using test::NewsScenario;

std::string DictEntry(int i, const std::string& key, const std::string& detail) {
    return "{" + std::to_string(i) + " {KEYWORD0 \"" + key + "\"}{KEYWORD1 \"\"}{KEYWORD2 \"\"}{SEARCHKEY \"" + key +
           "\"}{DETAIL \"" + detail + "\"}}";
}

// Day k's detail: a known glossary word, plain text, and a word whose key the glossary lacks.
std::string DetailWithLinks(int) {
    return Sj("今日は$d配当$$の話。$n$d謎$unknown$です。");
}

// The centre of the first fragment of the detail page carrying the key.
std::optional<Point> LinkPoint(const CNewsPanel& news, const std::string& key) {
    for (const MarkupFragment& f : news.Markup().Fragments(news.DetailPage())) {
        if (f.link && f.linkKey == key)
            return Point{(f.rect.left + f.rect.right) / 2, (f.rect.top + f.rect.bottom) / 2};
    }
    return std::nullopt;
}

class NewsGlossaryLink : public ::testing::TestWithParam<int> {
protected:
    NewsGlossaryLink() : t(GetParam(), NewsScenario(3, DetailWithLinks)) {
        const std::string dict = "{root {Dict " + DictEntry(0, Sj("配当"), Sj("利益の分配")) + "}}";
        EXPECT_TRUE(t.host.glossary.LoadGlossaryFromBytes(dict, "QV.dict").Ok());
        t.TickUntil(CDayController::kDay, CDayController::kOrders);
        t.ClickRow(0);
    }
    NewsOnScreen t;
};

TEST_P(NewsGlossaryLink, AClickOnALinkWordHandsItsEntryToTheInformationPanel) {
    const std::optional<Point> word = LinkPoint(t.news, Sj("配当"));
    ASSERT_TRUE(word);
    t.news.OnMouseUp(0, word->x, word->y);
    ASSERT_EQ(t.linked.size(), 1u);
    EXPECT_EQ(t.linked[0].detail, Sj("利益の分配"));
    EXPECT_EQ(t.news.CurrentView(), CNewsPanel::kDetailView) << "the news stays where it was";
}

TEST_P(NewsGlossaryLink, PlainTextAndWordsMissingFromTheGlossaryDoNothing) {
    const std::optional<Point> unknown = LinkPoint(t.news, "unknown");
    ASSERT_TRUE(unknown);
    t.news.OnMouseUp(0, unknown->x, unknown->y);
    const MarkupFragment& plain = t.news.Markup().Fragments(0)[0];
    ASSERT_FALSE(plain.link);
    t.news.OnMouseUp(0, plain.rect.left + 1, plain.rect.top + 1);
    t.news.OnMouseUp(0, t.news.InnerRect().left + 5, t.news.InnerRect().bottom - 3);
    EXPECT_TRUE(t.linked.empty());
}

TEST_P(NewsGlossaryLink, LinksAreDeadWhileTheDetailIsHidden) {
    const std::optional<Point> word = LinkPoint(t.news, Sj("配当"));
    ASSERT_TRUE(word);
    ASSERT_TRUE(t.Execute().Accepted());
    t.TickUntil(CDayController::kDay, CDayController::kPriceMove);
    t.news.OnMouseUp(0, word->x, word->y);
    EXPECT_TRUE(t.linked.empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, NewsGlossaryLink, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeSxga ? "Sxga" : "Xga"; });

}  // namespace
}  // namespace valmore
