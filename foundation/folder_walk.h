// Walking a folder tree for its files.
#pragma once

#include <functional>
#include <string>

// Calls OnFile with the full name of every file below Folder. In each
// folder the subfolders come first, recursively, in the order the file
// system lists them, then the folder's own files. OnFolder (when set) is
// called as each folder is entered. Folders that are reparse points
// (junctions, symbolic links) are not entered, so a link back up the tree
// cannot make the walk endless.
void WalkFolderFiles(const std::string& Folder, const std::function<void(const std::string& File)>& OnFile,
                     const std::function<void()>& OnFolder = {});
