#include <gtest/gtest.h>

#include "foundation/string_files.h"
#include "framework/streams.h"
#include "framework/strings.h"
#include "test_folder.h"

TEST(LoadStringsFromFile, LoadsExistingFileOnly) {
    TestFolder dir;
    TStringList list;
    list.Add("keep");
    LoadStringsFromFile(&list, dir / "missing.txt");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], "keep");
    ASSERT_TRUE(WriteWholeFile(dir / "roots.txt", "SERVER=C:\\Server\r\nINTERN=D:\\Intern\r\n"));
    LoadStringsFromFile(&list, dir / "roots.txt");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1], "INTERN=D:\\Intern");
    LoadStringsFromFile(&list, dir.Path());  // a folder: nothing happens, nothing raised
    EXPECT_EQ(list.Count(), 2);
    LoadStringsFromFile(nullptr, dir / "roots.txt");
}

TEST(SaveStringsToFile, CreatesTheFolder) {
    TestFolder dir;
    TStringList list;
    list.Add("eins");
    list.Add("zwei");
    SaveStringsToFile(&list, dir / "a\\b\\list.txt");
    EXPECT_EQ(ReadWholeFile(dir / "a\\b\\list.txt"), "eins\r\nzwei\r\n");
}

TEST(SaveStringsToFile, ReadOnlyHiddenFileIsWrittenAndKeepsItsAttributes) {
    TestFolder dir;
    const std::string name = dir / "setup.txt";
    ASSERT_TRUE(WriteWholeFile(name, "alt\r\n"));
    ASSERT_TRUE(SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const DWORD before = GetFileAttributesA(name.c_str());
    TStringList list;
    list.Add("neu");
    SaveStringsToFile(&list, name);
    EXPECT_EQ(ReadWholeFile(name), "neu\r\n");
    EXPECT_EQ(GetFileAttributesA(name.c_str()), before);
    EXPECT_TRUE(GetFileAttributesA(name.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(SaveStringsToFile, ErrorsAreSwallowed) {
    TestFolder dir;
    TStringList list;
    list.Add("x");
    SaveStringsToFile(&list, dir.Path());  // a folder cannot be written
    HANDLE lock = CreateFileA((dir / "locked.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    SaveStringsToFile(&list, dir / "locked.txt");
    CloseHandle(lock);
    EXPECT_EQ(ReadWholeFile(dir / "locked.txt"), "");
}

TEST(SaveStreamToFile, WritesTheWholeStreamAndKeepsItsPosition) {
    TestFolder dir;
    std::string data(70000, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i % 253);
    TMemoryStream stream;
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    stream.SetPosition(1234);
    ASSERT_TRUE(WriteWholeFile(dir / "old.ani", std::string(100000, 'x')));
    SaveStreamToFile(&stream, dir / "old.ani");
    EXPECT_EQ(ReadWholeFile(dir / "old.ani"), data);
    EXPECT_EQ(stream.Position(), 1234);
    SaveStreamToFile(&stream, dir / "XCURSOR\\new.ani");
    EXPECT_EQ(ReadWholeFile(dir / "XCURSOR\\new.ani"), data);
}

TEST(SaveStreamToFile, LockedFileStaysOld) {
    TestFolder dir;
    ASSERT_TRUE(WriteWholeFile(dir / "c.ani", "old"));
    HANDLE lock = CreateFileA((dir / "c.ani").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    TStringStream stream("new");
    SaveStreamToFile(&stream, dir / "c.ani");
    CloseHandle(lock);
    EXPECT_EQ(ReadWholeFile(dir / "c.ani"), "old");
}
