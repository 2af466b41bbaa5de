#include "foundation/folder_walk.h"

#include <windows.h>

#include "framework/find_handle.h"
#include "foundation/path_text.h"

namespace {

bool IsDotEntry(const char* name) { return name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2])); }

void ForEachEntry(const std::string& folder, const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
    WIN32_FIND_DATAA data{};
    TFindHandle find(folder + "*", data);
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
