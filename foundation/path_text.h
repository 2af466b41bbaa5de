// Path and address tests on plain text; no file system access.
#pragma once

#include <string>

// Path with a trailing "\". An empty path stays empty and a path ending in ":"
// or "\" is returned as it is, so "C:" stays drive-relative; a lone drive
// letter gets ":\".
std::string IncludePathDelimiter(const std::string& Path);

// The folder part of a file name: ExtractFileDir of framework/sysutils.h.
#include "framework/sysutils.h"

// True for texts that look like an address rather than a file: a known scheme
// or "www."/"ftp." prefix, or an "@" without ":\". The "@" rule is a
// heuristic; it also takes UNC names such as \\srv\a@b.pdf for addresses.
bool IsURL(const std::string& Text);
