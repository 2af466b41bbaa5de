#include <gtest/gtest.h>

#include "foundation/file_exists_rule.h"

namespace {

// Probes that count their calls and answer as told.
struct CountingProbes {
    bool opens = false;
    bool found = false;
    int openCalls = 0;
    int searchCalls = 0;
    TFileExistsProbes Probes() {
        TFileExistsProbes p;
        p.OpensForReading = [this] { ++openCalls; return opens; };
        p.FoundByDirectorySearch = [this] { ++searchCalls; return found; };
        return p;
    }
};

TFileAttributeResult Failed(uint32_t error) { return {false, 0, error}; }
TFileAttributeResult Attributes(uint32_t attributes) { return {true, attributes, 0}; }

}  // namespace

TEST(FileExistsRule, MissingFilePathOrInvalidNameIsFalseWithoutFallback) {
    for (uint32_t error : {2u, 3u, 123u}) {
        CountingProbes probes;
        probes.found = true;
        EXPECT_FALSE(DecideFileExists(Failed(error), probes.Probes())) << error;
        EXPECT_EQ(probes.searchCalls, 0) << error;
        EXPECT_EQ(probes.openCalls, 0) << error;
    }
}

TEST(FileExistsRule, SharingViolationCountsAsExisting) {
    CountingProbes probes;
    EXPECT_TRUE(DecideFileExists(Failed(32), probes.Probes()));
    EXPECT_EQ(probes.searchCalls, 0);
}

TEST(FileExistsRule, OtherErrorsAskTheDirectorySearch) {
    for (uint32_t error : {5u, 21u, 53u, 1920u}) {
        CountingProbes probes;
        probes.found = true;
        EXPECT_TRUE(DecideFileExists(Failed(error), probes.Probes())) << error;
        EXPECT_EQ(probes.searchCalls, 1);
        probes.found = false;
        EXPECT_FALSE(DecideFileExists(Failed(error), probes.Probes())) << error;
        EXPECT_EQ(probes.openCalls, 0);
    }
}

TEST(FileExistsRule, FoldersNeverCount) {
    CountingProbes probes;
    probes.opens = probes.found = true;
    EXPECT_FALSE(DecideFileExists(Attributes(kFileAttributeDirectory), probes.Probes()));
    // A folder link is still a folder.
    EXPECT_FALSE(DecideFileExists(Attributes(kFileAttributeDirectory | kFileAttributeReparsePoint),
                                  probes.Probes()));
    EXPECT_EQ(probes.openCalls + probes.searchCalls, 0);
}

TEST(FileExistsRule, ReparsePointCountsWhenItOpens) {
    CountingProbes probes;
    probes.opens = true;
    EXPECT_TRUE(DecideFileExists(Attributes(kFileAttributeReparsePoint | 0x20), probes.Probes()));
    probes.opens = false;
    probes.found = true;  // a dangling link is found by a search but does not count
    EXPECT_FALSE(DecideFileExists(Attributes(kFileAttributeReparsePoint), probes.Probes()));
    EXPECT_EQ(probes.openCalls, 2);
    EXPECT_EQ(probes.searchCalls, 0);
}

TEST(FileExistsRule, PlainFileNeedsNoProbe) {
    CountingProbes probes;
    EXPECT_TRUE(DecideFileExists(Attributes(0x20), probes.Probes()));
    EXPECT_TRUE(DecideFileExists(Attributes(0x80), TFileExistsProbes{}));
    EXPECT_EQ(probes.openCalls + probes.searchCalls, 0);
}
