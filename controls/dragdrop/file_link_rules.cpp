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
    if (IsURL(t)) return DropURLs ? std::string() : t;
    for (int i = 0; i < 2; ++i) {
        std::string c = AnsiStartsText(RootPlaceholder(i), t) ? BelowRoot(Roots.Root(i), t, RootPlaceholder(i))
                        : IsAbsolutePath(t)                   ? t
                                                              : std::string();
        if (!c.empty() && Exists(c)) return c;
    }
    for (int i = 0; i < 2; ++i) {
        std::string c = BelowRoot(Roots.Root(i), t, "\\\\");
        if (!c.empty() && Exists(c)) return c;
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
