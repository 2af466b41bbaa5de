#include <gtest/gtest.h>

#include "foundation/ini_text.h"

TEST(IniQuoting, InnerQuotesDoubledAndUndoubled) {
    EXPECT_EQ(IniQuote("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(IniUnquote("\"a\"\"b\""), "a\"b");
    EXPECT_EQ(IniUnquote("plain \"x\""), "plain \"x\"");  // only a leading quote unquotes
    EXPECT_EQ(IniUnquote("\"open"), "open");
    EXPECT_EQ(IniUnquote("\"a\" tail"), "a");
    for (const char* value : {"", "\"", "\"\"", " lead and trail ", "\"q\"", "Größe ; \"; ;"})
        EXPECT_EQ(IniUnquote(IniValueText(IniQuote(value))), value) << value;
}

TEST(IniValueText, CutsCommentOutsideQuotesAndTrims) {
    EXPECT_EQ(IniValueText("\t abc  "), "abc");
    EXPECT_EQ(IniValueText("pass;word ; note"), "pass");  // an unquoted ";" ends the value
    EXPECT_EQ(IniValueText("\"a;b\" ; note"), "\"a;b\"");
    EXPECT_EQ(IniValueText("\"a\"\";b\";c"), "\"a\"\";b\"");
}

TEST(IniText, ReadsSectionsAndIdentsIgnoringCase) {
    TIniText ini;
    ini.SetText("; head\r\n[ASHEMA]\r\nVALUE = Blau ; Standard\r\n\r\n[Mode]\nKey=1\rÄrger=ja\n;A=1\n#B=2\nC=\n");
    EXPECT_EQ(ini.ReadString("ashema", "value", "?"), "Blau");
    EXPECT_EQ(ini.ReadString("MODE", "KEY", "?"), "1");
    EXPECT_EQ(ini.ReadString("MODE", "ärger", "?"), "ja");
    EXPECT_EQ(ini.ReadString("MODE", "VALUE", "?"), "?");
    EXPECT_EQ(ini.ReadString("OTHER", "Key", "def"), "def");
    EXPECT_EQ(ini.ReadString("MODE", "C", "def"), "");  // empty is not missing
    // Comment lines hold no idents.
    EXPECT_FALSE(ini.ValueExists("MODE", ";A"));
    EXPECT_FALSE(ini.ValueExists("MODE", "#B"));
    EXPECT_FALSE(ini.ValueExists("MODE", ""));
}

TEST(IniText, WriteReplacesInPlaceAndKeepsTheRest) {
    TIniText ini;
    ini.SetText("; keep me\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    EXPECT_TRUE(ini.WriteString("a", "X", "10"));
    EXPECT_TRUE(ini.WriteString("A", "w", "new"));
    EXPECT_TRUE(ini.WriteString("C", "k", "v"));
    EXPECT_EQ(ini.Text(), "; keep me\r\n[A]\r\nX=10\r\ny=2\r\nw=new\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nk=v\r\n");
    EXPECT_TRUE(ini.Modified());
    ini.ClearModified();
    EXPECT_TRUE(ini.WriteString("A", "w", "new"));
    EXPECT_FALSE(ini.Modified());
    // With duplicate sections, reads and writes meet the same (first) entry.
    ini.SetText("[S]\na=1\n[T]\n[S]\na=2\nb=3\n");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "3");
    ini.WriteString("S", "a", "9");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "9");
}

TEST(IniText, RefusesTextsThatBreakTheLines) {
    TIniText ini;
    EXPECT_FALSE(ini.WriteString("S", "", "v"));
    EXPECT_FALSE(ini.WriteString("S", "a=b", "v"));
    EXPECT_FALSE(ini.WriteString("S", "k", "line1\r\n[X]"));
    EXPECT_FALSE(ini.WriteString("S]", "k", "v"));
    EXPECT_FALSE(ini.WriteString("S", "[k", "v"));
    EXPECT_EQ(ini.Text(), "");
    EXPECT_FALSE(ini.Modified());
}

TEST(IniText, SectionAndIdentNamesTrimmedOnBothPaths) {
    TIniText ini;
    ASSERT_TRUE(ini.WriteString(" Mode ", " Key ", "1"));
    EXPECT_EQ(ini.Text(), "[Mode]\r\nKey=1\r\n");
    for (const char* section : {" Mode ", "Mode", "\tMODE"}) {
        EXPECT_EQ(ini.ReadString(section, " key", "?"), "1") << section;
        EXPECT_TRUE(ini.ValueExists(section, "Key")) << section;
    }
}
