#include <gtest/gtest.h>

#include "foundation/path_text.h"

TEST(IncludePathDelimiter, AddsOnlyWhereMissing) {
    EXPECT_EQ(IncludePathDelimiter(""), "");
    EXPECT_EQ(IncludePathDelimiter("c"), "c:\\");
    EXPECT_EQ(IncludePathDelimiter("Z"), "Z:\\");
    EXPECT_EQ(IncludePathDelimiter("C:"), "C:");
    EXPECT_EQ(IncludePathDelimiter("C:\\x"), "C:\\x\\");
    EXPECT_EQ(IncludePathDelimiter("x\\"), "x\\");
    EXPECT_EQ(IncludePathDelimiter("\\\\srv\\share"), "\\\\srv\\share\\");
    // Only letters become drives.
    EXPECT_EQ(IncludePathDelimiter("1"), "1\\");
    EXPECT_EQ(IncludePathDelimiter("ab"), "ab\\");
}

TEST(IsURL, SchemesAndPrefixesIgnoreCase) {
    for (const char* text : {"http://x", "HTTPS://x", "ftp:x", "Telnet:host", "gopher:x", "prospero:x",
                             "nntp:x", "wais:x", "MAILTO:x", "news:x", "WWW.x.de", "ftp.x.de"})
        EXPECT_TRUE(IsURL(text)) << text;
}

TEST(IsURL, AtSignWithoutDrivePath) {
    EXPECT_TRUE(IsURL("a@b"));
    EXPECT_FALSE(IsURL("C:\\a@b.txt"));
    EXPECT_FALSE(IsURL("C:\\x"));
    EXPECT_FALSE(IsURL(""));
    EXPECT_FALSE(IsURL("httpx"));
    EXPECT_FALSE(IsURL(" www.x.de"));  // no trimming
    // The "@" rule is a heuristic: a UNC name holding "@" counts as an address.
    EXPECT_TRUE(IsURL("\\\\srv\\share\\a@b.pdf"));
}
