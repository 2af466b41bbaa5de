#include "foundation/file_exists_rule.h"

bool DecideFileExists(const TFileAttributeResult& Query, const TFileExistsProbes& Probes) {
    if (Query.Succeeded) {
        if (Query.Attributes & kFileAttributeDirectory) return false;
        if (Query.Attributes & kFileAttributeReparsePoint)
            return Probes.OpensForReading && Probes.OpensForReading();
        return true;
    }
    switch (Query.Error) {
        case kErrorFileNotFound:
        case kErrorPathNotFound:
        case kErrorInvalidName:
            return false;
        case kErrorSharingViolation:
            return true;
        default:
            return Probes.FoundByDirectorySearch && Probes.FoundByDirectorySearch();
    }
}
