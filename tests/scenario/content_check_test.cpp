#include <gtest/gtest.h>

#include "platform/Sjis.h"
#include "scenario/ScenarioCheck.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

std::string Joined(const std::vector<std::string>& problems) {
    std::string all;
    for (const std::string& p : problems) all += p + "\n";
    return all;
}

CGlossary DictionaryWith(const std::string& key) {
    CGlossary glossary;
    glossary.LoadGlossaryFromBytes("{root {Dict {0 {KEYWORD0 \"\"}{KEYWORD1 \"\"}{KEYWORD2 \"\"}{SEARCHKEY \"" + key +
                                       "\"}{DETAIL \"x\"}}}}",
                                   "QV.dict");
    return glossary;
}

TEST(MarkupCheck, LinkKeysMustResolveInTheGlossary) {
    CGlossary dict = DictionaryWith(Sj("配当"));
    EXPECT_TRUE(CheckMarkupText(Sj("今期は$d配当$$を増やす"), "t", &dict).empty()) << "an empty key is the display text";
    EXPECT_TRUE(CheckMarkupText(Sj("$d配当金$配当$が出る"), "t", &dict).empty());
    std::string missing = Joined(CheckMarkupText(Sj("$d増配$$"), "event 2, Detail", &dict));
    EXPECT_NE(missing.find("event 2, Detail: link key \"増配\" is not in the glossary"), std::string::npos) << missing;
    EXPECT_TRUE(CheckMarkupText(Sj("$d増配$$"), "t", nullptr).empty()) << "without a glossary keys are not looked up";
}

TEST(MarkupCheck, UnclosedLinkCodesAndTextsBeyondTheEngineLimitsAreReported) {
    EXPECT_NE(Joined(CheckMarkupText("abc $dword$key", "t", nullptr)).find("not closed"), std::string::npos);
    EXPECT_NE(Joined(CheckMarkupText("$dword", "t", nullptr)).find("not closed"), std::string::npos);
    EXPECT_NE(Joined(CheckMarkupText(std::string(5000, 'a'), "t", nullptr)).find("5000 bytes"), std::string::npos);
    EXPECT_NE(Joined(CheckMarkupText("a$pb$pc$pd$pe$pf", "t", nullptr)).find("more than 5 pages"), std::string::npos);
    EXPECT_TRUE(CheckMarkupText("a$pb$pc$pd$pe", "t", nullptr).empty()) << "five pages are allowed";
    EXPECT_NE(Joined(CheckMarkupText("$g012$g012$g012$g012$g012", "t", nullptr)).find("more than 4 images"),
              std::string::npos);
    std::string longPage(1001, 'a');
    EXPECT_NE(Joined(CheckMarkupText(longPage, "t", nullptr)).find("1000 characters"), std::string::npos);
    EXPECT_TRUE(CheckMarkupText(std::string(600, 'a') + "$p" + std::string(600, 'a'), "t", nullptr).empty());
    EXPECT_TRUE(CheckMarkupText("$c255000000&x&$f12$h05$x0100$y0020$m0003$n$zq$", "t", nullptr).empty())
        << "codes are not characters, and a trailing $ ends the text";
}

TEST(ContentCheck, ListsEveryProblemOfAScenarioFile) {
    test::TempDir dir;
    auto file = dir.Write("s.scn", Sj("{root {Header {ID \"X\"}{Title \"t\"}{Category \"0\"}{Mode \"0\"}{Level \"1\"}"
                                      "{Duration \"1\"}{EstimatedTime \"1\"}}"
                                      "{Product {0 {Name \"A\"}{Code \"1\"}{Price \"10\"}{InfoNo \"1\"}}}"
                                      "{Market {Interest \"1\"}{Exchange \"1\"}{N225 \"1\"}}"
                                      "{PrdInfo {1 \"$d未登録$$\"}}"
                                      "{Event {0 {Detail \"$d配当$$ $dopen\"}{Motion {0 {Price \"11\"}}}}}}"));
    CGlossary dict = DictionaryWith(Sj("配当"));
    std::vector<std::string> problems = CheckContentFile(file, &dict);
    std::string all = Joined(problems);
    EXPECT_EQ(problems.size(), 3u) << all;
    EXPECT_NE(all.find("\"FundAmount\" is missing"), std::string::npos) << all;
    EXPECT_NE(all.find("event 0, Detail: a link code is not closed"), std::string::npos) << all;
    EXPECT_NE(all.find("PrdInfo 1: link key \"未登録\""), std::string::npos) << all;
}

TEST(ContentCheck, AGlossaryIsCheckedAgainstItself) {
    test::TempDir dir;
    auto file = dir.Write("QV.dict", Sj("{root {Dict {0 {KEYWORD0 \"株価\"}{KEYWORD1 \"\"}{KEYWORD2 \"\"}"
                                        "{SEARCHKEY \"株価\"}{DETAIL \"$d株式$$の値段\"}}"
                                        "{1 {KEYWORD0 \"株式\"}{KEYWORD1 \"\"}{KEYWORD2 \"\"}{SEARCHKEY \"株式\"}"
                                        "{DETAIL \"$d銘柄$$ごとに\"}}}}"));
    std::string all = Joined(CheckContentFile(file, nullptr));
    EXPECT_NE(all.find("entry \"株式\": link key \"銘柄\" is not in the glossary"), std::string::npos) << all;
    EXPECT_EQ(all.find("株価\": link"), std::string::npos) << all;
}

TEST(ContentCheck, AnUnreadableFileIsOneProblem) {
    test::TempDir dir;
    EXPECT_EQ(CheckContentFile(dir / "missing.scn", nullptr).size(), 1u);
    EXPECT_EQ(CheckContentFile(dir.Write("bad.scn", "not a tree"), nullptr).size(), 1u);
}

}  // namespace
}  // namespace valmore
