// The document roots' setup text and file links: for any setup file and any
// link text, a link never resolves outside its root, never through a root
// that is not configured, and nothing relative is ever looked up.
// Input: the setup file's text, then after the first NUL byte (if any) the
// text holding links.
#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/dragdrop/file_link_rules.h"
#include "framework/ansi_text.h"
#include "framework/strings.h"
#include "fuzz/fuzz_support.h"

namespace {

bool IsAbsolute(const std::string& n) {
    return n.size() > 2 && ((n[1] == ':' && n[2] == '\\') || (n[0] == '\\' && n[1] == '\\'));
}

bool HasClimbStep(const std::string& rest) {
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find_first_of("\\/", start);
        if (end == std::string::npos) end = rest.size();
        const std::string step = rest.substr(start, end - start);
        if (step.find_first_not_of(". ") == std::string::npos && !step.empty()) return true;
        start = end + 1;
    }
    return false;
}

void CheckResolve(const TDocRoots& roots, const std::string& link) {
    // Every name exists: the worst case for what may be looked up.
    const std::string got = ResolveLinkWith(roots, link, true, [&](const std::string& name) {
        FUZZ_CHECK(IsAbsolute(name));
        return true;
    });
    if (got.empty()) return;
    FUZZ_CHECK(IsAbsolute(got));
    const std::string t = StripLinkText(link);
    for (int i = 0; i < 2; ++i) {
        if (!AnsiStartsText(RootPlaceholder(i), t)) continue;
        const std::string& root = roots.Root(i);
        FUZZ_CHECK(!root.empty());
        FUZZ_CHECK(got.compare(0, root.size(), root) == 0);
        FUZZ_CHECK(!HasClimbStep(got.substr(root.size())));
        return;
    }
    // Without a placeholder: the name itself, or the legacy form below a root.
    if (got != t) {
        const bool below = (!roots.Server.empty() && got.compare(0, roots.Server.size(), roots.Server) == 0) ||
                           (!roots.Intern.empty() && got.compare(0, roots.Intern.size(), roots.Intern) == 0);
        FUZZ_CHECK(below);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string input(reinterpret_cast<const char*>(Data), Size);
    const size_t nul = input.find('\0');
    TStringList lines;
    lines.SetText(input.substr(0, nul));
    const TDocRoots roots = RootsFromSetupLines(lines);
    for (const std::string* r : {&roots.Server, &roots.Intern})
        FUZZ_CHECK(r->empty() || r->back() == '\\' || r->back() == ':');
    const std::string text = nul == std::string::npos ? input : input.substr(nul + 1);
    CheckResolve(roots, text);
    TStringList found;
    ScanLinksWith(text, found, "", [&](const std::string& c) {
        CheckResolve(roots, c);
        return true;
    });
    for (int i = 0; i < found.Count(); ++i) {
        FUZZ_CHECK(!found[i].empty());
        FUZZ_CHECK(found[i].find_first_of("\r\n*") == std::string::npos);
        // A written link reads back as the same name.
        if (AnsiContainsText(found[i], kFileLinkPrefix)) continue;
        FUZZ_CHECK(StripLinkText(MakeLink(roots, found[i], kLinkAsFileUrl, 0)) == MakeLink(roots, found[i], 0, 0));
    }
    return 0;
}
