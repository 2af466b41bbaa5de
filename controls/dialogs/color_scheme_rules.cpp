#include "controls/dialogs/color_scheme_rules.h"

#include "framework/strings.h"

namespace {
constexpr size_t kPrefixLength = 11;  // "COLORSHEMA_"
constexpr size_t kSuffixLength = 4;   // ".DAT"
}  // namespace

std::string ColorSchemeNameOf(const std::string& FileName) {
    if (FileName.size() <= kPrefixLength + kSuffixLength) return std::string();
    return FileName.substr(kPrefixLength, FileName.size() - kPrefixLength - kSuffixLength);
}

int ColorSchemeIndexOf(const TStrings& List, const std::string& Value) {
    if (Value.empty()) return 0;
    const int index = List.IndexOf(Value);
    return index < 0 ? 0 : index;
}
