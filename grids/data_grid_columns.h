// TDataGridColumns: the column collection of the positions grid, and
// TDataGridBookMarkList, the grid's list of row references.
#pragma once

#include <vector>

#include "framework/collection.h"
#include "grids/column.h"

class TDataGrid;

class TDataGridColumns : public TCollection {
public:
    // Items are made by Factory (TColumn items by default).
    explicit TDataGridColumns(TDataGrid* Grid, ItemFactory Factory = TCollection::ItemClass<TColumn>());

    TDataGrid* Grid() const { return grid_; }
    // Set once construction is complete.
    bool Created() const { return created_; }

    TColumn* Add();
    // Raises EListError for an index out of range.
    TColumn* Items(int Index) const;
    // nullptr for an index out of range.
    TColumn* ItemOrNull(int Index) const;

protected:
    // The grid.
    TPersistent* GetOwner() const override;
    // Repaints the grid: the whole grid while designing, the current column
    // otherwise; nothing while the grid is loading.
    void Update(TCollectionItem* Item) override;

private:
    TDataGrid* grid_;
    bool created_ = false;
};

// Row references held by the grid; TDataGrid::Clear empties the list.
class TDataGridBookMarkList {
public:
    int Count() const { return static_cast<int>(rows_.size()); }
    int Items(int Index) const { return rows_.at(static_cast<size_t>(Index)); }
    bool Contains(int Row) const;
    void Add(int Row);
    void Remove(int Row);
    void Clear() { rows_.clear(); }

private:
    std::vector<int> rows_;
};
