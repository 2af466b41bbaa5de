#include <gtest/gtest.h>

#include "foundation/folders.h"
#include "foundation/user_mode.h"
#include "test_folder.h"

namespace {

class UserModeTest : public ::testing::Test {
protected:
    void TearDown() override { SetUserModeFolder(""); }
    std::string Read(const std::string& key, const std::string& def = "DEF", bool writeBack = false) {
        std::string value = "unset";
        ReadUserModeString(key, def, dir.Path(), value, writeBack);
        return value;
    }
    std::string IniText() { return ReadWholeFile(dir / "UserMode.INI"); }
    TestFolder dir;
};

}  // namespace

TEST_F(UserModeTest, InnerQuotesAreDoubledAndRoundTrip) {
    WriteUserModeString("K", "a\"b", dir.Path());
    EXPECT_EQ(IniText(), "[MODE]\r\nK=\"a\"\"b\"\r\n");
    EXPECT_EQ(Read("K"), "a\"b");
}

TEST_F(UserModeTest, AnyOneLineTextRoundTrips) {
    for (const std::string value : {"", "\"", "\"\"x\"\"", " blanks kept ", "a;b ; c", "C:\\Daten\\Größe",
                                    "XCopy=\"1\";2"}) {
        WriteUserModeString("XCopy_InitialDir", value, dir.Path());
        EXPECT_EQ(Read("XCopy_InitialDir"), value) << value;
    }
}

TEST_F(UserModeTest, MissingKeyGivesDefaultAndWriteBackStoresIt) {
    EXPECT_EQ(Read("TSymbolDlg.ASCII.Chars", "ÄÖÜ"), "ÄÖÜ");
    EXPECT_FALSE(PathExists(dir / "UserMode.INI"));
    EXPECT_EQ(Read("TSymbolDlg.ASCII.Chars", "ÄÖÜ", true), "ÄÖÜ");
    EXPECT_EQ(IniText(), "[MODE]\r\nTSymbolDlg.ASCII.Chars=\"ÄÖÜ\"\r\n");
    EXPECT_EQ(Read("tsymboldlg.ascii.chars", "other"), "ÄÖÜ");
}

TEST_F(UserModeTest, ValuesOfOtherWritersAreReadAsTheyStand) {
    ASSERT_TRUE(WriteWholeFile(dir / "UserMode.INI", "[MODE]\r\nA=plain text ; note\r\nB=  \"q;x\"  \r\nC=\r\n"));
    EXPECT_EQ(Read("A"), "plain text");
    EXPECT_EQ(Read("B"), "q;x");
    EXPECT_EQ(Read("C"), "");
}

TEST_F(UserModeTest, IntegerWriteBackStillParses) {
    EXPECT_EQ(ReadUserModeInteger("TSymbolDlg.Grid.XY", 30, dir.Path(), true), 30);
    EXPECT_EQ(IniText(), "[MODE]\r\nTSymbolDlg.Grid.XY=\"30\"\r\n");
    EXPECT_EQ(ReadUserModeInteger("TSymbolDlg.Grid.XY", 7, dir.Path(), true), 30);
    WriteUserModeString("TSymbolDlg.Grid.XY", "42", dir.Path());
    EXPECT_EQ(ReadUserModeInteger("TSymbolDlg.Grid.XY", 30, dir.Path(), false), 42);
}

TEST_F(UserModeTest, IntegerFallsBackForNonNumbers) {
    ASSERT_TRUE(WriteWholeFile(dir / "UserMode.INI",
                               "[MODE]\r\nA=-12\r\nB=12x\r\nC=\r\nD=99999999999\r\nE=\"+5\"\r\nF=-2147483648\r\n"));
    EXPECT_EQ(ReadUserModeInteger("A", 1, dir.Path(), false), -12);
    EXPECT_EQ(ReadUserModeInteger("B", 1, dir.Path(), false), 1);
    EXPECT_EQ(ReadUserModeInteger("C", 1, dir.Path(), false), 1);
    EXPECT_EQ(ReadUserModeInteger("D", 1, dir.Path(), false), 1);
    EXPECT_EQ(ReadUserModeInteger("E", 1, dir.Path(), false), 5);
    EXPECT_EQ(ReadUserModeInteger("F", 1, dir.Path(), false), -2147483647 - 1);
    EXPECT_EQ(ReadUserModeInteger("B", 3, dir.Path(), true), 3);
    EXPECT_EQ(ReadUserModeInteger("B", 1, dir.Path(), false), 3);
}

TEST_F(UserModeTest, EmptyKeyWritesNothing) {
    WriteUserModeString("", "x", dir.Path());
    EXPECT_FALSE(PathExists(dir / "UserMode.INI"));
    EXPECT_EQ(Read("", "d", true), "d");
    EXPECT_FALSE(PathExists(dir / "UserMode.INI"));
}

TEST_F(UserModeTest, OtherSectionsAndKeysSurvive) {
    ASSERT_TRUE(WriteWholeFile(dir / "UserMode.INI", "; Kommentar\r\n[OTHER]\r\nK=1\r\n[MODE]\r\nX=\"2\"\r\n"));
    WriteUserModeString("K", "new", dir.Path());
    EXPECT_EQ(IniText(), "; Kommentar\r\n[OTHER]\r\nK=1\r\n[MODE]\r\nX=\"2\"\r\nK=\"new\"\r\n");
}

TEST_F(UserModeTest, FolderChoice) {
    EXPECT_EQ(GetUserModeFolder(), "");
    EXPECT_EQ(UserModeFileName(""), GetAppDir() + "UserMode.INI");
    SetUserModeFolder(dir / "settings");
    EXPECT_EQ(GetUserModeFolder(), dir / "settings");
    EXPECT_EQ(UserModeFileName(""), dir / "settings\\UserMode.INI");
    EXPECT_EQ(UserModeFileName("D:\\x\\"), "D:\\x\\UserMode.INI");
    // The set folder is created on the first write.
    WriteUserModeString("K", "v", "");
    EXPECT_EQ(ReadWholeFile(dir / "settings\\UserMode.INI"), "[MODE]\r\nK=\"v\"\r\n");
    std::string value;
    ReadUserModeString("K", "", "", value, false);
    EXPECT_EQ(value, "v");
}
