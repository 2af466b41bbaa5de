#include "controls/dragdrop/text_formats.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "controls/dragdrop/drop_blocks.h"

const TClipboardFormatClass TCustomAnsiTextClipboardFormat::Info{
    {"TCustomAnsiTextClipboardFormat", &TCustomAnsiStringClipboardFormat::Info}, nullptr, csRead};
const TClipboardFormatClass TCustomUnicodeTextClipboardFormat::Info{
    {"TCustomUnicodeTextClipboardFormat", &TCustomSimpleClipboardFormat::Info}, nullptr, csRead};
DEFINE_CLIPBOARD_FORMAT_CLASS(TAnsiTextClipboardFormat, TCustomAnsiTextClipboardFormat, csRead);
DEFINE_CLIPBOARD_FORMAT_CLASS(TOEMTextClipboardFormat, TCustomAnsiTextClipboardFormat, csRead);
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TRichTextClipboardFormat, TCustomAnsiTextClipboardFormat, csRead, "Rich Text Format")
DEFINE_CLIPBOARD_FORMAT_CLASS(TUnicodeTextClipboardFormat, TCustomUnicodeTextClipboardFormat, csRead);
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TCSVClipboardFormat, TCustomStringListClipboardFormat, csRead, "CSV")
DEFINE_CLIPBOARD_FORMAT_CLASS(TLocaleClipboardFormat, TCustomDWORDClipboardFormat, csRead);

size_t TCustomAnsiTextClipboardFormat::GetSize() const {
    if (!Data.empty() && Data.back() == '\0') return Data.size();
    return Data.size() + 1;
}

bool TCustomUnicodeTextClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    Text = dropblocks::ReadUnicodeText(data, size);
    return true;
}

bool TCustomUnicodeTextClipboardFormat::WriteData(uint8_t* data, size_t size) const {
    if (size > (Text.size() + 1) * 2) return false;
    const size_t n = std::min(size / 2, Text.size());
    for (size_t i = 0; i < n; ++i) {
        const auto c = static_cast<uint16_t>(Text[i]);
        data[2 * i] = static_cast<uint8_t>(c & 0xFF);
        data[2 * i + 1] = static_cast<uint8_t>(c >> 8);
    }
    return true;
}

size_t TCustomUnicodeTextClipboardFormat::GetSize() const {
    if (!Text.empty() && Text.back() == L'\0') return Text.size() * 2;
    return (Text.size() + 1) * 2;
}

// ------------------------------------------------------------ TTextDataFormat

namespace {

void RegisterTextFormats() {
    const TConversionScopes rw = csRead | csWrite;
    RegisterDataConversion(TTextDataFormat::Info, TAnsiTextClipboardFormat::Info, -1, rw);
    RegisterDataConversion(TTextDataFormat::Info, TLocaleClipboardFormat::Info, -1, rw);
    RegisterDataConversion(TTextDataFormat::Info, TUnicodeTextClipboardFormat::Info, 0, rw);
    RegisterDataConversion(TTextDataFormat::Info, TOEMTextClipboardFormat::Info, -1, rw);
    RegisterDataConversion(TTextDataFormat::Info, TRichTextClipboardFormat::Info, 0, rw);
}

void RegisterFeedbackFormats() {
    const TConversionScopes rw = csRead | csWrite;
    RegisterDataConversion(TFeedbackDataFormat::Info, TPreferredDropEffectClipboardFormat::Info, 0, rw);
    RegisterDataConversion(TFeedbackDataFormat::Info, TPerformedDropEffectClipboardFormat::Info, 0, rw);
    RegisterDataConversion(TFeedbackDataFormat::Info, TPasteSucceededClipboardFormat::Info, 0, rw);
    RegisterDataConversion(TFeedbackDataFormat::Info, TInShellDragLoopClipboardFormat::Info, 0, rw);
    RegisterDataConversion(TFeedbackDataFormat::Info, TTargetCLSIDClipboardFormat::Info, 0, rw);
    RegisterDataConversion(TFeedbackDataFormat::Info, TLogicalPerformedDropEffectClipboardFormat::Info, 0, rw);
}

}  // namespace

const TDataFormatClass TTextDataFormat::Info{{"TTextDataFormat", &TCustomDataFormat::Info}, &RegisterTextFormats};
const TDataFormatClass TFeedbackDataFormat::Info{{"TFeedbackDataFormat", &TCustomDataFormat::Info},
                                                 &RegisterFeedbackFormats};

void TTextDataFormat::Clear() {
    ansi_.clear();
    wide_.clear();
    ansi_derived_ = true;
    wide_derived_ = true;
}

namespace {

// Text in a code page of the system to UTF-16 and back.
std::wstring Widen(UINT cp, const std::string& s) {
    const int n = s.empty() ? 0 : MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string Narrow(UINT cp, const std::wstring& w) {
    const int n =
        w.empty() ? 0 : WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(std::max(n, 0)), '\0');
    if (n > 0) WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

}  // namespace

bool TTextDataFormat::HasData() const {
    return (!ansi_derived_ && !ansi_.empty()) || (!wide_derived_ && !wide_.empty());
}

UINT TTextDataFormat::CodePage() const {
    char buf[16] = {};
    const LCID lcid = Locale != 0 ? Locale : GetThreadLocale();
    if (GetLocaleInfoA(lcid, LOCALE_IDEFAULTANSICODEPAGE, buf, sizeof buf) <= 0) return 0;
    char* end = nullptr;
    const long cp = std::strtol(buf, &end, 10);
    return (end != buf && *end == '\0' && cp > 0) ? static_cast<UINT>(cp) : 0;
}

std::string TTextDataFormat::Text() {
    if (ansi_derived_ && !wide_derived_) {
        ansi_ = Narrow(CodePage(), wide_);
        ansi_derived_ = false;
    }
    return ansi_;
}

void TTextDataFormat::SetText(const std::string& s) {
    ansi_ = s;
    ansi_derived_ = false;
    wide_derived_ = true;
    wide_.clear();
}

std::wstring TTextDataFormat::UnicodeText() {
    if (wide_derived_ && !ansi_derived_) {
        wide_ = Widen(CodePage(), ansi_);
        wide_derived_ = false;
    }
    return wide_;
}

void TTextDataFormat::SetUnicodeText(const std::wstring& s) {
    wide_ = s;
    wide_derived_ = false;
    ansi_derived_ = true;
    ansi_.clear();
}

bool TTextDataFormat::Assign(TClipboardFormat* source) {
    const auto& cls = source->Class();
    if (&cls == &TAnsiTextClipboardFormat::Info) {
        ansi_ = static_cast<TAnsiTextClipboardFormat*>(source)->Data;
        ansi_derived_ = false;
        if (wide_.empty()) wide_derived_ = true;
        return true;
    }
    if (&cls == &TUnicodeTextClipboardFormat::Info) {
        wide_ = static_cast<TUnicodeTextClipboardFormat*>(source)->Text;
        wide_derived_ = false;
        if (ansi_.empty()) ansi_derived_ = true;
        return true;
    }
    if (&cls == &TLocaleClipboardFormat::Info) {
        Locale = static_cast<TLocaleClipboardFormat*>(source)->Value;
        return true;
    }
    // OEM text is not ANSI text, and RTF is not plain text: neither is read.
    return false;
}

bool TTextDataFormat::AssignTo(TClipboardFormat* dest) {
    const auto& cls = dest->Class();
    if (&cls == &TAnsiTextClipboardFormat::Info) {
        static_cast<TAnsiTextClipboardFormat*>(dest)->Data = Text();
        return true;
    }
    if (&cls == &TUnicodeTextClipboardFormat::Info) {
        static_cast<TUnicodeTextClipboardFormat*>(dest)->Text = UnicodeText();
        return true;
    }
    if (&cls == &TOEMTextClipboardFormat::Info) {
        std::string oem = HasData() ? Text() : std::string();
        if (!oem.empty()) CharToOemBuffA(oem.c_str(), oem.data(), static_cast<DWORD>(oem.size()));
        static_cast<TOEMTextClipboardFormat*>(dest)->Data = oem;
        return true;
    }
    if (&cls == &TLocaleClipboardFormat::Info) {
        static_cast<TLocaleClipboardFormat*>(dest)->Value = Locale;
        return true;
    }
    if (&cls == &TRichTextClipboardFormat::Info) {
        static_cast<TRichTextClipboardFormat*>(dest)->Data = Rtf.empty() ? dropblocks::PlainTextToRtf(Text()) : Rtf;
        return true;
    }
    return false;
}

// -------------------------------------------------------- TFeedbackDataFormat

void TFeedbackDataFormat::Clear() {
    PreferredDropEffect = PerformedDropEffect = LogicalPerformedDropEffect = PasteSucceeded = 0;
    TargetCLSID = CLSID{};
    InShellDragLoop = GotInShellDragLoop = false;
}

bool TFeedbackDataFormat::HasData() const {
    return PreferredDropEffect != 0 || PerformedDropEffect != 0 || PasteSucceeded != 0 || GotInShellDragLoop;
}

bool TFeedbackDataFormat::NeedsData() const {
    return PreferredDropEffect == 0 || PerformedDropEffect == 0 || PasteSucceeded == 0 || !GotInShellDragLoop;
}

bool TFeedbackDataFormat::Assign(TClipboardFormat* source) {
    const auto& cls = source->Class();
    const auto value = [&] { return static_cast<TCustomDWORDClipboardFormat*>(source)->Value; };
    if (&cls == &TPreferredDropEffectClipboardFormat::Info)
        PreferredDropEffect = value();
    else if (&cls == &TPerformedDropEffectClipboardFormat::Info)
        PerformedDropEffect = value();
    else if (&cls == &TLogicalPerformedDropEffectClipboardFormat::Info)
        LogicalPerformedDropEffect = value();
    else if (&cls == &TPasteSucceededClipboardFormat::Info)
        PasteSucceeded = value();
    else if (&cls == &TInShellDragLoopClipboardFormat::Info) {
        InShellDragLoop = value() != 0;
        GotInShellDragLoop = true;
    } else if (&cls == &TTargetCLSIDClipboardFormat::Info)
        TargetCLSID = static_cast<TTargetCLSIDClipboardFormat*>(source)->Value;
    else
        return false;
    return true;
}

bool TFeedbackDataFormat::AssignTo(TClipboardFormat* dest) {
    const auto& cls = dest->Class();
    auto set = [&](uint32_t v) { static_cast<TCustomDWORDClipboardFormat*>(dest)->Value = v; };
    if (&cls == &TPreferredDropEffectClipboardFormat::Info)
        set(PreferredDropEffect);
    else if (&cls == &TPerformedDropEffectClipboardFormat::Info)
        set(PerformedDropEffect);
    else if (&cls == &TLogicalPerformedDropEffectClipboardFormat::Info)
        set(LogicalPerformedDropEffect);
    else if (&cls == &TPasteSucceededClipboardFormat::Info)
        set(PasteSucceeded);
    else if (&cls == &TInShellDragLoopClipboardFormat::Info)
        set(InShellDragLoop ? 1 : 0);
    else if (&cls == &TTargetCLSIDClipboardFormat::Info)
        static_cast<TTargetCLSIDClipboardFormat*>(dest)->Value = TargetCLSID;
    else
        return false;
    return true;
}
