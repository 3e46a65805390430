#include "formats/text_numbers.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

using strumvale::formats::leadingInteger;

TEST(TextNumbers, ALeadingIntegerIsReadAsFarAsItGoesAndClamped) {
    EXPECT_EQ(leadingInteger("60bpm"), 60);
    EXPECT_EQ(leadingInteger("  -12 x"), -12);
    EXPECT_EQ(leadingInteger("+7"), 7);
    EXPECT_EQ(leadingInteger(""), 0);
    EXPECT_EQ(leadingInteger("fast"), 0);
    EXPECT_EQ(leadingInteger("99999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(leadingInteger("-99999999999"), std::numeric_limits<std::int32_t>::min());
}
