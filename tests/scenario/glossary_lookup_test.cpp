#include <gtest/gtest.h>

#include "platform/Sjis.h"
#include "scenario/Glossary.h"

namespace valmore {
namespace {

std::string Entry(int i, const std::string& key, const std::string& detail, const std::string& k1 = "") {
    return "{" + std::to_string(i) + " {KEYWORD0 \"" + key + "\"}{KEYWORD1 \"" + k1 + "\"}{KEYWORD2 \"\"}{SEARCHKEY \"" +
           key + "\"}{DETAIL \"" + detail + "\"}}";
}

TEST(Glossary, FindsEntriesStoredInAnyOrderByTheirExactKey) {
    std::string dict = "{root {Dict " + Entry(0, Sj("配当"), "d0") + Entry(1, Sj("株式"), "d1", Sj("かぶしき")) +
                       Entry(2, "PER", "d2") + Entry(3, Sj("空売り"), "d3") + Entry(4, "EPS", "d4") + "}}";
    CGlossary glossary;
    ASSERT_TRUE(glossary.LoadGlossaryFromBytes(dict, "QV.dict").Ok());
    EXPECT_EQ(glossary.EntryCount(), 5);
    for (const auto& [key, detail] : std::vector<std::pair<std::string, std::string>>{
             {Sj("配当"), "d0"}, {Sj("株式"), "d1"}, {"PER", "d2"}, {Sj("空売り"), "d3"}, {"EPS", "d4"}}) {
        const GlossaryEntry* entry = glossary.FindEntry(key);
        ASSERT_NE(entry, nullptr) << Cp932ToUtf8(key);
        EXPECT_EQ(entry->DETAIL, detail);
    }
    EXPECT_EQ(glossary.FindEntry(Sj("株式"))->KEYWORD1, std::optional<std::string>(Sj("かぶしき")));
    EXPECT_EQ(glossary.FindEntry("PER")->KEYWORD1, std::nullopt) << "an empty KEYWORD1 is no text";
}

TEST(Glossary, LookupIsExactBytewiseWithoutFolding) {
    std::string dict = "{root {Dict " + Entry(0, "PER", "x") + Entry(1, Sj("株価"), "y") + "}}";
    CGlossary glossary;
    ASSERT_TRUE(glossary.LoadGlossaryFromBytes(dict, "QV.dict").Ok());
    EXPECT_EQ(glossary.FindEntry("per"), nullptr) << "letter case differs";
    EXPECT_EQ(glossary.FindEntry(Sj("ＰＥＲ")), nullptr) << "full-width differs from half-width";
    EXPECT_EQ(glossary.FindEntry("PE"), nullptr) << "no prefix matching";
    EXPECT_EQ(glossary.FindEntry(""), nullptr);
    EXPECT_EQ(glossary.FindEntry(Sj("株")), nullptr);
    EXPECT_EQ(glossary.FindEntry("\xff\xff"), nullptr) << "a key above every entry stays inside the index";
}

TEST(Glossary, OneOfTwoEntriesWithTheSameKeyIsAlwaysFound) {
    std::string dict = "{root {Dict " + Entry(0, "B", "b") + Entry(1, "A", "first") + Entry(2, "C", "c") +
                       Entry(3, "A", "second") + "}}";
    CGlossary glossary;
    ASSERT_TRUE(glossary.LoadGlossaryFromBytes(dict, "QV.dict").Ok());
    const GlossaryEntry* entry = glossary.FindEntry("A");
    ASSERT_NE(entry, nullptr);
    const GlossaryEntry* again = glossary.FindEntry("A");
    EXPECT_EQ(entry, again);
}

TEST(Glossary, EmptyMissingOrIncompleteDictionariesFindNothingAndNeverFail) {
    CGlossary glossary;
    EXPECT_FALSE(glossary.LoadGlossary("/nonexistent/QV.dict").document.Ok());
    EXPECT_EQ(glossary.FindEntry("A"), nullptr);

    EXPECT_TRUE(glossary.LoadGlossaryFromBytes("{root {Dict }}", "QV.dict").Ok());
    EXPECT_EQ(glossary.EntryCount(), 0);
    EXPECT_EQ(glossary.FindEntry("A"), nullptr);

    GlossaryLoadResult incomplete = glossary.LoadGlossaryFromBytes(
        "{root {Dict {0 {KEYWORD0 \"A\"}{DETAIL \"x\"}}{1 {SEARCHKEY \"B\"}}{2 {SEARCHKEY \"C\"}{DETAIL \"c\"}}}}",
        "QV.dict");
    EXPECT_EQ(incomplete.problems.size(), 2u);
    EXPECT_EQ(glossary.EntryCount(), 1);
    EXPECT_EQ(glossary.FindEntry("B"), nullptr);
    ASSERT_NE(glossary.FindEntry("C"), nullptr);
    EXPECT_EQ(glossary.FindEntry("C")->KEYWORD0, std::nullopt);
}

TEST(Glossary, ALargeAlreadySortedDictionaryLoadsAndFindsEveryKey) {
    // Sorted input is the worst case of a first-element pivot; it must neither recurse deeply nor fail.
    std::string dict = "{root {Dict ";
    const int n = 5000;
    char key[16];
    for (int i = 0; i < n; ++i) {
        std::snprintf(key, sizeof key, "K%06d", i);
        dict += Entry(i, key, "d");
    }
    dict += "}}";
    CGlossary glossary;
    ASSERT_TRUE(glossary.LoadGlossaryFromBytes(dict, "QV.dict").Ok());
    for (int i = 0; i < n; i += 97) {
        std::snprintf(key, sizeof key, "K%06d", i);
        EXPECT_NE(glossary.FindEntry(key), nullptr) << key;
    }
}

}  // namespace
}  // namespace valmore
