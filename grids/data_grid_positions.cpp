// TDataGrid and the positions text: the grid as the text's table, the
// reader and writer wrappers, and SaveToStream / LoadFromStream, which never
// let an exception out.
#include <exception>
#include <memory>

#include "framework/exceptions.h"
#include "grids/data_grid.h"
#include "grids/positions_text.h"

namespace {

// Sets the core's updating flag for a scope and restores it, also when the
// scope is left by an exception.
class UpdatingScope {
public:
    explicit UpdatingScope(T_CustomGrid& Grid) : grid_(Grid), was_(Grid.Updating()) { grid_.SetUpdating(true); }
    ~UpdatingScope() { grid_.SetUpdating(was_); }
    UpdatingScope(const UpdatingScope&) = delete;
    UpdatingScope& operator=(const UpdatingScope&) = delete;

private:
    T_CustomGrid& grid_;
    bool was_;
};

// The grid as seen by the positions text.
class DataGridTable final : public PositionsTextTable {
public:
    explicit DataGridTable(TDataGrid& Grid) : grid_(Grid), quiet_(Grid.CellHooksIdle()) {}

    int ColCount() const override { return grid_.ColCount(); }
    int RowCount() const override { return grid_.RowCount(); }
    void SetRowCount(int Value) override { grid_.SetRowCount(Value); }
    int FixedRows() const override { return grid_.FixedRows(); }
    std::string FieldName(int Col) const override {
        const TColumn* column = grid_.ColumnOf(Col);
        return column ? column->FieldName() : std::string();
    }
    std::string DisplayName(int Col) const override {
        const TColumn* column = grid_.ColumnOf(Col);
        return column ? column->DisplayName() : std::string("TColumn");
    }
    int FindColumnByFieldName(const std::string& Name) const override { return grid_.FindColumnByFieldName(Name); }
    bool IsDecimalColumn(int Col) const override {
        const TColumn* column = grid_.ColumnOf(Col);
        return column && (column->NumericKind() == deFloat || column->NumericKind() == deCurrency);
    }
    std::string GetCell(int Col, int Row) override { return grid_.GetCell(Col, Row); }
    // Through the virtual table, so every hook of the grid runs.
    void SetCell(int Col, int Row, const std::string& Value) override { grid_.SetCell(Col, Row, Value); }
    // A whole row at once; the grid runs its hooks where they would act.
    void SetRowTexts(int Row, const RowValue* Cells, size_t Count) override {
        grid_.StoreRowTexts(Row, Cells, Count);
    }
    std::string GetSecondLine(int Row) override { return grid_.GetCell(-2, Row); }
    std::string_view CellText(int Col, int Row, std::string& Scratch) override {
        return grid_.CellText(Col, Row, Scratch);
    }
    void RowTexts(int Row, const int* Cols, size_t Count, std::string_view* Texts, std::string*) override {
        grid_.RowTextViews(Row, Cols, Count, Texts);
    }
    std::string_view SecondLineText(int Row, std::string& Scratch) override { return grid_.CellText(-2, Row, Scratch); }
    void SetSecondLine(int Row, const std::string& Value) override {
        // An empty second line for a row that has none and the default
        // height would change nothing but make an empty store: most rows.
        if (quiet_ && Value.empty() && !grid_.SecondLineOf(Row) && grid_.RowHeights(Row) == grid_.DefaultRowHeight())
            return;
        grid_.SetCell(-2, Row, Value);
    }

private:
    TDataGrid& grid_;
    const bool quiet_;
};

// Canvas locked and drawing off while the text is read; both are put back
// however the read ends.
class ReadScope {
public:
    explicit ReadScope(TDataGrid& Grid) : grid_(Grid), drawing_(Grid.DrawingEnabled()) {
        grid_.Canvas().Lock();
        grid_.SetDrawing(false);
    }
    ~ReadScope() {
        grid_.Canvas().Unlock();
        grid_.SetDrawing(drawing_);
    }
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;

private:
    TDataGrid& grid_;
    bool drawing_;
};

// The provider of second-line data: a fresh instance of the grid's class.
std::unique_ptr<TCustomL2Data> MakeProvider(TDataGrid& Grid) {
    if (TCustomL2DataClass make = Grid.SecondLineDataClass()) return std::unique_ptr<TCustomL2Data>(make());
    return std::make_unique<TCustomL2Data>();
}

std::string ModuleTitle() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, n);
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

void ShowPlainMessage(const std::string& Text) {
    const std::string caption = ModuleTitle();
    MessageBoxA(GetActiveWindow(), Text.c_str(), caption.c_str(), MB_OK);
}

TPlainMessageDialog g_message_dialog = &ShowPlainMessage;

void ReportSaveFailure(const std::string& Message) {
    try {
        g_message_dialog("TDataGrid.SaveToStream " + Message);
    } catch (...) {
        // The failure is reported by the result already.
    }
}

}  // namespace

TPlainMessageDialog SetPlainMessageDialog(TPlainMessageDialog Dialog) {
    TPlainMessageDialog previous = g_message_dialog;
    g_message_dialog = Dialog ? Dialog : &ShowPlainMessage;
    return previous;
}

void TDataGrid::WritePositionsText(TStream& Stream) {
    DataGridTable table(*this);
    ::WritePositionsText(table, Stream);
}

int TDataGrid::ReadPositionsText(TStream& Stream) {
    ReadScope scope(*this);
    DataGridTable table(*this);
    return ::ReadPositionsText(table, Stream);
}

bool TDataGrid::SaveToStream(TStream& Stream, const std::string& A, const std::string& B) {
    bool result = true;
    try {
        BeginUpdate();
        WritePositionsText(Stream);
        MakeProvider(*this)->SaveData(this, A, B);
    } catch (const Exception& e) {
        result = false;
        ReportSaveFailure(e.Message());
    } catch (const std::exception& e) {
        result = false;
        ReportSaveFailure(e.what());
    } catch (...) {
        result = false;
        ReportSaveFailure("Unbekannter Fehler");
    }
    try {
        EndUpdate(false);
    } catch (...) {
        result = false;
    }
    return result;
}

bool TDataGrid::LoadFromStream(TStream& Stream, const std::string& A, const std::string& B) {
    bool result = true;
    try {
        MakeFirstCellCurrent();
        SetDrawing(false);
        DropEditor();
        const int n = ReadPositionsText(Stream);
        // Every stored row past the text is emptied (also those at or past
        // RowCount), so that a later larger count brings nothing back. The
        // cell hooks stay silent meanwhile (as in Clear's update bracket): a
        // hook must not put text back into a row that is being emptied.
        const int last = RowCount() - 1;
        {
            UpdatingScope silent(*this);
            ClearRowsFrom(n);
            SetRowHeights(n, last, DefaultRowHeight());
        }
        SetRowCount(n);
    } catch (...) {
        result = false;
    }
    try {
        l2_a_ = A;
        l2_b_ = B;
        MakeProvider(*this)->LoadData(this, A, B);
    } catch (...) {
        result = false;
    }
    try {
        MakeFirstCellCurrent();
    } catch (...) {
        result = false;
    }
    SetDrawing(true);
    try {
        FireUserHeight();
    } catch (...) {
        result = false;
    }
    return result;
}
