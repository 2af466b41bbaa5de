#include <gtest/gtest.h>

#include "foundation/path_text.h"

TEST(IncludePathDelimiter, AddsOnlyWhereMissing) {
    EXPECT_EQ(IncludePathDelimiter(""), "");
    EXPECT_EQ(IncludePathDelimiter("c"), "c:\\");
    EXPECT_EQ(IncludePathDelimiter("C:"), "C:");
    EXPECT_EQ(IncludePathDelimiter("C:\\x"), "C:\\x\\");
    EXPECT_EQ(IncludePathDelimiter("x\\"), "x\\");
    EXPECT_EQ(IncludePathDelimiter("\\\\srv\\share"), "\\\\srv\\share\\");
    EXPECT_EQ(IncludePathDelimiter("1"), "1\\");  // only letters become drives
}

TEST(IsURL, SchemesPrefixesAndAtSign) {
    for (const char* text : {"http://x", "HTTPS://x", "ftp:x", "Telnet:host", "gopher:x", "prospero:x",
                             "nntp:x", "wais:x", "MAILTO:x", "news:x", "WWW.x.de", "ftp.x.de", "a@b"})
        EXPECT_TRUE(IsURL(text)) << text;
    for (const char* text : {"C:\\a@b.txt", "C:\\x", "", "httpx", " www.x.de"})
        EXPECT_FALSE(IsURL(text)) << text;
}
