#include "controls/flat/button_layout.h"

#include "framework/ansi_text.h"

std::string CaptionWithLineBreaks(const std::string& Caption) { return AnsiReplaceText(Caption, "<br>", "\r\n"); }

TButtonLayoutResult LayoutButton(const PlainRect& Client, int Offset, int TextWidth, int TextHeight, int GlyphWidth,
                                 int GlyphHeight, int Margin, int Spacing, TButtonLayout Layout) {
    const int cw = Client.Width(), ch = Client.Height();
    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    int gx = 0, gy = 0, tx = 0, ty = 0;

    // Centre across the layout direction.
    if (horizontal) {
        gy = (ch - GlyphHeight + 1) / 2;
        ty = (ch - TextHeight + 1) / 2;
    } else {
        gx = (cw - GlyphWidth + 1) / 2;
        tx = (cw - TextWidth + 1) / 2;
    }

    if (TextWidth == 0 || GlyphWidth == 0) Spacing = 0;

    const int client = horizontal ? cw : ch;
    const int glyph = horizontal ? GlyphWidth : GlyphHeight;
    const int text = horizontal ? TextWidth : TextHeight;
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = (client - (glyph + text)) / 3;
            Spacing = Margin;
        } else {
            Margin = (client - (glyph + Spacing + text) + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (client - (Margin + glyph) - text) / 2;
    }

    // Along the layout direction: the glyph from the near edge, or from the far one.
    int& g = horizontal ? gx : gy;
    int& t = horizontal ? tx : ty;
    if (Layout == blGlyphLeft || Layout == blGlyphTop) {
        g = Margin;
        t = g + glyph + Spacing;
    } else {
        g = client - Margin - glyph;
        t = g - Spacing - text;
    }

    TButtonLayoutResult r;
    r.GlyphPos = PlainPoint{gx + Client.left + Offset, gy + Client.top + Offset};
    const int dx = tx + Client.left + Offset, dy = ty + Client.top + Offset;
    r.TextBounds = PlainRect{dx, dy, dx + TextWidth, dy + TextHeight};
    return r;
}
