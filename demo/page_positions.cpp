// Gallery page "positions": the 16-column positions grid filled from a
// positions text (a built-in sample, or the file given to --positions),
// live and editable: cells, rows (Ctrl+Einfg, Ctrl+Entf, Ab on the last row)
// and moved columns and rows; F4 in a second line reports its long-text
// request on the status line. "Speichern" writes the grid back to the file
// it came from, or for the sample to positionen.txt in the temporary folder.
#include <string>

#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/font.h"
#include "framework/exceptions.h"
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

// Where "Speichern" writes.
std::string SavePath() {
    if (Source().set) return Source().name;
    char folder[MAX_PATH] = {};
    const DWORD n = GetTempPathA(MAX_PATH, folder);
    return std::string(folder, n > 0 && n < MAX_PATH ? n : 0) + "positionen.txt";
}

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

    grid->SetLeftStartSecond(1);
    grid->SetRightEndSecond(grid->ColCount() - 1);
    grid->SetSecondLine(true);
    grid->SetOptions(grid->Options() | goColMoving | goRowMoving | goTabs);
    grid->SetDataGridOptions(dgoAppendRow | dgoInsertRow | dgoDeleteRow);
    grid->SetAlign(alClient);
    grid->SetParent(parent);

    // F4 in a second line asks for the row's long text; the gallery has no
    // long-text editor, so it only says so and keeps the text.
    grid->OnLongTextRequest = [title](TObject*, int row, std::string&) {
        title->SetCaption("  F4: Langtext für Zeile " + IntToStr(row) + " angefordert");
    };

    auto* save = Create<TSampleButton>(parent);
    save->SetCaption("Speichern");
    save->SetBounds(parent->ClientWidth() - 110, 4, 100, 26);
    save->OnClick = [grid, title](TObject*) {
        const std::string path = SavePath();
        bool saved = false;
        try {
            TFileStream out(path, fmCreate);
            saved = grid->SaveToStream(out);
            out.Close();
        } catch (const Exception&) {
            saved = false;
        }
        title->SetCaption(saved ? "  Gespeichert: " + path : "  Nicht gespeichert: " + path);
    };
    save->SetParent(parent);

    title->SetCaption("  Positionen: " + name + " (" + IntToStr(rows) + (rows == 1 ? " Zeile" : " Zeilen") +
                      (loaded ? ")" : ", nicht vollständig gelesen)"));
}

}  // namespace

GALLERY_PAGE(positions, "positions", 20, &BuildPositionsPage);
