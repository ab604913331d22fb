#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ProgramPath.h"
#include "platform/Sjis.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
}

TEST(ProgramPaths, ComponentsMatchDirectoryEntriesIgnoringAsciiCase) {
    test::TempDir dir;
    Touch(dir / "SR/SXGA/Comm/Touroku.bmp");
    Touch(dir / "SR/XGA/Main/bg.bmp");
    EXPECT_EQ(MapProgramPath(dir.Path(), "SR\\SXGA\\Comm\\touroku.bmp"), dir / "SR/SXGA/Comm/Touroku.bmp");
    EXPECT_EQ(MapProgramPath(dir.Path(), "sr\\xga\\MAIN\\BG.BMP"), dir / "SR/XGA/Main/bg.bmp");
    EXPECT_EQ(MapProgramPath(dir.Path(), "SR/XGA//Main\\.\\bg.bmp"), dir / "SR/XGA/Main/bg.bmp");
}

TEST(ProgramPaths, TheExactSpellingWinsOverOtherCaseVariants) {
    test::TempDir dir;
    Touch(dir / "data/Notes.txt");
    Touch(dir / "data/notes.txt");
    Touch(dir / "data/NOTES.txt");
    EXPECT_EQ(MapProgramPath(dir.Path(), "data\\notes.txt"), dir / "data/notes.txt");
    EXPECT_EQ(MapProgramPath(dir.Path(), "data\\Notes.txt"), dir / "data/Notes.txt");
    // No exact match: the first in name order, so the choice does not depend on the file system.
    EXPECT_EQ(MapProgramPath(dir.Path(), "data\\notes.TXT"), dir / "data/NOTES.txt");
}

TEST(ProgramPaths, JapaneseNamesBecomeUtf8AndTrailBytesAreNotSeparators) {
    test::TempDir dir;
    Touch(dir / "data/操作練習.scn");
    Touch(dir / "data/表示ソフト/予定表.txt");  // 表 and ソ end in the byte of "\"
    EXPECT_EQ(MapProgramPath(dir.Path(), Sj("data\\操作練習.scn")), dir / "data/操作練習.scn");
    EXPECT_EQ(MapProgramPath(dir.Path(), Sj("DATA\\表示ソフト\\予定表.txt")), dir / "data/表示ソフト/予定表.txt");
}

TEST(ProgramPaths, MissingFilesKeepTheirSpellingSoTheyCanBeCreated) {
    test::TempDir dir;
    fs::create_directories(dir / "Data");
    EXPECT_EQ(MapProgramPath(dir.Path(), "data\\new\\result.dat"), dir / "Data/new/result.dat");
    EXPECT_EQ(MapProgramPath(dir.Path(), "snapshot.dat"), dir / "snapshot.dat");
}

TEST(ProgramPaths, PathsThatClimbOutOfTheBaseMapToNothing) {
    test::TempDir dir;
    EXPECT_TRUE(MapProgramPath(dir.Path(), "..\\secret.txt").empty());
    EXPECT_TRUE(MapProgramPath(dir.Path(), "data\\..\\..\\x").empty());
}

TEST(ProgramPaths, AnEmptyBaseMeansTheWorkingFolder) {
    test::TempDir dir;
    Touch(dir / "SR/XGA/Main/01.bmp");
    const fs::path previous = fs::current_path();
    fs::current_path(dir.Path());
    const fs::path mapped = MapProgramPath({}, "sr\\xga\\main\\01.bmp");
    fs::current_path(previous);
    EXPECT_EQ(mapped, fs::path("SR/XGA/Main/01.bmp"));
}

TEST(ProgramFileSearch, ListsMatchingFilesAsShiftJisNamesInNameOrder) {
    test::TempDir dir;
    Touch(dir / "Data/b.scn");
    Touch(dir / "Data/A.SCN");
    Touch(dir / "Data/操作練習.scn");
    Touch(dir / "Data/readme.txt");
    Touch(dir / "Data/x.scn.bak");
    fs::create_directories(dir / "Data/folder.scn");
    const std::vector<std::string> found = FindProgramFiles(dir.Path(), "data\\*.scn");
    EXPECT_EQ(found, (std::vector<std::string>{"A.SCN", "b.scn", Sj("操作練習.scn")}));

    EXPECT_TRUE(FindProgramFiles(dir.Path(), "nothing\\*.scn").empty());
    EXPECT_TRUE(FindProgramFiles(dir.Path(), "..\\*").empty());
}

TEST(ProgramFileSearch, NamesThatShiftJisCannotHoldAreLeftOut) {
    test::TempDir dir;
    Touch(dir / "data/ok.scn");
    Touch(dir / "data/emoji😀.scn");
    Touch(dir / "data/한국.scn");
    EXPECT_EQ(FindProgramFiles(dir.Path(), "data\\*.scn"), (std::vector<std::string>{"ok.scn"}));
}

TEST(ProgramFileSearch, WildcardsMatchWholeCharacters) {
    EXPECT_TRUE(MatchesProgramPattern("*.scn", "a.SCN"));
    EXPECT_TRUE(MatchesProgramPattern("*", ""));
    EXPECT_TRUE(MatchesProgramPattern("a*b*c", "aXXbYYbc"));
    EXPECT_FALSE(MatchesProgramPattern("*.scn", "a.scnx"));
    EXPECT_FALSE(MatchesProgramPattern("a?c", "ac"));
    // "?" takes one two-byte character, not one byte of it.
    EXPECT_TRUE(MatchesProgramPattern(Sj("?練習.scn"), Sj("操練習.scn")));
    EXPECT_FALSE(MatchesProgramPattern(Sj("??練習.scn"), Sj("操練習.scn")));
    // "ア" and "ヂ" end in the bytes of "A" and "a"; folding those would make them equal.
    EXPECT_FALSE(MatchesProgramPattern(Sj("ア"), Sj("ヂ")));
}

}  // namespace
}  // namespace valmore
