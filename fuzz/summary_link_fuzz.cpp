// Summary links: any clicked link text gives a shell target; web and mail
// links go through unchanged, a file link only through the resolver, and
// every other kind of link opens nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/dialogs/summary_links.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string link(reinterpret_cast<const char*>(Data), Size);
    const TSummaryLinkKind kind = SummaryLinkKind(link);
    const bool passes = kind == TSummaryLinkKind::Web || kind == TSummaryLinkKind::Mail;
    FUZZ_CHECK((kind == TSummaryLinkKind::File) == IsFileLink(link));
    SetFileLinkResolver(nullptr);
    FUZZ_CHECK(ShellTargetOfLink(link) == (passes ? link : std::string()));

    // A resolver that drops the scheme, or finds nothing for odd lengths.
    SetFileLinkResolver([](const std::string& l) { return l.size() % 2 ? std::string() : l.substr(5); });
    const std::string target = ShellTargetOfLink(link);
    if (passes)
        FUZZ_CHECK(target == link);
    else if (kind == TSummaryLinkKind::File)
        FUZZ_CHECK(target == (link.size() % 2 ? std::string() : link.substr(5)));
    else
        FUZZ_CHECK(target.empty());
    SetFileLinkResolver(nullptr);
    return 0;
}
