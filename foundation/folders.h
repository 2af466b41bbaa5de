// Well-known folders of the program and folder creation.
#pragma once

#include <string>

// Folder of the program file, ending with "\".
std::string GetAppDir();
// Common documents folder + "MK-ClientRoot\default\", created when missing;
// empty when the system names no common documents folder.
std::string GetClientRoot();
// System temporary folder + "MKTempDir\" + Sub + "\" (just "MKTempDir\" for an
// empty Sub), created when missing.
void GetTempFolder(const std::string& Sub, std::string& Folder);
// Creates Folder and every missing folder above it; True when it exists then.
bool ForceFolders(const std::string& Folder);
// True when Name is an existing folder.
bool FolderExists(const std::string& Name);
