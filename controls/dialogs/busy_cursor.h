// The busy cursor: an animated cursor carried by the program as resources of
// the type named "RT_ANICURSOR". Long work on the main thread is framed by
// BusyCursorOn and BusyCursorOff (not counted: every Off shows the default
// cursor at once).
#pragma once

#include <string>

#include "framework/screen.h"

inline constexpr TCursor crCursor_ajax01 = -4997;
inline constexpr TCursor crCursor_ajax02 = -4996;
inline constexpr TCursor crCursor_ajax03 = -4995;  // the busy cursor
inline constexpr TCursor crCursor_ajax04 = -4994;

void BusyCursorOn();
void BusyCursorOff();
// BusyCursorOn for a scope, BusyCursorOff at its end.
class BusyCursorScope {
public:
    BusyCursorScope() { BusyCursorOn(); }
    BusyCursorScope(const BusyCursorScope&) = delete;
    BusyCursorScope& operator=(const BusyCursorScope&) = delete;
    ~BusyCursorScope() { BusyCursorOff(); }
};
// Loads the four cursors once per run (also from the first BusyCursorOff).
void LoadBusyCursors();
// Writes the resource ResName to a temporary ".ani" file in the "XCURSOR"
// folder, loads it as a cursor registered under CursorId and deletes the
// file again. Failures are swallowed: the id then stays unregistered.
void LoadAnimatedCursor(const std::string& ResName, TCursor CursorId);
// Shut-down: unregisters (and destroys) the four cursors when they were loaded.
void DoneBusyCursors();
