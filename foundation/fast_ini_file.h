// Settings file read into memory once; reads are served from the text.
#pragma once

#include <string>

#include "foundation/ini_text.h"
#include "framework/object.h"

class TFastIniFile : public TObject {
public:
    // A missing file gives empty settings. A file that exists but cannot be
    // read gives empty settings too, and UpdateFile never replaces it.
    explicit TFastIniFile(const std::string& FileName);

    const std::string& FileName() const { return file_name_; }

    bool ValueExists(const std::string& Section, const std::string& Ident) const {
        return text_.ValueExists(Section, Ident);
    }
    // The value with an inline comment (";" outside double quotes) cut off
    // and trimmed; Default when the ident is missing.
    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const {
        return text_.ReadString(Section, Ident, Default);
    }
    // Stores the value as given (no quoting); see TIniText::WriteString.
    bool WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
        return text_.WriteString(Section, Ident, Value);
    }
    // Writes the settings back when they were changed; False when the file
    // could not be written or could not be read at the start.
    bool UpdateFile();

private:
    std::string file_name_;
    TIniText text_;
    bool unreadable_ = false;
};
