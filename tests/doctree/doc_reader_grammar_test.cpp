#include <gtest/gtest.h>

#include "doctree/DocTree.h"
#include "platform/Sjis.h"

namespace valmore {
namespace {

// Names of the children of the cursor node, in order.
std::vector<std::string> ChildNames(const CDocTree& tree) {
    std::vector<std::string> names;
    for (const CDocNode* c = tree.Cursor()->firstChild; c != nullptr; c = c->nextSibling) names.push_back(c->name);
    return names;
}

TEST(DocReaderGrammar, NodeOnOneLineAndValuesSpanningLines) {
    CDocTree tree;
    ASSERT_TRUE(
        tree.LoadFromBytes("{root\r\n{Title \"abc\"}\r\n{Detail\r\n\t\"line1\r\nline2\n\"\r\n}\r\n}\r\n", "t").Ok());
    EXPECT_EQ(tree.Root()->name, "root");
    EXPECT_EQ(tree.GetChildText("Title"), "abc");
    EXPECT_EQ(tree.GetChildText("Detail"), "line1\r\nline2\n");
}

TEST(DocReaderGrammar, LastValueWinsAndEmptyValueIsNotAbsent) {
    CDocTree tree;
    ASSERT_TRUE(tree.LoadFromBytes("{root {A \"first\" \"second\"} {E \"\"} {N } }", "t").Ok());
    EXPECT_EQ(tree.GetChildText("A"), "second");
    EXPECT_EQ(tree.GetChildText("E"), "");
    EXPECT_EQ(tree.GetChildText("N"), std::nullopt);
    EXPECT_EQ(tree.GetChildText("Missing"), std::nullopt);
}

TEST(DocReaderGrammar, NumberSignDeletesUpToTheNextCarriageReturnEvenInsideValues) {
    CDocTree tree;
    // The comment swallows the closing quote, so the value runs on to the next quote character;
    // the CR that ended the comment stays in the value.
    ASSERT_TRUE(tree.LoadFromBytes("{root # note\r\n{V \"ab#cd\"}\r\nef\" }\r\n{W \"x\"}}", "t").Ok());
    EXPECT_EQ(tree.GetChildText("V"), "ab\r\nef");
    EXPECT_EQ(tree.GetChildText("W"), "x");
}

TEST(DocReaderGrammar, NumberSignWithoutCarriageReturnDeletesTheRestOfTheText) {
    CDocTree tree;
    ASSERT_TRUE(tree.LoadFromBytes("{root\n{A \"1\"}\n# gone\n{B \"2\"}\n}\n", "t").Ok());
    EXPECT_EQ(tree.GetChildText("A"), "1");
    EXPECT_EQ(tree.FindChild("B"), nullptr);
}

TEST(DocReaderGrammar, MissingClosingBracesAtTheEndAreAccepted) {
    CDocTree tree;
    ASSERT_TRUE(tree.LoadFromBytes("{root\n{Events\n{0\n{Id \"a\"}\n", "t").Ok());
    ASSERT_TRUE(tree.EnterChild("Events"));
    ASSERT_TRUE(tree.EnterChild("0"));
    EXPECT_EQ(tree.GetChildText("Id"), "a");
}

TEST(DocReaderGrammar, AnythingAfterTheRootIsIgnored) {
    CDocTree tree;
    ASSERT_TRUE(tree.LoadFromBytes("{root {A \"1\"}} trailing {B \"2\"} \"x", "t").Ok());
    EXPECT_EQ(ChildNames(tree), std::vector<std::string>{"A"});
}

// A hand-written scenario with a comment line between two events must keep every event.
TEST(DocReaderGrammar, CommentLinesBetweenSiblingsDoNotLoseEarlierSiblings) {
    CDocTree tree;
    const char* text =
        "{root\r\n"
        "; events follow\r\n"
        "{0 \"a\"}\r\n"
        "; the second event\r\n"
        "; and another comment\r\n"
        "{1 \"b\"}\n"
        "; bare LF line ends too\n"
        "{2 \"c\"}\n"
        "}\r\n";
    ASSERT_TRUE(tree.LoadFromBytes(text, "t").Ok());
    EXPECT_EQ(ChildNames(tree), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(tree.CountChildren(), 3);
}

TEST(DocReaderGrammar, ASecondRunOfChildrenAfterAValueReplacesTheFirst) {
    CDocTree tree;
    ASSERT_TRUE(tree.LoadFromBytes("{root {A \"1\"} {B \"2\"} \"v\" {C \"3\"} }", "t").Ok());
    EXPECT_EQ(tree.Root()->value, "v");
    EXPECT_EQ(ChildNames(tree), std::vector<std::string>{"C"});
    ASSERT_TRUE(tree.EnterChild("C"));
    tree.ExitToParent();
    EXPECT_EQ(tree.Cursor(), tree.Root());
}

TEST(DocReaderGrammar, ShiftJisTrailBytesThatLookLikeStructureStayInValues) {
    const std::string value = Sj("ボマ表ソ能ボマ表ソ能");  // trail bytes 0x7B, 0x7D, 0x5C
    CDocTree tree;
    ASSERT_TRUE(tree.LoadFromBytes("{root\n{Detail \"" + value + "\"}\n{Next \"" + value + "\"}\n}\n", "t").Ok());
    EXPECT_EQ(tree.GetChildText("Detail"), value);
    EXPECT_EQ(tree.GetChildText("Next"), value);
}

TEST(DocReaderGrammar, NamesAreExactBytesAndLookupsTakeTheFirstMatch) {
    CDocTree tree;
    ASSERT_TRUE(tree.LoadFromBytes("{root {Id \"1\"} {id \"2\"} {Id \"3\"} {a;b \"4\"}}", "t").Ok());
    EXPECT_EQ(tree.GetChildText("Id"), "1");
    EXPECT_EQ(tree.GetChildText("id"), "2");
    EXPECT_EQ(tree.GetChildText("a;b"), "4");  // a semicolon inside a name is part of it
    EXPECT_EQ(tree.CountChildren(), 4);
}

}  // namespace
}  // namespace valmore
