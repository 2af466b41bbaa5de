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
        SetCopyPauseFunction([this](unsigned ms) {
            pauses.push_back(ms);
            if (OnPause) OnPause(static_cast<int>(pauses.size()));
        });
    }
    void TearDown() override {
        SetCopyPauseFunction({});
        SetCopyWriteFunction({});
    }

    TestFolder dir;
    std::vector<unsigned> pauses;
    std::function<void(int pauseNumber)> OnPause;
};

const std::vector<unsigned> kAllPauses = {100, 200, 300, 400, 500, 600, 700, 800, 900};

}  // namespace

// One byte past two and one 61,440-byte blocks; the second copy must not
// leave the tail of the longer first one behind.
TEST_F(CopyFileTest, ByteIdenticalAcrossBlockBoundaries) {
    for (size_t size : {122881u, 61441u}) {
        const std::string content = Pattern(size);
        ASSERT_TRUE(WriteWholeFile(dir / "src", content));
        EXPECT_TRUE(CopyFileSafe(dir / "src", dir / "out\\deep\\dst")) << size;
        EXPECT_EQ(ReadWholeFile(dir / "out\\deep\\dst"), content) << size;
        EXPECT_EQ(ReadWholeFile(dir / "src"), content) << size;
    }
    EXPECT_FALSE(CopyFileSafe(dir / "missing", dir / "dst"));  // no retries for a missing source
    EXPECT_FALSE(PathExists(dir / "dst"));
    EXPECT_TRUE(pauses.empty());
}

TEST_F(CopyFileTest, OntoItselfChangesNothing) {
    const std::string content = Pattern(61441);
    ASSERT_TRUE(WriteWholeFile(dir / "same.bin", content));
    for (const std::string& dest : {dir / "same.bin", dir / "SAME.BIN", dir / ".\\same.bin"}) {
        EXPECT_FALSE(CopyFileSafe(dir / "same.bin", dest)) << dest;
        EXPECT_FALSE(CopyFileTo(dir / "same.bin", dest)) << dest;
        EXPECT_EQ(ReadWholeFile(dir / "same.bin"), content) << dest;
    }
    EXPECT_TRUE(pauses.empty());
    if (!CreateHardLinkA((dir / "link.bin").c_str(), (dir / "same.bin").c_str(), nullptr))
        GTEST_SKIP() << "no hard links here";
    EXPECT_FALSE(CopyFileSafe(dir / "same.bin", dir / "link.bin"));
    EXPECT_EQ(ReadWholeFile(dir / "same.bin"), content);
}

TEST_F(CopyFileTest, LockedDestinationIsRetriedUntilReleased) {
    const std::string content = Pattern(61441);
    ASSERT_TRUE(WriteWholeFile(dir / "src", content));
    ASSERT_TRUE(WriteWholeFile(dir / "dst", "old"));
    {
        auto lock = HoldOpen(dir / "dst");
        ASSERT_TRUE(lock);
        EXPECT_FALSE(CopyFileSafe(dir / "src", dir / "dst"));
    }
    // A pause after each of the first nine attempts, none after the tenth;
    // the file held by the other program was never opened.
    EXPECT_EQ(pauses, kAllPauses);
    EXPECT_EQ(ReadWholeFile(dir / "dst"), "old");

    pauses.clear();
    auto lock = HoldOpen(dir / "dst");
    ASSERT_TRUE(lock);
    OnPause = [&](int n) {
        if (n == 3) lock.reset();
    };
    EXPECT_TRUE(CopyFileSafe(dir / "src", dir / "dst"));
    EXPECT_EQ(pauses, (std::vector<unsigned>{100, 200, 300}));
    EXPECT_EQ(ReadWholeFile(dir / "dst"), content);
}

TEST_F(CopyFileTest, FailedAttemptLeavesNoPartialDestination) {
    // The second block of every attempt fails, after the first was written.
    ASSERT_TRUE(WriteWholeFile(dir / "src", Pattern(122881)));
    int blocks = 0;
    SetCopyWriteFunction([&](void* file, const char* data, unsigned long size) {
        EXPECT_EQ(size, 61440u);
        if (++blocks % 2 == 0) return false;
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
}
