// The menu kit's pure text work: markup taken out of captions, the two
// menu-character searches (answers as WM_MENUCHAR wants them: the action in
// the high word, the position in the low word) and the "||" caption lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// WM_MENUCHAR actions.
inline constexpr uint32_t kMenuCharIgnore = 0;
inline constexpr uint32_t kMenuCharClose = 1;
inline constexpr uint32_t kMenuCharExecute = 2;
inline constexpr uint32_t kMenuCharSelect = 3;

constexpr uint32_t MenuCharAnswer(int Position, uint32_t Action) {
    return (Action << 16) | (static_cast<uint32_t>(Position) & 0xFFFF);
}

// Caption text without "<...>" tags (quoted attribute values skipped, a
// backslash escaping the next character inside them) and without
// "<!-- ... -->" comments.
std::string StripMenuMarkup(const std::string& Caption);

// One position of a platform menu for the general search.
struct MenuCharEntry {
    std::string caption;
    bool enabled = true;
};
// The search of every kit menu, over the captions as they are drawn:
// accelerators ("&K") first, then the first letters (the first one shown,
// so "&Kopieren" counts as K). Enabled matches win; when only disabled
// items match, the menu closes. One match executes it; more select the
// first after Highlighted (-1: none), else the first; none: 0.
uint32_t MenuCharSearch(const std::vector<MenuCharEntry>& Entries, char Key, int Highlighted);

// A caption as lines ("A||B" is two lines; an empty caption none) and back.
std::vector<std::string> SplitMenuLines(const std::string& Caption);
std::string JoinMenuLines(const std::vector<std::string>& Lines);
// The caption as it is drawn: every "||" a line break.
std::string MenuLinesToText(const std::string& Caption);
