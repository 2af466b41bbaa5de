// Clipboard formats: one OLE format each, how to find it in a data object
// and how to read or write its bytes; the simple formats read global
// memory, streams and storages; value formats (8-bit string, string list,
// 32-bit value, class id) and the drop-effect feedback formats.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/dragdrop/format_map.h"
#include "framework/object.h"
#include "framework/strings.h"

class TClipboardFormat;
class TCustomDataFormat;

// Class identity of a clipboard format class: name, parent, a factory for
// the parameterless constructor and the directions the class serves.
struct TClipboardFormatClass : TFormatClassInfo {
    TClipboardFormat* (*create)();
    TConversionScopes scopes;
};

template <class T>
TClipboardFormat* CreateClipboardFormat() {
    return new T();
}

// Defines a clipboard format class's identity (in its .cpp file)...
#define DEFINE_CLIPBOARD_FORMAT_CLASS(Name, Parent, Scopes) \
    const TClipboardFormatClass Name::Info{{#Name, &Parent::Info}, &CreateClipboardFormat<Name>, Scopes}
// ... and, for a format known by name, its id, registered on first use.
#define DEFINE_REGISTERED_CLIPBOARD_FORMAT(Name, Parent, Scopes, FormatName) \
    DEFINE_CLIPBOARD_FORMAT_CLASS(Name, Parent, Scopes);                    \
    CLIPFORMAT Name::GetClipboardFormat() const {                           \
        static const CLIPFORMAT id = RegisterName(FormatName);              \
        return id;                                                          \
    }

// Declares the class identity of a clipboard format class.
#define DECLARE_CLIPBOARD_FORMAT_CLASS()                 \
    static const TClipboardFormatClass Info;             \
    const TClipboardFormatClass& Class() const override { return Info; }

class TClipboardFormat : public TObject {
public:
    static const TClipboardFormatClass Info;
    virtual const TClipboardFormatClass& Class() const { return Info; }

    explicit TClipboardFormat(DWORD tymed = TYMED_HGLOBAL);
    explicit TClipboardFormat(const FORMATETC& fmt);

    // The format with its id filled in from GetClipboardFormat.
    const FORMATETC& FormatEtc() const;
    TCustomDataFormat* DataFormat = nullptr;

    // The id; the base raises "Internal error: <class>.GetClipboardFormat needs implementation".
    virtual CLIPFORMAT GetClipboardFormat() const;
    virtual void SetClipboardFormat(CLIPFORMAT id);
    virtual std::string ClipboardFormatName() const;
    // Raises "<class>.ClipboardFormat is read-only".
    virtual void SetClipboardFormatName(const std::string& name);
    CLIPFORMAT ClipboardFormat() const { return GetClipboardFormat(); }

    // Media of FormatEtc the object answers QueryGetData for.
    virtual DWORD GetValidMedia(IDataObject* obj) const;
    virtual bool HasValidFormats(IDataObject* obj) const;
    // Same id, no target device, same aspect, a common medium.
    virtual bool AcceptFormat(const FORMATETC& fmt) const;
    // Clear, then GetData on the object and read the medium.
    virtual bool GetData(IDataObject* obj);
    // Reads the medium when its type is one of FormatEtc's; the medium is
    // released in every case.
    virtual bool GetDataFromMedium(IDataObject* source, STGMEDIUM& medium);
    // Writes the value into the object (IDataObject::SetData with release).
    bool SetDataOn(IDataObject* obj);
    // A source's answer to IDataObject::GetData: when the request matches
    // (AcceptFormat), the value in a new medium that the caller releases.
    // Never throws: it runs inside a COM method.
    bool Render(const FORMATETC& request, STGMEDIUM& medium);
    // Data format -> this format, and this format -> data format.
    virtual bool Assign(TCustomDataFormat* source);
    virtual bool AssignTo(TCustomDataFormat* dest);
    virtual void Clear() = 0;
    virtual bool HasData() const { return true; }

protected:
    virtual bool DoGetData(IDataObject* source, const STGMEDIUM& medium);
    virtual bool DoSetData(const FORMATETC& request, STGMEDIUM& medium);
    // Registers a format name once per class; keep the id in a static.
    static CLIPFORMAT RegisterName(const char* name);
    // The index of FormatEtc: which file a "FileContents" request is for.
    void SetFormatIndex(LONG index) { fmt_.lindex = index; }

private:
    mutable FORMATETC fmt_{};
};

// Formats whose value is one block of bytes.
class TCustomSimpleClipboardFormat : public TClipboardFormat {
public:
    static const TClipboardFormatClass Info;
    const TClipboardFormatClass& Class() const override { return Info; }
    // Global memory or a stream; storages too when asked for.
    explicit TCustomSimpleClipboardFormat(DWORD tymed = TYMED_HGLOBAL | TYMED_ISTREAM) : TClipboardFormat(tymed) {}

    // Reads the value from a block; the block is not the caller's to change.
    virtual bool ReadData(const uint8_t* data, size_t size) = 0;
    // Writes the value into a zero-filled block of `size` bytes.
    virtual bool WriteData(uint8_t* data, size_t size) const = 0;
    virtual size_t GetSize() const = 0;

    // Stream media are read in pieces of this size.
    static constexpr size_t kStreamPiece = 1048576;

protected:
    bool DoGetData(IDataObject* source, const STGMEDIUM& medium) override;
    bool DoSetData(const FORMATETC& request, STGMEDIUM& medium) override;

private:
    bool ReadGlobal(HGLOBAL h, size_t limit);
    bool ReadStream(IStream* stream);
    bool ReadStorage(IStorage* storage);
};

class TCustomAnsiStringClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Info;
    const TClipboardFormatClass& Class() const override { return Info; }
    using TCustomSimpleClipboardFormat::TCustomSimpleClipboardFormat;
    bool ReadData(const uint8_t* data, size_t size) override;
    // Fails when size > length + 1.
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override { return Data.size(); }
    void Clear() override { Data.clear(); }
    bool HasData() const override { return !Data.empty(); }
    std::string Data;

protected:
    bool trim_zeroes_ = false;
};

class TCustomStringListClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Info;
    const TClipboardFormatClass& Class() const override { return Info; }
    bool ReadData(const uint8_t* data, size_t size) override;
    // Only into a block of exactly text length + 1 bytes.
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override { return Lines.Text().size() + 1; }
    void Clear() override { Lines.Clear(); }
    bool HasData() const override { return Lines.Count() > 0; }
    TStringList Lines;
};

class TCustomDWORDClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Info;
    const TClipboardFormatClass& Class() const override { return Info; }
    bool ReadData(const uint8_t* data, size_t size) override;
    // Only into a block of exactly 4 bytes.
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override { return 4; }
    void Clear() override { Value = 0; }
    uint32_t Value = 0;
};

#define DECLARE_DWORD_FORMAT(Name)                                  \
    class Name : public TCustomDWORDClipboardFormat {               \
    public:                                                         \
        DECLARE_CLIPBOARD_FORMAT_CLASS()                            \
        CLIPFORMAT GetClipboardFormat() const override;             \
    }

DECLARE_DWORD_FORMAT(TPreferredDropEffectClipboardFormat);
DECLARE_DWORD_FORMAT(TPerformedDropEffectClipboardFormat);
DECLARE_DWORD_FORMAT(TLogicalPerformedDropEffectClipboardFormat);
DECLARE_DWORD_FORMAT(TPasteSucceededClipboardFormat);
DECLARE_DWORD_FORMAT(TInShellDragLoopClipboardFormat);

class TTargetCLSIDClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
    bool ReadData(const uint8_t* data, size_t size) override;
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override { return sizeof(CLSID); }
    void Clear() override { Value = CLSID{}; }
    bool HasData() const override;
    CLSID Value{};
};

// The compatible clipboard formats of one data format.
class TClipboardFormats {
public:
    TClipboardFormats(TCustomDataFormat* dataFormat, bool ownsFormats)
        : data_format_(dataFormat), owns_(ownsFormats) {}
    TClipboardFormats(const TClipboardFormats&) = delete;
    TClipboardFormats& operator=(const TClipboardFormats&) = delete;
    ~TClipboardFormats() { Clear(); }

    int Add(TClipboardFormat* format);
    // The first format of the class or a class derived from it, or nullptr.
    TClipboardFormat* FindFormat(const TFormatClassInfo& cls) const;
    // As FindFormat; raises "Clipboard format <class> does not exist in
    // <data format class>'s list of copatible formats" when missing.
    TClipboardFormat* GetFormat(const TFormatClassInfo& cls) const;
    int Count() const { return static_cast<int>(formats_.size()); }
    TClipboardFormat* Items(int i) const { return formats_.at(static_cast<size_t>(i)); }
    void Clear();

private:
    TCustomDataFormat* data_format_;
    bool owns_;
    std::vector<TClipboardFormat*> formats_;
};

// "CF_HDROP" for 15, the registered name for registered ids.
std::string ClipboardFormatToName(UINT id);
