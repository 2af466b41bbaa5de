#include "foundation/ini_text.h"

#include "framework/ansi_text.h"
#include "framework/strings.h"
#include "framework/sysutils.h"

namespace {

bool HasLineBreak(const std::string& S) { return S.find_first_of("\r\n") != std::string::npos; }

// Section name of a header line, or False when the line is no header.
bool HeaderName(const std::string& Line, std::string& Name) {
    const std::string t = Trim(Line);
    if (t.empty() || t.front() != '[') return false;
    const auto close = t.find(']');
    Name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// Ident and stored value of an "Ident=Value" line; comment lines have none.
bool SplitEntry(const std::string& Line, std::string& Ident, std::string& Stored) {
    const std::string t = Trim(Line);
    if (t.empty() || t.front() == ';' || t.front() == '#') return false;
    const auto eq = Line.find('=');
    if (eq == std::string::npos) return false;
    Ident = Trim(Line.substr(0, eq));
    Stored = Line.substr(eq + 1);
    return true;
}

}  // namespace

std::string IniQuote(const std::string& Value) { return AnsiQuotedStr(Value, '"'); }

std::string IniUnquote(const std::string& Stored) {
    if (Stored.empty() || Stored.front() != '"') return Stored;
    // Dequoting drops at least the two quotes, so an unchanged text had no
    // closing quote; it then runs to the end of the text.
    const std::string text = AnsiDequotedStr(Stored, '"');
    return text != Stored ? text : AnsiDequotedStr(Stored + '"', '"');
}

std::string IniValueText(const std::string& Stored) {
    bool quoted = false;
    std::string::size_type end = Stored.size();
    for (std::string::size_type i = 0; i < Stored.size(); ++i) {
        if (Stored[i] == '"') {
            quoted = !quoted;  // a doubled quote toggles twice
        } else if (Stored[i] == ';' && !quoted) {
            end = i;
            break;
        }
    }
    return Trim(Stored.substr(0, end));
}

void TIniText::SetText(const std::string& Text) {
    lines_ = SplitLines(Text);
    modified_ = false;
}

std::string TIniText::Text() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

int TIniText::FindSection(const std::string& Section) const {
    std::string name;
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i)
        if (HeaderName(lines_[i], name) && AnsiSameText(name, Section)) return i;
    return -1;
}

int TIniText::SectionEnd(int Header) const {
    std::string name;
    int i = Header + 1;
    while (i < static_cast<int>(lines_.size()) && !HeaderName(lines_[i], name)) ++i;
    return i;
}

int TIniText::FindEntry(const std::string& Section, const std::string& Ident, std::string& Stored) const {
    // A section may appear more than once; the first entry found counts.
    std::string name, ident;
    bool inside = false;
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        if (HeaderName(lines_[i], name)) {
            inside = AnsiSameText(name, Section);
        } else if (inside && SplitEntry(lines_[i], ident, Stored) && AnsiSameText(ident, Ident)) {
            return i;
        }
    }
    Stored.clear();
    return -1;
}

bool TIniText::FindStored(const std::string& Section, const std::string& Ident,
                          std::string& Stored) const {
    // Section and ident are trimmed as WriteString trims them, so that what
    // was written under a name reads back under the same name.
    const std::string wanted = Trim(Ident);
    if (wanted.empty()) return false;
    return FindEntry(Trim(Section), wanted, Stored) >= 0;
}

bool TIniText::ValueExists(const std::string& Section, const std::string& Ident) const {
    std::string stored;
    return FindStored(Section, Ident, stored);
}

std::string TIniText::ReadString(const std::string& Section, const std::string& Ident,
                                  const std::string& Default) const {
    std::string stored;
    if (!FindStored(Section, Ident, stored)) return Default;
    return IniValueText(stored);
}

bool TIniText::WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value) {
    const std::string ident = Trim(Ident);
    const std::string section = Trim(Section);
    if (ident.empty() || ident.find('=') != std::string::npos || ident.front() == '[' ||
        ident.front() == ';' || ident.front() == '#' || HasLineBreak(ident) ||
        section.find(']') != std::string::npos || HasLineBreak(section) || HasLineBreak(Value))
        return false;
    const std::string line = ident + "=" + Value;

    // The entry that FindStored reads is the one to replace.
    std::string stored;
    const int entry = FindEntry(section, ident, stored);
    if (entry >= 0) {
        if (lines_[entry] != line) {
            lines_[entry] = line;
            modified_ = true;
        }
        return true;
    }

    const int header = FindSection(section);
    if (header < 0) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + section + "]");
        lines_.push_back(line);
    } else {
        // After the last non-blank line of the section, so that a blank line
        // before the next section stays where it is.
        int at = SectionEnd(header);
        while (at > header + 1 && Trim(lines_[at - 1]).empty()) --at;
        lines_.insert(lines_.begin() + at, line);
    }
    modified_ = true;
    return true;
}
