// The face of the flat buttons, painted the same way by the windowed button
// and the window-less speed button: background by transparency mode and
// state, two-colour frame, glyph image by state, key label and caption.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/flat/button_layout.h"
#include "framework/colors.h"

class TBitmap;
class TCanvas;

enum TFlatButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TTransparentMode { tmAlways, tmNotFocused, tmNone };

inline constexpr TColor kFlatColor = 0xE1EAEB;
inline constexpr TColor kFlatColorDown = 0xC5D6D9;
inline constexpr TColor kFlatColorBorder = 0x8396A0;

struct TFlatFace {
    RECT Client{};
    TFlatButtonState State = bsUp;
    bool MouseInControl = false;
    bool Enabled = true;
    bool Default = false;  // two-pixel border when up and not hovered
    int Round = 0;         // > 0: no frame (the shape is round)
    TTransparentMode Mode = tmNone;
    // Paints the parent's background; empty: the background is left as it is.
    std::function<void()> ParentBackground;
    // tmAlways paints the parent only when this is set; speed buttons leave
    // their background alone instead.
    TColor Color = kFlatColor;
    TColor ColorFocused = kFlatColor;
    TColor ColorDown = kFlatColorDown;
    TColor ColorBorder = kFlatColorBorder;
    TColor ColorHighLight = clWhite;
    TColor ColorShadow = clBlack;
    TBitmap* Glyph = nullptr;
    int NumGlyphs = 1;
    POINT GlyphPos{};
    std::string KeyLabel;  // drawn small in "TAHOMA" -11
    TButtonLayout Layout = blGlyphTop;
    int Width = 0;  // the control's width (places the key label)
    std::string Caption;  // as drawn (line breaks already made)
    RECT TextBounds{};
    UINT TextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_END_ELLIPSIS;
};

// The state colour the background is filled with.
TColor FlatFaceFill(const TFlatFace& Face);
// The source rectangle of the glyph image for the state (x range only).
void FlatGlyphImage(int GlyphWidth, int NumGlyphs, TFlatButtonState State, int& Left, int& Right);
// Paints the whole face on Canvas (font already set).
void PaintFlatFace(TCanvas& Canvas, const TFlatFace& Face);
// The caption: once in the font colour, or embossed (highlight copy at
// (1, 1), shadow copy on top) when disabled.
void DrawFlatCaption(TCanvas& Canvas, const std::string& Text, RECT R, UINT Format, bool Enabled);
