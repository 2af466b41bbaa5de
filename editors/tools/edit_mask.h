// The library's edit masks: a mask text is compiled into positions, and
// typed, pasted or deleted text is fitted into them.
//
// Mask syntax:
//   0 9   digit, required / optional        L l  letter (A-Z, a-z, 168, 184, 192-255)
//   A a   letter or digit                   C c  any character
//   a class followed by "(...)" excludes (C) or adds (others) the listed
//   characters, "[...]" allows only them (C) or adds them; "#" escapes one
//   character in a list. "{n}" after a position repeats it n times.
//   "<l>" ... "</l>" shows input in upper case, "<u>" ... "</u>" in lower
//   case (the tag letters are the historical ones and stay so: stored masks
//   rely on them).
//   "!x" the literal x; "!#x" x even when special; "!(set)x" a literal shown
//   as x that accepts any character of set; "![...]" every character up to
//   "]" as a literal. Every other character is ignored; an unterminated list
//   or tag runs to the end of the mask.
#pragma once

#include <bitset>
#include <string>
#include <vector>

// Flags of an input position.
inline constexpr unsigned char kMaskToLower = 1;  // set by the tag letter "u"
inline constexpr unsigned char kMaskToUpper = 2;  // set by the tag letter "l"
inline constexpr unsigned char kMaskRequired = 4;

// More positions than this are never made (a "{n}" repeat stops there).
inline constexpr int kMaxMaskPositions = 32767;

struct TMaskPosition {
    bool literal = false;
    std::bitset<256> charset;
    // A literal: the character it shows. An input position: kMask* flags.
    unsigned char charOrFlags = 0;
    // A literal: 1 = it accepts any character of charset. An input
    // position: 1 = charset lists the excluded characters.
    unsigned char mode = 0;
};

struct TMaskPositions {
    std::vector<TMaskPosition> items;
    int Count() const { return static_cast<int>(items.size()); }
};

// Clears positions and compiles mask into them. Never fails.
void CompileEditMask(const std::string& mask, TMaskPositions& positions);
void FreeEditMask(TMaskPositions& positions);

// Whether character c fits position p; out is what the text then shows (a
// case tag changes the case only where the changed character fits p too).
bool MaskCharFits(const TMaskPosition& p, unsigned char c, char& out);

// Fits text into the positions, starting at a later position while the
// first ones cannot hold it. Returns the start position of the fit with text
// replaced by the fitted text (case converted, set literals shown as their
// character), or -1 with text unchanged. With skipLiterals, literal positions
// are passed over (counted in passedLiterals). With complete, the positions
// after the text must not require input. reached is the position after the
// last fitted character. A fitted text always fits again unchanged: a fit
// whose result would be fitted differently (set literals that accept one
// another's characters) is refused.
int ApplyEditMask(std::string& text, const TMaskPositions& positions, bool skipLiterals, int& passedLiterals,
                  bool complete, int& reached);

// Types typed over the selection (clamped to the text and ordered): the
// longest front part of typed that fits is taken, the caret goes behind it
// and literal positions that follow are appended. When nothing fits, text
// and selection stay as they are and the answer is false.
bool InsertMaskedText(std::string& text, const std::string& typed, const TMaskPositions& positions,
                      int& selStart, int& selEnd);

// Deletes the selection (clamped and ordered), or the character at selStart
// when it is empty, then deletes further characters at selStart (or at the
// end) until the rest fits. Returns the position after the last fitted
// character (0 when nothing is left), where AppendMaskLiterals may go on.
int DeleteMaskedRange(std::string& text, const TMaskPositions& positions, int selStart, int selEnd);

// Appends the characters of the literal positions from index on; a and b
// (the caret) move over them. Returns how many were appended.
int AppendMaskLiterals(std::string& text, const TMaskPositions& positions, int index, int& a, int& b);

// When the positions before index are literals preceded by an input
// position, removes those literals' characters from the end of text (after a
// Backspace left them dangling).
void TrimMaskLiterals(std::string& text, const TMaskPositions& positions, int index);
