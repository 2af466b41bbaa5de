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
