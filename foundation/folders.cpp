#include "foundation/folders.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "foundation/path_text.h"

namespace {

std::string WithoutTrailingDelimiter(std::string Folder) {
    // A root ("C:\", "\") keeps its delimiter.
    while (Folder.size() > 1 && Folder.back() == '\\' && Folder[Folder.size() - 2] != ':')
        Folder.pop_back();
    return Folder;
}

}  // namespace

bool FolderExists(const std::string& Name) {
    if (Name.empty()) return false;
    const DWORD attr = GetFileAttributesA(Name.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ForceFolders(const std::string& Folder) {
    const std::string folder = WithoutTrailingDelimiter(Folder);
    if (folder.empty()) return false;
    if (FolderExists(folder)) return true;
    const std::string parent = ExtractFileDir(folder);
    // The parent's result is not decisive: a share root ("\\srv\share")
    // cannot be created or always exists, so just try the folder itself.
    if (!parent.empty() && parent != folder) ForceFolders(parent);
    return CreateDirectoryA(folder.c_str(), nullptr) || FolderExists(folder);
}

std::string GetAppDir() {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::string();
        if (n < buf.size()) return ExtractFilePath(std::string(buf.data(), n));
        buf.resize(buf.size() * 2);
    }
}

std::string GetClientRoot() {
    char buf[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, SHGFP_TYPE_CURRENT, buf)) ||
        buf[0] == '\0')
        return std::string();
    const std::string root = IncludePathDelimiter(buf) + "MK-ClientRoot\\default\\";
    ForceFolders(root);
    return root;
}

void GetTempFolder(const std::string& Sub, std::string& Folder) {
    char buf[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof(buf), buf);
    std::string temp = (n > 0 && n < sizeof(buf)) ? std::string(buf, n) : std::string();
    Folder = IncludePathDelimiter(temp) + "MKTempDir\\";
    if (!Sub.empty()) {
        Folder += Sub;
        if (Sub.back() != '\\') Folder += '\\';
    }
    ForceFolders(Folder);
}
