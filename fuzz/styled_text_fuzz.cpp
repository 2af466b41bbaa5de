// Styled texts from arbitrary bytes. Text tokens lie inside the text, are
// never empty and come in order without overlapping; and the tokens give the
// text back where no code can stand: a text without "/", and any text after
// "/{" (codes off) up to a "/}", are their Text, line-feed and return tokens
// in order, byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editors/tools/styled_text_codes.h"
#include "fuzz/fuzz_support.h"

namespace {

// The text the plain and line tokens from index first on stand for.
std::string Rebuilt(std::string_view text, const std::vector<StyledToken>& tokens, size_t first) {
    std::string out;
    for (size_t i = first; i < tokens.size(); ++i) {
        const StyledToken& t = tokens[i];
        if (t.kind == StyledTokenKind::Text) out.append(text.substr(t.start, t.length));
        else if (t.kind == StyledTokenKind::LineFeed) out += '\n';
        else if (t.kind == StyledTokenKind::CarriageReturn) out += '\r';
        else FUZZ_CHECK(!"a code where none can stand");
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    size_t end = 0;
    for (const StyledToken& t : TokenizeStyledText(text)) {
        if (t.kind != StyledTokenKind::Text) continue;
        FUZZ_CHECK(t.length > 0 && t.start <= size && t.length <= size - t.start);
        FUZZ_CHECK(t.start >= end);
        end = t.start + t.length;
    }

    std::string plain;
    for (char c : text)
        if (c != '/') plain += c;
    FUZZ_CHECK(Rebuilt(plain, TokenizeStyledText(plain), 0) == plain);

    // Codes off: everything up to a "/}" is text.
    const std::string rest(text.substr(0, text.find("/}")));
    const std::string off = "/{" + rest;
    FUZZ_CHECK(Rebuilt(off, TokenizeStyledText(off), 0) == rest);
    return 0;
}
