// The look-and-feel hook: forms that must not depend on the look-and-feel
// code (the message box, the symbol dialog) call FormLookAndFeel, which
// reaches whatever routine was installed.
#pragma once

class TCustomForm;

using TLookAndFeelProc = void (*)(TCustomForm* Form, bool Flag);

void SetLookAndFeelHook(TLookAndFeelProc Proc);
void ClearLookAndFeelHook();
// Calls the installed routine with (Form, Flag); does nothing without one.
void FormLookAndFeel(TCustomForm* Form, bool Flag);
