#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "foundation/guid_hash.h"

TEST(GuidHash, GuidTextAndFreshHashes) {
    const GUID guid = {0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}};
    EXPECT_EQ(GuidText(guid), "6B29FC40-CA47-1067-B31D-00DD010662DA");  // no braces
    std::set<int> seen;
    for (int i = 0; i < 50; ++i) {
        const int h = NewGuidHash();
        EXPECT_GE(h, 0);
        seen.insert(h);
    }
    EXPECT_GE(seen.size(), 49u);
}
