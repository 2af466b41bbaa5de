#include "foundation/path_text.h"

#include <array>
#include <string_view>

std::string IncludePathDelimiter(const std::string& Path) {
    if (Path.empty()) return Path;
    const char last = Path.back();
    if (last == ':' || last == '\\') return Path;
    if (Path.size() == 1 && ((last >= 'A' && last <= 'Z') || (last >= 'a' && last <= 'z')))
        return Path + ":\\";
    return Path + "\\";
}

bool IsURL(const std::string& Text) {
    static constexpr std::array<std::string_view, 12> kPrefixes = {
        "http:", "https:", "ftp:",  "telnet:", "gopher:", "prospero:",
        "nntp:", "wais:",  "mailto:", "news:", "www.",    "ftp.",
    };
    // The prefixes are plain ASCII, so ASCII lower-casing is enough here.
    std::string lower(Text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (std::string_view prefix : kPrefixes)
        if (std::string_view(lower).substr(0, prefix.size()) == prefix) return true;
    return lower.find('@') != std::string::npos && lower.find(":\\") == std::string::npos;
}
