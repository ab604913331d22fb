#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

#include "net/UserAccount.h"
#include "platform/Sjis.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

unsigned Permissions(const std::filesystem::path& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return info.st_mode & 0777;
}

TEST(AccountFile, ValuesUpToTheDialogLimitsComeBackWholeFromAnOwnerOnlyFile) {
    test::TempDir dir;
    const std::filesystem::path file = CUserAccount::FileIn(dir.Path());
    CUserAccount account;
    account.UserID = std::string(32, 'i');
    account.Nickname = Sj("あいうえおかきくけこ");
    account.Password = std::string(16, 'p');
    std::string message;
    ASSERT_TRUE(account.Save(file, &message));
    EXPECT_EQ(Permissions(file), 0600u);

    CUserAccount read;
    EXPECT_EQ(read.Load(file).status, AccountFileStatus::Loaded);
    EXPECT_EQ(std::tie(read.UserID, read.Nickname, read.Password),
              std::tie(account.UserID, account.Nickname, account.Password));

    // A value the file cannot hold is refused and the previous file kept.
    account.Password = "a#b";
    EXPECT_FALSE(account.Save(file, &message));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(read.Load(file).status, AccountFileStatus::Loaded);
    EXPECT_EQ(read.Password, std::string(16, 'p'));
    EXPECT_EQ(CUserAccount().Load(dir / "nothing").status, AccountFileStatus::Missing);
}

TEST(AccountFile, ADamagedFileOrOneOthersCanReadLeavesAnEmptyAccountAndSaysSo) {
    test::TempDir dir;
    const std::string long32 = "{root\n{UserID\n\"" + std::string(40, 'x') + "\"}{Nickname\n\"" +
                               Sj("あいうえおかきくけこさ") + "\"}{Password\n\"" + std::string(20, 'y') + "\"}}";
    for (const std::string& bytes : {std::string("{root\n{UserID\n\"u\"}"), std::string("not a tree"),
                                     std::string("\x00\xff", 2), std::string("{root\n{UserID\nunquoted}}")}) {
        const std::filesystem::path file = dir.Write("account", bytes);
        ::chmod(file.c_str(), 0600);
        CUserAccount read;
        read.UserID = "before";
        const AccountFileResult result = read.Load(file);
        EXPECT_EQ(result.status, AccountFileStatus::Damaged) << bytes;
        EXPECT_FALSE(result.message.empty());
        EXPECT_EQ(read.UserID, "");
    }
    // Values longer than the dialog could have made are cut on a character boundary.
    const std::filesystem::path file = dir.Write("account", long32);
    ::chmod(file.c_str(), 0600);
    CUserAccount read;
    ASSERT_EQ(read.Load(file).status, AccountFileStatus::Loaded);
    EXPECT_EQ(read.UserID, std::string(32, 'x'));
    EXPECT_EQ(read.Nickname, Sj("あいうえおかきくけこ"));
    EXPECT_EQ(read.Password, std::string(16, 'y'));

    ::chmod(file.c_str(), 0644);
    const AccountFileResult refused = read.Load(file);
    EXPECT_EQ(refused.status, AccountFileStatus::Refused);
    EXPECT_NE(refused.message.find(Sj("他のユーザー")), std::string::npos);
    EXPECT_EQ(read.Password, "");
}

}  // namespace
}  // namespace valmore
