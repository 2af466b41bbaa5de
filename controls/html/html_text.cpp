#include "controls/html/html_text.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "framework/ansi_text.h"
#include "framework/colors.h"

namespace {

struct NamedColor {
    const char* name;  // lower case
    TColor color;
};

// The dialect's own colour names: the sixteen basic colours and the system
// colours from clBackground to clInfoBk. The framework knows more names
// (clLtGray, clMoneyGreen, clScrollBar, ...); in HTML text they are unknown
// and give black.
constexpr std::array<NamedColor, 40> kColorNames = {{
    {"clred", 0x0000FF},        {"clblack", 0x000000},   {"clblue", 0xFF0000},    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},       {"clyellow", 0x00FFFF},  {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},       {"clsilver", 0xC0C0C0},  {"clgray", 0x808080},    {"clolive", 0x008080},
    {"clnavy", 0x800000},       {"clpurple", 0x800080},  {"clteal", 0x808000},    {"clmaroon", 0x000080},
    {"clbackground", 0x80000001},   {"clactivecaption", 0x80000002},
    {"clinactivecaption", 0x80000003}, {"clmenu", 0x80000004},
    {"clwindow", 0x80000005},       {"clwindowframe", 0x80000006},
    {"clmenutext", 0x80000007},     {"clwindowtext", 0x80000008},
    {"clcaptiontext", 0x80000009},  {"clactiveborder", 0x8000000A},
    {"clinactiveborder", 0x8000000B}, {"clappworkspace", 0x8000000C},
    {"clhighlight", 0x8000000D},    {"clhighlighttext", 0x8000000E},
    {"clbtnface", 0x8000000F},      {"clbtnshadow", 0x80000010},
    {"clgraytext", 0x80000011},     {"clbtntext", 0x80000012},
    {"clinactivecaptiontext", 0x80000013}, {"clbtnhighlight", 0x80000014},
    {"cl3ddkshadow", 0x80000015},   {"cl3dlight", 0x80000016},
    {"clinfotext", 0x80000017},     {"clinfobk", 0x80000018},
}};

struct Entity {
    const char* name;  // lower case, with '&' and ';'
    char value;
};

constexpr std::array<Entity, 9> kEntities = {{
    {"&amp;", '&'},
    {"&quot;", '"'},
    {"&sect;", '\xA7'},
    {"&permil;", '\x89'},
    {"&reg;", '\xAE'},
    {"&copy;", '\xA9'},
    {"&para;", '\xB6'},
    {"&trade;", '\x99'},
    {"&euro;", '\x80'},
}};

// Only in text segments, and only in lower case.
constexpr std::array<Entity, 3> kSegmentEntities = {{
    {"&nbsp;", ' '},
    {"&lt;", '<'},
    {"&gt;", '>'},
}};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool SameTextAscii(std::string_view a, const char* lowerB) {
    size_t n = std::strlen(lowerB);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (AnsiLowerChar(static_cast<unsigned char>(a[i])) != static_cast<unsigned char>(lowerB[i])) return false;
    return true;
}

}  // namespace

TColor HTMLColorByName(std::string_view Name) {
    for (const auto& c : kColorNames)
        if (SameTextAscii(Name, c.name)) return c.color;
    return 0;
}

TColor HTMLHexColor(std::string_view Value) {
    if (Value.size() < 7 || Value[0] != '#') return 0;
    int d[6];
    for (int i = 0; i < 6; ++i) {
        d[i] = HexDigit(Value[static_cast<size_t>(i) + 1]);
        if (d[i] < 0) return 0;
    }
    return RGBColor(static_cast<uint8_t>(d[0] * 16 + d[1]), static_cast<uint8_t>(d[2] * 16 + d[3]),
                    static_cast<uint8_t>(d[4] * 16 + d[5]));
}

TColor HTMLColorValue(std::string_view Value) {
    if (!Value.empty() && Value[0] == '#') return HTMLHexColor(Value);
    return HTMLColorByName(Value);
}

size_t HTMLEntityAt(std::string_view Text, bool Segment, char& Value) {
    if (Text.size() < 4 || Text[0] != '&') return 0;
    // "&permil;" is the longest: the ";" is looked for in the first 8 bytes only.
    size_t semi = Text.substr(0, 8).find(';', 1);
    if (semi == std::string_view::npos) return 0;
    std::string_view entity = Text.substr(0, semi + 1);
    for (const auto& e : kEntities)
        if (SameTextAscii(entity, e.name)) {
            Value = e.value;
            return entity.size();
        }
    if (!Segment) return 0;
    for (const auto& e : kSegmentEntities)
        if (entity == e.name) {
            Value = e.value;
            return entity.size();
        }
    return 0;
}

namespace {

std::string DecodeOnce(std::string_view Text, bool Segment, std::vector<size_t>* Map) {
    std::string out;
    out.reserve(Text.size());
    if (Map) {
        Map->clear();
        Map->reserve(Text.size() + 1);
    }
    for (size_t i = 0; i < Text.size();) {
        char value = 0;
        size_t n = Text[i] == '&' ? HTMLEntityAt(Text.substr(i), Segment, value) : 0;
        if (Map) Map->insert(Map->end(), n > 0 ? n : 1, out.size());
        if (n > 0) {
            out.push_back(value);
            i += n;
        } else {
            out.push_back(Text[i++]);
        }
    }
    if (Map) Map->push_back(out.size());
    return out;
}

}  // namespace

std::string HTMLDecodeEntities(std::string_view Text) { return DecodeOnce(Text, false, nullptr); }

std::string HTMLSegmentText(std::string_view Segment, std::vector<size_t>* Map) {
    return DecodeOnce(Segment, true, Map);
}

std::string HTMLPrepareText(std::string_view Text) {
    std::string s(Text);
    size_t hash = s.find("<#");
    if (hash != std::string::npos) {
        s.erase(hash, 1);
        size_t gt = s.find('>', hash);
        if (gt != std::string::npos) s.erase(gt, 1);
    }
    if (s.find_first_of("\r\n") == std::string::npos) return s;
    std::string out;
    out.reserve(s.size() + 16);
    for (char c : s) {
        if (c == '\r')
            out += "<BR>";
        else if (c != '\n')
            out.push_back(c);
    }
    return out;
}

bool HTMLTextIsPrepared(std::string_view Text) {
    return Text.find("<#") == std::string_view::npos && Text.find_first_of("\r\n") == std::string_view::npos;
}

std::string HTMLPlainText(std::string_view Html) {
    std::string out;
    out.reserve(Html.size());
    size_t i = 0;
    while (i < Html.size()) {
        if (Html[i] != '<') {
            out.push_back(Html[i++]);
            continue;
        }
        size_t gt = Html.find('>', i);
        if (gt == std::string_view::npos) break;
        std::string_view tag = Html.substr(i + 1, gt - i - 1);
        if (SameTextAscii(tag, "br") || SameTextAscii(tag, "hr")) out += "\r\n";
        i = gt + 1;
    }
    return out;
}

bool HTMLParseInt(std::string_view Text, int& Value) {
    size_t i = 0;
    bool negative = false;
    if (i < Text.size() && (Text[i] == '-' || Text[i] == '+')) negative = Text[i++] == '-';
    if (i >= Text.size()) return false;
    long long v = 0;
    for (; i < Text.size(); ++i) {
        if (Text[i] < '0' || Text[i] > '9') return false;
        v = v * 10 + (Text[i] - '0');
        if (v > 0x7FFFFFFF) return false;
    }
    Value = static_cast<int>(negative ? -v : v);
    return true;
}

bool HTMLTagAttribute(std::string_view Tag, std::string_view UpperTag, std::string_view Name, std::string& Value) {
    size_t at = UpperTag.find(Name);
    if (at == std::string_view::npos) return false;
    size_t open = Tag.find('"', at + Name.size());
    if (open == std::string_view::npos) return false;
    size_t close = Tag.find('"', open + 1);
    if (close == std::string_view::npos) return false;
    Value.assign(Tag.substr(open + 1, close - open - 1));
    return true;
}

bool HTMLFirstQuoted(std::string_view Tag, std::string& Value) {
    size_t open = Tag.find('"');
    if (open == std::string_view::npos) return false;
    size_t close = Tag.find('"', open + 1);
    if (close == std::string_view::npos) return false;
    Value.assign(Tag.substr(open + 1, close - open - 1));
    return true;
}
