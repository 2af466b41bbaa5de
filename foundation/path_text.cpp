#include "foundation/path_text.h"

#include <array>

#include "framework/ansi_text.h"

std::string IncludePathDelimiter(const std::string& Path) {
    if (Path.empty()) return Path;
    const char last = Path.back();
    if (last == ':' || last == '\\') return Path;
    if (Path.size() == 1 && ((last >= 'A' && last <= 'Z') || (last >= 'a' && last <= 'z')))
        return Path + ":\\";
    return Path + "\\";
}

bool IsURL(const std::string& Text) {
    static constexpr std::array<const char*, 12> kPrefixes = {
        "http:", "https:", "ftp:",  "telnet:", "gopher:", "prospero:",
        "nntp:", "wais:",  "mailto:", "news:", "www.",    "ftp.",
    };
    for (const char* prefix : kPrefixes)
        if (AnsiStartsText(prefix, Text)) return true;
    return Text.find('@') != std::string::npos && Text.find(":\\") == std::string::npos;
}
