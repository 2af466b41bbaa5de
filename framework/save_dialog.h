// The system's save dialog (GetSaveFileNameA). It asks no overwrite
// question of its own: callers that care ask theirs. Tests and tools replace
// the dialog through SetSaveDialogRunner, so nothing blocks on a window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class TSaveDialog {
public:
    std::string FileName;    // proposed name in, chosen full name out
    std::string InitialDir;  // folder the dialog starts in; empty: the system's choice
    std::string Title;       // empty: the system's caption
    // True when the user confirmed a name (then in FileName).
    bool Execute(HWND Owner = nullptr);
};

// Called instead of the system dialog while set; returns the previous one.
using TSaveDialogRunner = std::function<bool(TSaveDialog& Dialog)>;
TSaveDialogRunner SetSaveDialogRunner(TSaveDialogRunner Runner);
