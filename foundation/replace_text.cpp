#include "foundation/replace_text.h"

#include "framework/ansi_text.h"

void FastReplaceText(std::string& S, const std::string& Search, const std::string& Replacement) {
    AnsiReplaceTextInPlace(S, Search, Replacement);
}
