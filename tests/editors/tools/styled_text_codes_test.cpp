#include "editors/tools/styled_text_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The tokens of text in a compact form, separated by blanks: T(text), LF,
// CR, #, +b / -b for styles, and name{arg} (with {arg2}) for the rest.
std::string Tokens(std::string_view text) {
    using K = StyledTokenKind;
    std::string out;
    for (const StyledToken& t : TokenizeStyledText(text)) {
        if (!out.empty()) out += ' ';
        const std::string arg = "{" + t.arg + "}";
        switch (t.kind) {
            case K::Text: out += "T(" + std::string(text.substr(t.start, t.length)) + ")"; break;
            case K::LineFeed: out += "LF"; break;
            case K::CarriageReturn: out += "CR"; break;
            case K::LineBreak: out += "#"; break;
            case K::Style: out += std::string(t.off ? "-" : "+") + t.code; break;
            case K::FontSize: out += "size" + arg; break;
            case K::FontColor: out += "color" + arg; break;
            case K::FontName: out += t.off ? "font0" : "font" + arg; break;
            case K::Line: out += "line" + arg; break;
            case K::Offset: out += std::string("o") + t.code + arg; break;
            case K::Image: out += std::string("i") + t.code + arg + (t.hasArg2 ? "{" + t.arg2 + "}" : ""); break;
        }
    }
    return out;
}

TEST(StyledTextCodesTest, ReadsCodes) {
    const std::pair<const char*, const char*> cases[] = {
        {"/bFirma", "+b T(Firma)"},
        {"A/b0B", "T(A) -b T(B)"},
        {"/i/i0/u/u0/s/s0", "+i -i +u -u +s -s"},
        {"/s{+4}x/s{0}/s,12", "size{+4} T(x) size{0} size{12}"},
        {"/c{clRed}X", "color{clRed} T(X)"},
        {"/c", "color{}"},
        {"/f{Courier New}a/f0b", "font{Courier New} T(a) font0 T(b)"},
        {"/l{$0000FF}", "line{$0000FF}"},
        {"A/#B", "T(A) # T(B)"},
        {"/oH{3}/oh{4}/oW{Wg}/ow,5", "oH{3} oh{4} oW{Wg} ow{5}"},
        {"/ox", "T(/ox)"},
        {"/ip{0}/im{I_BTNPOPUP}/ih{1}/in{2}/is{3}", "ip{0} im{I_BTNPOPUP} ih{1} in{2} is{3}"},
        {"/id{img},30}x", "id{img}{30} T(x)"},
        {"/id{img,30}", "id{img}{30}"},
        {"/id{img}", "id{img}"},
        // An image letter without argument: italic on, the letter stays text.
        {"/inhalt", "+i T(nhalt)"},
        {"/ip", "+i T(p)"},
        // Codes off and on again.
        {"/{/b/}", "T(/b)"},
        {"a/{/b/{/}/bc", "T(a) T(/b/{) +b T(c)"},
        // Unknown codes, a final "/" and "//" are text.
        {"a/xb", "T(a/xb)"},
        {"abc/", "T(abc/)"},
        {"//b", "T(//b)"},
        {"a\r\nb\rc\n", "T(a) CR LF T(b) CR T(c) LF"},
        {"a/\nb", "T(a/) LF T(b)"},
        {"/c{unterminated", "color{unterminated}"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(Tokens(text), expected) << text;
}

}  // namespace
