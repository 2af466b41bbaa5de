#include "framework/accelerator.h"

#include "framework/ansi_text.h"

char GetHotkey(const std::string& Caption) {
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return Caption[i + 1];
    }
    return 0;
}

bool IsAccel(char Key, const std::string& Caption) {
    const char hot = GetHotkey(Caption);
    return hot != 0 && AnsiUpperChar(static_cast<unsigned char>(hot)) == AnsiUpperChar(static_cast<unsigned char>(Key));
}

std::string StripHotkey(const std::string& Caption) {
    std::string out;
    out.reserve(Caption.size());
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] != '&') {
            out += Caption[i];
            continue;
        }
        if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}
