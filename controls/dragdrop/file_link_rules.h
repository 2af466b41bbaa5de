// The text rules of file links: "file://" + path, blanks written as "*", and
// a path below one of the two document roots written with the root's
// placeholder ("[SERVER]" for the server root, "[INTERN]" for the intern
// root), so a text holding links stays valid where the shared documents lie
// elsewhere. No file system access here: the existence test is handed in.
#pragma once

#include <functional>
#include <string>
#include <unordered_set>

class TStrings;

inline constexpr const char* kFileLinkPrefix = "file://";
inline constexpr const char* kServerPlaceholder = "[SERVER]";
inline constexpr const char* kInternPlaceholder = "[INTERN]";
inline constexpr const char* kRootsSetupFileName = "_InternalRootsSetupFile.TXT";
inline constexpr const char* kRootsSetupSubFolder = "Merkanto.Network.Alias.Docs\\";

// Flags of MakeLink and FormatLinks.
inline constexpr int kLinkWithLineEnd = 1;  // CR LF appended
inline constexpr int kLinkAsFileUrl = 2;    // blanks as "*", "file://" in front

// The two document roots, each ending with "\" or empty (not configured).
struct TDocRoots {
    std::string Server;  // replaces "[SERVER]" (index 0)
    std::string Intern;  // replaces "[INTERN]" (index 1)
    const std::string& Root(int Index) const { return Index == 0 ? Server : Intern; }
};

const char* RootPlaceholder(int Index);

// Line 1 the server root, line 2 the intern root; missing lines are empty,
// further lines are ignored; a non-empty root gets its path delimiter.
TDocRoots RootsFromSetupLines(const TStrings& Lines);

// "file://" removed wherever it stands (any case), "*" turned into blanks.
std::string StripLinkText(const std::string& Text);

using TFileExistsTest = std::function<bool(const std::string& Name)>;

// The file a link names, or "". A text that starts with a placeholder or is
// an absolute path is always a path (a file name may hold "@"); any other
// address (IsURL) gives "" with DropURLs and itself otherwise. A name of a
// device ("CON", "nul.txt", "COM1", ...) is never a file. A link starting with a placeholder resolves below
// that root; a root that is not configured (or no absolute folder) resolves
// nothing, and the part
// after the root may not leave it (no ".." step, no drive or second root).
// A legacy link starting with "\\" is tried below each root the same way.
// A plain name is taken only when it is absolute (a drive or a UNC name), so
// nothing is ever looked up relative to the current folder.
std::string ResolveLinkWith(const TDocRoots& Roots, const std::string& Text, bool DropURLs,
                            const TFileExistsTest& Exists);

// Path with the root of RootIndex written as its placeholder (unless it
// holds a placeholder already); then the flags.
std::string MakeLink(const TDocRoots& Roots, const std::string& Path, int Flags, int RootIndex);
std::string FormatLinks(const TDocRoots& Roots, const TStrings& List, int Flags, int RootIndex);
// Adds Path in placeholder form unless List holds that form or Path itself
// (any case).
void AddLink(const TDocRoots& Roots, const std::string& Path, TStrings& List, int RootIndex);

// AddLink for many paths into one list: what the list holds is indexed once,
// so each further path costs the same however long the list grows.
class TLinkCollector {
public:
    TLinkCollector(const TDocRoots& Roots, TStrings& List, int RootIndex);
    void Add(const std::string& Path);

private:
    const TDocRoots& roots_;
    TStrings& list_;
    int root_index_;
    std::unordered_set<std::string> seen_;  // the entries, upper-cased
};

// True when a part of Path names a device of the system ("CON", "PRN",
// "AUX", "NUL", "COM1".."COM9", "LPT1".."LPT9", "CONIN$", "CONOUT$"),
// whatever its extension, case or trailing dots and blanks.
bool NamesDevice(const std::string& Path);

// True for a file the shell would start as a program rather than open as a
// document (".exe", ".bat", ".lnk", scripts, installers, ...).
bool IsProgramFile(const std::string& Path);

// The "file://" links of Text in text order, each without "file://", with
// "*" turned into blanks, kept when Accept takes it and, when
// ExtensionFilter is not empty, its extension occurs in the filter (any case).
void ScanLinksWith(const std::string& Text, TStrings& List, const std::string& ExtensionFilter,
                   const std::function<bool(const std::string& Candidate)>& Accept);
