#include "grids/data_grid_columns.h"

#include <algorithm>

#include "grids/data_grid.h"

TDataGridColumns::TDataGridColumns(TDataGrid* Grid, ItemFactory Factory)
    : TCollection(std::move(Factory)), grid_(Grid) {
    created_ = true;
}

TColumn* TDataGridColumns::Add() { return static_cast<TColumn*>(TCollection::Add()); }

TColumn* TDataGridColumns::Items(int Index) const { return static_cast<TColumn*>(TCollection::Items(Index)); }

TColumn* TDataGridColumns::ItemOrNull(int Index) const {
    if (Index < 0 || Index >= Count()) return nullptr;
    return static_cast<TColumn*>(TCollection::Items(Index));
}

TPersistent* TDataGridColumns::GetOwner() const { return grid_; }

void TDataGridColumns::Update(TCollectionItem* Item) {
    (void)Item;
    if (!grid_ || grid_->IsLoading() || grid_->IsDestroying()) return;
    if (grid_->IsDesigning())
        grid_->InvalidateGrid();
    else
        grid_->InvalidateCol(grid_->Col());
}

// ------------------------------------------------------------ TDataGridBookMarkList

bool TDataGridBookMarkList::Contains(int Row) const { return std::find(rows_.begin(), rows_.end(), Row) != rows_.end(); }

void TDataGridBookMarkList::Add(int Row) {
    if (!Contains(Row)) rows_.push_back(Row);
}

void TDataGridBookMarkList::Remove(int Row) { rows_.erase(std::remove(rows_.begin(), rows_.end(), Row), rows_.end()); }
