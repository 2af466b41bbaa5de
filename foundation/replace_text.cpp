#include "foundation/replace_text.h"

#include "framework/ansi_text.h"

void FastReplaceText(std::string& S, const std::string& Search, const std::string& Replacement) {
    if (Search.empty() || S.size() < Search.size()) return;
    // The case table maps byte to byte, so positions in the upper-case copy
    // are positions in S.
    const std::string upper = AnsiUpperCase(S);
    const std::string needle = AnsiUpperCase(Search);
    std::string::size_type found = upper.find(needle);
    if (found == std::string::npos) return;
    std::string result;
    result.reserve(S.size());
    std::string::size_type from = 0;
    while (found != std::string::npos) {
        result.append(S, from, found - from);
        result += Replacement;
        from = found + needle.size();
        found = upper.find(needle, from);
    }
    result.append(S, from, std::string::npos);
    S.swap(result);
}
