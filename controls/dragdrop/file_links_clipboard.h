// Files on the clipboard as "file://" links and back: pasting files into a
// rich edit writes one link per line; copying a selection that holds links
// puts the linked files on the clipboard (text and "Shell IDList Array") or,
// for one file, offers to save a copy of it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/dragdrop/file_link_rules.h"

class TComponent;
class TStrings;
class TWinControl;

// The full names as text (or, AsLink, "file://" + the first) and as a shell
// ID list array. The array is left out when a name cannot be parsed; false
// when the list is empty or nothing could be written.
bool CopyFilesToClipboard(const TStrings& List, bool AsLink, HWND Owner = nullptr);

// Files on the clipboard as links (placeholder form, server root): text
// lines that all resolve, then "CF_HDROP" (folders walked after the
// clipboard was closed), then the OLE clipboard's file formats. True when
// links were added. A dropped name that a link cannot hold (longer than a
// path may be, or with characters outside the 8-bit code page) is not
// linked but added to Refused when given.
bool GetClipboardFileLinks(const TDocRoots& Roots, TStrings& List, HWND Window = nullptr,
                           std::vector<std::string>* Refused = nullptr);

// Clip (the clipboard's text) for a paste into a rich edit when its first
// line names a file: lines that name files become links (each file once),
// the other lines stay as they are. False when the first line names no file.
bool ClipboardTextWithLinks(const TDocRoots& Roots, const std::string& Clip, std::string& Text);

// Copies the files Text links to (see the file's head note). True when the
// copy was handled here; with PlainFallback an unhandled Text goes to the
// clipboard as text.
bool CopyLinkedFiles(const std::string& Text, bool PlainFallback);

// A context menu's copy: an edit's selection through CopyLinkedFiles, else
// WM_COPY to the control. Nothing for a component that is no window control.
void CopyWithFileLinks(TComponent* PopupComponent);
// A context menu's paste: into a rich edit clipboard files become links,
// one per line; files on the clipboard that give no link change nothing
// (refused names are reported); otherwise (and for other controls)
// WM_PASTE.
void PasteWithFileLinks(TWinControl* Control);

// Type tests on the control's window class.
bool IsRichEditControl(TWinControl* Control);
bool IsEditControl(TWinControl* Control);  // rich edits included
// The selected text of an edit or rich edit.
std::string EditSelectedText(TWinControl* Control);
