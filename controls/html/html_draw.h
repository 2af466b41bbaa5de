// The HTML engine on a canvas: the font, text colour and background come
// from the canvas, images from an image list and a picture finder.
#pragma once

#include <functional>

#include "controls/html/html_engine.h"

class TCanvas;
class TFont;
class TImageList;
class THTMLPicture;

class HTMLFontCache;

struct HTMLImageSources {
    TImageList* Images = nullptr;
    // May raise; the picture is then left out.
    std::function<THTMLPicture*(const HTMLImageRef&)> FindPicture;
};

HTMLFontDesc HTMLFontDescOf(const TFont& Font);

// Measures, draws or hit-tests Params.Text on the canvas's DC with the
// canvas's font (Params.Font, FontColor and Background are set from it).
// Leaves the DC's selections and text attributes as they were. Fonts, when
// given, keeps the fonts made for the next run.
HTMLDrawResult HTMLDrawText(TCanvas& Canvas, HTMLDrawParams Params, const HTMLImageSources& Sources = {},
                            HTMLFontCache* Fonts = nullptr);
