#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "foundation/file_copy.h"
#include "test_folder.h"

namespace {

std::string Pattern(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 7 + i / 251) % 256);
    return s;
}

// Records the pauses instead of sleeping; OnPause may act at a given pause.
class CopyFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetCopyPauseFunction([this](unsigned ms) {
            pauses.push_back(ms);
            if (OnPause) OnPause(static_cast<int>(pauses.size()));
        });
    }
    void TearDown() override {
        SetCopyPauseFunction(previous_);
        SetCopyWriteFunction({});
    }

    TestFolder dir;
    std::vector<unsigned> pauses;
    std::function<void(int pauseNumber)> OnPause;

private:
    TCopyPauseFunction previous_;
};

const std::vector<unsigned> kAllPauses = {100, 200, 300, 400, 500, 600, 700, 800, 900};

}  // namespace

TEST_F(CopyFileTest, ByteIdenticalAcrossBlockBoundaries) {
    for (size_t size : {0u, 1u, 61439u, 61440u, 61441u, 122880u, 122881u}) {
        const std::string content = Pattern(size);
        const std::string source = dir / ("src" + std::to_string(size));
        const std::string dest = dir / ("out\\deep\\dst" + std::to_string(size));
        ASSERT_TRUE(WriteWholeFile(source, content));
        EXPECT_TRUE(CopyFileSafe(source, dest)) << size;
        EXPECT_EQ(ReadWholeFile(dest), content) << size;
        EXPECT_EQ(ReadWholeFile(source), content) << size;
    }
    EXPECT_TRUE(pauses.empty());
}

TEST_F(CopyFileTest, ReplacesALongerDestination) {
    ASSERT_TRUE(WriteWholeFile(dir / "src", "short"));
    ASSERT_TRUE(WriteWholeFile(dir / "dst", Pattern(100000)));
    EXPECT_TRUE(CopyFileTo(dir / "src", dir / "dst"));
    EXPECT_EQ(ReadWholeFile(dir / "dst"), "short");
}

TEST_F(CopyFileTest, OntoItselfChangesNothing) {
    const std::string content = Pattern(61441);
    ASSERT_TRUE(WriteWholeFile(dir / "same.bin", content));
    std::string upper = dir / "SAME.BIN";
    std::string dotted = dir / ".\\same.bin";
    for (const std::string& dest : {dir / "same.bin", upper, dotted}) {
        EXPECT_FALSE(CopyFileSafe(dir / "same.bin", dest)) << dest;
        EXPECT_FALSE(CopyFileTo(dir / "same.bin", dest)) << dest;
        EXPECT_EQ(ReadWholeFile(dir / "same.bin"), content) << dest;
    }
    EXPECT_TRUE(pauses.empty());
}

TEST_F(CopyFileTest, HardLinkToTheSourceIsTheSameFile) {
    const std::string content = Pattern(5000);
    ASSERT_TRUE(WriteWholeFile(dir / "a.bin", content));
    if (!CreateHardLinkA((dir / "b.bin").c_str(), (dir / "a.bin").c_str(), nullptr))
        GTEST_SKIP() << "no hard links here";
    EXPECT_TRUE(SameFile(dir / "a.bin", dir / "b.bin"));
    EXPECT_FALSE(CopyFileSafe(dir / "a.bin", dir / "b.bin"));
    EXPECT_EQ(ReadWholeFile(dir / "a.bin"), content);
}

TEST_F(CopyFileTest, MissingSourceFailsAtOnce) {
    EXPECT_FALSE(CopyFileSafe(dir / "missing", dir / "dst"));
    EXPECT_FALSE(PathExists(dir / "dst"));
    EXPECT_TRUE(pauses.empty());
}

TEST_F(CopyFileTest, LockedDestinationTenAttemptsThenFalse) {
    ASSERT_TRUE(WriteWholeFile(dir / "src", Pattern(61441)));
    ASSERT_TRUE(WriteWholeFile(dir / "dst", "old"));
    HANDLE lock = CreateFileA((dir / "dst").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CopyFileSafe(dir / "src", dir / "dst"));
    CloseHandle(lock);
    // A pause after each of the first nine attempts, none after the tenth.
    EXPECT_EQ(pauses, kAllPauses);
    // The file held by the other program was never opened, so it is untouched.
    EXPECT_EQ(ReadWholeFile(dir / "dst"), "old");
}

TEST_F(CopyFileTest, DestinationReleasedAfterThirdAttemptSucceeds) {
    const std::string content = Pattern(61441);
    ASSERT_TRUE(WriteWholeFile(dir / "src", content));
    ASSERT_TRUE(WriteWholeFile(dir / "dst", "old"));
    HANDLE lock = CreateFileA((dir / "dst").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    OnPause = [&](int n) {
        if (n == 3 && lock != INVALID_HANDLE_VALUE) {
            CloseHandle(lock);
            lock = INVALID_HANDLE_VALUE;
        }
    };
    EXPECT_TRUE(CopyFileSafe(dir / "src", dir / "dst"));
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    EXPECT_EQ(pauses, (std::vector<unsigned>{100, 200, 300}));
    EXPECT_EQ(ReadWholeFile(dir / "dst"), content);
}

TEST_F(CopyFileTest, FailedAttemptLeavesNoPartialDestination) {
    // Every write after the first block fails while `failing` is set, so each
    // attempt has created Dest and written part of it.
    const std::string content = Pattern(122880);
    ASSERT_TRUE(WriteWholeFile(dir / "src", content));
    bool failing = true;
    int blocks = 0;
    std::vector<unsigned long> sizes;
    SetCopyWriteFunction([&](void* file, const char* data, unsigned long size) {
        sizes.push_back(size);
        if (failing && ++blocks % 2 == 0) return false;
        DWORD written = 0;
        return WriteFile(file, data, size, &written, nullptr) && written == size;
    });
    bool sawPartial = false;
    OnPause = [&](int) { sawPartial = sawPartial || PathExists(dir / "dst"); };
    EXPECT_FALSE(CopyFileSafe(dir / "src", dir / "dst"));
    EXPECT_EQ(pauses, kAllPauses);
    EXPECT_EQ(blocks, 20);
    EXPECT_FALSE(sawPartial);
    EXPECT_FALSE(PathExists(dir / "dst"));

    // Healed after the second attempt, the third copies everything.
    pauses.clear();
    sizes.clear();
    blocks = 0;
    OnPause = [&](int n) {
        if (n == 2) failing = false;
    };
    EXPECT_TRUE(CopyFileSafe(dir / "src", dir / "dst"));
    EXPECT_EQ(pauses, (std::vector<unsigned>{100, 200}));
    EXPECT_EQ(ReadWholeFile(dir / "dst"), content);
    // Two blocks of 61,440 bytes in each of the three attempts.
    EXPECT_EQ(sizes, std::vector<unsigned long>(6, 61440));
}
