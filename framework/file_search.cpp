#include "framework/file_search.h"

#include <windows.h>

#include "framework/find_handle.h"

namespace {

constexpr DWORD kLeftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::vector<std::string> ListOrdinaryFiles(const std::string& Pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    TFindHandle find(Pattern, data);
    if (!find.Found()) return names;
    do {
        if ((data.dwFileAttributes & kLeftOut) == 0) names.emplace_back(data.cFileName);
    } while (find.Next(data));
    return names;
}
