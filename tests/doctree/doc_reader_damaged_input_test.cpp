#include <gtest/gtest.h>

#include "doctree/DocTree.h"
#include "platform/Sjis.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

class RecordingSink : public IDocErrorSink {
public:
    void ReportFormatError(const DocLoadResult& result) override { reports.push_back(result); }
    std::vector<DocLoadResult> reports;
};

TEST(DocReaderDamagedInput, AnUnquotedValueIsAFormatErrorReportedWithFileAndPlace) {
    RecordingSink sink;
    CDocTree tree(&sink);
    DocLoadResult result = tree.LoadFromBytes("{root\n{A \"1\"}\n{B 12}\n{C \"3\"}\n}\n", "data/x.scn");
    EXPECT_EQ(result.status, DocLoadStatus::FormatError);
    EXPECT_EQ(result.file, "data/x.scn");
    EXPECT_EQ(result.reason, "format error at byte 17 (line 3)");
    EXPECT_EQ(result.Message(), "data/x.scn: format error at byte 17 (line 3)");
    ASSERT_EQ(sink.reports.size(), 1u);
    EXPECT_EQ(sink.reports[0].reason, result.reason);
    // What was read before the error is kept; nothing after it.
    EXPECT_EQ(tree.Cursor(), tree.Root());
    EXPECT_EQ(tree.GetChildText("A"), "1");
    EXPECT_NE(tree.FindChild("B"), nullptr);
    EXPECT_EQ(tree.FindChild("C"), nullptr);
}

TEST(DocReaderDamagedInput, ErrorPlaceCountsTheBytesOfDeletedComments) {
    CDocTree tree;
    DocLoadResult result = tree.LoadFromBytes("{root # a comment\r\n x}", "t");
    EXPECT_EQ(result.reason, "format error at byte 20 (line 2)");
}

TEST(DocReaderDamagedInput, TextWithoutANodeLeavesATreeWithoutRoot) {
    for (const char* text : {"", " \r\n\t ", "root {A \"1\"}", "; comment\r\n{root}", "\"v\""}) {
        RecordingSink sink;
        CDocTree tree(&sink);
        DocLoadResult result = tree.LoadFromBytes(text, "t");
        EXPECT_EQ(result.status, DocLoadStatus::FormatError) << text;
        EXPECT_EQ(sink.reports.size(), 1u);
        EXPECT_EQ(tree.Root(), nullptr);
        tree.MoveToRoot();
        EXPECT_EQ(tree.CountChildren(), 0);
        EXPECT_FALSE(tree.EnterChild("A"));
        EXPECT_EQ(tree.GetChildText("A"), std::nullopt);
        tree.ExitToParent();
        tree.AddTextChild("A", "1");
        EXPECT_EQ(tree.ToText(), "");
    }
}

TEST(DocReaderDamagedInput, TextsOutsideTheGrammarEndCleanly) {
    using namespace std::string_literals;
    const std::pair<std::string, DocLoadStatus> cases[] = {
        {"{root"s, DocLoadStatus::Ok},  // the name runs to the end
        {"{"s, DocLoadStatus::Ok},
        {"{root {A \"unterminated"s, DocLoadStatus::FormatError},
        {"{root {A \"1\"} ; comment without line end"s, DocLoadStatus::Ok},
        {"{root\n;\n;"s, DocLoadStatus::Ok},
        {"{root {A \"1\"} \0 {B}"s, DocLoadStatus::FormatError},
        {"{root }}}}}"s, DocLoadStatus::Ok},
    };
    for (const auto& [text, status] : cases) {
        CDocTree tree;
        EXPECT_EQ(tree.LoadFromBytes(text, "t").status, status) << text;
        ASSERT_NE(tree.Root(), nullptr);
    }
    CDocTree tree;
    tree.LoadFromBytes("{root {A \"1\"} {B \"unterminated", "t");
    EXPECT_EQ(tree.GetChildText("A"), "1");
    EXPECT_EQ(tree.GetChildText("B"), std::nullopt);
}

TEST(DocReaderDamagedInput, AMillionNestedNodesNeitherOverflowNorLose) {
    constexpr int kDepth = 1000000;
    std::string text;
    text.reserve(kDepth * 3 + 16);
    for (int i = 0; i < kDepth; ++i) text += "{a ";
    text += "\"deep\"";
    CDocTree tree;
    ASSERT_TRUE(tree.LoadFromBytes(std::move(text), "t").Ok());
    const CDocNode* node = tree.Root();
    int depth = 1;
    while (node->firstChild != nullptr) {
        node = node->firstChild;
        ++depth;
    }
    EXPECT_EQ(depth, kDepth);
    EXPECT_EQ(node->value, "deep");
    tree.Release();
    EXPECT_EQ(tree.Root(), nullptr);
}

TEST(DocReaderDamagedInput, MissingFileIsReportedAsNoDataWithoutTheSink) {
    RecordingSink sink;
    CDocTree tree(&sink);
    test::TempDir dir;
    DocLoadResult result = tree.Load(dir / "absent.dat");
    EXPECT_EQ(result.status, DocLoadStatus::CannotOpen);
    EXPECT_EQ(tree.Root(), nullptr);
    EXPECT_TRUE(sink.reports.empty());
    EXPECT_EQ(tree.Load(dir.Path()).status, DocLoadStatus::CannotOpen);
}

TEST(DocReaderDamagedInput, TheUserIsToldInJapanese) {
    EXPECT_EQ(Cp932ToUtf8(FormatErrorText()), "ファイルフォーマットが不正です。");
}

}  // namespace
}  // namespace valmore
