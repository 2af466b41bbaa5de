// The program-wide file-existence test and what builds on it.
#pragma once

#include <string>

// True for an existing file, also one held open by another process and a
// reparse point that opens for reading; False for folders (see
// file_exists_rule.h for the whole rule).
bool FileExists(const std::string& Name);
// Deletes the file when FileExists reports it and returns the deletion's
// result; True when there is nothing to delete.
bool DeleteFileIfExists(const std::string& FileName);
