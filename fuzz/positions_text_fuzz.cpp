// The order-positions text: whatever the reader makes of the bytes, the table
// then writes a text that reads back into the same table and writes the same
// bytes again. The one allowed difference: the table's line store drops a
// final empty line of a second line each time it passes through it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "tests/grids/positions_text_fakes.h"

using namespace positions_test;

namespace {

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

// The table after a pass of every second line through its line store.
FakeTable Resettled(const FakeTable& table) {
    FakeTable copy = table;
    for (auto& [row, text] : copy.second_lines) copy.SetSecondLine(row, std::string(text));
    return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    const uint8_t choice = Data[0];
    const std::string text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    DecimalSeparatorScope separator(choice & 0x10 ? '.' : ',');

    // The row after the last one read; the table keeps at least two rows.
    FakeTable table(Columns(choice));
    const int end = Read(table, text);
    FUZZ_CHECK(end >= table.FixedRows() && end <= table.RowCount());
    const std::string first = Write(table);

    // Every row written is read back.
    FakeTable again(table.columns);
    FUZZ_CHECK(Read(again, first) == table.RowCount());
    FUZZ_CHECK(again.RowCount() == table.RowCount());
    const std::string second = Write(again);

    FakeTable expected = Resettled(table);
    FUZZ_CHECK(second == Write(expected));
    // Without such a line nothing may differ at all.
    if (expected.second_lines == table.second_lines) FUZZ_CHECK(second == first);
    return 0;
}
