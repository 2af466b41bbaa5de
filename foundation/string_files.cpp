#include "foundation/string_files.h"

#include <windows.h>

#include <functional>
#include <vector>

#include "foundation/file_exists.h"
#include "foundation/file_handle.h"
#include "foundation/folders.h"
#include "foundation/path_text.h"
#include "framework/streams.h"
#include "framework/strings.h"

namespace {

void ForceFolderOf(const std::string& FileName) {
    const std::string dir = ExtractFileDir(FileName);
    if (!dir.empty()) ForceFolders(dir);
}

bool WriteStream(TStream& Stream, HANDLE File) {
    constexpr int64_t kBlock = 65536;
    std::vector<char> buf(kBlock);
    Stream.SetPosition(0);
    for (;;) {
        const int64_t got = Stream.Read(buf.data(), kBlock);
        if (got <= 0) return true;
        DWORD written = 0;
        if (!WriteFile(File, buf.data(), static_cast<DWORD>(got), &written, nullptr) ||
            written != static_cast<DWORD>(got))
            return false;
    }
}

// Writes FileName through a new file in its folder, which takes the name
// only when Write wrote all of it: after a failure (or an exception) the old
// file is left as it was and nothing half-written stays behind.
bool WriteThroughNewFile(const std::string& FileName, const std::function<bool(const std::string& Temp)>& Write) {
    const std::string dir = ExtractFileDir(FileName);
    char temp[MAX_PATH];
    if (!GetTempFileNameA(dir.empty() ? "." : dir.c_str(), "sav", 0, temp)) return false;
    bool ok = false;
    try {
        ok = Write(temp);
    } catch (...) {
        ok = false;
    }
    ok = ok && MoveFileExA(temp, FileName.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!ok) DeleteFileA(temp);
    return ok;
}

}  // namespace

void LoadStringsFromFile(TStrings* Strings, const std::string& FileName) {
    if (!Strings || !FileExists(FileName)) return;
    try {
        Strings->LoadFromFile(FileName);
    } catch (...) {
    }
}

void SaveStringsToFile(const TStrings* Strings, const std::string& FileName) {
    if (!Strings || FileName.empty()) return;
    ForceFolderOf(FileName);
    // A hidden or read-only file cannot be replaced; lift the attributes for
    // the write and put them back afterwards.
    constexpr DWORD kBlocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    const DWORD attr = GetFileAttributesA(FileName.c_str());
    const bool lifted = attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                        (attr & kBlocking) != 0 &&
                        SetFileAttributesA(FileName.c_str(), attr & ~kBlocking);
    WriteThroughNewFile(FileName, [Strings](const std::string& Temp) {
        Strings->SaveToFile(Temp);
        return true;
    });
    if (lifted) SetFileAttributesA(FileName.c_str(), attr);
}

void SaveStreamToFile(TStream* Stream, const std::string& FileName) {
    if (!Stream || FileName.empty()) return;
    ForceFolderOf(FileName);
    try {
        const int64_t oldPos = Stream->Position();
        WriteThroughNewFile(FileName, [Stream](const std::string& Temp) {
            TFileHandle file(
                CreateFileA(Temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            return file.Valid() && WriteStream(*Stream, file.Get());
        });
        Stream->SetPosition(oldPos);
    } catch (...) {
    }
}
