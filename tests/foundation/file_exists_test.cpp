#include <gtest/gtest.h>

#include "foundation/file_exists.h"
#include "file_lock.h"
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
