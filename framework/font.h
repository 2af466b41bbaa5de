// TFont: a logical font description with a lazily created HFONT.
#pragma once

#include <windows.h>

#include <string>

#include "framework/component.h"
#include "framework/events.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"

enum TFontStyle : unsigned {
    fsBold = 1u << 0,
    fsItalic = 1u << 1,
    fsUnderline = 1u << 2,
    fsStrikeOut = 1u << 3,
};
using TFontStyles = unsigned;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TPersistent {
public:
    TFont();
    ~TFont() override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    // Points, derived from Height and PixelsPerInch.
    int Size() const;
    void SetSize(int value);
    // Pixels; negative means character height (the usual case).
    int Height() const { return height_; }
    void SetHeight(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    // LOGFONT quality (DEFAULT_QUALITY, NONANTIALIASED_QUALITY, ...).
    BYTE Quality() const { return quality_; }
    void SetQuality(BYTE value);
    // Angle of the text's base line in tenths of a degree, counter-clockwise
    // (900: upwards, as a vertical banner reads); needs a TrueType face.
    int Orientation() const { return orientation_; }
    void SetOrientation(int value);
    // Resolution used between Size and Height (the screen's by default).
    int PixelsPerInch() const { return ppi_; }
    void SetPixelsPerInch(int value);

    // The font handle, created on first use and again after any change.
    // Owned by the font; valid until the next change or destruction.
    HFONT Handle();

    void Assign(const TPersistent* Source) override;
    bool Equals(const TFont& other) const;

    // Fired after every change of a property.
    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    std::string name_ = "Tahoma";
    int height_ = 0;
    int ppi_ = 96;
    TColor color_;
    TFontStyles style_ = 0;
    BYTE charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    BYTE quality_ = DEFAULT_QUALITY;
    int orientation_ = 0;
    bool stale_ = true;
    GdiObject<HFONT> handle_;
};
