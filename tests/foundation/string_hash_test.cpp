#include <gtest/gtest.h>

#include "foundation/string_hash.h"

TEST(StringHash, KnownValuesWithin28Bits) {
    EXPECT_EQ(StringHash(""), 0u);
    EXPECT_EQ(StringHash("AB"), 0x452u);  // (0x41 << 4) + 0x42
    // From the eighth character on the top nibble is folded back and cleared.
    EXPECT_EQ(StringHash("00000000"), 0x3333000u);
    EXPECT_EQ(StringHash("000000000"), 0x3330000u);
    EXPECT_EQ(StringHash("6B29FC40-CA47-1067-B31D-00DD010662DA"), 0x8407D91u);
    EXPECT_LT(StringHash(std::string(200, '\xFF')), 0x10000000u);
}
