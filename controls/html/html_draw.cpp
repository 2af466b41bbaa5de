#include "controls/html/html_draw.h"

#include "controls/html/html_gdi_device.h"
#include "framework/canvas.h"

HTMLFontDesc HTMLFontDescOf(const TFont& Font) {
    return HTMLFontDesc{Font.Name(), Font.Size(), Font.Style(), 0};
}

HTMLDrawResult HTMLDrawText(TCanvas& Canvas, HTMLDrawParams Params, const HTMLImageSources& Sources,
                            HTMLFontCache* Fonts) {
    TFont& font = Canvas.Font();
    Params.Font = HTMLFontDescOf(font);
    Params.FontColor = font.Color();
    Params.Background = Canvas.Brush().Style() == bsClear ? clNone : Canvas.Brush().Color();
    HTMLGdiDevice device(Canvas.Handle(), font.Charset(), font.Quality(), Fonts);
    device.Images = Sources.Images;
    device.FallbackFace = font.Name();
    device.FindPicture = Sources.FindPicture;
    return HTMLRender(device, Params);
}
