#include "controls/menus/menu_search.h"

#include "framework/accelerator.h"
#include "framework/ansi_text.h"

std::string StripMenuMarkup(const std::string& Caption) {
    std::string out;
    size_t i = 0;
    const size_t n = Caption.size();
    while (i < n) {
        if (Caption.compare(i, 4, "<!--") == 0) {
            const size_t end = Caption.find("-->", i + 4);
            i = end == std::string::npos ? n : end + 3;
            continue;
        }
        if (Caption[i] != '<') {
            out += Caption[i++];
            continue;
        }
        // A tag: skip to its closing '>' outside quotes.
        ++i;
        char quote = 0;
        while (i < n) {
            const char c = Caption[i];
            if (quote) {
                if (c == '\\') ++i;
                else if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                break;
            }
            ++i;
        }
        ++i;
    }
    return out;
}

namespace {

bool SameLetter(char a, char b) {
    return AnsiUpperChar(static_cast<unsigned char>(a)) == AnsiUpperChar(static_cast<unsigned char>(b));
}

}  // namespace

uint32_t MenuCharSearch(const std::vector<MenuCharEntry>& Entries, char Key, int Highlighted) {
    const int n = static_cast<int>(Entries.size());
    // Accelerators first, then the first letter shown.
    for (int pass = 0; pass < 2; ++pass) {
        int first = -1, after = -1, enabled = 0, disabled = -1;
        for (int i = 0; i < n; ++i) {
            const MenuCharEntry& e = Entries[static_cast<size_t>(i)];
            bool match;
            if (pass == 0) {
                match = IsAccel(Key, e.caption);
            } else {
                const std::string shown = StripHotkey(e.caption);
                match = !shown.empty() && SameLetter(shown[0], Key);
            }
            if (!match) continue;
            if (!e.enabled) {
                if (disabled < 0) disabled = i;
                continue;
            }
            ++enabled;
            if (first < 0) first = i;
            if (after < 0 && i > Highlighted) after = i;
        }
        if (enabled == 1) return MenuCharAnswer(first, kMenuCharExecute);
        if (enabled > 1) return MenuCharAnswer(after >= 0 ? after : first, kMenuCharSelect);
        if (disabled >= 0) return MenuCharAnswer(disabled, kMenuCharClose);
    }
    return 0;
}

std::vector<std::string> SplitMenuLines(const std::string& Caption) {
    std::vector<std::string> lines;
    if (Caption.empty()) return lines;
    size_t start = 0;
    for (;;) {
        const size_t bar = Caption.find("||", start);
        if (bar == std::string::npos) break;
        lines.push_back(Caption.substr(start, bar - start));
        start = bar + 2;
    }
    lines.push_back(Caption.substr(start));
    return lines;
}

std::string JoinMenuLines(const std::vector<std::string>& Lines) {
    std::string out;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i) out += "||";
        out += Lines[i];
    }
    return out;
}

std::string MenuLinesToText(const std::string& Caption) {
    std::string out;
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption.compare(i, 2, "||") == 0) {
            out += "\r\n";
            ++i;
        } else {
            out += Caption[i];
        }
    }
    return out;
}
