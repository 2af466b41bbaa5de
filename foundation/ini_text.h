// Settings text in INI form ("[Section]" headers, "Ident=Value" lines), kept
// line by line so that writing a value leaves comments and the order of the
// other lines as they were. Sections and idents compare without regard to
// case (CP1252) and without leading and trailing blanks, on reading and on
// writing alike.
#pragma once

#include <string>
#include <vector>

// Value text as stored: in double quotes, inner double quotes doubled
// (a"b -> "a""b"), as AnsiQuotedStr of framework/sysutils.h. IniUnquote undoes
// it for a text that begins with a double quote (text after the closing quote
// is dropped; an unclosed quote runs to the end) and returns other texts
// unchanged.
std::string IniQuote(const std::string& Value);
std::string IniUnquote(const std::string& Stored);

// The readable part of a stored value: cut at the first ";" outside double
// quotes, blanks and control characters trimmed at both ends. A value written
// unquoted by another program loses what follows a ";".
std::string IniValueText(const std::string& Stored);

class TIniText {
public:
    void SetText(const std::string& Text);
    std::string Text() const;  // every line ends with CR LF

    bool ValueExists(const std::string& Section, const std::string& Ident) const;
    // The stored text after "=", untouched; False when there is no such ident.
    bool FindStored(const std::string& Section, const std::string& Ident, std::string& Stored) const;
    // IniValueText of the stored value, or Default when the ident is missing.
    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const;
    // Sets Ident=Value, adding the ident at the end of its section or a new
    // section at the end of the text. Refused (False) for an empty ident and
    // for texts that would break the line structure (line breaks, "=" in the
    // ident, "]" in the section).
    bool WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);

    bool Modified() const { return modified_; }
    void ClearModified() { modified_ = false; }

private:
    // Line of the first Ident entry of Section, or -1; Stored gets its value.
    int FindEntry(const std::string& Section, const std::string& Ident, std::string& Stored) const;
    int FindSection(const std::string& Section) const;  // header line or -1
    int SectionEnd(int Header) const;                    // next header or line count

    std::vector<std::string> lines_;
    bool modified_ = false;
};
