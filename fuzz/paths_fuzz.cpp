// The path and address texts: what each function promises about its result,
// for any bytes (CP1252 file names and addresses as users type them).
// Input: a path, then after the first NUL byte (if any) an extension.
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/path_text.h"
#include "framework/ansi_text.h"
#include "framework/sysutils.h"
#include "fuzz/fuzz_support.h"

namespace {

bool StartsWith(const std::string& s, const std::string& head) { return s.compare(0, head.size(), head) == 0; }
bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void CheckIncludePathDelimiter(const std::string& path) {
    const std::string r = IncludePathDelimiter(path);
    FUZZ_CHECK(IncludePathDelimiter(r) == r);
    FUZZ_CHECK(StartsWith(r, path));
    if (path.empty()) {
        FUZZ_CHECK(r.empty());
        return;
    }
    FUZZ_CHECK(r.back() == '\\' || r.back() == ':');
    // Only ever added: nothing for "...\" and "...:", ":\" for a lone drive
    // letter, "\" otherwise.
    const char last = path.back();
    const bool letter = (last >= 'A' && last <= 'Z') || (last >= 'a' && last <= 'z');
    if (last == '\\' || last == ':')
        FUZZ_CHECK(r == path);
    else if (path.size() == 1 && letter)
        FUZZ_CHECK(r == path + ":\\");
    else
        FUZZ_CHECK(r == path + "\\");
}

void CheckIsURL(const std::string& text) {
    // Case does not matter, the known schemes always make an address, and a
    // local absolute path never is one.
    FUZZ_CHECK(IsURL(AnsiUpperCase(text)) == IsURL(text));
    FUZZ_CHECK(IsURL(AnsiLowerCase(text)) == IsURL(text));
    FUZZ_CHECK(IsURL("www." + text) && IsURL("MailTo:" + text) && IsURL("https:" + text));
    FUZZ_CHECK(!IsURL("C:\\" + text));
    // Without an "@" only a scheme at the start makes an address.
    if (text.find('@') == std::string::npos) FUZZ_CHECK(!IsURL("x" + text));
}

void CheckFileNameParts(const std::string& name, const std::string& ext) {
    const std::string path = ExtractFilePath(name), file = ExtractFileName(name), dir = ExtractFileDir(name);
    FUZZ_CHECK(path + file == name);
    FUZZ_CHECK(file.find_first_of("\\:") == std::string::npos);
    FUZZ_CHECK(StartsWith(path, dir) && path.size() - dir.size() <= 1);
    const std::string fileExt = ExtractFileExt(name);
    FUZZ_CHECK(EndsWith(file, fileExt));
    FUZZ_CHECK(fileExt.empty() || fileExt[0] == '.');
    FUZZ_CHECK(ChangeFileExt(name, fileExt) == name);
    const std::string changed = ChangeFileExt(name, ext);
    FUZZ_CHECK(EndsWith(changed, ext));
    FUZZ_CHECK(ExtractFilePath(ChangeFileExt(name, ".txt")) == path);
    FUZZ_CHECK(ExtractFileExt(ChangeFileExt(name, ".txt")) == ".txt");
    const std::string with = IncludeTrailingPathDelimiter(name);
    FUZZ_CHECK(IncludeTrailingPathDelimiter(with) == with && with.back() == '\\');
    FUZZ_CHECK(ExcludeTrailingPathDelimiter(with) == (EndsWith(name, "\\") ? name.substr(0, name.size() - 1) : name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string input(reinterpret_cast<const char*>(Data), Size);
    const size_t nul = input.find('\0');
    const std::string name = input.substr(0, nul);
    const std::string ext = nul == std::string::npos ? std::string(".bak") : input.substr(nul + 1);
    CheckIncludePathDelimiter(name);
    CheckIsURL(name);
    CheckFileNameParts(name, ext);
    return 0;
}
