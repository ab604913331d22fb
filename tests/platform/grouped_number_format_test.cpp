#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/TextFormat.h"

namespace valmore {
namespace {

TEST(GroupedNumberFormat, IntegersGetACommaEveryThreeDigits) {
    EXPECT_EQ(FormatGrouped(0), "0");
    EXPECT_EQ(FormatGrouped(999), "999");
    EXPECT_EQ(FormatGrouped(1000), "1,000");
    EXPECT_EQ(FormatGrouped(-999), "-999");
    EXPECT_EQ(FormatGrouped(-1234567), "-1,234,567");
    EXPECT_EQ(FormatGrouped(100000), "100,000");
    EXPECT_EQ(FormatGrouped(std::numeric_limits<std::int64_t>::min()), "-9,223,372,036,854,775,808");
}

TEST(GroupedNumberFormat, RealsKeepTwoDecimalsAfterTheGroupedDigits) {
    EXPECT_EQ(FormatGroupedReal(120.5), "120.50");
    EXPECT_EQ(FormatGroupedReal(12345.678), "12,345.68");
    EXPECT_EQ(FormatGroupedReal(-0.5), "-0.50");
    EXPECT_EQ(FormatGroupedReal(999.999), "1,000.00");
    EXPECT_EQ(FormatGroupedReal(-1234567.0), "-1,234,567.00");
    EXPECT_EQ(FormatGroupedReal(0.0), "0.00");
}

TEST(GroupedNumberFormat, NonFiniteRealsAreShownAsPrinted) {
    EXPECT_EQ(FormatGroupedReal(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(FormatGroupedReal(1e20), "100,000,000,000,000,000,000.00");
}

}  // namespace
}  // namespace valmore
