// Colour schemes listed from a folder and the chosen one read from its
// "SHEMA.INI" (a real folder with hidden files and sub-folders).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/dialogs/color_scheme_rules.h"
#include "controls/dialogs/color_schemes.h"
#include "framework/file_search.h"
#include "framework/strings.h"
#include "tests/foundation/test_folder.h"

namespace {

std::vector<std::string> Sorted(const TStrings& List, int From) {
    std::vector<std::string> v;
    for (int i = From; i < List.Count(); ++i) v.push_back(List[i]);
    std::sort(v.begin(), v.end());
    return v;
}

void HiddenFile(const std::string& Name, DWORD Attributes) {
    ASSERT_TRUE(WriteWholeFile(Name, "x"));
    ASSERT_TRUE(SetFileAttributesA(Name.c_str(), Attributes));
}

TEST(ColorSchemes, ListsOrdinaryAndReadOnlySchemeFilesOnly) {
    TestFolder dir;
    for (const char* name : {"COLORSHEMA_Blau.DAT", "COLORSHEMA.DAT", "colorshema_Rot.dat", "OTHER.DAT"})
        ASSERT_TRUE(WriteWholeFile(dir / name, "x"));
    HiddenFile(dir / "COLORSHEMA_Geheim.DAT", FILE_ATTRIBUTE_HIDDEN);
    HiddenFile(dir / "COLORSHEMA_System.DAT", FILE_ATTRIBUTE_SYSTEM);
    HiddenFile(dir / "COLORSHEMA_Fest.DAT", FILE_ATTRIBUTE_READONLY);
    std::filesystem::create_directory(dir / "COLORSHEMA_Dir.DAT");

    TStringList list;
    ListColorSchemes(list, dir.Path());
    ASSERT_GE(list.Count(), 1);
    EXPECT_EQ(list[0], "Kein Farbschema");
    EXPECT_EQ(Sorted(list, 1), (std::vector<std::string>{"", "Blau", "Fest", "Rot"}));
    SetFileAttributesA((dir / "COLORSHEMA_Fest.DAT").c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_TRUE(ListOrdinaryFiles(dir / "MISSING\\*.DAT").empty());
}

TEST(ColorSchemes, ReadsTheChosenIndex) {
    struct {
        const char* ini;  // nullptr: no "SHEMA.INI"
        int index;
    } cases[] = {
        {"[ASHEMA]\r\nVALUE=blau\r\n", 1},
        {"[ASHEMA]\r\nVALUE=Blau ; Kommentar\r\n", 1},
        {"[ASHEMA]\r\nVALUE=Rot\r\n", 3},
        {"[ASHEMA]\r\nVALUE=Gelb\r\n", 0},
        // An empty value never picks the nameless "COLORSHEMA.DAT".
        {"[ASHEMA]\r\nVALUE=\r\n", 0},
        {"[ANDERS]\r\nVALUE=Blau\r\n", 0},
        {nullptr, 0},
    };
    for (const auto& c : cases) {
        TestFolder dir;
        if (c.ini) ASSERT_TRUE(WriteWholeFile(dir / "SHEMA.INI", c.ini));
        TStringList list;
        for (const char* s : {"Kein Farbschema", "Blau", "", "Rot"}) list.Add(s);
        EXPECT_EQ(ReadColorSchemeIndex(list, dir.Path()), c.index) << (c.ini ? c.ini : "(no file)");
    }

    TestFolder empty;
    TStringList list;
    ListColorSchemes(list, empty.Path());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(ReadColorSchemeIndex(list, empty.Path()), 0);
}

TEST(ColorSchemes, NameIsBetweenPrefixAndExtension) {
    struct {
        const char* file;
        const char* name;
    } cases[] = {
        {"COLORSHEMA_Blau.DAT", "Blau"}, {"COLORSHEMA.DAT", ""}, {"COLORSHEMA_.DAT", ""},
        {"COLORSHEMAX.DAT", ""},         {"", ""},              {"COLORSHEMA_Gr\xFCn.DAT", "Gr\xFCn"},
    };
    for (const auto& c : cases) EXPECT_EQ(ColorSchemeNameOf(c.file), c.name) << c.file;
}

}  // namespace
