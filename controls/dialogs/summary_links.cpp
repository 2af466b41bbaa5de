#include "controls/dialogs/summary_links.h"

#include <utility>

#include "framework/ansi_text.h"

namespace {

TFileLinkResolver& Resolver() {
    static TFileLinkResolver resolver;
    return resolver;
}

}  // namespace

bool IsFileLink(const std::string& Link) { return AnsiStartsText("file:", Link); }

TFileLinkResolver SetFileLinkResolver(TFileLinkResolver R) { return std::exchange(Resolver(), std::move(R)); }

bool HasFileLinkResolver() { return static_cast<bool>(Resolver()); }

std::string ShellTargetOfLink(const std::string& Link) {
    if (!IsFileLink(Link) || !Resolver()) return Link;
    std::string resolved = Resolver()(Link);
    return resolved.empty() ? Link : resolved;
}
