#include "controls/dragdrop/doc_roots.h"

#include <windows.h>

#include "controls/dialogs/busy_cursor.h"
#include "foundation/file_copy.h"
#include "foundation/file_exists.h"
#include "foundation/folder_walk.h"
#include "foundation/folders.h"
#include "foundation/string_files.h"
#include "foundation/user_mode.h"
#include "framework/application.h"
#include "framework/strings.h"
#include "framework/sysutils.h"

std::string TInternalRootClass::SetupFileName() {
    const std::string userFolder = GetUserModeFolder();
    if (!userFolder.empty()) return IncludeTrailingPathDelimiter(userFolder) + kRootsSetupFileName;
    const std::string root = GetClientRoot();
    if (root.empty()) return {};
    return root + kRootsSetupSubFolder + kRootsSetupFileName;
}

namespace {

void MoveOldSetupFile(const std::string& target) {
    const std::string old = GetAppDir() + kRootsSetupFileName;
    if (!FileExists(old) || SameFile(old, target)) return;
    if (FileExists(target) || CopyFileSafe(old, target)) DeleteFileIfExists(old);
}

}  // namespace

void TInternalRootClass::LoadRoots() {
    ServerRoot.clear();
    InternRoot.clear();
    const std::string file = SetupFileName();
    if (file.empty()) return;
    if (GetUserModeFolder().empty()) MoveOldSetupFile(file);
    if (!FileExists(file)) {
        SaveRoots();
        return;
    }
    TStringList lines;
    LoadStringsFromFile(&lines, file);
    const TDocRoots roots = RootsFromSetupLines(lines);
    ServerRoot = roots.Server;
    InternRoot = roots.Intern;
}

void TInternalRootClass::SaveRoots() const {
    const std::string file = SetupFileName();
    if (file.empty()) return;
    TStringList lines;
    lines.Add(ServerRoot);
    lines.Add(InternRoot);
    SaveStringsToFile(&lines, file);
}

TDocRoots LoadDocRoots() {
    TInternalRootClass roots;
    roots.LoadRoots();
    return roots.Roots();
}

std::string FindLinkedFile(const TDocRoots& Roots, const std::string& Text, bool DropURLs) {
    return ResolveLinkWith(Roots, Text, DropURLs, [](const std::string& name) { return FileExists(name); });
}

std::string ResolveLink(const TDocRoots& Roots, const std::string& Text, bool DropURLs) {
    BusyCursorScope busy;
    return FindLinkedFile(Roots, Text, DropURLs);
}

bool IsInternalLink(const TDocRoots& Roots, const std::string& Text) { return !ResolveLink(Roots, Text, true).empty(); }

std::string ResolveFileLink(const std::string& Link) { return ResolveLink(LoadDocRoots(), Link, true); }

void ScanFileLinks(const TDocRoots& Roots, const std::string& Text, TStrings& List,
                   const std::string& ExtensionFilter) {
    if (Text.empty()) return;
    BusyCursorScope busy;
    ScanLinksWith(Text, List, ExtensionFilter,
                  [&](const std::string& candidate) { return !FindLinkedFile(Roots, candidate, true).empty(); });
}

void AddFolderFiles(TLinkCollector& Links, const std::string& Folder) {
    constexpr int kFilesBetweenMessages = 256;
    int files = 0;
    WalkFolderFiles(
        Folder,
        [&](const std::string& file) {
            Links.Add(file);
            if (++files % kFilesBetweenMessages == 0) Application()->ProcessMessages();
        },
        [] { Application()->ProcessMessages(); });
}

void AddFolderFiles(const TDocRoots& Roots, TStrings& List, const std::string& Folder) {
    TLinkCollector links(Roots, List, 0);
    AddFolderFiles(links, Folder);
}

unsigned ClipboardFormatByName(const std::string& Name) {
    int id = 0;
    if (TryStrToInt(Name, id) && id >= 1 && id <= 16) return static_cast<unsigned>(id);
    return RegisterClipboardFormatA(Name.c_str());
}
