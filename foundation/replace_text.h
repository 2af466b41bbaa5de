// Case-insensitive text replacement (CP1252 letters).
#pragma once

#include <string>

// Replaces every occurrence of Search in S in one left-to-right pass; letters
// are compared without regard to case. Replaced text is not searched again, so
// a Replacement that contains Search cannot loop. An empty Search leaves S as
// it is. The same as AnsiReplaceTextInPlace of framework/ansi_text.h.
void FastReplaceText(std::string& S, const std::string& Search, const std::string& Replacement);
