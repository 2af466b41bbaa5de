#include "foundation/folder_walk.h"

#include <windows.h>

#include "foundation/path_text.h"

namespace {

// FindFirstFileA/FindClose for a scope.
class FindScope {
public:
    FindScope(const std::string& pattern, WIN32_FIND_DATAA& data) : h_(FindFirstFileA(pattern.c_str(), &data)) {}
    FindScope(const FindScope&) = delete;
    FindScope& operator=(const FindScope&) = delete;
    ~FindScope() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    bool Found() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(h_, &data) != FALSE; }

private:
    HANDLE h_;
};

bool IsDotEntry(const char* name) { return name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2])); }

void ForEachEntry(const std::string& folder, const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
    WIN32_FIND_DATAA data{};
    FindScope find(folder + "*", data);
    if (!find.Found()) return;
    do {
        if (!IsDotEntry(data.cFileName)) visit(data);
    } while (find.Next(data));
}

}  // namespace

void WalkFolderFiles(const std::string& Folder, const std::function<void(const std::string& File)>& OnFile,
                     const std::function<void()>& OnFolder) {
    const std::string folder = IncludePathDelimiter(Folder);
    if (folder.empty()) return;
    if (OnFolder) OnFolder();
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& d) {
        const DWORD attr = d.dwFileAttributes;
        if ((attr & FILE_ATTRIBUTE_DIRECTORY) && !(attr & FILE_ATTRIBUTE_REPARSE_POINT))
            WalkFolderFiles(folder + d.cFileName, OnFile, OnFolder);
    });
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& d) {
        if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) OnFile(folder + d.cFileName);
    });
}
