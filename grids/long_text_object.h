// The second-line store of one grid row and the provider of second-line data.
// No window code here: the grid is held as a plain object pointer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/object.h"
#include "framework/strings.h"
#include "grids/block_arena.h"

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
// Most rows have no second line and most texts are only set and read whole,
// so the text is kept as one string until Lines() is first asked for (the
// list then takes it over), and the default data object is made on its
// first use; an empty store costs one small block. A data class of the
// caller's is made at once, as its constructor may matter. The grid's rows
// make theirs in their arena (CreatePlaced with the arena; the text's block
// then comes from it too): the arena must outlive the object.
class TLongTextObject2 : public TObject {
public:
    explicit TLongTextObject2(TObject* Grid, TCustomL2DataClass DataClass = nullptr,
                              T_BlockArena* TextArena = nullptr);
    ~TLongTextObject2() override;

    // Blocks of T_BlockArena::NewBlock, from the heap or from an arena.
    static void* operator new(size_t Size) { return T_BlockArena::NewBlock(Size, nullptr); }
    static void* operator new(size_t Size, T_BlockArena* Arena) { return T_BlockArena::NewBlock(Size, Arena); }
    static void operator delete(void* Block) noexcept { T_BlockArena::FreeBlock(Block); }
    static void operator delete(void* Block, T_BlockArena*) noexcept { T_BlockArena::FreeBlock(Block); }

    TObject* Grid() const { return grid_; }
    TCustomL2Data& Data();
    // The data object's release operation; one never made has nothing to
    // release.
    void ReleaseData() {
        if (data_) data_->ReleaseData();
    }
    TStringList& Lines();
    const TStringList& Lines() const;

    // The whole text: every line followed by CR LF.
    std::string Text() const {
        if (lines_) return lines_->Text();
        return text_size_ ? std::string(text_.get(), text_size_) : std::string();
    }
    // The whole text as a view without copying, valid until the object
    // changes; false once the lines were asked for (use Text()).
    bool TextView(std::string_view& Result) const {
        if (lines_) return false;
        Result = std::string_view(text_.get(), text_size_);
        return true;
    }
    // Splits at CR, LF and CR LF.
    void SetText(const std::string& Value);

    // Instances alive in the process (for leak and double-free checks).
    static int LiveCount();

private:
    TObject* grid_;
    std::unique_ptr<TCustomL2Data> data_;
    // Mutable: the const Lines() may have to make the list.
    mutable std::unique_ptr<TStringList> lines_;
    struct FreeTextBlock {
        void operator()(char* Block) const noexcept { T_BlockArena::FreeBlock(Block); }
    };

    T_BlockArena* text_arena_;
    // Without lines_: the text as the list would give it back, in a block of
    // its exact size (one per row: no string's spare room).
    mutable std::unique_ptr<char[], FreeTextBlock> text_;
    mutable uint32_t text_size_ = 0;
};
