// Text in its clipboard forms ("CF_TEXT", "CF_OEMTEXT", "Rich Text Format",
// "CF_UNICODETEXT", "CSV", "CF_LOCALE"), the text data format that derives
// the missing 8-bit or wide form on demand, and the drop-effect feedback.
#pragma once

#include <string>

#include "controls/dragdrop/data_format.h"

class TCustomAnsiTextClipboardFormat : public TCustomAnsiStringClipboardFormat {
public:
    static const TClipboardFormatClass Info;
    const TClipboardFormatClass& Class() const override { return Info; }
    TCustomAnsiTextClipboardFormat() { trim_zeroes_ = true; }
    // Length + 1 unless the text already ends with a zero byte.
    size_t GetSize() const override;
};

class TAnsiTextClipboardFormat : public TCustomAnsiTextClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override { return CF_TEXT; }
};

class TOEMTextClipboardFormat : public TCustomAnsiTextClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override { return CF_OEMTEXT; }
};

class TRichTextClipboardFormat : public TCustomAnsiTextClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
};

class TCustomUnicodeTextClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Info;
    const TClipboardFormatClass& Class() const override { return Info; }
    // Size / 2 characters, cut at the first zero character.
    bool ReadData(const uint8_t* data, size_t size) override;
    // Fails when size > (length + 1) * 2.
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override;
    void Clear() override { Text.clear(); }
    bool HasData() const override { return !Text.empty(); }
    std::wstring Text;
};

class TUnicodeTextClipboardFormat : public TCustomUnicodeTextClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override { return CF_UNICODETEXT; }
};

class TCSVClipboardFormat : public TCustomStringListClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
};

class TLocaleClipboardFormat : public TCustomDWORDClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override { return CF_LOCALE; }
    bool HasData() const override { return Value != 0; }
};

class TTextDataFormat : public TCustomDataFormat {
public:
    DECLARE_DATA_FORMAT_CLASS()
    explicit TTextDataFormat(TDragDropComponent* owner) : TCustomDataFormat(owner) { Clear(); }

    void Clear() override;
    bool HasData() const override;
    bool Assign(TClipboardFormat* source) override;
    bool AssignTo(TClipboardFormat* dest) override;

    // The 8-bit text, derived from the wide text when only that was given.
    std::string Text();
    void SetText(const std::string& s);
    // The wide text, derived from the 8-bit text when only that was given.
    std::wstring UnicodeText();
    void SetUnicodeText(const std::wstring& s);
    LCID Locale = 0;
    std::string Rtf;

private:
    UINT CodePage() const;
    std::string ansi_;
    std::wstring wide_;
    bool ansi_derived_ = true;  // ansi_ must come from wide_
    bool wide_derived_ = true;  // wide_ must come from ansi_
};

// Drop-effect values exchanged between source and target.
class TFeedbackDataFormat : public TCustomDataFormat {
public:
    DECLARE_DATA_FORMAT_CLASS()
    explicit TFeedbackDataFormat(TDragDropComponent* owner) : TCustomDataFormat(owner) {}

    void Clear() override;
    bool HasData() const override;
    bool NeedsData() const override;
    bool Assign(TClipboardFormat* source) override;
    bool AssignTo(TClipboardFormat* dest) override;

    uint32_t PreferredDropEffect = 0;
    uint32_t PerformedDropEffect = 0;
    uint32_t LogicalPerformedDropEffect = 0;
    uint32_t PasteSucceeded = 0;
    CLSID TargetCLSID{};
    bool InShellDragLoop = false;
    bool GotInShellDragLoop = false;
};
