// The number rules of the float edit, without a window: the edit mask made
// from the number of places, the characters a kind accepts, how a typed
// character is judged, how a text is normalised and checked, and how a value
// is written as text.
//
// Precision is the number of decimals and Digits the number of digits (the
// separator counting as one), both -1 when not set, as the number-text
// helpers read them; a deCurrency field's Digits is its number of decimals
// (its check and its typed filter read it alike). Separators and the
// currency decimals come from the process-wide FormatSettings.
#pragma once

#include <bitset>
#include <string>

#include "editors/edits/edit_error_codes.h"
#include "framework/edit_kinds.h"
#include "framework/format_settings.h"

using FloatCharSet = std::bitset<256>;

struct FloatFieldRules {
    TEditDataType_ kind = deFloat;
    int precision = -1;
    int digits = -1;
};

// "9{Digits}", or "9{Digits - Precision}!(.,<sep>)<sep>9{Precision}" when
// Precision is 1 or more; empty when Digits is 0 or less.
std::string FloatEditMask(int digits, int precision, char separator);

// Digits, "-", the separator and "E": what a decimal text may hold, and what
// a new number field starts with.
FloatCharSet DecimalFloatChars(char separator);
// The characters of a kind: deInteger the digits and "-", deFloat and
// deCurrency the decimal ones (one editor serves integer and decimal
// columns: a decimal kind never keeps an integer kind's set).
FloatCharSet FloatCharsForKind(TEditDataType_ kind, char separator);

// The text a field keeps: deInteger an integer of at most Digits digits;
// deFloat padded to Precision decimals within Digits; deCurrency a number of
// at most Digits decimals (the currency decimals when Digits is not set),
// padded to the currency decimals (or to Digits when fewer). Integers may
// take 64 bits; a number of more than 15 significant digits has a value the
// field cannot hold and fails. ToFloatKindForm answers false and leaves
// text alone when it fails; NormalizeFloatText gives "0" in the kind's form
// then (the reading of Value).
bool ToFloatKindForm(std::string& text, const FloatFieldRules& rules);
std::string NormalizeFloatText(const std::string& text, const FloatFieldRules& rules);

// The check of a non-empty, trimmed text on leaving the field: 0 with the
// normalised text in normalised, or the kind's error code. The text the
// field writes for the value must pass too: a value the field cannot show
// is refused.
int CheckFloatText(const std::string& text, const FloatFieldRules& rules, std::string& normalised);

// A value as the field shows it: deInteger rounded (halves to even);
// deFloat fixed-point with Precision decimals (the general form without a
// Precision); deCurrency with its decimals; then in the kind's form. Every
// integer digit is written (no exponent from 1E15 on). A value the field
// cannot show keeps its digits, so the check refuses it; it never becomes
// "0". Empty for a value that is not finite.
std::string FloatValueText(double value, const FloatFieldRules& rules);

// The value of a field's text: the normalised text converted, 0 when it is
// no number.
double FloatTextValue(const std::string& text, const FloatFieldRules& rules);

// The longest text a field can hold: Digits digits with a sign (and an
// exponent's "E" and sign for decimals), or the longest value the kind
// writes when Digits is not set.
int FloatTextCapacity(const FloatFieldRules& rules);
// What a paste puts into a field: the clipboard's text without line breaks
// and other control characters, without blanks around it, and no longer
// than the field can hold (a long paste never reaches the window whole).
std::string PastedFloatText(const std::string& clipboard, const FloatFieldRules& rules);

// The limit check's reading of a text (trimmed first): invalid when empty,
// when a character is outside allowed, when "-" stands after the first
// place, when it is "-" alone, or when it has no value (deInteger: as a
// 64-bit integer).
struct FloatLimitReading {
    bool valid = false;
    double value = 0;
};
FloatLimitReading ReadFloatLimitText(const std::string& text, TEditDataType_ kind, const FloatCharSet& allowed);

// What happens to a typed character.
enum class FloatKeyVerdict {
    Drop,         // never reaches the edit
    Pass,         // the choice edit handles it
    PassThenDrop  // the choice edit sees it, but it is not typed
};
struct FloatKeyDecision {
    FloatKeyVerdict verdict = FloatKeyVerdict::Pass;
    bool clear_text = false;  // the whole text goes first
    char key = 0;             // the character, upper-cased
};
// Judges key typed into text with the selection (start, length). Control
// characters (Enter, Esc, Backspace, Ctrl+C/V/X...) always pass.
FloatKeyDecision JudgeFloatKey(const std::string& text, int sel_start, int sel_length, char key,
                               const FloatFieldRules& rules, const FloatCharSet& allowed);
