#include "controls/dialogs/color_schemes.h"

#include <cassert>

#include "controls/dialogs/color_scheme_rules.h"
#include "foundation/fast_ini_file.h"
#include "foundation/folders.h"
#include "framework/file_search.h"
#include "framework/strings.h"

namespace {

std::string SchemeFolder(const std::string& Folder) {
    if (Folder.empty()) return GetAppDir();
    assert(Folder.back() == '\\' || Folder.back() == '/');
    return Folder;
}

}  // namespace

void ListColorSchemes(TStrings& List, const std::string& Folder) {
    List.Add(kNoColorScheme);
    for (const std::string& name : ListOrdinaryFiles(SchemeFolder(Folder) + kColorSchemePattern))
        List.Add(ColorSchemeNameOf(name));
}

int ReadColorSchemeIndex(const TStrings& List, const std::string& Folder) {
    const TFastIniFile ini(SchemeFolder(Folder) + kColorSchemeIniName);
    return ColorSchemeIndexOf(List, ini.ReadString(kColorSchemeSection, kColorSchemeIdent, ""));
}
