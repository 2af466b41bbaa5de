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
    int ReadInt(const std::string& key, int def, bool writeBack = false) {
        return ReadUserModeInteger(key, def, dir.Path(), writeBack);
    }
    std::string IniText() { return ReadWholeFile(dir / "UserMode.INI"); }
    TestFolder dir;
};

}  // namespace

TEST_F(UserModeTest, StringsWithInnerQuotesRoundTrip) {
    WriteUserModeString("K", "a\"b", dir.Path());
    EXPECT_EQ(IniText(), "[MODE]\r\nK=\"a\"\"b\"\r\n");
    EXPECT_EQ(Read("K"), "a\"b");
    for (const std::string value : {"", "\"\"x\"\"", " blanks kept ", "a;b ; c", "XCopy=\"1\";2"}) {
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
    // An empty key is never written.
    WriteUserModeString("", "x", dir.Path());
    EXPECT_EQ(Read("", "d", true), "d");
    EXPECT_EQ(IniText(), "[MODE]\r\nTSymbolDlg.ASCII.Chars=\"ÄÖÜ\"\r\n");
}

TEST_F(UserModeTest, IntegersReadTheirOwnWriteBackAndFallBackForNonNumbers) {
    EXPECT_EQ(ReadInt("TSymbolDlg.Grid.XY", 30, true), 30);
    EXPECT_EQ(IniText(), "[MODE]\r\nTSymbolDlg.Grid.XY=\"30\"\r\n");
    EXPECT_EQ(ReadInt("TSymbolDlg.Grid.XY", 7, true), 30);
    EXPECT_EQ(ReadInt("TSymbolDlg.Grid.XY", 7, true), 30);

    ASSERT_TRUE(WriteWholeFile(dir / "UserMode.INI",
                               "[MODE]\r\nA=-12\r\nB=12x\r\nD=99999999999\r\nE=\"+5\"\r\nF=-2147483648\r\n"));
    EXPECT_EQ(ReadInt("A", 1), -12);
    EXPECT_EQ(ReadInt("B", 1), 1);
    EXPECT_EQ(ReadInt("D", 1), 1);
    EXPECT_EQ(ReadInt("E", 1), 5);
    EXPECT_EQ(ReadInt("F", 1), -2147483647 - 1);
    EXPECT_EQ(ReadInt("B", 3, true), 3);  // write-back replaces the bad value
    EXPECT_EQ(ReadInt("B", 1), 3);
}

TEST_F(UserModeTest, FolderChoice) {
    EXPECT_EQ(GetUserModeFolder(), "");
    EXPECT_EQ(UserModeFileName(""), GetAppDir() + "UserMode.INI");
    EXPECT_EQ(UserModeFileName("D:\\x\\"), "D:\\x\\UserMode.INI");
    SetUserModeFolder(dir / "settings");
    EXPECT_EQ(UserModeFileName(""), dir / "settings\\UserMode.INI");
    // The set folder is created on the first write.
    WriteUserModeString("K", "v", "");
    EXPECT_EQ(ReadWholeFile(dir / "settings\\UserMode.INI"), "[MODE]\r\nK=\"v\"\r\n");
    std::string value;
    ReadUserModeString("K", "", "", value, false);
    EXPECT_EQ(value, "v");
}

TEST_F(UserModeTest, FileThatCannotBeReadIsNeverReplaced) {
    ASSERT_TRUE(WriteUserModeString("A", "1", dir.Path()));
    ASSERT_TRUE(WriteUserModeString("B", "2", dir.Path()));
    const std::string before = IniText();
    {
        // Another program lets others write the file but not read it.
        HeldFile held = HoldOpen(dir / "UserMode.INI", GENERIC_READ, FILE_SHARE_WRITE);
        ASSERT_TRUE(held);
        EXPECT_FALSE(WriteUserModeString("C", "3", dir.Path()));
    }
    EXPECT_EQ(IniText(), before);
    EXPECT_EQ(Read("A"), "1");
}
