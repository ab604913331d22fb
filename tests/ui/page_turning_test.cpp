#include <gtest/gtest.h>

#include "ui/FakeViewHost.h"
#include "ui/PagedText.h"
#include "ui/Pager.h"

namespace valmore {
namespace {

// A paged text with its two page buttons, as every popup and panel that shows markup wires it.
struct PagedTextWithButtons {
    test::FakeViewHost host;
    CSkinButton previous{host, 78, 76, 77};
    CSkinButton next{host, 83, 81, 82};
    CPagedText text;

    PagedTextWithButtons() { text.SetButtons(&previous, &next); }
    void Show(const char* markup) { text.Layout(host.Skin(), markup, Rect{0, 0, 400, 100}); }
};

TEST(PageTurning, TheButtonsLeadOnlyToPagesThatExist) {
    PagedTextWithButtons t;
    t.Show("one$ptwo$pthree");
    EXPECT_EQ(t.text.PageCount(), 3);
    EXPECT_FALSE(t.previous.enabled);
    EXPECT_TRUE(t.next.enabled);

    EXPECT_TRUE(t.text.NextPage());
    EXPECT_TRUE(t.text.NextPage());
    EXPECT_FALSE(t.text.NextPage()) << "the last page is as far as it goes";
    EXPECT_EQ(t.text.Page(), 2);
    EXPECT_TRUE(t.previous.enabled);
    EXPECT_FALSE(t.next.enabled);

    t.text.SetPage(7);
    EXPECT_EQ(t.text.Page(), 2);
    t.text.SetPage(-1);
    EXPECT_EQ(t.text.Page(), 0);
    EXPECT_FALSE(t.text.PreviousPage());
}

TEST(PageTurning, ANewTextStartsOnItsFirstPageAndAnEmptiedOneHasNoPagesToTurnTo) {
    PagedTextWithButtons t;
    t.Show("a$pb$pc");
    t.text.SetPage(2);
    t.Show("x$py");
    EXPECT_EQ(t.text.Page(), 0);
    EXPECT_TRUE(t.next.enabled);

    t.Show("single");
    EXPECT_FALSE(t.previous.enabled || t.next.enabled);

    t.text.Reset();
    EXPECT_EQ(t.text.PageCount(), 0);
    EXPECT_FALSE(t.previous.enabled || t.next.enabled);
    EXPECT_FALSE(t.text.NextPage());
}

TEST(PageTurning, ALinkIsFoundOnlyOnThePageShown) {
    PagedTextWithButtons t;
    t.Show("$dKabu$$$pplain");
    const MarkupFragment& link = t.text.Markup().Fragments(0)[0];
    EXPECT_EQ(t.text.FindLink(link.rect.left + 1, link.rect.top + 1), "Kabu");
    t.text.NextPage();
    EXPECT_EQ(t.text.FindLink(link.rect.left + 1, link.rect.top + 1), std::nullopt);
}

TEST(PageTurning, ListsTakeAsManyPagesAsTheirRowsFill) {
    EXPECT_EQ(CPager::PagesFor(0, 4), 1);
    EXPECT_EQ(CPager::PagesFor(4, 4), 1);
    EXPECT_EQ(CPager::PagesFor(5, 4), 2);
    EXPECT_EQ(CPager::PagesFor(9, 0), 1) << "without a row there is no page to turn to";

    CPager pager;
    pager.SetPageCount(3);
    pager.SetPage(2);
    pager.SetPageCount(2);
    EXPECT_EQ(pager.Page(), 1) << "a shorter list keeps the page inside it";
}

}  // namespace
}  // namespace valmore
