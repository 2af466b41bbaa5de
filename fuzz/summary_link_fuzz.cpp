// Summary links: any clicked link text gives a shell target; a link that is
// not a file link goes through unchanged, a file link through the resolver,
// falling back to the raw text when the resolver finds nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/dialogs/summary_links.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string link(reinterpret_cast<const char*>(Data), Size);
    SetFileLinkResolver(nullptr);
    FUZZ_CHECK(ShellTargetOfLink(link) == link);

    // A resolver that drops the scheme, or finds nothing for odd lengths.
    SetFileLinkResolver([](const std::string& l) { return l.size() % 2 ? std::string() : l.substr(5); });
    const std::string target = ShellTargetOfLink(link);
    if (!IsFileLink(link))
        FUZZ_CHECK(target == link);
    else
        FUZZ_CHECK(target == (link.size() % 2 ? link : link.substr(5)));
    SetFileLinkResolver(nullptr);
    return 0;
}
