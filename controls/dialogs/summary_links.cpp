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

TSummaryLinkKind SummaryLinkKind(const std::string& Link) {
    if (AnsiStartsText("http://", Link) || AnsiStartsText("https://", Link) || AnsiStartsText("www.", Link))
        return TSummaryLinkKind::Web;
    if (AnsiStartsText("mailto:", Link)) return TSummaryLinkKind::Mail;
    if (IsFileLink(Link)) return TSummaryLinkKind::File;
    return TSummaryLinkKind::Other;
}

TFileLinkResolver SetFileLinkResolver(TFileLinkResolver R) { return std::exchange(Resolver(), std::move(R)); }

bool HasFileLinkResolver() { return static_cast<bool>(Resolver()); }

std::string ShellTargetOfLink(const std::string& Link) {
    switch (SummaryLinkKind(Link)) {
    case TSummaryLinkKind::Web:
    case TSummaryLinkKind::Mail: return Link;
    case TSummaryLinkKind::File: return Resolver() ? Resolver()(Link) : std::string();
    default: return {};
    }
}
