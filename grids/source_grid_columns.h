// The 16 position columns of the main window's hidden grid "SourceGrid",
// built in code so that the import and the tests use the same columns.
#pragma once

class TDataGrid;

// Replaces Grid's columns by the 16 position columns ("TColumn-1", "Pos.",
// "Stueck", ... "Rabatt"), with one fixed row and column. Second lines are
// stored (UseSecondLine), or every order's second lines would be dropped on
// load and saved back empty.
void BuildSourceGridColumns(TDataGrid& Grid);
