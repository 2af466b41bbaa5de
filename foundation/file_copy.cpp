#include "foundation/file_copy.h"

#include <windows.h>

#include <vector>

#include "foundation/file_handle.h"
#include "foundation/folders.h"
#include "foundation/path_text.h"
#include "framework/ansi_text.h"

namespace {

constexpr DWORD kBlockSize = 61440;
constexpr int kAttempts = 10;
constexpr unsigned kPauseStep = 100;

TCopyPauseFunction& PauseFunction() {
    static TCopyPauseFunction pause;
    return pause;
}

TCopyWriteFunction& WriteFunction() {
    static TCopyWriteFunction write;
    return write;
}

bool WriteBlock(HANDLE File, const char* Data, DWORD Size) {
    if (WriteFunction()) return WriteFunction()(File, Data, Size);
    DWORD written = 0;
    return WriteFile(File, Data, Size, &written, nullptr) && written == Size;
}

void Pause(unsigned Milliseconds) {
    if (PauseFunction())
        PauseFunction()(Milliseconds);
    else
        Sleep(Milliseconds);
}

std::string FullPath(const std::string& Name) {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetFullPathNameA(Name.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
        if (n == 0) return Name;
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(n + 1);
    }
}

bool FileIdentity(const std::string& Name, BY_HANDLE_FILE_INFORMATION& Info) {
    // No access rights asked: this opens even a file another process holds
    // with no sharing.
    TFileHandle h(CreateFileA(Name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.Valid() && GetFileInformationByHandle(h.Get(), &Info);
}

// One attempt: create Dest and copy all of Source into it. A Dest created
// here is deleted again when the copy fails.
bool CopyAttempt(HANDLE Source, const std::string& Dest, std::vector<char>& Buffer) {
    LARGE_INTEGER start = {};
    if (!SetFilePointerEx(Source, start, nullptr, FILE_BEGIN)) return false;
    bool ok = true;
    {
        TFileHandle dest(CreateFileA(Dest.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!dest.Valid()) return false;
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(Source, Buffer.data(), kBlockSize, &got, nullptr)) {
                ok = false;
                break;
            }
            if (got == 0) break;
            if (!WriteBlock(dest.Get(), Buffer.data(), got)) {
                ok = false;
                break;
            }
        }
        if (ok && !CloseHandle(dest.Release())) ok = false;
    }
    if (!ok) DeleteFileA(Dest.c_str());
    return ok;
}

}  // namespace

TCopyPauseFunction SetCopyPauseFunction(TCopyPauseFunction Pause) {
    TCopyPauseFunction previous = std::move(PauseFunction());
    PauseFunction() = std::move(Pause);
    return previous;
}

TCopyWriteFunction SetCopyWriteFunction(TCopyWriteFunction Write) {
    TCopyWriteFunction previous = std::move(WriteFunction());
    WriteFunction() = std::move(Write);
    return previous;
}

bool SameFile(const std::string& Name1, const std::string& Name2) {
    if (AnsiSameText(FullPath(Name1), FullPath(Name2))) return true;
    BY_HANDLE_FILE_INFORMATION a, b;
    if (!FileIdentity(Name1, a) || !FileIdentity(Name2, b)) return false;
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

bool CopyFileSafe(const std::string& Source, const std::string& Dest) {
    if (Source.empty() || Dest.empty()) return false;
    // Creating Dest would truncate the very file being read.
    if (SameFile(Source, Dest)) return false;
    const std::string dir = ExtractFileDir(Dest);
    if (!dir.empty()) ForceFolders(dir);
    TFileHandle source(CreateFileA(Source.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source.Valid()) return false;
    std::vector<char> buffer(kBlockSize);
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (CopyAttempt(source.Get(), Dest, buffer)) return true;
        if (attempt < kAttempts) Pause(kPauseStep * attempt);
    }
    return false;
}

bool CopyFileTo(const std::string& Source, const std::string& Dest) { return CopyFileSafe(Source, Dest); }
