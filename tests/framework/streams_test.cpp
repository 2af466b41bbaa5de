// Memory, string and file streams: checked transfers, growth, seeking, files,
// and writes onto a full disk that raise instead of losing the data quietly.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "framework/exceptions.h"
#include "framework/streams.h"
#include "framework/strings.h"
#include "tests/framework/control_test_support.h"

namespace {
std::string TempName(const std::string& leaf) {
    const auto dir = std::filesystem::temp_directory_path() / "fwcore_stream_test";
    std::filesystem::create_directories(dir);
    return (dir / leaf).string();
}
}  // namespace

TEST(MemoryStream, ShortReadRaisesGrowthSeekAndGap) {
    TMemoryStream m;
    m.WriteBuffer("abc", 3);
    m.SetPosition(1);
    char buf[8] = {};
    EXPECT_EQ(ErrorOf<EReadError>([&] { m.ReadBuffer(buf, 5); }), "Stream-Lesefehler");
    m.SetPosition(0);
    m.ReadBuffer(buf, 3);
    EXPECT_EQ(std::string(buf, 3), "abc");
    EXPECT_EQ(m.Read(buf, 1), 0);  // at the end
    m.Clear();
    for (int i = 0; i < 10000; ++i) {
        const char c = static_cast<char>('a' + i % 26);
        m.WriteBuffer(&c, 1);
    }
    EXPECT_EQ(m.Size(), 10000);
    EXPECT_EQ(m.Position(), 10000);
    EXPECT_EQ(m.Memory()[9999], 'a' + 9999 % 26);
    // Beyond the end is allowed; writing there fills the gap with zeros.
    EXPECT_EQ(m.Seek(5, TSeekOrigin::soEnd), 10005);
    EXPECT_EQ(m.Size(), 10000);
    m.WriteBuffer("z", 1);
    EXPECT_EQ(m.Size(), 10006);
    EXPECT_EQ(m.Memory()[10002], '\0');
    EXPECT_EQ(m.Seek(-3, TSeekOrigin::soCurrent), 10003);
    EXPECT_EQ(m.Seek(2, TSeekOrigin::soBeginning), 2);
    m.SetSize(1);
    EXPECT_EQ(m.Position(), 1);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Position(), 0);
}

TEST(MemoryStream, ReserveMakesRoomWithoutChangingTheBytes) {
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    s.Reserve(1 << 20);
    const char* room = s.Memory();
    EXPECT_EQ(s.Size(), 3);
    EXPECT_EQ(s.Position(), 3);
    const std::string more(1 << 20, 'x');
    s.WriteBuffer(more.data(), static_cast<int64_t>(more.size()));
    EXPECT_EQ(s.Memory(), room) << "the bytes did not move while the reserved room filled";
    EXPECT_EQ(std::string(s.Memory(), 3), "abc");
    s.Reserve(-5);
    s.Reserve(INT64_MAX);  // ignored, not a failure
    EXPECT_EQ(s.Size(), 3 + (1 << 20));
}

TEST(MemoryStream, ImpossiblePositionsRaiseAndChangeNothing) {
    constexpr int64_t kMax = INT64_MAX;
    struct Case {
        int64_t start;
        int64_t offset;
        TSeekOrigin origin;
    } cases[] = {
        {0, -1, TSeekOrigin::soBeginning}, {2, -3, TSeekOrigin::soCurrent}, {0, -4, TSeekOrigin::soEnd},
        {kMax, 1, TSeekOrigin::soCurrent},  {1, kMax, TSeekOrigin::soCurrent}, {0, kMax, TSeekOrigin::soEnd},
        {5, INT64_MIN, TSeekOrigin::soCurrent},
    };
    for (const Case& c : cases) {
        TMemoryStream m;
        m.WriteBuffer("abc", 3);
        m.SetPosition(c.start);
        EXPECT_THROW(m.Seek(c.offset, c.origin), EStreamError) << c.start << " " << c.offset;
        EXPECT_EQ(m.Position(), c.start);
    }
    // The largest position is allowed, but no byte fits behind it.
    TMemoryStream m;
    m.WriteBuffer("abc", 3);
    EXPECT_EQ(m.Seek(kMax - 1, TSeekOrigin::soBeginning), kMax - 1);
    EXPECT_EQ(m.Write("xy", 2), 0);
    EXPECT_THROW(m.WriteBuffer("xyz", 3), EWriteError);
    EXPECT_EQ(m.Size(), 3);
    EXPECT_EQ(std::string(m.Memory(), 3), "abc");
}

TEST(StringStream, DataAndCopy) {
    TStringStream s(std::string("ab\0c", 4));
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(s.Size(), 4);
    TMemoryStream m;
    EXPECT_EQ(m.CopyFrom(s, 0), 4);
    EXPECT_EQ(std::string(m.Memory(), 4), std::string("ab\0c", 4));
    s.SetPosition(1);
    TMemoryStream part;
    part.CopyFrom(s, 2);
    EXPECT_EQ(std::string(part.Memory(), 2), std::string("b\0", 2));
    EXPECT_THROW(part.CopyFrom(s, 5), EReadError);
    // A negative count is refused before anything moves.
    s.SetPosition(1);
    TMemoryStream none;
    EXPECT_THROW(none.CopyFrom(s, -1), EReadError);
    EXPECT_EQ(none.Size(), 0);
    EXPECT_EQ(s.Position(), 1);
    EXPECT_EQ(s.DataString(), std::string("ab\0c", 4));
}

TEST(FileStream, RoundTripInTempFolder) {
    const std::string name = TempName("round.bin");
    const std::string data("\xC4" "\0\r\n\xFF", 5);
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer(data.data(), 5);
        EXPECT_EQ(f.Size(), 5);
        f.SetPosition(1);
        char c = 0;
        f.ReadBuffer(&c, 1);  // read after write in the same stream
        EXPECT_EQ(c, '\0');
    }
    {
        TFileStream f(name, fmOpenRead);
        std::string back(5, ' ');
        f.ReadBuffer(back.data(), 5);
        EXPECT_EQ(back, data);
        EXPECT_THROW(f.ReadBuffer(back.data(), 1), EReadError);
    }
    {
        TFileStream f(name, fmOpenReadWrite);
        f.Seek(0, TSeekOrigin::soEnd);
        f.WriteBuffer("x", 1);
        f.SetSize(3);
        EXPECT_EQ(f.Size(), 3);
    }
    TMemoryStream m;
    m.LoadFromFile(name);
    EXPECT_EQ(std::string(m.Memory(), 3), data.substr(0, 3));
    std::remove(name.c_str());
}

TEST(FileStream, MissingFileRaisesOpenErrorNamingIt) {
    const std::string name = TempName("fehlt.txt");
    std::remove(name.c_str());
    EXPECT_EQ(ErrorOf<EFOpenError>([&] { TFileStream f(name, fmOpenRead); }),
              "Datei \"" + name + "\" kann nicht ge\xF6" "ffnet werden");
    TStringList l;
    EXPECT_THROW(l.LoadFromFile(name), EFOpenError);
    const std::string bad = TempName("no_such_dir") + "/x/y.txt";
    EXPECT_THROW(TFileStream(bad, fmCreate), EFCreateError);
}

namespace {
// The always-full device (under Wine through its drive Z:).
#if defined(_WIN32)
const char kFullDisk[] = "Z:\\dev\\full";
#else
const char kFullDisk[] = "/dev/full";
#endif
}  // namespace

TEST(FileStreamWrite, AFullDiskRaisesOnEveryWritePath) {
    const std::string block(100, 'x');
    struct Case {
        const char* path;
        std::function<void()> write;
    };
    const Case cases[] = {
        {"WriteBuffer", [&] { TFileStream(kFullDisk, fmCreate).WriteBuffer(block.data(), 100); }},
        {"TStrings::SaveToFile",
         [&] {
             TStringList list;
             list.Add(block);
             list.SaveToFile(kFullDisk);
         }},
        {"TMemoryStream::SaveToFile", [&] { TStringStream(block).SaveToFile(kFullDisk); }},
    };
    for (const Case& c : cases) EXPECT_THROW(c.write(), EWriteError) << c.path;
}
