// The program's look and feel of a new form: its help topic and its place on
// the right monitor. Every form calls ApplyLookAndFeel (or the hook) from its
// OnCreate.
#pragma once

class TCustomForm;

// HelpContext := 1; with PlaceOnMonitor, a bordered TForm is placed with
// PlaceFormOnMonitor(Form, false).
void ApplyLookAndFeel(TCustomForm* Form, bool PlaceOnMonitor);

// Start-up and shut-down: installs ApplyLookAndFeel as the look-and-feel hook
// and removes it again.
void InstallLookAndFeel();
void UninstallLookAndFeel();
