#include "controls/dragdrop/file_links_clipboard.h"

#include <richedit.h>
#include <shellapi.h>

#include <unordered_set>
#include <vector>

#include "controls/dialogs/box_text.h"
#include "controls/dialogs/busy_cursor.h"
#include "controls/dialogs/message_box.h"
#include "controls/dragdrop/doc_roots.h"
#include "controls/dragdrop/drop_blocks.h"
#include "controls/dragdrop/file_formats.h"
#include "foundation/file_copy.h"
#include "foundation/file_exists.h"
#include "foundation/folders.h"
#include "foundation/path_text.h"
#include "foundation/user_mode.h"
#include "framework/ansi_text.h"
#include "framework/application.h"
#include "framework/clipboard.h"
#include "framework/com_ptr.h"
#include "framework/cp1252.h"
#include "framework/edit.h"
#include "framework/exceptions.h"
#include "framework/save_dialog.h"
#include "framework/strings.h"
#include "framework/sysutils.h"
#include "framework/win_control.h"

namespace {

constexpr const char* kInitialDirKey = "XCopy_InitialDir";
constexpr const char* kShellIdListFormat = "Shell IDList Array";

HWND ClipboardOwner(HWND owner) { return owner ? owner : Application()->Handle(); }

std::vector<std::string> Entries(const TStrings& list) {
    TStringList trimmed;
    trimmed.SetText(Trim(list.Text()));
    std::vector<std::string> names;
    for (int i = 0; i < trimmed.Count(); ++i) names.push_back(trimmed[i]);
    return names;
}

// The ID list array of the names; empty when one cannot be parsed.
dropblocks::Bytes IdListBlock(const std::vector<std::string>& names) {
    std::vector<std::wstring> wide;
    for (const auto& n : names) wide.push_back(WidenCp1252(n));
    TPIDLList pidls;
    try {
        if (!FilenamesToPIDLList(wide, pidls)) return {};
    } catch (const Exception&) {
        return {};
    }
    return dropblocks::WriteCida(pidls.Lists());
}

// The name of entry Index of a drop, whole, as the system has it.
std::wstring DropName(HDROP drop, UINT index) {
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0) return {};
    std::wstring name(length + 1, L'\0');
    const UINT got = DragQueryFileW(drop, index, name.data(), length + 1);
    name.resize(got);
    return name;
}

// A link holds a name only when the name is a path the 8-bit functions can
// open: shorter than MAX_PATH and without characters outside the code page.
bool LinkCanHold(const std::wstring& wide, const std::string& narrow) {
    return narrow.size() < MAX_PATH && WidenCp1252(narrow) == wide;
}

// The names of a CF_HDROP on the clipboard; the clipboard is closed again
// before the caller walks any folder. Names no link can hold go to refused.
bool ClipboardDropNames(HWND window, std::vector<std::string>& names, std::vector<std::string>& refused) {
    if (!IsClipboardFormatAvailable(CF_HDROP)) return false;
    ClipboardScope scope(window);
    if (!scope.Opened()) return false;
    auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    if (!drop) return false;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const std::wstring wide = DropName(drop, i);
        if (wide.empty()) continue;
        std::string narrow = NarrowCp1252(wide);
        (LinkCanHold(wide, narrow) ? names : refused).push_back(std::move(narrow));
    }
    return true;
}

void OleClipboardFiles(TLinkCollector& links, std::vector<std::string>& refused) {
    ComPtr<IDataObject> obj;
    if (FAILED(OleGetClipboard(obj.Put())) || !obj) return;
    TFileDataFormat files(nullptr);
    try {
        files.GetData(obj.Get());
    } catch (const Exception&) {
        return;
    }
    for (int i = 0; i < files.Files.Count(); ++i) {
        const std::wstring wide = files.Files[i];
        std::string narrow = NarrowCp1252(wide);
        if (LinkCanHold(wide, narrow))
            links.Add(narrow);
        else
            refused.push_back(std::move(narrow));
    }
}

// What the user is told about names that could not become links.
void ReportRefusedNames(const std::vector<std::string>& refused) {
    if (refused.empty()) return;
    std::string names;
    for (const auto& name : refused) names += "<BR>" + EscapeBoxText(name);
    ShowInfo("Diese Dateien können nicht als Verweis eingefügt werden: ihr Name ist zu lang oder enthält Zeichen, "
             "die hier nicht darstellbar sind." + names);
}

std::string WindowClassName(TWinControl* control) {
    char name[64] = {};
    GetClassNameA(control->Handle(), name, sizeof name);
    return name;
}

enum class TSaveOutcome { Saved, NotSaved };

// The save-elsewhere flow for one existing file.
TSaveOutcome SaveCopyOf(const std::string& file) {
    std::string initial;
    ReadUserModeString(kInitialDirKey, "", "", initial, false);
    TSaveDialog dialog;
    dialog.FileName = ExtractFileName(file);
    dialog.InitialDir = IncludePathDelimiter(initial);
    if (!dialog.Execute(Application()->Handle())) return TSaveOutcome::NotSaved;
    const std::string target = dialog.FileName;
    WriteUserModeString(kInitialDirKey, ExtractFilePath(target), "");
    // Copying a file onto itself would truncate it.
    if (SameFile(file, target)) return TSaveOutcome::Saved;
    if (FileExists(target) && !ShowQuestion(target + "<BR>existiert bereits.<B> Überschreiben?"))
        return TSaveOutcome::NotSaved;
    bool copied = false;
    {
        BusyCursorScope busy;
        copied = CopyFileTo(file, target);
    }
    if (!copied) ShowInfo("Die Datei konnte nicht nach<BR>" + target + "<BR>kopiert werden.");
    return TSaveOutcome::Saved;
}

}  // namespace

bool CopyFilesToClipboard(const TStrings& List, bool AsLink, HWND Owner) {
    const std::vector<std::string> names = Entries(List);
    if (names.empty()) return false;
    std::string text;
    if (AsLink) {
        text = kFileLinkPrefix + names.front();
    } else {
        for (size_t i = 0; i < names.size(); ++i) text += (i ? "\r\n" : "") + names[i];
    }
    // Parsed before the clipboard opens: the shell may take its time.
    const dropblocks::Bytes block = IdListBlock(names);
    ClipboardWriter writer(ClipboardOwner(Owner));
    if (!writer.SetText(text)) return false;
    if (!block.empty()) writer.SetBlock(ClipboardFormatByName(kShellIdListFormat), block.data(), block.size());
    return true;
}

bool GetClipboardFileLinks(const TDocRoots& Roots, TStrings& List, HWND Window, std::vector<std::string>* Refused) {
    BusyCursorScope busy;
    TLinkCollector links(Roots, List, 0);
    const int before = List.Count();
    TStringList lines;
    lines.SetText(ClipboardText());
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string path = FindLinkedFile(Roots, Trim(lines[i]), true);
        if (path.empty()) return List.Count() > before;
        links.Add(path);
    }
    std::vector<std::string> dropped, refused;
    if (ClipboardDropNames(ClipboardOwner(Window), dropped, refused)) {
        for (const auto& name : dropped) {
            if (NamesDevice(name)) continue;
            if (FolderExists(name))
                AddFolderFiles(links, name);
            else if (FileExists(name))
                links.Add(name);
        }
    } else {
        OleClipboardFiles(links, refused);
    }
    if (Refused) Refused->insert(Refused->end(), refused.begin(), refused.end());
    return List.Count() > before;
}

bool ClipboardTextWithLinks(const TDocRoots& Roots, const std::string& Clip, std::string& Text) {
    TStringList lines;
    lines.SetText(Clip);
    if (lines.Count() == 0) return false;
    BusyCursorScope busy;
    const bool endsWithBreak = Clip.back() == '\n' || Clip.back() == '\r';
    TStringList files;
    TLinkCollector links(Roots, files, 0);
    std::string out;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string path = FindLinkedFile(Roots, Trim(lines[i]), true);
        if (path.empty()) {
            if (i == 0) return false;  // plain text: pasted as it is
            out += lines[i];
            if (i + 1 < lines.Count() || endsWithBreak) out += "\r\n";
            continue;
        }
        const int count = files.Count();
        links.Add(path);
        if (files.Count() > count) out += MakeLink(Roots, files[count], kLinkWithLineEnd | kLinkAsFileUrl, 0);
    }
    Text = std::move(out);
    return true;
}

bool CopyLinkedFiles(const std::string& Text, bool PlainFallback) {
    const TDocRoots roots = LoadDocRoots();
    TStringList links;
    ScanFileLinks(roots, Trim(Text), links);
    // Each file once, however often the selection links it.
    TStringList files;
    {
        BusyCursorScope busy;
        std::unordered_set<std::string> seen;
        for (int i = 0; i < links.Count(); ++i) {
            const std::string file = FindLinkedFile(roots, links[i], true);
            if (!file.empty() && seen.insert(AnsiUpperCase(file)).second) files.Add(file);
        }
    }
    if (files.Count() > 1) {
        CopyFilesToClipboard(files, false);
        return true;
    }
    if (files.Count() == 1 && FileExists(files[0]) && SaveCopyOf(files[0]) == TSaveOutcome::Saved) return true;
    if (PlainFallback) {
        SetClipboardText(Text);
        return false;
    }
    if (files.Count() == 1) {
        CopyFilesToClipboard(files, false);
        return true;
    }
    return false;
}

bool IsRichEditControl(TWinControl* Control) {
    return Control && AnsiStartsText("RichEdit", WindowClassName(Control));
}

bool IsEditControl(TWinControl* Control) {
    return Control && (dynamic_cast<TCustomEdit*>(Control) || AnsiSameText(WindowClassName(Control), "EDIT") ||
                       IsRichEditControl(Control));
}

std::string EditSelectedText(TWinControl* Control) {
    if (auto* edit = dynamic_cast<TCustomEdit*>(Control)) return edit->SelText();
    const HWND wnd = Control->Handle();
    if (IsRichEditControl(Control)) {
        CHARRANGE range{};
        SendMessageA(wnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        if (range.cpMax <= range.cpMin) return {};
        // Two bytes a character: enough for any character set of the control.
        std::string text(static_cast<size_t>(range.cpMax - range.cpMin) * 2 + 1, '\0');
        const LRESULT n = SendMessageA(wnd, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(n > 0 ? n : 0));
        return text;
    }
    DWORD start = 0, end = 0;
    SendMessageA(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::string all = Control->Text();
    if (end <= start || start >= all.size()) return {};
    return all.substr(start, end - start);
}

void CopyWithFileLinks(TComponent* PopupComponent) {
    auto* control = dynamic_cast<TWinControl*>(PopupComponent);
    if (!control) return;
    if (IsEditControl(control) && CopyLinkedFiles(EditSelectedText(control), false)) return;
    SendMessageA(control->Handle(), WM_COPY, 0, 0);
}

void PasteWithFileLinks(TWinControl* Control) {
    if (!Control) return;
    if (IsRichEditControl(Control)) {
        const TDocRoots roots = LoadDocRoots();
        const std::string clip = ClipboardText();
        std::string text;
        if (ClipboardTextWithLinks(roots, clip, text)) {
            SendMessageA(Control->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
            return;
        }
        // Files offered without text: a paste that links none of them
        // leaves the control as it was.
        const bool filesOnly = clip.empty() && IsClipboardFormatAvailable(CF_HDROP);
        TStringList files;
        std::vector<std::string> refused;
        const bool linked = GetClipboardFileLinks(roots, files, Control->Handle(), &refused);
        if (linked) {
            const std::string links = FormatLinks(roots, files, kLinkWithLineEnd | kLinkAsFileUrl, 0);
            SendMessageA(Control->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(links.c_str()));
        }
        ReportRefusedNames(refused);
        if (linked || filesOnly || !refused.empty()) return;
    }
    SendMessageA(Control->Handle(), WM_PASTE, 0, 0);
}
