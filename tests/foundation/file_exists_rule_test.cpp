#include <gtest/gtest.h>

#include "foundation/file_exists_rule.h"

namespace {

// Probes that count their calls and answer as told.
struct CountingProbes {
    bool opens = false, found = false;
    int openCalls = 0, searchCalls = 0;
    TFileExistsProbes Probes() {
        return {[this] { ++openCalls; return opens; }, [this] { ++searchCalls; return found; }};
    }
};

TFileAttributeResult Failed(uint32_t error) { return {false, 0, error}; }
TFileAttributeResult Attributes(uint32_t attributes) { return {true, attributes, 0}; }

}  // namespace

TEST(FileExistsRule, ErrorCodes) {
    // Missing file, missing path, invalid name: False, and no probe may overrule it.
    for (uint32_t error : {2u, 3u, 123u}) {
        CountingProbes probes{true, true};
        EXPECT_FALSE(DecideFileExists(Failed(error), probes.Probes())) << error;
        EXPECT_EQ(probes.openCalls + probes.searchCalls, 0) << error;
    }
    // Held open elsewhere: it exists.
    CountingProbes locked;
    EXPECT_TRUE(DecideFileExists(Failed(32), locked.Probes()));
    EXPECT_EQ(locked.openCalls + locked.searchCalls, 0);
    // Anything else asks the directory search, once.
    for (uint32_t error : {5u, 21u, 53u}) {
        for (bool found : {true, false}) {
            CountingProbes probes{false, found};
            EXPECT_EQ(DecideFileExists(Failed(error), probes.Probes()), found) << error;
            EXPECT_EQ(probes.searchCalls, 1) << error;
            EXPECT_EQ(probes.openCalls, 0) << error;
        }
    }
}

TEST(FileExistsRule, Attributes) {
    CountingProbes probes{true, true};
    EXPECT_TRUE(DecideFileExists(Attributes(0x20), probes.Probes()));
    // Folders never count, a folder link neither.
    EXPECT_FALSE(DecideFileExists(Attributes(kFileAttributeDirectory), probes.Probes()));
    EXPECT_FALSE(DecideFileExists(Attributes(kFileAttributeDirectory | kFileAttributeReparsePoint),
                                  probes.Probes()));
    EXPECT_EQ(probes.openCalls + probes.searchCalls, 0);
    // A file link counts when it opens; a dangling one does not, though a search finds it.
    EXPECT_TRUE(DecideFileExists(Attributes(kFileAttributeReparsePoint | 0x20), probes.Probes()));
    probes.opens = false;
    EXPECT_FALSE(DecideFileExists(Attributes(kFileAttributeReparsePoint), probes.Probes()));
    EXPECT_EQ(probes.openCalls, 2);
    EXPECT_EQ(probes.searchCalls, 0);
}
