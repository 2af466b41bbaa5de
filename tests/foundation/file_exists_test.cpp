#include <gtest/gtest.h>

#include "foundation/file_exists.h"
#include "test_folder.h"

TEST(FileExists, RealFilesFoldersAndMissingNames) {
    TestFolder dir;
    ASSERT_TRUE(WriteWholeFile(dir / "a.txt", "x"));
    EXPECT_TRUE(FileExists(dir / "a.txt"));
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir / "missing.txt"));
    EXPECT_FALSE(FileExists(dir / "no\\such\\path.txt"));
    EXPECT_FALSE(FileExists(""));
    // A pattern names no file, even where it would match one.
    EXPECT_FALSE(FileExists(dir / "*.txt"));
}

TEST(FileExists, FileHeldOpenWithoutSharingCounts) {
    TestFolder dir;
    ASSERT_TRUE(WriteWholeFile(dir / "locked.txt", "x"));
    HANDLE lock = CreateFileA((dir / "locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(FileExists(dir / "locked.txt"));
    CloseHandle(lock);
}

TEST(DeleteFileIfExists, DeletesFilesOnly) {
    TestFolder dir;
    ASSERT_TRUE(WriteWholeFile(dir / "a.txt", "x"));
    EXPECT_TRUE(DeleteFileIfExists(dir / "a.txt"));
    EXPECT_FALSE(PathExists(dir / "a.txt"));
    EXPECT_TRUE(DeleteFileIfExists(dir / "a.txt"));  // nothing left to delete
    CreateDirectoryA((dir / "sub").c_str(), nullptr);
    EXPECT_TRUE(DeleteFileIfExists(dir / "sub"));   // a folder is no file
    EXPECT_TRUE(PathExists(dir / "sub"));
}

TEST(DeleteFileIfExists, ReportsAFailedDeletion) {
    TestFolder dir;
    ASSERT_TRUE(WriteWholeFile(dir / "locked.txt", "x"));
    HANDLE lock = CreateFileA((dir / "locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DeleteFileIfExists(dir / "locked.txt"));
    CloseHandle(lock);
    EXPECT_TRUE(DeleteFileIfExists(dir / "locked.txt"));
}
