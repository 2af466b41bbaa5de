#include "foundation/fast_ini_file.h"

#include <fstream>
#include <iterator>

TFastIniFile::TFastIniFile(const std::string& FileName) : file_name_(FileName) {
    std::ifstream in(file_name_, std::ios::binary);
    if (!in) return;
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return;
    text_.SetText(content);
}

bool TFastIniFile::UpdateFile() {
    if (!text_.Modified()) return true;
    std::ofstream out(file_name_, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string content = text_.Text();
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) return false;
    text_.ClearModified();
    return true;
}
