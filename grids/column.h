// TColumn and TColumnTitle: the columns of the positions grid.
//
// A column carries the field name by which the positions text and the order
// import address its cells, the numeric kind that decides the decimal rule on
// reading, and the attributes that choose and set up the in-place editor.
// Colour, font, alignment and read-only state (and the title's caption,
// alignment and font) either follow a default (the grid's) or hold an own
// value; one byte of "assigned" marks records which.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/collection.h"
#include "framework/colors.h"
#include "framework/edit_kinds.h"
#include "framework/font.h"
#include "framework/strings.h"
#include "framework/text_alignment.h"

class TColumn;
class TPopupMenu;
class TDataGrid;
class TDataGridColumns;

enum TColumnButtonStyle { cbsAuto, cbsEllipsis, cbsNone };
enum TColumnFormat { cfString, cfNumber, cfDate, cfdblocate, cfcombo, cfcheck };

// The assigned marks of a column (one byte).
enum TColumnValue : unsigned char {
    cvColor = 1u << 0,
    cvFont = 1u << 1,
    cvAlignment = 1u << 2,
    cvReadOnly = 1u << 3,
    cvTitleCaption = 1u << 4,
    cvTitleAlignment = 1u << 5,
    cvTitleFont = 1u << 6,
};
using TColumnValues = unsigned char;

class TColumnTitle : public TPersistent {
public:
    explicit TColumnTitle(TColumn* Column);
    ~TColumnTitle() override;

    TColumn* Column() const { return column_; }

    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    std::string Caption() const;
    virtual void SetCaption(const std::string& Value);
    // Follows DefaultFont() (refreshed on every read) until changed.
    TFont& Font() const;
    void SetFont(const TFont* Value);

    TAlignment DefaultAlignment() const { return taLeftJustify; }
    std::string DefaultCaption() const { return std::string(); }
    // The grid's font, or the column's without a grid.
    TFont& DefaultFont() const;

    // From another title: its assigned caption, alignment and font.
    void Assign(const TPersistent* Source) override;
    // Clears the title's marks; the font follows its default again.
    virtual void RestoreDefaults();

protected:
    TPersistent* GetOwner() const override;

private:
    friend class TColumn;
    void RefreshDefaultFont() const;
    void FontChanged();

    TColumn* column_;
    TAlignment alignment_ = taLeftJustify;
    std::string caption_;
    std::unique_ptr<TFont> font_;
    mutable bool refreshing_font_ = false;
};

class TColumn : public TCollectionItem {
public:
    // With a TDataGridColumns: the field name becomes "TColumn-" + the item
    // count, InternalCol the count less 1, and the grid's ColCount follows the
    // item count (unless the grid is synchronising its columns itself).
    explicit TColumn(TCollection* Collection);
    ~TColumn() override;

    // The grid of the owning TDataGridColumns, or nullptr.
    TDataGrid* Grid() const;

    const std::string& EditMask() const { return edit_mask_; }
    void SetEditMask(const std::string& Value);
    int MaxLength() const { return max_length_; }
    void SetMaxLength(int Value);
    bool LimitToList() const { return limit_to_list_; }
    void SetLimitToList(bool Value);
    TAlignment Alignment() const;
    virtual void SetAlignment(TAlignment Value);
    TColumnButtonStyle ButtonStyle() const { return button_style_; }
    void SetButtonStyle(TColumnButtonStyle Value);
    TColumnFormat Format() const { return format_; }
    // A different format empties DisplayMask.
    void SetFormat(TColumnFormat Value);
    TColor Color() const;
    void SetColor(TColor Value);
    unsigned DropDownRows() const { return drop_down_rows_; }
    void SetDropDownRows(unsigned Value);
    // Follows DefaultFont() (refreshed on every read) until assigned or changed.
    TFont& Font() const;
    void SetFont(const TFont* Value);
    // Made on first read.
    TStrings& PickList();
    bool HasPickList() const { return pick_list_ != nullptr; }
    // nullptr frees the list; anything else is copied.
    void SetPickList(const TStrings* Value);
    // The column's popup menu; the grid is told when it is freed and
    // forgets it.
    TPopupMenu* PopupMenu() const { return popup_menu_; }
    void SetPopupMenu(TPopupMenu* Value);
    bool ReadOnly() const;
    virtual void SetReadOnly(bool Value);
    TColumnTitle& Title() const { return *title_; }
    void SetTitle(const TColumnTitle* Value);
    const std::string& DisplayMask() const { return display_mask_; }
    virtual void SetDisplayMask(const std::string& Value);
    // The grid's width of this column (10 past ColCount; the stored value
    // without a grid). 0..9 become 10, any negative value -1 (hidden).
    int Width() const;
    void SetWidth(int Value);
    const std::string& FieldName() const { return field_name_; }
    // A value that is empty after trimming gives "TColumn-" + InternalCol.
    void SetFieldName(const std::string& Value);
    bool CheckField() const { return check_field_; }
    void SetCheckField(bool Value);
    int NumericDigits() const { return numeric_digits_; }
    void SetNumericDigits(int Value);
    TEditDataType_ NumericKind() const { return numeric_kind_; }
    void SetNumericKind(TEditDataType_ Value);
    int NumericPrecision() const { return numeric_precision_; }
    void SetNumericPrecision(int Value);
    bool ButtonExists() const { return button_exists_; }
    void SetButtonExists(bool Value);
    bool Intern() const { return intern_; }
    void SetIntern(bool Value);
    bool Streaming() const { return streaming_; }
    void SetStreaming(bool Value);
    int InternalCol() const { return internal_col_; }

    TColumnValues AssignedValues() const { return assigned_; }
    TColor DefaultColor() const;
    TFont& DefaultFont() const;
    TAlignment DefaultAlignment() const { return taLeftJustify; }
    bool DefaultReadOnly() const;

    // The field name without leading and trailing blanks, else "TColumn".
    std::string GetDisplayName() const override;
    // From another column, inside the collection's update bracket: the
    // assigned colour, font, alignment and read-only values, the title,
    // DropDownRows, ButtonStyle, PickList, PopupMenu, Width, FieldName,
    // EditMask, MaxLength, Format, DisplayMask and NumericKind.
    void Assign(const TPersistent* Source) override;
    virtual void RestoreDefaults();
    // Within a grid the column's cells move with it (the grid's MoveColumn).
    void SetIndex(int Value) override;

protected:
    virtual std::unique_ptr<TColumnTitle> CreateTitle();
    // Leaves the collection first, then takes its cells out of the grid (the
    // columns behind move up): the grid's synchronisation must not see (and
    // free) this item again.
    void BeforeDestruction() override;

private:
    friend class TColumnTitle;
    void RefreshDefaultFont() const;
    void FontChanged();
    bool InDataGridColumns() const;

    std::string edit_mask_;
    int max_length_ = 0;
    bool limit_to_list_ = false;
    TAlignment alignment_ = taLeftJustify;
    TColumnButtonStyle button_style_ = cbsAuto;
    TColumnFormat format_ = cfString;
    TColor color_ = clWindow;
    unsigned drop_down_rows_ = 7;
    std::unique_ptr<TFont> font_;
    mutable bool refreshing_font_ = false;
    std::unique_ptr<TStringList> pick_list_;
    TPopupMenu* popup_menu_ = nullptr;
    bool read_only_ = false;
    std::unique_ptr<TColumnTitle> title_;
    std::string display_mask_;
    int width_ = 10;
    std::string field_name_;
    bool check_field_ = false;
    int numeric_digits_ = 2;
    TEditDataType_ numeric_kind_ = deCurrency;
    int numeric_precision_ = 2;
    bool button_exists_ = true;
    bool intern_ = false;
    bool streaming_ = false;
    int internal_col_ = 0;
    TColumnValues assigned_ = 0;
};
