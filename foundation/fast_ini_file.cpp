#include "foundation/fast_ini_file.h"

#include <cerrno>
#include <cstdio>

TFastIniFile::TFastIniFile(const std::string& FileName) : file_name_(FileName) {
    errno = 0;
    std::FILE* in = std::fopen(file_name_.c_str(), "rb");
    if (!in) {
        // Missing (file or folder) is empty settings; anything else (held
        // by another program, no rights) is a file we must not replace.
        unreadable_ = errno != ENOENT;
        return;
    }
    std::string content;
    char buf[16384];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof(buf), in)) > 0) content.append(buf, got);
    unreadable_ = std::ferror(in) != 0;
    std::fclose(in);
    if (!unreadable_) text_.SetText(content);
}

bool TFastIniFile::UpdateFile() {
    if (!text_.Modified()) return true;
    if (unreadable_) return false;
    std::FILE* out = std::fopen(file_name_.c_str(), "wb");
    if (!out) return false;
    const std::string content = text_.Text();
    const bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) return false;
    text_.ClearModified();
    return true;
}
