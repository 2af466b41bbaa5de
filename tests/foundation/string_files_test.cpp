#include <gtest/gtest.h>

#include "foundation/string_files.h"
#include "framework/exceptions.h"
#include "framework/streams.h"
#include "framework/strings.h"
#include "test_folder.h"

TEST(StringFiles, LoadExistingFilesOnlySaveCreatingTheFolderAndSwallowingErrors) {
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
    // Saving creates the folder and swallows errors.
    list.SetText("eins\r\nzwei");
    SaveStringsToFile(&list, dir / "a\\b\\list.txt");
    EXPECT_EQ(ReadWholeFile(dir / "a\\b\\list.txt"), "eins\r\nzwei\r\n");
    SaveStringsToFile(&list, dir.Path());  // a folder cannot be written
    auto lock = HoldOpen(dir / "locked.txt", GENERIC_WRITE);
    ASSERT_TRUE(lock);
    SaveStringsToFile(&list, dir / "locked.txt");
    lock.reset();
    EXPECT_EQ(ReadWholeFile(dir / "locked.txt"), "");
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
    EXPECT_TRUE(before & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);  // lets the folder go
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
    // A file held by another program stays as it was.
    auto lock = HoldOpen(dir / "old.ani");
    ASSERT_TRUE(lock);
    TStringStream small("new");
    SaveStreamToFile(&small, dir / "old.ani");
    lock.reset();
    EXPECT_EQ(ReadWholeFile(dir / "old.ani"), data);
}

namespace {
// A list that fails half-way through being saved.
class FailingList : public TStringList {
public:
    std::string Get(int Index) const override {
        if (Index == 1) throw EWriteError("kaputt");
        return TStringList::Get(Index);
    }
};

// A stream whose reads fail after the first block.
class FailingStream : public TMemoryStream {
public:
    int64_t Read(void* Buffer, int64_t Count) override {
        if (Position() > 0) throw EReadError("kaputt");
        return TMemoryStream::Read(Buffer, Count);
    }
};

int FilesIn(const TestFolder& dir) {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) n += entry.is_regular_file();
    return n;
}
}  // namespace

TEST(SaveToFileFailure, LeavesTheOldFileAndNothingHalfWritten) {
    TestFolder dir;
    const std::string name = dir / "alt.txt";
    ASSERT_TRUE(WriteWholeFile(name, "alt\r\n"));
    FailingList list;
    list.Add("a");
    list.Add("b");
    SaveStringsToFile(&list, name);
    EXPECT_EQ(ReadWholeFile(name), "alt\r\n");
    FailingStream stream;
    const std::string data(200000, 'x');
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    SaveStreamToFile(&stream, name);
    EXPECT_EQ(ReadWholeFile(name), "alt\r\n");
    EXPECT_EQ(FilesIn(dir), 1);
}
