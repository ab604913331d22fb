// A password checked once costs no second Argon2id in the same process, and a stored hash that
// changed is checked in full again.

#include <gtest/gtest.h>

#include "server/PasswordCheck.h"

namespace valmore {
namespace {

TEST(PasswordCheck, RepeatedChecksOfOnePairSkipArgon2idUntilTheStoredHashChanges) {
    CPasswordCheck check(1);
    const std::string hash = check.Hash("first");
    EXPECT_EQ(hash.rfind("$argon2id$", 0), 0u);
    EXPECT_TRUE(check.Verify("kana", "first", hash));
    EXPECT_TRUE(check.Verify("kana", "first", hash));
    EXPECT_TRUE(check.Verify("kana", "first", hash));
    EXPECT_EQ(check.FullVerifications(), 1);
    EXPECT_FALSE(check.Verify("kana", "wrong", hash));
    EXPECT_FALSE(check.Verify("other", "first", "$argon2id$v=19$m=65536,t=2,p=1$broken"));
    const std::string changed = check.Hash("first");
    EXPECT_TRUE(check.Verify("kana", "first", changed));
    EXPECT_EQ(check.FullVerifications(), 4);
    EXPECT_FALSE(check.Verify("kana", "first", hash + "x"));
}

}  // namespace
}  // namespace valmore
