#include <gtest/gtest.h>

#include <string>

#include "ui/FakeViewHost.h"
#include "ui/LinkHistory.h"

namespace valmore {
namespace {

// The history behind BACK, shared by the information panel and the detail popup.
struct HistoryWithBack {
    test::FakeViewHost host;
    CSkinButton back{host, 114, 115, 116};
    CLinkHistory<std::string> history;

    HistoryWithBack() { history.SetBackButton(&back); }
};

TEST(LinkHistory, BackReturnsThroughThePagesNewestFirstAndIsDisabledWhenNoneAreLeft) {
    HistoryWithBack t;
    EXPECT_FALSE(t.back.enabled);
    t.history.Push("first");
    t.history.Push("second");
    EXPECT_TRUE(t.back.enabled);
    EXPECT_EQ(t.history.Pop(), "second");
    EXPECT_EQ(t.history.Pop(), "first");
    EXPECT_FALSE(t.back.enabled);
    EXPECT_EQ(t.history.Pop(), std::nullopt);

    t.history.Push("again");
    t.history.Clear();
    EXPECT_TRUE(t.history.Empty());
    EXPECT_FALSE(t.back.enabled);
}

TEST(LinkHistory, NinetyNinePagesAreKeptAndLaterOnesAreDropped) {
    HistoryWithBack t;
    for (int i = 0; i < 105; ++i) t.history.Push(std::to_string(i));
    EXPECT_EQ(t.history.Length(), kLinkHistoryCapacity);
    EXPECT_EQ(t.history.Pop(), "98") << "the oldest pages stay; the newest were not kept";
}

}  // namespace
}  // namespace valmore
