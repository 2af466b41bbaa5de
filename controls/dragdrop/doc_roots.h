// The two configured document roots and file links resolved through them.
// The roots come from the setup file "_InternalRootsSetupFile.TXT" (line 1
// the server root, line 2 the intern root); the link text rules are in
// file_link_rules.h.
#pragma once

#include <string>

#include "controls/dragdrop/file_link_rules.h"

class TStrings;

class TInternalRootClass {
public:
    std::string ServerRoot;
    std::string InternRoot;

    // The setup file: in the user-mode folder when one is set, else below
    // the client root in "Merkanto.Network.Alias.Docs\".
    static std::string SetupFileName();
    // Reads the roots. A setup file that does not exist yet is created with
    // two empty lines; one that exists is never written, so a failed read
    // cannot replace the configured roots. Without a user-mode folder a setup
    // file left in the program folder is moved below the client root first
    // (deleted there only once the copy succeeded or the target existed).
    void LoadRoots();
    // Writes both roots as the setup file's two lines (errors swallowed).
    void SaveRoots() const;
    TDocRoots Roots() const { return {ServerRoot, InternRoot}; }
};

// The roots as the setup file has them now.
TDocRoots LoadDocRoots();

// The file Text links to, or "" (see ResolveLinkWith); the busy cursor is
// shown while the file system is asked.
std::string ResolveLink(const TDocRoots& Roots, const std::string& Text, bool DropURLs);
// The same without touching the cursor, for operations that resolve many
// links under one busy-cursor scope of their own.
std::string FindLinkedFile(const TDocRoots& Roots, const std::string& Text, bool DropURLs);
bool IsInternalLink(const TDocRoots& Roots, const std::string& Text);
// The file a clicked "file://" link names through the current roots, "" when
// it names none. Plugs into the summary window's file-link resolver.
std::string ResolveFileLink(const std::string& Link);

// The links of Text that resolve to files, in text order (see ScanLinksWith);
// one busy-cursor scope for the whole scan.
void ScanFileLinks(const TDocRoots& Roots, const std::string& Text, TStrings& List,
                   const std::string& ExtensionFilter = "");
// Every file below Folder as a link (AddLink, server root), subfolders'
// files first; pending messages are handled as each folder is entered and
// every few hundred files, so the window keeps painting.
void AddFolderFiles(const TDocRoots& Roots, TStrings& List, const std::string& Folder);
void AddFolderFiles(TLinkCollector& Links, const std::string& Folder);
// A number 1..16 is that standard format; any other name is registered.
unsigned ClipboardFormatByName(const std::string& Name);
