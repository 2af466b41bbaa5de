// The second-line store of one grid row and the provider of second-line data.
// No window code here: the grid is held as a plain object pointer.
#pragma once

#include <memory>
#include <string>

#include "framework/object.h"
#include "framework/strings.h"

// Provider of a grid's second-line data. The default does nothing.
class TCustomL2Data : public TObject {
public:
    TCustomL2Data() = default;
    // Called by the string grid before the owning second-line object is freed.
    virtual void ReleaseData() {}
    // Called after the positions text was written (save) or read (load).
    virtual void SaveData(TObject* Grid, const std::string& A, const std::string& B) {
        (void)Grid, (void)A, (void)B;
    }
    virtual void LoadData(TObject* Grid, const std::string& A, const std::string& B) {
        (void)Grid, (void)A, (void)B;
    }
    // Whether the row shows a second-line indicator the mouse can open.
    virtual bool HasIndicator() const { return false; }
};

// The "class" of the second-line data: a factory. Null means TCustomL2Data.
using TCustomL2DataClass = TCustomL2Data* (*)();

// The second-line store of one row: the grid, a data object and the lines.
class TLongTextObject2 : public TObject {
public:
    explicit TLongTextObject2(TObject* Grid, TCustomL2DataClass DataClass = nullptr);
    ~TLongTextObject2() override;

    TObject* Grid() const { return grid_; }
    TCustomL2Data& Data() { return *data_; }
    TStringList& Lines() { return *lines_; }
    const TStringList& Lines() const { return *lines_; }

    // The whole text: every line followed by CR LF.
    std::string Text() const { return lines_->Text(); }
    // Splits at CR, LF and CR LF.
    void SetText(const std::string& Value) { lines_->SetText(Value); }

    // Instances alive in the process (for leak and double-free checks).
    static int LiveCount();

private:
    TObject* grid_;
    std::unique_ptr<TCustomL2Data> data_;
    std::unique_ptr<TStringList> lines_;
};
