// The order-positions text through the grid's own row storage (T_GridRows:
// the cell lists and second-line stores the positions grid keeps), read in
// short pieces so that lines and line breaks span the reader's refills.
// Whatever the reader makes of the bytes, the table then writes a text that
// reads back into the same table and writes the same bytes again. The one
// allowed difference: the second-line store drops a final empty line of a
// second line each time it passes through it. Reading in pieces gives the
// same table as reading whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "grids/grid_rows.h"
#include "grids/string_sparse_list.h"
#include "tests/grids/positions_text_fakes.h"

using namespace positions_test;

namespace {

// The columns of the fake table, the rows of the grid: cells and second
// lines go where the positions grid puts them, through the calls its table
// makes (the row at once, views for the writer, the quiet second line).
class GridRowsTable final : public FakeTable {
public:
    explicit GridRowsTable(std::vector<FakeColumn> columns) : FakeTable(std::move(columns)), rows_(RowCount()) {}

    std::string GetCell(int Col, int Row) override { return rows_.GetCell(Col, Row); }
    void SetCell(int Col, int Row, const std::string& Value) override {
        rows_.EnsureRowList(Row, ColCount())->Put(Col, Value);
    }
    void SetRowTexts(int Row, const RowValue* Cells, size_t Count) override {
        rows_.StoreTexts(Row, ColCount(), Cells, Count);
    }
    std::string GetSecondLine(int Row) override { return rows_.GetCell(-2, Row); }
    void SetSecondLine(int Row, const std::string& Value) override {
        if (Value.empty() && !rows_.SecondLineOf(Row)) return;
        TLongTextObject2* store = rows_.EnsureSecondLine(Row, ColCount(), nullptr, nullptr);
        FUZZ_CHECK(store != nullptr);
        store->SetText(Value);
    }
    std::string_view CellText(int Col, int Row, std::string& Scratch) override {
        return rows_.CellText(Col, Row, Scratch);
    }
    void RowTexts(int Row, const int* Cols, size_t Count, std::string_view* Texts, std::string*) override {
        rows_.RowTextViews(Row, Cols, Count, Texts);
    }
    std::string_view SecondLineText(int Row, std::string& Scratch) override {
        return rows_.CellText(-2, Row, Scratch);
    }

    // Every second line passed through its store once more; true when one
    // of them changed.
    bool Resettle() {
        bool changed = false;
        for (int r = 0; r < rows_.Lists().Count(); ++r) {
            TLongTextObject2* store = rows_.SecondLineOf(r);
            if (!store) continue;
            const std::string before = rows_.GetCell(-2, r);
            store->SetText(before);
            changed |= rows_.GetCell(-2, r) != before;
        }
        return changed;
    }

private:
    T_GridRows rows_;
};

// Column sets: the main window's 16 columns, none, and a few that repeat a
// field name, differ only in case or in blanks, or name "SecondField".
std::vector<FakeColumn> Columns(uint8_t choice) {
    switch (choice % 4) {
        case 0: return PositionColumns();
        case 1: return {};
        case 2: return {{"Pos.", true}, {"menge", false}, {"MENGE", true}, {" Stueck ", true}};
        default: return {{"TColumn-1", false}, {"SecondField", false}, {"Pos.", true}, {"Pos.", false}};
    }
}

// Bytes a read hands out at most: whole, or pieces that split lines, breaks
// and quoted tokens anywhere, up to one byte short of the reader's buffer.
int64_t PieceSize(uint8_t choice) {
    static const int64_t sizes[8] = {INT64_MAX, 1, 2, 3, 7, 100, 4096, 8191};
    return sizes[choice >> 5];
}

int ReadInPieces(PositionsTextTable& table, const std::string& text, int64_t piece) {
    ByteStream s(text);
    s.max_read = piece;
    return ReadPositionsText(table, s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    const uint8_t choice = Data[0];
    const std::string text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    const int64_t piece = PieceSize(choice);
    DecimalSeparatorScope separator(choice & 0x10 ? '.' : ',');

    // The row after the last one read; the table keeps at least two rows.
    GridRowsTable table(Columns(choice));
    const int end = ReadInPieces(table, text, piece);
    FUZZ_CHECK(end >= table.FixedRows() && end <= table.RowCount());
    const std::string first = Write(table);

    // Read whole, the same bytes make the same table.
    if (piece != INT64_MAX) {
        GridRowsTable whole(table.columns);
        FUZZ_CHECK(Read(whole, text) == end);
        FUZZ_CHECK(whole.RowCount() == table.RowCount());
        FUZZ_CHECK(Write(whole) == first);
    }

    // Every row written is read back.
    GridRowsTable again(table.columns);
    FUZZ_CHECK(ReadInPieces(again, first, piece) == table.RowCount());
    FUZZ_CHECK(again.RowCount() == table.RowCount());
    const std::string second = Write(again);

    // Without a second line that changes on its way through the store,
    // nothing may differ at all.
    const bool resettled = table.Resettle();
    FUZZ_CHECK(second == Write(table));
    if (!resettled) FUZZ_CHECK(second == first);
    return 0;
}
