#include <gtest/gtest.h>

#include "foundation/replace_text.h"

namespace {
std::string Replaced(std::string s, const std::string& search, const std::string& replacement) {
    FastReplaceText(s, search, replacement);
    return s;
}
}  // namespace

TEST(FastReplaceText, EveryOccurrenceIgnoringCase) {
    EXPECT_EQ(Replaced("aXbxc", "x", "-"), "a-b-c");
    EXPECT_EQ(Replaced("FILE://C:\\a file://b", "file://", ""), "C:\\a b");
    // CP1252 letters beyond ASCII compare through the case table.
    EXPECT_EQ(Replaced("Äpfel und äpfel", "äPFEL", "Birnen"), "Birnen und Birnen");
    EXPECT_EQ(Replaced("abc", "", "x"), "abc");
}

TEST(FastReplaceText, SinglePassLeftToRight) {
    // The replacement holds the search text: one pass, no endless growth.
    EXPECT_EQ(Replaced("aAa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(Replaced("aaa", "aa", "-"), "-a");  // no overlaps; the leftmost wins
    // A replacement that forms a new match with its neighbours is not searched again.
    EXPECT_EQ(Replaced("[SERVER]", "[SERVER]", "[SER[SERVER]VER]"), "[SER[SERVER]VER]");
}
