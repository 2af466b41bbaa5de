// Drawing helpers shared by the flat controls: two-colour frames, the
// parent's background behind a control, the disabled look of a glyph and
// the glyph-and-caption layout of the buttons.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "controls/flat/button_layout.h"
#include "controls/flat/hsl_utils.h"
#include "controls/flat/pixel_effects.h"
#include "framework/colors.h"

class TBitmap;
class TCanvas;
class TControl;

// Width rings of one pixel inside R (R itself is not changed): top and left
// in TopColor, right and bottom in BottomColor (the bottom-left and top-right
// corners take the bottom colour).
void Frame3D(TCanvas& Canvas, RECT R, TColor TopColor, TColor BottomColor, int Width);

// Paints what the control's parent shows under the control into Canvas
// (whose origin is the control's top-left): the parent's erase and paint
// with the canvas's DC, its state restored afterwards. Nothing without a parent.
void DrawParentBackground(TControl* Control, TCanvas& Canvas);

// A grey, lightened copy of Source (the caller owns it).
std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap& Source);

// Places glyph and caption on a button: the caption ("<br>" as line break)
// is measured with Canvas's font and word break in the client width.
// Glyph may be null or empty. LineBreaks false measures the caption as it
// stands on one line (for captions drawn that way).
void CalcButtonLayout(TCanvas& Canvas, const RECT& Client, int Offset, const std::string& Caption, int NumGlyphs,
                      TBitmap* Glyph, int Margin, int Spacing, TButtonLayout Layout, POINT& GlyphPos,
                      RECT& TextBounds, bool LineBreaks = true);
