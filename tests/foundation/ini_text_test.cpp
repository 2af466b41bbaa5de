#include <gtest/gtest.h>

#include "foundation/ini_text.h"

TEST(IniQuoting, InnerQuotesDoubledAndUndoubled) {
    EXPECT_EQ(IniQuote("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(IniQuote(""), "\"\"");
    EXPECT_EQ(IniUnquote("\"a\"\"b\""), "a\"b");
    EXPECT_EQ(IniUnquote("\"\""), "");
    EXPECT_EQ(IniUnquote("plain \"x\""), "plain \"x\"");  // only a leading quote unquotes
    EXPECT_EQ(IniUnquote("\"open"), "open");
    EXPECT_EQ(IniUnquote("\"a\" tail"), "a");
    for (const char* value : {"", "\"", "\"\"", "a\"b", " lead and trail ", "x;y", "\"q\"", "Größe ; \"; ;"})
        EXPECT_EQ(IniUnquote(IniValueText(IniQuote(value))), value) << value;
}

TEST(IniValueText, CutsCommentOutsideQuotesAndTrims) {
    EXPECT_EQ(IniValueText("  abc  "), "abc");
    EXPECT_EQ(IniValueText("abc ; note"), "abc");
    EXPECT_EQ(IniValueText("pass;word"), "pass");  // an unquoted ";" ends the value
    EXPECT_EQ(IniValueText("\"a;b\" ; note"), "\"a;b\"");
    EXPECT_EQ(IniValueText("\"a\"\";b\";c"), "\"a\"\";b\"");
    EXPECT_EQ(IniValueText("\t\"x\"\t"), "\"x\"");
}

TEST(IniText, ReadsSectionsAndIdentsIgnoringCase) {
    TIniText ini;
    ini.SetText("; head\r\n[ASHEMA]\r\nVALUE = Blau ; Standard\r\n\r\n[Mode]\nKey=1\rÄrger=ja\n");
    EXPECT_EQ(ini.ReadString("ashema", "value", "?"), "Blau");
    EXPECT_EQ(ini.ReadString("MODE", "KEY", "?"), "1");
    EXPECT_EQ(ini.ReadString("MODE", "ärger", "?"), "ja");
    EXPECT_EQ(ini.ReadString("MODE", "VALUE", "?"), "?");
    EXPECT_EQ(ini.ReadString("OTHER", "Key", "def"), "def");
    EXPECT_FALSE(ini.ValueExists("MODE", "head"));
    EXPECT_FALSE(ini.ValueExists("MODE", ""));
}

TEST(IniText, EmptyValueIsNotTheDefault) {
    TIniText ini;
    ini.SetText("[S]\nA=\nB= ;only a comment\n");
    EXPECT_TRUE(ini.ValueExists("S", "A"));
    EXPECT_EQ(ini.ReadString("S", "A", "def"), "");
    EXPECT_EQ(ini.ReadString("S", "B", "def"), "");
}

TEST(IniText, CommentLinesHoldNoIdents) {
    TIniText ini;
    ini.SetText("[S]\n;A=1\n#B=2\nC=3\n");
    EXPECT_FALSE(ini.ValueExists("S", ";A"));
    EXPECT_FALSE(ini.ValueExists("S", "#B"));
    EXPECT_EQ(ini.ReadString("S", "C", ""), "3");
}

TEST(IniText, WriteReplacesInPlaceAndKeepsTheRest) {
    TIniText ini;
    ini.SetText("; keep me\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    EXPECT_TRUE(ini.WriteString("a", "X", "10"));
    EXPECT_TRUE(ini.WriteString("A", "w", "new"));
    EXPECT_TRUE(ini.WriteString("C", "k", "v"));
    EXPECT_EQ(ini.Text(), "; keep me\r\n[A]\r\nX=10\r\ny=2\r\nw=new\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nk=v\r\n");
    EXPECT_TRUE(ini.Modified());
}

TEST(IniText, WriteIntoEmptyTextAndUnchangedValue) {
    TIniText ini;
    EXPECT_TRUE(ini.WriteString("MODE", "K", "\"a\"\"b\""));
    EXPECT_EQ(ini.Text(), "[MODE]\r\nK=\"a\"\"b\"\r\n");
    ini.ClearModified();
    EXPECT_TRUE(ini.WriteString("MODE", "K", "\"a\"\"b\""));
    EXPECT_FALSE(ini.Modified());
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

TEST(IniText, DuplicateSectionsReadAndWriteTheSameEntry) {
    TIniText ini;
    ini.SetText("[S]\na=1\n[T]\n[S]\na=2\nb=3\n");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "3");
    ini.WriteString("S", "a", "9");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "9");
}
