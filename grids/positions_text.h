// The order-positions text: the byte format in which the positions grid
// stores an order's positions (the blob "Datas"), its writer and its reader.
//
// Layout (every line ends with CR LF, every token is quoted with inner quotes
// doubled):
//   "@@DATADEF START@@"
//   one line per column with its field name
//   "SecondField"
//   "@@DATADEF END@@"
//   the display names, ',', "SecondField", ','
//   per data row: the escaped cell values, ',', the escaped second line, ','
//
// Reader and writer work against PositionsTextTable, which the positions
// grid implements, so that they need no window.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

class TStream;

class PositionsTextTable {
public:
    virtual ~PositionsTextTable() = default;

    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    // The table's own rule applies (the grid keeps at least 2 rows).
    virtual void SetRowCount(int Value) = 0;
    virtual int FixedRows() const = 0;

    // The column's field name as stored (blanks kept).
    virtual std::string FieldName(int Col) const = 0;
    // The field name without leading and trailing blanks, or the default name
    // of a column item when that is empty.
    virtual std::string DisplayName(int Col) const = 0;
    // First column whose field name equals Name without regard to case
    // (CP1252 rules); -1 when none.
    virtual int FindColumnByFieldName(const std::string& Name) const = 0;
    // True for the columns of kind deFloat and deCurrency, whose values take
    // the process-wide decimal separator on reading.
    virtual bool IsDecimalColumn(int Col) const = 0;

    virtual std::string GetCell(int Col, int Row) = 0;
    virtual void SetCell(int Col, int Row, const std::string& Value) = 0;
    // The values of one row as the reader found them (column, text), in the
    // order read; a column may come twice, and the later value wins. The
    // texts are valid during the call only. The default stores each through
    // SetCell; a table may store the row in one go.
    using RowValue = std::pair<int, std::string_view>;
    virtual void SetRowTexts(int Row, const RowValue* Cells, size_t Count) {
        for (size_t i = 0; i < Count; ++i) SetCell(Cells[i].first, Row, std::string(Cells[i].second));
    }
    // The row's free text (lines joined by CR LF, no final line end).
    virtual std::string GetSecondLine(int Row) = 0;
    virtual void SetSecondLine(int Row, const std::string& Value) = 0;

    // The same texts for the writer without a copy where the table can: a
    // view valid until the table changes or the next call; Scratch may hold
    // the bytes. The defaults copy through GetCell and GetSecondLine.
    virtual std::string_view CellText(int Col, int Row, std::string& Scratch) {
        Scratch = GetCell(Col, Row);
        return Scratch;
    }
    // CellText for Count columns of one row at once (a column below 0 gives
    // an empty text), with one scratch string per column.
    virtual void RowTexts(int Row, const int* Cols, size_t Count, std::string_view* Texts, std::string* Scratch) {
        for (size_t i = 0; i < Count; ++i)
            Texts[i] = Cols[i] >= 0 ? CellText(Cols[i], Row, Scratch[i]) : std::string_view();
    }
    virtual std::string_view SecondLineText(int Row, std::string& Scratch) {
        Scratch = GetSecondLine(Row);
        return Scratch;
    }
};

// "%" -> "%%", NUL -> "%0", LF -> "%n", CR -> "%c"; other bytes unchanged.
std::string EscapeCellText(const std::string& Text);
// The reverse. A "%" before any other byte, or at the end, is kept as it is.
std::string UnescapeCellText(const std::string& Text);

// Writes the whole text at the stream's position. A short write raises
// EWriteError: every line, the display names included, goes through the
// checked write (whole lines, several at a time).
void WritePositionsText(PositionsTextTable& Table, TStream& Stream);

// Reads from the stream's position to its end and fills the table's cells and
// second lines from row FixedRows() on, adding rows as needed (in steps; the
// table is left with the rows it had or the rows reached, whichever is more).
// Returns the row after the last row read. Texts that do not fit the layout are no error;
// stream and table exceptions pass through.
int ReadPositionsText(PositionsTextTable& Table, TStream& Stream);
