#include "controls/dragdrop/file_link_rules.h"

#include "foundation/path_text.h"
#include "foundation/replace_text.h"
#include "framework/ansi_text.h"
#include "framework/strings.h"
#include "framework/sysutils.h"

const char* RootPlaceholder(int Index) { return Index == 0 ? kServerPlaceholder : kInternPlaceholder; }

TDocRoots RootsFromSetupLines(const TStrings& Lines) {
    TDocRoots roots;
    if (Lines.Count() > 0) roots.Server = IncludePathDelimiter(Lines[0]);
    if (Lines.Count() > 1) roots.Intern = IncludePathDelimiter(Lines[1]);
    return roots;
}

std::string StripLinkText(const std::string& Text) {
    std::string t = Text;
    FastReplaceText(t, kFileLinkPrefix, "");
    FastReplaceText(t, "*", " ");
    return t;
}

namespace {

bool IsAbsolutePath(const std::string& Path) {
    if (Path.size() >= 3 && std::isalpha(static_cast<unsigned char>(Path[0])) && Path[1] == ':' && Path[2] == '\\')
        return true;
    return Path.size() >= 3 && Path[0] == '\\' && Path[1] == '\\' && Path[2] != '\\';
}

// The part after a root must stay below it.
bool StaysBelowRoot(const std::string& Rest) {
    if (Rest.find(':') != std::string::npos) return false;
    if (AnsiContainsText(Rest, kServerPlaceholder) || AnsiContainsText(Rest, kInternPlaceholder)) return false;
    if (!Rest.empty() && (Rest[0] == '\\' || Rest[0] == '/')) return false;
    size_t start = 0;
    while (start <= Rest.size()) {
        size_t end = Rest.find_first_of("\\/", start);
        if (end == std::string::npos) end = Rest.size();
        std::string step = Trim(Rest.substr(start, end - start));
        while (!step.empty() && (step.back() == '.' || step.back() == ' ')) step.pop_back();
        // ".." and "... .." both climb under Windows, which drops trailing
        // dots and blanks of a name.
        if (step.empty() && end > start) return false;
        start = end + 1;
    }
    return true;
}

// Starts with a placeholder or names a drive or network path: a path, even
// when it holds "@".
bool IsPathText(const std::string& Text) {
    return AnsiStartsText(kServerPlaceholder, Text) || AnsiStartsText(kInternPlaceholder, Text) ||
           IsAbsolutePath(Text);
}

std::string BelowRoot(const std::string& Root, const std::string& Text, const std::string& Lead) {
    // A root that is no absolute folder would be looked up relative to the
    // current folder: as good as not configured.
    if (!IsAbsolutePath(Root) || !AnsiStartsText(Lead, Text)) return {};
    std::string rest = Text.substr(Lead.size());
    if (rest.empty() || !StaysBelowRoot(rest)) return {};
    return Root + rest;
}

}  // namespace

std::string ResolveLinkWith(const TDocRoots& Roots, const std::string& Text, bool DropURLs,
                            const TFileExistsTest& Exists) {
    const std::string t = StripLinkText(Text);
    if (t.empty()) return {};
    if (!IsPathText(t) && IsURL(t)) return DropURLs ? std::string() : t;
    const auto isFile = [&](const std::string& c) { return !c.empty() && !NamesDevice(c) && Exists(c); };
    for (int i = 0; i < 2; ++i) {
        std::string c = AnsiStartsText(RootPlaceholder(i), t) ? BelowRoot(Roots.Root(i), t, RootPlaceholder(i))
                        : IsAbsolutePath(t)                   ? t
                                                              : std::string();
        if (isFile(c)) return c;
    }
    for (int i = 0; i < 2; ++i) {
        std::string c = BelowRoot(Roots.Root(i), t, "\\\\");
        if (isFile(c)) return c;
    }
    return {};
}

std::string MakeLink(const TDocRoots& Roots, const std::string& Path, int Flags, int RootIndex) {
    std::string s = Path;
    if (!AnsiContainsText(s, kServerPlaceholder) && !AnsiContainsText(s, kInternPlaceholder))
        FastReplaceText(s, Roots.Root(RootIndex), RootPlaceholder(RootIndex));
    if (Flags & kLinkAsFileUrl) {
        FastReplaceText(s, " ", "*");
        s = kFileLinkPrefix + s;
    }
    if (Flags & kLinkWithLineEnd) s += "\r\n";
    return s;
}

std::string FormatLinks(const TDocRoots& Roots, const TStrings& List, int Flags, int RootIndex) {
    std::string text;
    for (int i = 0; i < List.Count(); ++i) text += MakeLink(Roots, List[i], Flags, RootIndex);
    return text;
}

void AddLink(const TDocRoots& Roots, const std::string& Path, TStrings& List, int RootIndex) {
    const std::string link = MakeLink(Roots, Path, 0, RootIndex);
    if (List.IndexOf(link) < 0 && List.IndexOf(Path) < 0) List.Add(link);
}

TLinkCollector::TLinkCollector(const TDocRoots& Roots, TStrings& List, int RootIndex)
    : roots_(Roots), list_(List), root_index_(RootIndex) {
    seen_.reserve(static_cast<size_t>(List.Count()) * 2 + 16);
    for (int i = 0; i < List.Count(); ++i) seen_.insert(AnsiUpperCase(List[i]));
}

void TLinkCollector::Add(const std::string& Path) {
    const std::string link = MakeLink(roots_, Path, 0, root_index_);
    std::string key = AnsiUpperCase(link);
    if (seen_.count(key) || seen_.count(AnsiUpperCase(Path))) return;
    list_.Add(link);
    seen_.insert(std::move(key));
}

namespace {

bool IsDeviceStem(std::string stem) {
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.pop_back();
    stem = AnsiUpperCase(stem);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* d : kDevices)
        if (stem == d) return true;
    // COM1..COM9, LPT1..LPT9, also with the superscript digits 1, 2, 3.
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0)) {
        const unsigned char digit = static_cast<unsigned char>(stem[3]);
        return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

}  // namespace

bool NamesDevice(const std::string& Path) {
    size_t start = 0;
    while (start <= Path.size()) {
        size_t end = Path.find_first_of("\\/", start);
        if (end == std::string::npos) end = Path.size();
        const std::string part = Path.substr(start, end - start);
        // The stem ends at the first dot: "nul.txt" and "Con.tar.gz" are devices.
        if (IsDeviceStem(Trim(part.substr(0, part.find('.'))))) return true;
        start = end + 1;
    }
    return false;
}

bool IsProgramFile(const std::string& Path) {
    const std::string ext = AnsiUpperCase(ExtractFileExt(Path));
    static const char* const kPrograms[] = {".EXE", ".COM", ".BAT", ".CMD", ".PIF", ".SCR", ".CPL", ".MSC",
                                            ".MSI", ".MSP", ".LNK", ".URL", ".VB",  ".VBS", ".VBE", ".JS",
                                            ".JSE", ".WS",  ".WSF", ".WSH", ".HTA", ".PS1", ".REG", ".JAR",
                                            ".SCF", ".INF", ".APPREF-MS", ".APPLICATION", ".GADGET"};
    // Windows drops a name's trailing dots and blanks: "setup.exe. " starts setup.exe.
    std::string trimmed = Path;
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '.')) trimmed.pop_back();
    const std::string real = AnsiUpperCase(ExtractFileExt(trimmed));
    for (const char* p : kPrograms)
        if (ext == p || real == p) return true;
    return false;
}

void ScanLinksWith(const std::string& Text, TStrings& List, const std::string& ExtensionFilter,
                   const std::function<bool(const std::string& Candidate)>& Accept) {
    if (Text.empty()) return;
    std::string t = Text;
    for (char& c : t)
        if (c == '\r' || c == '\n') c = ' ';
    const std::string filter = AnsiUpperCase(ExtensionFilter);
    const size_t prefix = std::char_traits<char>::length(kFileLinkPrefix);
    size_t i = 0;
    while (i + prefix <= t.size()) {
        if (!AnsiSameText(t.substr(i, prefix), kFileLinkPrefix)) {
            ++i;
            continue;
        }
        size_t end = t.find(' ', i);
        if (end == std::string::npos) end = t.size();
        std::string candidate = Trim(t.substr(i + prefix, end - i - prefix));
        FastReplaceText(candidate, "*", " ");
        candidate = Trim(candidate);
        i = end;
        if (candidate.empty() || !Accept(candidate)) continue;
        if (!filter.empty()) {
            const std::string ext = AnsiUpperCase(ExtractFileExt(candidate));
            if (ext.empty() || filter.find(ext) == std::string::npos) continue;
        }
        List.Add(candidate);
    }
}
