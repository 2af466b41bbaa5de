// The positions grid as a benchmark table ("--table=datagrid"): the import's
// road through TDataGrid with the 16 position columns (Clear, LoadFromStream,
// SaveToStream), so that the figures include the grid's own costs.
//
// The benchmark's target for it calls these three functions.
#include <cstdio>
#include <stdexcept>
#include <string>

#include "framework/streams.h"
#include "grids/data_grid.h"
#include "grids/source_grid_columns.h"

namespace {

TDataGrid* g_grid = nullptr;

// A failed save must not wait for a click.
void PrintDialog(const std::string& Text) { std::fprintf(stderr, "%s\n", Text.c_str()); }

void FreeGrid() {
    if (g_grid) g_grid->Free();
    g_grid = nullptr;
}

}  // namespace

// A fresh grid with the 16 columns, cleared as the import does.
void DataGridBenchReset() {
    FreeGrid();
    SetPlainMessageDialog(&PrintDialog);
    g_grid = Create<TDataGrid>(nullptr);
    BuildSourceGridColumns(*g_grid);
    g_grid->Clear();
}

// Loads the text; returns the row after the last row read.
int DataGridBenchLoad(TStream& Stream) {
    if (!g_grid) DataGridBenchReset();
    if (!g_grid->LoadFromStream(Stream, "", "")) throw std::runtime_error("TDataGrid.LoadFromStream failed");
    return g_grid->RowCount();
}

void DataGridBenchSave(TStream& Stream) {
    if (!g_grid) DataGridBenchReset();
    if (!g_grid->SaveToStream(Stream, "", "")) throw std::runtime_error("TDataGrid.SaveToStream failed");
}

// Frees the grid (call before the program ends).
void DataGridBenchFinish() { FreeGrid(); }
