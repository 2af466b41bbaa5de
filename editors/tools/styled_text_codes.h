// The "/" codes of styled texts, read into a token list without any drawing:
//   /b /i /u /s with "0" for off; /s{n} size (+n, -n, 0 = the size at the
//   start, else points); /c{colour}; /f{name} and /f0; /l{colour} line;
//   /# line break; /oH /oh /oW /ow {n} offsets; /ip /im /id{img}[,p] /ih /in
//   /is inline images; "/{" switches code recognition off and "/}" on.
// An argument is opened by "{" or "," and closed by "}" (consumed), "," (left
// for a following argument) or the end. A "/" at the end, a "/" while codes
// are off (except "/}") and a "/" before any other character are plain text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class StyledTokenKind {
    Text,            // text[start, start + length)
    LineFeed,        // LF: ends the line
    CarriageReturn,  // CR: ends a line that holds text
    Style,           // code b, i, u or s: on, or off when off is set
    FontSize,        // arg: "+n", "-n", "0" or "n"
    FontColor,       // arg: a colour name or number
    FontName,        // arg: the name; off set for "/f0" (back to the start name)
    Line,            // arg: the pen colour
    LineBreak,       // "/#"
    Offset,          // code H, h, W or w; arg: a number or a text to measure
    Image,           // code p, m, d, h, n or s; arg: index or resource name;
                     // arg2 (with hasArg2): the percentage of "/id"
};

struct StyledToken {
    StyledTokenKind kind = StyledTokenKind::Text;
    size_t start = 0;
    size_t length = 0;
    char code = 0;
    bool off = false;
    std::string arg;
    std::string arg2;
    bool hasArg2 = false;
};

// Splits text into tokens. A plain segment ends before every line break,
// code, "/{", "/}" and at the end, so each Text token is measured on its own.
std::vector<StyledToken> TokenizeStyledText(std::string_view text);
