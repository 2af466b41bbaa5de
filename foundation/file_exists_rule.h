// The program-wide rule of FileExists, apart from the system calls so that
// every branch can be checked with chosen error codes.
#pragma once

#include <cstdint>
#include <functional>

// Attribute and error values as the system reports them.
inline constexpr uint32_t kFileAttributeDirectory = 0x10;
inline constexpr uint32_t kFileAttributeReparsePoint = 0x400;
inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorPathNotFound = 3;
inline constexpr uint32_t kErrorSharingViolation = 32;
inline constexpr uint32_t kErrorInvalidName = 123;

// Outcome of the attribute query of a name.
struct TFileAttributeResult {
    bool Succeeded = false;
    uint32_t Attributes = 0;  // valid when Succeeded
    uint32_t Error = 0;       // the last error when not Succeeded
};

// The further probes the rule may need; each is called at most once and only
// when the rule gets to it.
struct TFileExistsProbes {
    // Opening the name for reading succeeds (decides for reparse points).
    std::function<bool()> OpensForReading;
    // A directory search for the name finds an entry that is not a folder.
    std::function<bool()> FoundByDirectorySearch;
};

// Folders never count. A file held open elsewhere (sharing violation) counts;
// a missing file, a missing path or an invalid name does not; a reparse point
// counts when it can be opened; other failures ask the directory search.
bool DecideFileExists(const TFileAttributeResult& Query, const TFileExistsProbes& Probes);
