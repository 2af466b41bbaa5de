// TSymbolDlg: a small modal window with a grid of special characters.
// Choosing one ("&Fertig", Enter or a double click in the grid, F3
// anywhere) hands its text to the insert callback and closes with mrOk;
// "&Abbruch" closes with mrCancel, Esc closes without a choice. An empty
// cell cannot be chosen. The characters and the cell size are user-mode
// settings ("TSymbolDlg.ASCII.Chars", "TSymbolDlg.Grid.XY").
#pragma once

#include <functional>
#include <string>

#include "framework/form.h"

class T_StringGrid;
class TPanel;
class TFlatSpeedButton;

inline constexpr const char* kSymbolCharsKey = "TSymbolDlg.ASCII.Chars";
inline constexpr const char* kSymbolCellKey = "TSymbolDlg.Grid.XY";
inline constexpr int kSymbolPanelHeight = 41;
inline constexpr int kSymbolSelectedColor = 16744448;  // RGB(0, 128, 255)

class TSymbolDlg : public TForm {
public:
    explicit TSymbolDlg(TComponent* AOwner);

    T_StringGrid* Grid = nullptr;
    TPanel* Panel2 = nullptr;
    TPanel* Panel3 = nullptr;
    TFlatSpeedButton* FCancel = nullptr;  // "&Abbruch"
    TFlatSpeedButton* fok = nullptr;      // "&Fertig"

    // Called with the chosen text.
    std::function<void(const std::string& Text)> InsertProc;

    // Reads the settings (writing them back), fills the grid and sizes the
    // window; done when the dialog is shown.
    void LoadSymbols();
    // Takes the current cell: nothing for an empty one.
    void ChooseCurrent();

private:
    void BuildComponents();
    void GridDrawCell(int ACol, int ARow, const RECT& Rect, unsigned State);
    void FormKeyDown(WORD& Key);
    void GridKeyDown(WORD& Key);
};
