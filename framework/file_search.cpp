#include "framework/file_search.h"

#include <windows.h>

namespace {

// Closes a search handle on every way out.
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (Valid()) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }

private:
    HANDLE h_;
};

constexpr DWORD kLeftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::vector<std::string> ListOrdinaryFiles(const std::string& Pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(Pattern.c_str(), &data));
    if (!find.Valid()) return names;
    do {
        if ((data.dwFileAttributes & kLeftOut) == 0) names.emplace_back(data.cFileName);
    } while (FindNextFileA(find.Get(), &data));
    return names;
}
