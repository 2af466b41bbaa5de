// Gallery page "positions": the 16-column positions grid filled from a
// positions text (a built-in sample, or the file given to --positions),
// shown as a plain grid: title captions in the fixed row, second lines below
// each row.
#include <string>

#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/font.h"
#include "framework/streams.h"
#include "framework/sysutils.h"
#include "framework/win_control.h"
#include "grids/data_grid.h"
#include "grids/source_grid_columns.h"

namespace {

struct PositionsSource {
    std::string name;
    std::string bytes;
    bool set = false;
};

PositionsSource& Source() {
    static PositionsSource source;
    return source;
}

// Three positions as the order import stores them.
const char kSample[] =
    "\"@@DATADEF START@@\"\r\n\"TColumn-1\"\r\n\"Pos.\"\r\n\"Stueck\"\r\n\"Einheit\"\r\n\"Bezeichnung1\"\r\n"
    "\"Bezeichnung2\"\r\n\"BestellNummer\"\r\n\"Seriennummer\"\r\n\"Artikelnummer\"\r\n\"Einzelbetrag\"\r\n"
    "\"Steuer\"\r\n\"SummeBetrag\"\r\n\"intern\"\r\n\"ID_Artikel\"\r\n\"benutzer\"\r\n\"Rabatt\"\r\n"
    "\"SecondField\"\r\n\"@@DATADEF END@@\"\r\n"
    "\"TColumn-1\",\"Pos.\",\"Stueck\",\"Einheit\",\"Bezeichnung1\",\"Bezeichnung2\",\"BestellNummer\","
    "\"Seriennummer\",\"Artikelnummer\",\"Einzelbetrag\",\"Steuer\",\"SummeBetrag\",\"intern\",\"ID_Artikel\","
    "\"benutzer\",\"Rabatt\",\"SecondField\",\r\n"
    "\"d\",\"1\",\"100\",\"Stk\",\"Schraube M6x20\",\"DIN 912, verzinkt\",\"B-4711\",\"\",\"100-620\",\"0,12\","
    "\"19\",\"12,00\",\"\",\"17\",\"\",\"\",\"Lieferung ab Lager%c%nTeil 2 folgt\",\r\n"
    "\"d\",\"2\",\"2,5\",\"m\",\"Kabel 3×1,5 mm²\",\"Größe: \"\"NYM-J\"\"\",\"B-0815\",\"SN-1\",\"200-115\","
    "\"1,99\",\"19\",\"4,98\",\"\",\"18\",\"\",\"5\",\"\",\r\n"
    "\"t\",\"3\",\"\",\"\",\"Zwischensumme\",\"\",\"\",\"\",\"\",\"\",\"\",\"16,98\",\"\",\"\",\"\",\"\","
    "\"Rabatt 5 %% ab 100 €\",\r\n";

}  // namespace

// The text the page shows from now on (instead of the sample).
void SetPositionsPageSource(const std::string& Name, const std::string& Bytes) {
    Source().name = Name;
    Source().bytes = Bytes;
    Source().set = true;
}

namespace {

void BuildPositionsPage(TWinControl* parent) {
    const PositionsSource& source = Source();
    const std::string name = source.set ? source.name : std::string("Beispiel");

    auto* title = SampleTitle(parent, "");

    auto* grid = Create<TDataGrid>(parent);
    BuildSourceGridColumns(*grid);
    grid->Clear();
    TStringStream text(source.set ? source.bytes : std::string(kSample));
    const bool loaded = grid->LoadFromStream(text);
    const int rows = grid->RowCount() - grid->FixedRows();

    // Until the grid draws its own titles, the captions stand in the fixed row.
    grid->BeginUpdate();
    for (int c = 0; c < grid->ColCount(); ++c) grid->SetCell(c, 0, grid->Columns().Items(c)->Title().Caption());
    grid->EndUpdate(false);
    grid->SetLeftStartSecond(1);
    grid->SetRightEndSecond(grid->ColCount() - 1);
    grid->SetSecondLine(true);
    grid->SetAlign(alClient);
    grid->SetParent(parent);

    title->SetCaption("  Positionen: " + name + " (" + IntToStr(rows) + (rows == 1 ? " Zeile" : " Zeilen") +
                      (loaded ? ")" : ", nicht vollständig gelesen)"));
}

}  // namespace

GALLERY_PAGE(positions, "positions", 20, &BuildPositionsPage);
