// Data formats: what a drag-and-drop component works with (file names,
// text, drop-effect feedback), each filled from a prioritised list of
// compatible clipboard formats taken from the process-wide format map.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <memory>
#include <vector>

#include "controls/dragdrop/clipboard_format.h"
#include "controls/dragdrop/format_map.h"
#include "framework/component.h"
#include "framework/events.h"

class TCustomDataFormat;
class TDragDropComponent;

// Class identity of a data format class; registerCompatibleFormats puts its
// conversions into the format map.
struct TDataFormatClass : TFormatClassInfo {
    void (*registerCompatibleFormats)();
};

#define DECLARE_DATA_FORMAT_CLASS()         \
    static const TDataFormatClass Info;     \
    const TDataFormatClass& Class() const override { return Info; }

class TCustomDataFormat : public TObject {
public:
    static const TDataFormatClass Info;
    virtual const TDataFormatClass& Class() const { return Info; }

    // Adds itself to the owner's DataFormats (owner may be nullptr).
    explicit TCustomDataFormat(TDragDropComponent* owner);
    ~TCustomDataFormat() override;

    // Created on first use, filled by the owner's conversions (or, without
    // an owner, from the format map for reading).
    TClipboardFormats& CompatibleFormats();
    TDragDropComponent* Owner() const { return owner_; }

    virtual void Clear() = 0;
    virtual bool HasData() const = 0;
    virtual bool NeedsData() const { return !HasData(); }
    // Clipboard format -> this; the default asks the clipboard format.
    virtual bool Assign(TClipboardFormat* source);
    // This -> clipboard format; the default asks the clipboard format.
    virtual bool AssignTo(TClipboardFormat* dest);
    // The compatible formats in order, while this one still needs data.
    virtual bool GetData(IDataObject* obj);
    virtual bool HasValidFormats(IDataObject* obj);
    virtual bool AcceptFormat(const FORMATETC& fmt);

    TNotifyEvent OnChanging;

protected:
    virtual void DoOnChanging(TObject* sender);

private:
    friend class TDataFormats;
    TDragDropComponent* owner_;
    std::unique_ptr<TClipboardFormats> compatible_;
};

// The data formats of a component; does not own them.
class TDataFormats {
public:
    TDataFormats() = default;
    TDataFormats(const TDataFormats&) = delete;
    TDataFormats& operator=(const TDataFormats&) = delete;
    ~TDataFormats();
    int Add(TCustomDataFormat* f);
    int IndexOf(const TCustomDataFormat* f) const;
    void Remove(TCustomDataFormat* f);
    int Count() const { return static_cast<int>(formats_.size()); }
    TCustomDataFormat* Items(int i) const { return formats_.at(static_cast<size_t>(i)); }

private:
    std::vector<TCustomDataFormat*> formats_;
};

class TDragDropComponent : public TComponent {
public:
    explicit TDragDropComponent(TComponent* AOwner);
    TDataFormats* DataFormats() const { return data_formats_.get(); }
    // Fills a data format's compatible clipboard formats; the base leaves
    // the list empty.
    virtual void GetDataFormatConversions(const TDataFormatClass& cls, TClipboardFormats& formats);

protected:
    std::unique_ptr<TDataFormats> data_formats_;
};

void RegisterDataFormat(const TDataFormatClass& cls);
void RegisterDataConversion(const TDataFormatClass& dataClass, const TClipboardFormatClass& clipboardClass,
                            int priority, TConversionScopes scopes = csRead);
// Clears formats and adds a new clipboard format for each conversion of the
// data class in the direction, in map order.
void GetFormatConversions(const TDataFormatClass& dataClass, TClipboardFormats& formats,
                          TConversionScope direction);
// Puts the library's own data formats into the format map (once).
void RegisterStandardDataFormats();
