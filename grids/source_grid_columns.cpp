#include "grids/source_grid_columns.h"

#include <iterator>

#include "grids/data_grid.h"

namespace {

enum class ColumnFont { Grid, Maroon, Black };

struct ColumnSetup {
    const char* field;
    const char* title;  // nullptr: no caption
    TColumnFormat format;
    TEditDataType_ kind;
    int width;
    bool right;
    bool limit_to_list;
    bool intern;
    bool read_only;
    bool button;
    const char* edit_mask;
    const char* display_mask;
    int precision;
    int digits;
    TColor color;  // clNone: follows the grid
    ColumnFont font;
    bool percent_picks;
};

constexpr ColumnSetup kColumns[] = {
    // field            title            format      kind        width right  limit  intern ro     button  edit mask     display mask        prec dig colour    font
    {"TColumn-1",     nullptr,         cfString,   deInteger,  10, false, true,  true,  false, true,  "",           "",                 2,  2,  clNone,   ColumnFont::Grid,   false},
    {"Pos.",          "Pos.",          cfString,   deCurrency, 29, false, false, false, false, false, "",           "",                 2,  2,  clNone,   ColumnFont::Black,  false},
    {"Stueck",        "Stück",         cfNumber,   deCurrency, 43, true,  false, false, false, false, "",           "",                 2,  2,  clNone,   ColumnFont::Maroon, false},
    {"Einheit",       "Einheit",       cfcombo,    deInteger,  41, true,  false, false, false, true,  "",           "",                 2,  2,  clNone,   ColumnFont::Maroon, false},
    {"Bezeichnung1",  "Bezeichnung1",  cfdblocate, deInteger,  52, true,  false, false, false, true,  "",           "",                 2,  2,  clNone,   ColumnFont::Maroon, false},
    {"Bezeichnung2",  "Bezeichnung2",  cfdblocate, deInteger,  45, true,  false, false, false, true,  "",           "",                 2,  2,  clNone,   ColumnFont::Maroon, false},
    {"BestellNummer", "BestellNummer", cfdblocate, deInteger,  49, true,  true,  false, false, true,  "",           "",                 2,  2,  clNone,   ColumnFont::Maroon, false},
    {"Seriennummer",  "Seriennummer",  cfString,   deCurrency, 43, true,  true,  false, false, false, "",           "",                 2,  2,  clNone,   ColumnFont::Maroon, false},
    {"Artikelnummer", "Artikelnummer", cfdblocate, deInteger,  38, true,  true,  false, false, true,  "",           "",                 2,  2,  clNone,   ColumnFont::Maroon, false},
    {"Einzelbetrag",  "Preis",         cfNumber,   deCurrency, 41, false, false, false, false, false, "#######.00", "#######.00 'DM'",  20, 2,  clNone,   ColumnFont::Maroon, false},
    {"Steuer",        "Steuer",        cfcombo,    deFloat,    25, false, false, false, false, true,  "##.00",      "##.00 '%'",        2,  2,  clNone,   ColumnFont::Maroon, true},
    {"SummeBetrag",   "Summe",         cfNumber,   deCurrency, -1, false, false, false, true,  false, "#######.00", "#######.00 'DM'",  20, 2,  clNone,   ColumnFont::Maroon, false},
    {"intern",        nullptr,         cfString,   deInteger,  -1, false, false, true,  false, true,  "",           "",                 2,  2,  clNone,   ColumnFont::Maroon, false},
    {"ID_Artikel",    nullptr,         cfString,   deInteger,  -1, false, false, true,  false, true,  "",           "",                 2,  2,  clNone,   ColumnFont::Maroon, false},
    {"benutzer",      nullptr,         cfString,   deCurrency, -1, false, false, false, false, true,  "",           "",                 20, 20, 15138815, ColumnFont::Grid,   false},
    {"Rabatt",        "Rabatt",        cfcombo,    deFloat,    47, false, true,  false, false, true,  "",           "##.0 '%'",         2,  2,  clNone,   ColumnFont::Maroon, false},
};

void ApplyFonts(TColumn& Column, ColumnFont Kind) {
    if (Kind == ColumnFont::Grid) return;
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-11);
    font.SetColor(Kind == ColumnFont::Maroon ? clMaroon : clBlack);
    Column.SetFont(&font);
    font.SetColor(Kind == ColumnFont::Maroon ? clNavy : clBlack);
    Column.Title().SetFont(&font);
}

void ApplySetup(TColumn& Column, const ColumnSetup& Setup) {
    Column.SetFieldName(Setup.field);
    if (Setup.title) Column.Title().SetCaption(Setup.title);
    // Format first: setting it empties DisplayMask.
    Column.SetFormat(Setup.format);
    Column.SetDisplayMask(Setup.display_mask);
    Column.SetEditMask(Setup.edit_mask);
    Column.SetNumericKind(Setup.kind);
    Column.SetNumericPrecision(Setup.precision);
    Column.SetNumericDigits(Setup.digits);
    Column.SetWidth(Setup.width);
    if (Setup.right) Column.SetAlignment(taRightJustify);
    Column.SetLimitToList(Setup.limit_to_list);
    Column.SetIntern(Setup.intern);
    if (Setup.read_only) Column.SetReadOnly(true);
    Column.SetButtonExists(Setup.button);
    if (Setup.color != clNone) Column.SetColor(Setup.color);
    if (Setup.percent_picks) {
        TStrings& picks = Column.PickList();
        picks.Clear();
        picks.Add("8 %");
        picks.Add("16 %");
    }
    ApplyFonts(Column, Setup.font);
}

}  // namespace

void BuildSourceGridColumns(TDataGrid& Grid) {
    TDataGridColumns& columns = Grid.Columns();
    columns.Clear();
    for (const ColumnSetup& setup : kColumns) ApplySetup(*columns.Add(), setup);
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(1);
    Grid.SetUseSecondLine(true);
}
