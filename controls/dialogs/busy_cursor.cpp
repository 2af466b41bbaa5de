#include "controls/dialogs/busy_cursor.h"

#include <windows.h>

#include "foundation/file_exists.h"
#include "foundation/folders.h"
#include "foundation/guid_hash.h"
#include "foundation/string_files.h"
#include "framework/resource_stream.h"

namespace {
bool g_loaded = false;

struct BusyCursorRow {
    const char* name;
    TCursor id;
};
// Resource names are looked up case-insensitively.
constexpr BusyCursorRow kRows[] = {
    {"crCursor_ajax01", crCursor_ajax01},
    {"crCursor_ajax02", crCursor_ajax02},
    {"crCursor_ajax03", crCursor_ajax03},
    {"crCursor_ajax04", crCursor_ajax04},
};
}  // namespace

void LoadAnimatedCursor(const std::string& ResName, TCursor CursorId) {
    std::string folder;
    std::string file;
    try {
        GetTempFolder("XCURSOR", folder);
        file = folder + std::to_string(NewGuidHash()) + ".ani";
        TResourceStream stream(GetModuleHandleA(nullptr), ResName, "RT_ANICURSOR");
        SaveStreamToFile(&stream, file);
        if (HCURSOR cursor = LoadCursorFromFileA(file.c_str())) Screen()->SetCursorHandle(CursorId, cursor, true);
    } catch (...) {
        // A missing resource or an unwritable folder leaves the id unregistered.
    }
    if (!file.empty()) {
        try {
            DeleteFileIfExists(file);
        } catch (...) {
        }
    }
}

void LoadBusyCursors() {
    if (g_loaded) return;
    g_loaded = true;
    for (const BusyCursorRow& row : kRows) LoadAnimatedCursor(row.name, row.id);
}

void BusyCursorOn() {
    LoadBusyCursors();
    Screen()->SetCursor(crCursor_ajax03);
}

void BusyCursorOff() {
    LoadBusyCursors();
    Screen()->SetCursor(crDefault);
}

void DoneBusyCursors() {
    if (!g_loaded) return;
    g_loaded = false;
    for (const BusyCursorRow& row : kRows) Screen()->SetCursorHandle(row.id, nullptr);
}
