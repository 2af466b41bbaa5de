#include "foundation/user_mode.h"

#include <climits>

#include "foundation/fast_ini_file.h"
#include "foundation/folders.h"
#include "foundation/ini_text.h"
#include "foundation/path_text.h"

namespace {

constexpr const char* kSection = "MODE";
constexpr const char* kFileName = "UserMode.INI";

std::string& UserModeFolderSlot() {
    static std::string folder;
    return folder;
}

// Decimal integer with an optional sign and surrounding blanks.
bool ParseInteger(const std::string& Text, int& Value) {
    std::string::size_type i = 0, end = Text.size();
    while (i < end && Text[i] == ' ') ++i;
    while (end > i && Text[end - 1] == ' ') --end;
    bool negative = false;
    if (i < end && (Text[i] == '+' || Text[i] == '-')) negative = Text[i++] == '-';
    if (i == end) return false;
    long long v = 0;
    for (; i < end; ++i) {
        if (Text[i] < '0' || Text[i] > '9') return false;
        v = v * 10 + (Text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v < INT_MIN || v > INT_MAX) return false;
    Value = static_cast<int>(v);
    return true;
}

}  // namespace

std::string GetUserModeFolder() { return UserModeFolderSlot(); }

void SetUserModeFolder(const std::string& Folder) { UserModeFolderSlot() = Folder; }

std::string UserModeFileName(const std::string& Folder) {
    std::string folder = Folder.empty() ? GetUserModeFolder() : Folder;
    if (folder.empty()) folder = GetAppDir();
    return IncludePathDelimiter(folder) + kFileName;
}

void ReadUserModeString(const std::string& Key, const std::string& Default, const std::string& Folder,
                        std::string& Value, bool WriteBack) {
    Value = Default;
    if (!Key.empty()) {
        TFastIniFile ini(UserModeFileName(Folder));
        if (ini.ValueExists(kSection, Key)) Value = IniUnquote(ini.ReadString(kSection, Key, Default));
    }
    if (WriteBack) WriteUserModeString(Key, Value, Folder);
}

int ReadUserModeInteger(const std::string& Key, int Default, const std::string& Folder, bool WriteBack) {
    std::string text;
    ReadUserModeString(Key, std::string(), Folder, text, false);
    int value = Default;
    if (!ParseInteger(text, value)) value = Default;
    if (WriteBack) WriteUserModeString(Key, std::to_string(value), Folder);
    return value;
}

bool WriteUserModeString(const std::string& Key, const std::string& Value, const std::string& Folder) {
    if (Key.empty()) return true;
    const std::string fileName = UserModeFileName(Folder);
    const std::string dir = ExtractFileDir(fileName);
    if (!dir.empty()) ForceFolders(dir);
    TFastIniFile ini(fileName);
    return ini.WriteString(kSection, Key, IniQuote(Value)) && ini.UpdateFile();
}
