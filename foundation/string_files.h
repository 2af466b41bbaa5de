// Loading and saving lists and streams where a failure must not stop the
// caller: errors are swallowed, so callers check for the file afterwards.
#pragma once

#include <string>

class TStrings;
class TStream;

// Loads Strings from the file when it exists; otherwise Strings is left as it
// is. Read errors are swallowed.
void LoadStringsFromFile(TStrings* Strings, const std::string& FileName);
// Creates the file's folder and saves Strings; a read-only or hidden file is
// written and keeps those attributes. Errors are swallowed; on an error the
// old file stays as it was and nothing half-written is left behind.
void SaveStringsToFile(const TStrings* Strings, const std::string& FileName);
// Creates the file's folder and writes the whole content of Stream (from its
// start, whatever its position; the position is kept), replacing the file.
// On an error nothing half-written stays: the file is then missing or old.
void SaveStreamToFile(TStream* Stream, const std::string& FileName);
