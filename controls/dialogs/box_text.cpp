#include "controls/dialogs/box_text.h"

#include "framework/ansi_text.h"
#include "framework/strings.h"

namespace {
constexpr int kMaxWholeLines = 21;
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;
}  // namespace

std::string PrepareBoxText(const std::string& Text) {
    std::string s = FastReplace(Text, "\r\n", "<BR>");
    s = FastReplace(s, "<BR>", "\r\n");
    TStringList lines;
    lines.SetText(s);
    std::string result;
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        if (result.empty())
            result = lines[i];
        else
            result += "<br>" + lines[i];
        if (i == kMaxWholeLines - 1 && i != count - 1) {
            result += "<br>................<br>" + lines[count - 1];
            break;
        }
    }
    return result;
}

std::string FastReplace(const std::string& S, const std::string& OldPattern, const std::string& NewPattern) {
    if (OldPattern.empty() || OldPattern.size() > S.size()) return S;
    return AnsiReplaceText(S, OldPattern, NewPattern);
}

void ReplaceInPlace(std::string& S, const std::string& OldPattern, const std::string& NewPattern) {
    S = FastReplace(S, OldPattern, NewPattern);
}

std::string EscapeBoxText(const std::string& Foreign) {
    std::string out;
    out.reserve(Foreign.size());
    for (char c : Foreign) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

int BoxMaxHeight(int ScreenHeight) {
    // Integers: 0.7 is inexact in binary and 1025 * 0.7 would round down.
    const long long tenths = static_cast<long long>(ScreenHeight) * 7;
    long long q = tenths / 10;
    const long long r = tenths % 10;
    if (r > 5 || (r == 5 && (q % 2) != 0)) ++q;
    return static_cast<int>(q);
}

int BoxSelectNextResult(BoxButtonRole Role, int KeyCode) {
    if (KeyCode == 27) return kModalCancel;
    if (KeyCode != 13) return 0;
    return Role == BoxButtonRole::No ? kModalCancel : kModalOk;
}
