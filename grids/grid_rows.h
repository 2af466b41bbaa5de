// The cell storage of a string grid, without any window: one sparse cell list
// per row (texts and objects) and the second-line stores of the rows, which
// it owns. The grid adds its hooks, repaints and editor around it; reading
// and writing the positions text goes through the same calls, so what the
// grid stores can be checked where no window exists.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "grids/block_arena.h"
#include "grids/long_text_object.h"
#include "grids/sparse_list.h"

class T_StringSparseList;

// The quantum of a grid list that holds Count items: large beyond SmallLimit.
TSPAQuantum GridListQuantum(int Count, int SmallLimit);

class T_GridRows {
public:
    // RowCount: the grid's row count when made (it chooses the quantum).
    explicit T_GridRows(int RowCount);
    ~T_GridRows();
    T_GridRows(const T_GridRows&) = delete;
    T_GridRows& operator=(const T_GridRows&) = delete;

    // Frees every second-line store (its data released first), then every
    // cell list.
    void FreeAll();

    // Row -> T_StringSparseList*.
    T_SparseList& Lists() { return *lists_; }
    const T_SparseList& Lists() const { return *lists_; }
    // The row's cell list, or nullptr (also for a negative row).
    T_StringSparseList* RowList(int ARow) const;
    // The row's cell list, made when missing with room judged from the row
    // made last (ColCount: the grid's columns); a negative row raises.
    T_StringSparseList* EnsureRowList(int ARow, int ColCount);

    // Cell texts (columns 0 or above) stored as they are, one after the
    // other: a row without cells gets a list of just the room they need
    // (none when every text is empty).
    void StoreTexts(int ARow, int ColCount, const std::pair<int, std::string_view>* Cells, size_t Count);

    // The cell text; "" for column -1, the second line's text for -2 (one
    // final CR LF removed), "" for a row never written.
    std::string GetCell(int ACol, int ARow) const;
    // GetCell as a view valid until the rows change; Scratch holds the text
    // when it has to be built.
    std::string_view CellText(int ACol, int ARow, std::string& Scratch) const;
    // CellText of Count cells of one row (a column below 0 gives "").
    void RowTextViews(int ARow, const int* Cols, size_t Count, std::string_view* Texts) const;
    TObject* Objects(int ACol, int ARow) const;

    // The row's second-line store (the object of its column 0), or nullptr.
    TLongTextObject2* SecondLineOf(int ARow) const;
    // The row's second-line store, made for Grid with DataClass and put into
    // column 0 when the row has none; nullptr when column 0 holds an object
    // of another class. A negative row raises before anything is made.
    TLongTextObject2* EnsureSecondLine(int ARow, int ColCount, TObject* Grid, TCustomL2DataClass DataClass);
    // The second-line stores made here, in the order they were made.
    int SecondLineCount() const { return second_lines_.Count(); }
    // Raises std::out_of_range for an index outside 0 .. SecondLineCount()-1.
    TLongTextObject2* SecondLineAt(int Index) const { return second_lines_.At(Index); }
    bool OwnsSecondLine(const TLongTextObject2* Object) const { return second_lines_.Contains(Object); }
    // Releases (data release, then free) a store made here; the caller has
    // detached it from its cell. Others are left alone.
    void FreeSecondLine(TLongTextObject2* Object);
    // Deletes a cell list taken out of the rows and frees the second-line
    // stores it held.
    void ReleaseRowList(T_StringSparseList* List);

private:
    // The second-line stores in the order they were made. A freed one leaves
    // a gap that is closed in bulk, and the search for the next one to free
    // starts where the last one was, so emptying many rows stays linear.
    class SecondLineObjects {
    public:
        void Reserve(size_t Count) { items_.reserve(Count); }
        void Add(TLongTextObject2* Object);
        bool Contains(const TLongTextObject2* Object) const;
        // False when Object is not in the list.
        bool Remove(TLongTextObject2* Object);
        int Count() const { return live_; }
        TLongTextObject2* At(int Index) const;
        // Hands out every object and empties the list.
        std::vector<TLongTextObject2*> TakeAll();

    private:
        void Pack() const;

        mutable std::vector<TLongTextObject2*> items_;  // nullptr: a gap
        mutable size_t gaps_ = 0;
        mutable size_t hint_ = 0;
        int live_ = 0;
    };

    // The cell lists' memory: rows made one after the other share chunks.
    // Declared first, so that it goes last.
    T_BlockArena arena_;
    std::unique_ptr<T_SparseList> lists_;
    SecondLineObjects second_lines_;
    int last_row_made_ = -1;  // the row whose cell list was made last
};
