#include <gtest/gtest.h>

#include "foundation/folders.h"
#include "foundation/file_exists.h"
#include "test_folder.h"

namespace {
std::string SystemTemp() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(temp), temp);
    return temp;
}
}  // namespace

TEST(GetTempFolder, NamedSubFolderIsCreated) {
    std::string folder;
    GetTempFolder("XCURSOR", folder);
    EXPECT_EQ(folder, SystemTemp() + "MKTempDir\\XCURSOR\\");
    EXPECT_TRUE(FolderExists(folder));
}

TEST(GetTempFolder, EmptySubGivesTheBaseFolder) {
    std::string folder = "old";
    GetTempFolder("", folder);
    EXPECT_EQ(folder, SystemTemp() + "MKTempDir\\");
    EXPECT_TRUE(FolderExists(folder));
}

TEST(GetTempFolder, CreatesMissingLevels) {
    const std::string base = "fnd_" + std::to_string(GetCurrentProcessId());
    const std::string root = SystemTemp() + "MKTempDir\\" + base;
    TestFolder::Remove(root);
    std::string folder;
    GetTempFolder(base + "\\a\\b", folder);
    EXPECT_EQ(folder, root + "\\a\\b\\");
    EXPECT_TRUE(FolderExists(folder));
    TestFolder::Remove(root);
}

TEST(Folders, AppDirHoldsTheProgram) {
    const std::string dir = GetAppDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '\\');
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    EXPECT_EQ(dir + std::string(exe).substr(dir.size()), exe);
    EXPECT_TRUE(FileExists(exe));
}

TEST(Folders, ClientRootIsCreatedBelowCommonDocuments) {
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
