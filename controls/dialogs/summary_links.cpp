#include "controls/dialogs/summary_links.h"

#include <utility>

namespace {

TFileLinkResolver& Resolver() {
    static TFileLinkResolver resolver;
    return resolver;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsFileLink(const std::string& Link) {
    static constexpr char kScheme[] = "file:";
    if (Link.size() < sizeof(kScheme) - 1) return false;
    for (size_t i = 0; i + 1 < sizeof(kScheme); ++i)
        if (Lower(Link[i]) != kScheme[i]) return false;
    return true;
}

TFileLinkResolver SetFileLinkResolver(TFileLinkResolver R) { return std::exchange(Resolver(), std::move(R)); }

std::string ShellTargetOfLink(const std::string& Link) {
    if (!IsFileLink(Link) || !Resolver()) return Link;
    std::string resolved = Resolver()(Link);
    return resolved.empty() ? Link : resolved;
}
