// Shared by the grid tests that need the Win32 build: an owner for grids made
// with Create<T> and the 16-column positions grid loaded the way the import
// loads it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/form.h"
#include "framework/streams.h"
#include "grids/data_grid.h"
#include "grids/grid_messages.h"
#include "grids/source_grid_columns.h"
#include "tests/framework/control_test_support.h"

namespace grid_test {

template <class T>
struct Owned {
    T* g = Create<T>(nullptr);
    Owned() = default;
    Owned(const Owned&) = delete;
    ~Owned() { g->Free(); }
    T* operator->() const { return g; }
    T& operator*() const { return *g; }
};

// A TDataGrid with the 16 position columns.
struct PositionsGrid : Owned<TDataGrid> {
    PositionsGrid() { BuildSourceGridColumns(*g); }
};

template <class F>
std::string GridErrorOf(F&& f) { return ErrorOf<EInvalidGridOperation>(f); }

// What the import does: Clear, then LoadFromStream.
inline bool Import(TDataGrid& g, const std::string& text) {
    g.Clear();
    TStringStream in(text);
    return g.LoadFromStream(in, "", "");
}

// Every cell of a row and its second line, joined (empty for an empty row).
inline std::string RowText(TDataGrid& g, int r) {
    std::string all = g.GetCell(-2, r);
    for (int c = 0; c < g.ColCount(); ++c) all += g.GetCell(c, r);
    return all;
}

// Runs the messages waiting for this thread.
inline void Pump() {
    MSG m;
    for (int i = 0; i < 200 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// A shown form to hold grids (a suite makes one: mapping a window is slow
// under Wine). A form, so that the focus and the key pipeline (dialog keys,
// CM_CHILDKEY) work as they do for a user.
inline TForm* MakeHostForm(int Width, int Height) {
    TForm* host = Create<TForm>(nullptr);
    host->SetBorderStyle(bsNone);
    host->SetBounds(10, 10, Width, Height);
    host->Show();
    Pump();
    return host;
}

// Frees a host form and handles what its going left behind.
inline void FreeHostForm(TForm*& Host) {
    if (Host) Host->Free();
    Host = nullptr;
    Pump();
}

inline std::string Save(TDataGrid& g) {
    TStringStream out;
    EXPECT_TRUE(g.SaveToStream(out, "", ""));
    return out.DataString();
}

}  // namespace grid_test
