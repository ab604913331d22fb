#include <gtest/gtest.h>

#include "doctree/DocTree.h"
#include "platform/Sjis.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

TEST(DocWriter, WritesTabIndentedLinesWithLfOnly) {
    CDocTree tree;
    tree.CreateRoot();
    tree.AddChild("0");
    ASSERT_TRUE(tree.EnterChild("0"));
    tree.AddTextChild("Id", "abc");
    tree.AddTextChild("Empty", "");
    tree.AddChild("NoValue");
    tree.ExitToParent();
    EXPECT_EQ(tree.ToText(),
              "{root\n"
              "\t{0\n"
              "\t\t{Id\n"
              "\t\t\t\"abc\"\n"
              "\t\t}\n"
              "\t\t{Empty\n"
              "\t\t\t\"\"\n"
              "\t\t}\n"
              "\t\t{NoValue\n"
              "\t\t}\n"
              "\t}\n"
              "}\n");
}

TEST(DocWriter, NumbersAreWrittenAsIntegersAndSixDecimalReals) {
    CDocTree tree;
    tree.CreateRoot();
    tree.AddIntChild("I", -2147483647 - 1);
    tree.AddRealChild("R", 0.03);
    tree.AddRealChild("Big", 12345678.5);
    EXPECT_EQ(tree.GetChildText("I"), "-2147483648");
    EXPECT_EQ(tree.GetChildText("R"), "0.030000");
    EXPECT_EQ(tree.GetChildText("Big"), "12345678.500000");
}

TEST(DocWriter, SaveThenLoadThenSaveGivesTheSameBytes) {
    test::TempDir dir;
    CDocTree tree;
    tree.CreateRoot();
    tree.AddChild("Header");
    tree.EnterChild("Header");
    tree.AddTextChild("Title", Sj("ボマ表ソ能の決算"));
    tree.AddTextChild("Detail", "line1\r\nline2\n{not a node}");
    tree.ExitToParent();
    tree.AddChild("Events");
    tree.EnterChild("Events");
    for (int i = 0; i < 3; ++i) {
        tree.AddChild(std::to_string(i));
        tree.EnterChild(std::to_string(i));
        tree.AddIntChild("Price", 1000 + i);
        tree.ExitToParent();
    }
    const auto first = dir / "result.dat";
    ASSERT_TRUE(tree.Save(first).ok);
    const std::string bytes = test::ReadFileBytes(first);
    EXPECT_EQ(bytes, tree.ToText());

    CDocTree loaded;
    ASSERT_TRUE(loaded.Load(first).Ok());
    EXPECT_EQ(loaded.TextSize(), bytes.size());
    ASSERT_TRUE(loaded.Save(dir / "again.dat").ok);
    EXPECT_EQ(test::ReadFileBytes(dir / "again.dat"), bytes);
    ASSERT_TRUE(loaded.EnterChild("Header"));
    EXPECT_EQ(loaded.GetChildText("Title"), Sj("ボマ表ソ能の決算"));
}

TEST(DocWriter, AFailedSaveReportsWhyAndWritesNothing) {
    test::TempDir dir;
    CDocTree tree;
    tree.CreateRoot();
    DocSaveResult result = tree.Save(dir / "missing" / "result.dat");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("result.dat"), std::string::npos) << result.error;
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

    // An empty tree has nothing a loader could read back, so it is not written over a file.
    const auto file = dir.Write("result.dat", "previous");
    CDocTree empty;
    EXPECT_FALSE(empty.Save(file).ok);
    EXPECT_EQ(test::ReadFileBytes(file), "previous");
}

TEST(DocWriter, TheTextGoesToTheChildJustAddedEvenWhenTheNameRepeats) {
    CDocTree tree;
    tree.CreateRoot();
    tree.AddTextChild("x", "a");
    tree.AddTextChild("x", "b");
    const CDocNode* first = tree.Root()->firstChild;
    ASSERT_NE(first->nextSibling, nullptr);
    EXPECT_EQ(first->value, "a");
    EXPECT_EQ(first->nextSibling->value, "b");
}

TEST(DocCursor, WalksLoadedTreesTheWayEveryLoaderDoes) {
    CDocTree tree;
    ASSERT_TRUE(
        tree.LoadFromBytes("{root\n{Events\n{0\n{Id \"a\"}\n}\n{1\n{Id \"b\"}\n{Leaf\n}\n}\n}\n{Other\n}\n}\n", "t")
            .Ok());
    tree.MoveToRoot();
    EXPECT_EQ(tree.CountChildren(), 2);
    ASSERT_TRUE(tree.EnterChild("Events"));
    EXPECT_EQ(tree.CountChildren(), 2);
    ASSERT_TRUE(tree.EnterChild("1"));
    EXPECT_EQ(tree.GetChildText("Id"), "b");
    // A missing name leaves the cursor where it was.
    EXPECT_FALSE(tree.EnterChild("Nope"));
    EXPECT_EQ(tree.GetChildText("Id"), "b");
    ASSERT_TRUE(tree.EnterChild("Leaf"));
    EXPECT_EQ(tree.CountChildren(), 0);
    tree.ExitToParent();
    tree.ExitToParent();
    ASSERT_EQ(tree.Cursor()->name, "Events");
    tree.ExitToParent();
    EXPECT_EQ(tree.Cursor(), tree.Root());
    tree.ExitToParent();  // at the root the cursor stays
    EXPECT_EQ(tree.Cursor(), tree.Root());
    EXPECT_TRUE(tree.EnterChild("Other"));
    tree.MoveToRoot();
    EXPECT_EQ(tree.Cursor(), tree.Root());
}

TEST(DocCursor, GetChildTextReturnsACopyAndAddChildKeepsOrder) {
    CDocTree tree;
    tree.CreateRoot();
    for (const char* name : {"b", "a", "c"}) tree.AddTextChild(name, name);
    std::optional<std::string> copy = tree.GetChildText("a");
    *copy = "changed";
    EXPECT_EQ(tree.GetChildText("a"), "a");
    std::string order;
    for (const CDocNode* c = tree.Root()->firstChild; c != nullptr; c = c->nextSibling) order += c->name;
    EXPECT_EQ(order, "bac");
    tree.SetText("rootvalue");
    EXPECT_EQ(tree.Root()->value, "rootvalue");
    // A tree that was loaded can be extended, and the new child comes after the read ones.
    CDocTree loaded;
    ASSERT_TRUE(loaded.LoadFromBytes("{root {A \"1\"} {B \"2\"}}", "t").Ok());
    loaded.AddIntChild("C", 3);
    EXPECT_EQ(loaded.Root()->lastChild->name, "C");
    EXPECT_EQ(loaded.Root()->firstChild->nextSibling->nextSibling->name, "C");
}

TEST(DocCursor, NumberTextsConvertLikeTheDataFilesExpect) {
    EXPECT_EQ(CDocTree::TextToInt("1,234,567"), 1234567);
    EXPECT_EQ(CDocTree::TextToInt("-5"), -5);
    EXPECT_EQ(CDocTree::TextToInt("  +42yen"), 42);
    EXPECT_EQ(CDocTree::TextToInt("abc"), 0);
    EXPECT_EQ(CDocTree::TextToInt(""), 0);
    EXPECT_EQ(CDocTree::TextToInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(CDocTree::TextToInt("-2,147,483,648"), -2147483647 - 1);
    EXPECT_EQ(CDocTree::TextToInt("-99999999999"), -2147483647 - 1);
    // Only the first 99 bytes count.
    EXPECT_EQ(CDocTree::TextToInt(std::string(98, ' ') + "78"), 7);
    EXPECT_DOUBLE_EQ(CDocTree::TextToReal("0.03"), 0.03);
    EXPECT_DOUBLE_EQ(CDocTree::TextToReal("-1,234.5x"), -1234.5);
    EXPECT_DOUBLE_EQ(CDocTree::TextToReal(" .5"), 0.5);
    EXPECT_DOUBLE_EQ(CDocTree::TextToReal("1e3"), 1000.0);
    EXPECT_EQ(CDocTree::TextToReal("inf"), 0.0);
    EXPECT_EQ(CDocTree::TextToReal("nan"), 0.0);
    EXPECT_EQ(CDocTree::TextToReal("1e999"), 0.0);
    EXPECT_EQ(CDocTree::TextToReal("-"), 0.0);
}

}  // namespace
}  // namespace valmore
