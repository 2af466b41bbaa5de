#include <gtest/gtest.h>

#include "foundation/fast_ini_file.h"
#include "test_folder.h"

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
