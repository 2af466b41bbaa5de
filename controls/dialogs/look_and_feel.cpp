#include "controls/dialogs/look_and_feel.h"

#include "controls/dialogs/form_placement.h"
#include "controls/dialogs/look_and_feel_hook.h"
#include "framework/form.h"

void ApplyLookAndFeel(TCustomForm* Form, bool PlaceOnMonitor) {
    if (!Form) return;
    Form->SetHelpContext(1);
    if (PlaceOnMonitor && dynamic_cast<TForm*>(Form) && Form->BorderStyle() != bsNone)
        PlaceFormOnMonitor(Form, false);
}

void InstallLookAndFeel() { SetLookAndFeelHook(&ApplyLookAndFeel); }
void UninstallLookAndFeel() { ClearLookAndFeelHook(); }
