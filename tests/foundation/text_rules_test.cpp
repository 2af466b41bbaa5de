// The portable rules of the foundation: hashes, paths, text replacement, INI
// texts and files, and the file-exists decision.
#include <gtest/gtest.h>

#include "foundation/fast_ini_file.h"
#include "foundation/file_exists_rule.h"
#include "foundation/ini_text.h"
#include "foundation/path_text.h"
#include "foundation/replace_text.h"
#include "foundation/string_hash.h"
#include "test_folder.h"

TEST(StringHash, HashesDelimitersAndURLs) {
    EXPECT_EQ(StringHash(""), 0u);
    EXPECT_EQ(StringHash("AB"), 0x452u);  // (0x41 << 4) + 0x42
    // From the eighth character on the top nibble is folded back and cleared.
    EXPECT_EQ(StringHash("00000000"), 0x3333000u);
    EXPECT_EQ(StringHash("000000000"), 0x3330000u);
    EXPECT_EQ(StringHash("6B29FC40-CA47-1067-B31D-00DD010662DA"), 0x8407D91u);
    EXPECT_LT(StringHash(std::string(200, '\xFF')), 0x10000000u);
    EXPECT_EQ(IncludePathDelimiter(""), "");
    EXPECT_EQ(IncludePathDelimiter("c"), "c:\\");
    EXPECT_EQ(IncludePathDelimiter("C:"), "C:");
    EXPECT_EQ(IncludePathDelimiter("C:\\x"), "C:\\x\\");
    EXPECT_EQ(IncludePathDelimiter("x\\"), "x\\");
    EXPECT_EQ(IncludePathDelimiter("\\\\srv\\share"), "\\\\srv\\share\\");
    EXPECT_EQ(IncludePathDelimiter("1"), "1\\");  // only letters become drives
    for (const char* text : {"http://x", "HTTPS://x", "ftp:x", "Telnet:host", "gopher:x", "prospero:x",
                             "nntp:x", "wais:x", "MAILTO:x", "news:x", "WWW.x.de", "ftp.x.de", "a@b"})
        EXPECT_TRUE(IsURL(text)) << text;
    for (const char* text : {"C:\\a@b.txt", "C:\\x", "", "httpx", " www.x.de"})
        EXPECT_FALSE(IsURL(text)) << text;
}

namespace {
std::string Replaced(std::string s, const std::string& search, const std::string& replacement) {
    FastReplaceText(s, search, replacement);
    return s;
}
}  // namespace

TEST(FastReplaceText, EveryOccurrenceIgnoringCaseInOnePass) {
    EXPECT_EQ(Replaced("aXbxc", "x", "-"), "a-b-c");
    EXPECT_EQ(Replaced("FILE://C:\\a file://b", "file://", ""), "C:\\a b");
    // CP1252 letters beyond ASCII compare through the case table.
    EXPECT_EQ(Replaced("Äpfel und äpfel", "äPFEL", "Birnen"), "Birnen und Birnen");
    EXPECT_EQ(Replaced("abc", "", "x"), "abc");
    // The replacement holds the search text: one pass, no endless growth.
    EXPECT_EQ(Replaced("aAa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(Replaced("aaa", "aa", "-"), "-a");  // no overlaps; the leftmost wins
    // A replacement that forms a new match with its neighbours is not searched again.
    EXPECT_EQ(Replaced("[SERVER]", "[SERVER]", "[SER[SERVER]VER]"), "[SER[SERVER]VER]");
}

TEST(IniQuoting, QuotesDoubledCommentsCutAndTrimmed) {
    EXPECT_EQ(IniQuote("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(IniUnquote("\"a\"\"b\""), "a\"b");
    EXPECT_EQ(IniUnquote("plain \"x\""), "plain \"x\"");  // only a leading quote unquotes
    EXPECT_EQ(IniUnquote("\"open"), "open");
    EXPECT_EQ(IniUnquote("\"a\" tail"), "a");
    for (const char* value : {"", "\"", "\"\"", " lead and trail ", "\"q\"", "Größe ; \"; ;"})
        EXPECT_EQ(IniUnquote(IniValueText(IniQuote(value))), value) << value;
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

TEST(IniText, RefusesBrokenLinesAndTrimsNames) {
    TIniText ini;
    EXPECT_FALSE(ini.WriteString("S", "", "v"));
    EXPECT_FALSE(ini.WriteString("S", "a=b", "v"));
    EXPECT_FALSE(ini.WriteString("S", "k", "line1\r\n[X]"));
    EXPECT_FALSE(ini.WriteString("S]", "k", "v"));
    EXPECT_FALSE(ini.WriteString("S", "[k", "v"));
    EXPECT_EQ(ini.Text(), "");
    EXPECT_FALSE(ini.Modified());
    // Section and ident names are trimmed on both paths.
    ASSERT_TRUE(ini.WriteString(" Mode ", " Key ", "1"));
    EXPECT_EQ(ini.Text(), "[Mode]\r\nKey=1\r\n");
    for (const char* section : {" Mode ", "Mode", "\tMODE"}) {
        EXPECT_EQ(ini.ReadString(section, " key", "?"), "1") << section;
        EXPECT_TRUE(ini.ValueExists(section, "Key")) << section;
    }
}

TEST(FastIniFile, ReadsOnceWritesChangesOnly) {
    TestFolder dir;
    TFastIniFile* missing = Create<TFastIniFile>(dir / "SHEMA.INI");
    EXPECT_EQ(missing->ReadString("ASHEMA", "VALUE", "Standard"), "Standard");
    EXPECT_TRUE(missing->UpdateFile());  // nothing changed, nothing written
    EXPECT_FALSE(PathExists(dir / "SHEMA.INI"));
    missing->Free();

    // A ";" inside quotes is no comment; the quotes stay.
    ASSERT_TRUE(WriteWholeFile(dir / "SHEMA.INI", "[ASHEMA]\nVALUE=\"Grün;hell\" ; gewählt\n"));
    TFastIniFile ini(dir / "SHEMA.INI");
    EXPECT_EQ(ini.ReadString("ASHEMA", "VALUE", ""), "\"Grün;hell\"");
    ini.WriteString("ASHEMA", "x", "2");
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadWholeFile(dir / "SHEMA.INI"), "[ASHEMA]\r\nVALUE=\"Grün;hell\" ; gewählt\r\nx=2\r\n");

    TFastIniFile unwritable(dir / "no_such_folder/a.ini");
    unwritable.WriteString("S", "k", "v");
    EXPECT_FALSE(unwritable.UpdateFile());
}

namespace {

// Probes that count their calls and answer as told.
struct CountingProbes {
    bool opens = false, found = false;
    int openCalls = 0, searchCalls = 0;
    TFileExistsProbes Probes() {
        return {[this] { ++openCalls; return opens; }, [this] { ++searchCalls; return found; }};
    }
};

TFileAttributeResult Failed(uint32_t error) { return {false, 0, error}; }
TFileAttributeResult Attributes(uint32_t attributes) { return {true, attributes, 0}; }

}  // namespace

TEST(FileExistsRule, ErrorCodesAndAttributes) {
    // Missing file, missing path, invalid name: False, and no probe may overrule it.
    for (uint32_t error : {2u, 3u, 123u}) {
        CountingProbes probes{true, true};
        EXPECT_FALSE(DecideFileExists(Failed(error), probes.Probes())) << error;
        EXPECT_EQ(probes.openCalls + probes.searchCalls, 0) << error;
    }
    // Held open elsewhere: it exists.
    CountingProbes locked;
    EXPECT_TRUE(DecideFileExists(Failed(32), locked.Probes()));
    EXPECT_EQ(locked.openCalls + locked.searchCalls, 0);
    // Anything else asks the directory search, once.
    for (uint32_t error : {5u, 21u, 53u}) {
        for (bool found : {true, false}) {
            CountingProbes probes{false, found};
            EXPECT_EQ(DecideFileExists(Failed(error), probes.Probes()), found) << error;
            EXPECT_EQ(probes.searchCalls, 1) << error;
            EXPECT_EQ(probes.openCalls, 0) << error;
        }
    }
    CountingProbes probes{true, true};
    EXPECT_TRUE(DecideFileExists(Attributes(0x20), probes.Probes()));
    // Folders never count, a folder link neither.
    EXPECT_FALSE(DecideFileExists(Attributes(kFileAttributeDirectory), probes.Probes()));
    EXPECT_FALSE(DecideFileExists(Attributes(kFileAttributeDirectory | kFileAttributeReparsePoint),
                                  probes.Probes()));
    EXPECT_EQ(probes.openCalls + probes.searchCalls, 0);
    // A file link counts when it opens; a dangling one does not, though a search finds it.
    EXPECT_TRUE(DecideFileExists(Attributes(kFileAttributeReparsePoint | 0x20), probes.Probes()));
    probes.opens = false;
    EXPECT_FALSE(DecideFileExists(Attributes(kFileAttributeReparsePoint), probes.Probes()));
    EXPECT_EQ(probes.openCalls, 2);
    EXPECT_EQ(probes.searchCalls, 0);
}

