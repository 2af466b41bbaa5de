#include "controls/dragdrop/file_links_clipboard.h"

#include <richedit.h>
#include <shellapi.h>

#include <vector>

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

// The names of a CF_HDROP on the clipboard; the clipboard is closed again
// before the caller walks any folder.
bool ClipboardDropNames(HWND window, std::vector<std::string>& names) {
    if (!IsClipboardFormatAvailable(CF_HDROP)) return false;
    ClipboardScope scope(window);
    if (!scope.Opened()) return false;
    auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    if (!drop) return false;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[MAX_PATH + 1] = {};
        if (DragQueryFileA(drop, i, name, MAX_PATH) > 0) names.emplace_back(name);
    }
    return true;
}

bool OleClipboardFiles(const TDocRoots& roots, TStrings& list) {
    ComPtr<IDataObject> obj;
    if (FAILED(OleGetClipboard(obj.Put())) || !obj) return false;
    TFileDataFormat files(nullptr);
    try {
        files.GetData(obj.Get());
    } catch (const Exception&) {
        return false;
    }
    for (int i = 0; i < files.Files.Count(); ++i) AddLink(roots, NarrowCp1252(files.Files[i]), list, 0);
    return list.Count() > 0;
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

bool GetClipboardFileLinks(const TDocRoots& Roots, TStrings& List, HWND Window) {
    bool found = false;
    TStringList lines;
    lines.SetText(ClipboardText());
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string path = ResolveLink(Roots, Trim(lines[i]), true);
        if (path.empty()) return found;
        AddLink(Roots, path, List, 0);
        found = true;
    }
    std::vector<std::string> dropped;
    if (ClipboardDropNames(ClipboardOwner(Window), dropped)) {
        found = true;
        for (const auto& name : dropped) {
            if (FolderExists(name))
                AddFolderFiles(Roots, List, name);
            else if (FileExists(name))
                AddLink(Roots, name, List, 0);
        }
    }
    if (!found) found = OleClipboardFiles(Roots, List);
    return found;
}

bool CopyLinkedFiles(const std::string& Text, bool PlainFallback) {
    const TDocRoots roots = LoadDocRoots();
    TStringList links;
    ScanFileLinks(roots, Trim(Text), links);
    TStringList files;
    for (int i = 0; i < links.Count(); ++i) {
        const std::string file = ResolveLink(roots, links[i], true);
        if (!file.empty()) files.Add(file);
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
        TStringList files;
        if (GetClipboardFileLinks(roots, files, Control->Handle())) {
            const std::string links = FormatLinks(roots, files, kLinkWithLineEnd | kLinkAsFileUrl, 0);
            SendMessageA(Control->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(links.c_str()));
            return;
        }
    }
    SendMessageA(Control->Handle(), WM_PASTE, 0, 0);
}
