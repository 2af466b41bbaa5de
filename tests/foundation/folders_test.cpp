#include <gtest/gtest.h>

#include <windows.h>

#include "foundation/folders.h"
#include "test_folder.h"

namespace {
std::string SystemTempPath() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(temp), temp);
    return temp;
}
}  // namespace

TEST(Folders, TempFolderAndClientRootAreCreated) {
    std::string folder;
    GetTempFolder("XCURSOR", folder);
    EXPECT_EQ(folder, SystemTempPath() + "MKTempDir\\XCURSOR\\");
    EXPECT_TRUE(FolderExists(folder));
    folder = "old";
    GetTempFolder("", folder);
    EXPECT_EQ(folder, SystemTempPath() + "MKTempDir\\");
    // The client root lies below the common documents.
    const std::string root = GetClientRoot();
    const std::string tail = "\\MK-ClientRoot\\default\\";
    ASSERT_GT(root.size(), tail.size());
    EXPECT_EQ(root.substr(root.size() - tail.size()), tail);
    EXPECT_TRUE(FolderExists(root));
}

TEST(Folders, ForceFoldersAndFolderExists) {
    TestFolder dir;
    EXPECT_TRUE(ForceFolders(dir / "x\\y\\z\\"));
    EXPECT_TRUE(FolderExists(dir / "x\\y\\z"));
    EXPECT_TRUE(ForceFolders(dir / "x\\y"));  // already there
    ASSERT_TRUE(WriteWholeFile(dir / "file", "1"));
    EXPECT_FALSE(FolderExists(dir / "file"));
    EXPECT_FALSE(ForceFolders(dir / "file\\sub"));  // a file is in the way
    EXPECT_FALSE(FolderExists(dir / "missing"));
    EXPECT_FALSE(FolderExists(""));
}
