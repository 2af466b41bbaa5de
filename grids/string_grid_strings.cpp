#include "grids/string_grid_strings.h"

#include <algorithm>

#include "framework/scoped_state.h"
#include "grids/grid_messages.h"
#include "grids/string_grid.h"

T_StringGridStrings::T_StringGridStrings(T_StringGrid* Grid, int Index) : grid_(Grid), index_(Index) {}

void T_StringGridStrings::CellOf(int Position, int& ACol, int& ARow) const {
    // Only cell positions: the grid's special columns (-1 none, -2 the second
    // line) and negative rows are not positions of a view.
    if (Position < 0) RaiseGridError(GridMessages::IndexOutOfRange);
    if (index_ > 0) {
        ACol = Position;
        ARow = index_ - 1;
    } else {
        ACol = -(index_ + 1);
        ARow = Position;
    }
}

int T_StringGridStrings::GetCount() const {
    if (index_ == 0) return 0;
    return index_ > 0 ? grid_->ColCount() : grid_->RowCount();
}

std::string T_StringGridStrings::Get(int Index) const {
    if (index_ == 0) return {};
    int c = 0, r = 0;
    CellOf(Index, c, r);
    return grid_->GetCell(c, r);
}

void T_StringGridStrings::Put(int Index, const std::string& S) {
    if (index_ == 0) return;
    int c = 0, r = 0;
    CellOf(Index, c, r);
    grid_->SetCell(c, r, S);
}

TObject* T_StringGridStrings::GetObject(int Index) const {
    if (index_ == 0) return nullptr;
    int c = 0, r = 0;
    CellOf(Index, c, r);
    return grid_->Objects(c, r);
}

void T_StringGridStrings::PutObject(int Index, TObject* AObject) {
    if (index_ == 0) return;
    int c = 0, r = 0;
    CellOf(Index, c, r);
    grid_->SetObjects(c, r, AObject);
}

int T_StringGridStrings::Add(const std::string& S) {
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        if (Get(i).empty()) {
            Put(i, S);
            return i;
        }
    }
    return -1;
}

void T_StringGridStrings::Insert(int Index, const std::string& S) {
    (void)Index, (void)S;
    RaiseGridError(GridMessages::ViewInsertDelete);
}

void T_StringGridStrings::Delete(int Index) {
    (void)Index;
    RaiseGridError(GridMessages::ViewInsertDelete);
}

void T_StringGridStrings::Clear() {
    if (index_ > 0)
        grid_->ClearRowContents(index_ - 1);
    else if (index_ < 0)
        grid_->ClearColContents(-(index_ + 1));
}

void T_StringGridStrings::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TStrings*>(Source);
    if (!src) {
        TStrings::Assign(Source);
        return;
    }
    if (index_ == 0) return;
    WithUpdate(*this, [&] {
        const int n = std::min(src->Count(), GetCount());
        for (int i = 0; i < n; ++i) {
            TObject* obj = src->GetObject(i);
            int c = 0, r = 0;
            CellOf(i, c, r);
            if (auto* lto = dynamic_cast<TLongTextObject2*>(obj)) {
                // Never share a second line: its text is copied into this row's own.
                if (c == 0) {
                    grid_->SetCell(-2, r, lto->Text());
                } else if (grid_->Objects(c, r)) {
                    PutObject(i, nullptr);
                }
            } else {
                PutObject(i, obj);
            }
            Put(i, src->Get(i));
        }
    });
}

void T_StringGridStrings::SetUpdateState(bool Updating) { grid_->SetStringsUpdateState(Updating); }
