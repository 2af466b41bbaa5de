#include "foundation/file_exists.h"

#include <windows.h>

#include "foundation/file_exists_rule.h"
#include "foundation/file_handle.h"
#include "framework/find_handle.h"

static_assert(kFileAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY);
static_assert(kFileAttributeReparsePoint == FILE_ATTRIBUTE_REPARSE_POINT);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(kErrorPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(kErrorSharingViolation == ERROR_SHARING_VIOLATION);
static_assert(kErrorInvalidName == ERROR_INVALID_NAME);

namespace {

bool OpensForReading(const std::string& Name) {
    TFileHandle h(CreateFileA(Name.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return h.Valid();
}

bool FoundByDirectorySearch(const std::string& Name) {
    // The name is searched literally; a pattern would find other files.
    if (Name.find_first_of("*?") != std::string::npos) return false;
    WIN32_FIND_DATAA data;
    if (!TFindHandle(Name, data).Found()) return false;
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool FileExists(const std::string& Name) {
    if (Name.empty()) return false;
    TFileAttributeResult query;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(Name.c_str(), GetFileExInfoStandard, &data)) {
        query.Succeeded = true;
        query.Attributes = data.dwFileAttributes;
    } else {
        query.Error = GetLastError();
    }
    TFileExistsProbes probes;
    probes.OpensForReading = [&Name] { return OpensForReading(Name); };
    probes.FoundByDirectorySearch = [&Name] { return FoundByDirectorySearch(Name); };
    return DecideFileExists(query, probes);
}

bool DeleteFileIfExists(const std::string& FileName) {
    if (!FileExists(FileName)) return true;
    return DeleteFileA(FileName.c_str()) != FALSE;
}
