// Listing the files of a folder that match a pattern.
#pragma once

#include <string>
#include <vector>

// Names (without folder) of the ordinary files matching Pattern
// ("C:\\Data\\*.DAT"), in the order the file system returns them. Folders,
// hidden and system files are left out; read-only and archive files are
// listed. A folder that does not exist lists nothing.
std::vector<std::string> ListOrdinaryFiles(const std::string& Pattern);
