#include "controls/dialogs/look_and_feel_hook.h"

namespace {
TLookAndFeelProc g_hook = nullptr;
}

void SetLookAndFeelHook(TLookAndFeelProc Proc) { g_hook = Proc; }
void ClearLookAndFeelHook() { g_hook = nullptr; }

void FormLookAndFeel(TCustomForm* Form, bool Flag) {
    if (g_hook) g_hook(Form, Flag);
}
