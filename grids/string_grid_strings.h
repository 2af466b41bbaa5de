// T_StringGridStrings: one row or one column of a T_StringGrid as a string
// list. Index 0 is the empty view, n > 0 is row n-1, a negative index is
// column -(index+1).
#pragma once

#include <string>

#include "framework/strings.h"

class T_StringGrid;

class T_StringGridStrings : public TStrings {
public:
    T_StringGridStrings(T_StringGrid* Grid, int Index);

    T_StringGrid* Grid() const { return grid_; }
    int ViewIndex() const { return index_; }

    std::string Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    // Writes S into the first position with an empty text; -1 when none.
    int Add(const std::string& S) override;
    // Insert and Delete raise EInvalidGridOperation.
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    // Releases the second lines and empties every stored cell of the view.
    void Clear() override;
    // From another string list: positions 0 .. min(counts)-1 take its strings
    // and objects, inside the grid's update state; a second-line object is
    // never shared: its text is copied into this view's own second line.
    void Assign(const TPersistent* Source) override;

protected:
    void SetUpdateState(bool Updating) override;

private:
    // Grid coordinates of position i of the view; a negative position raises
    // EInvalidGridOperation.
    void CellOf(int Position, int& ACol, int& ARow) const;

    T_StringGrid* grid_;
    int index_;
};
