#include "framework/save_dialog.h"

#include <commdlg.h>

#include <utility>
#include <vector>

namespace {
TSaveDialogRunner& Runner() {
    static TSaveDialogRunner runner;
    return runner;
}
}  // namespace

TSaveDialogRunner SetSaveDialogRunner(TSaveDialogRunner runner) { return std::exchange(Runner(), std::move(runner)); }

bool TSaveDialog::Execute(HWND owner) {
    if (Runner()) return Runner()(*this);
    std::vector<char> name(32768, '\0');
    FileName.copy(name.data(), name.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameA(&ofn)) return false;
    FileName = name.data();
    return true;
}
