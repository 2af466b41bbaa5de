#include "editors/tools/styled_text_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The tokens of text in a compact form, separated by blanks.
std::string Tokens(std::string_view text) {
    std::string out;
    for (const StyledToken& t : TokenizeStyledText(text)) {
        if (!out.empty()) out += ' ';
        switch (t.kind) {
            case StyledTokenKind::Text:
                out += "T(" + std::string(text.substr(t.start, t.length)) + ")";
                break;
            case StyledTokenKind::LineFeed:
                out += "LF";
                break;
            case StyledTokenKind::CarriageReturn:
                out += "CR";
                break;
            case StyledTokenKind::Style:
                out += std::string(t.off ? "-" : "+") + t.code;
                break;
            case StyledTokenKind::FontSize:
                out += "size{" + t.arg + "}";
                break;
            case StyledTokenKind::FontColor:
                out += "color{" + t.arg + "}";
                break;
            case StyledTokenKind::FontName:
                out += t.off ? std::string("font0") : "font{" + t.arg + "}";
                break;
            case StyledTokenKind::Line:
                out += "line{" + t.arg + "}";
                break;
            case StyledTokenKind::LineBreak:
                out += "#";
                break;
            case StyledTokenKind::Offset:
                out += std::string("o") + t.code + "{" + t.arg + "}";
                break;
            case StyledTokenKind::Image:
                out += std::string("i") + t.code + "{" + t.arg + "}";
                if (t.hasArg2) out += "{" + t.arg2 + "}";
                break;
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
