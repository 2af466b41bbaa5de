// Files and folders on the real file system, and fresh hashes.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "foundation/file_exists.h"
#include "foundation/folders.h"
#include "foundation/guid_hash.h"
#include "test_folder.h"

TEST(FileExists, RealFilesFoldersAndMissingNames) {
    TestFolder dir;
    ASSERT_TRUE(WriteWholeFile(dir / "a.txt", "x"));
    EXPECT_TRUE(FileExists(dir / "a.txt"));
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir / "missing.txt"));
    EXPECT_FALSE(FileExists(dir / "no\\such\\path.txt"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(dir / "*.txt"));  // a pattern names no file, even where it matches
    auto lock = HoldOpen(dir / "a.txt", GENERIC_READ | GENERIC_WRITE);
    ASSERT_TRUE(lock);
    EXPECT_TRUE(FileExists(dir / "a.txt"));  // held open without sharing
}

TEST(DeleteFileIfExists, DeletesFilesOnlyAndReportsFailure) {
    TestFolder dir;
    ASSERT_TRUE(WriteWholeFile(dir / "a.txt", "x"));
    EXPECT_TRUE(DeleteFileIfExists(dir / "a.txt"));
    EXPECT_FALSE(PathExists(dir / "a.txt"));
    EXPECT_TRUE(DeleteFileIfExists(dir / "a.txt"));  // nothing left to delete
    CreateDirectoryA((dir / "sub").c_str(), nullptr);
    EXPECT_TRUE(DeleteFileIfExists(dir / "sub"));  // a folder is no file
    EXPECT_TRUE(PathExists(dir / "sub"));
    auto lock = HoldOpen(dir / "locked.txt");
    ASSERT_TRUE(lock);
    EXPECT_FALSE(DeleteFileIfExists(dir / "locked.txt"));
    lock.reset();
    EXPECT_TRUE(DeleteFileIfExists(dir / "locked.txt"));
    EXPECT_FALSE(PathExists(dir / "locked.txt"));
}

namespace {
std::string SystemTempPath() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(temp), temp);
    return temp;
}
}  // namespace

TEST(Folders, CreatedAndFoundWhereTheyBelong) {
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

TEST(GuidHash, GuidTextAndFreshHashes) {
    const GUID guid = {0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}};
    EXPECT_EQ(GuidText(guid), "6B29FC40-CA47-1067-B31D-00DD010662DA");  // no braces
    std::set<int> seen;
    for (int i = 0; i < 50; ++i) {
        const int h = NewGuidHash();
        EXPECT_GE(h, 0);
        seen.insert(h);
    }
    EXPECT_GE(seen.size(), 49u);
}
