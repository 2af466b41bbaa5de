// Gallery page "edit-tools": the painting tools of the edit controls.
// Gradients, edit and button frames in both states (the mouse over a frame
// shows its hot state), glyph effects, the drop-marker arrows (the button
// shows the real marker windows around the "Spalte" header), a drag frame
// drawn by dragging with the mouse in its box, and styled texts with their
// measured extent.
#include <algorithm>
#include <string>

#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "editors/tools/drop_arrows.h"
#include "editors/tools/edit_drawing.h"
#include "editors/tools/styled_text.h"
#include "framework/bitmap.h"
#include "framework/font.h"
#include "framework/gdi_owner.h"

namespace {

constexpr RECT kColumnHeader{470, 300, 560, 322};
constexpr RECT kDragBox{590, 250, 780, 370};

const char* const kStyledSamples[] = {
    "/bFirma/b0 Mustermann GmbH",
    "/s{+3}/c{clNavy}Gro\xDF/s0/c{clWindowText} und /iKursiv/i0, /uunterstrichen/u0, /sdurch/s0",
    "Zeile eins/#/c{clRed}Zeile zwei/c{clWindowText}, /oh{3}tiefer/oH{3} wieder oben",
    "Bild /im{I_BTNCALC} davor, /is{I_BTNCALC} get\xF6nt, /in{I_BTNCALC} invertiert, /id{I_BTNCALC},30} blass",
    "/{Codes aus: /b bleibt Text/} und /f{Courier New}fest/f0, Linie:/l{clGreen}",
};

class TEditToolsBoard : public TCustomControl {
public:
    explicit TEditToolsBoard(TComponent* AOwner) : TCustomControl(AOwner) {
        SetDoubleBuffered(true);
        control_style_ |= csOpaque;
        SetColor(clWindow);
        CreateArrowWindows(this, arrows_.Markers);
        arrows_.Grid = this;
        arrows_.Kind = DragKind::Columns;
        arrows_.SourceIndex = 0;
        arrows_.TargetIndex = 2;
        arrows_.TargetRect = kColumnHeader;
    }

    void ToggleMarkers() { ShowDropArrows(arrows_); }

protected:
    void Paint() override {
        TCanvas& c = Canvas();
        c.Brush().SetColor(Color());
        c.FillRect(ClientRect());
        PaintGradients(c);
        PaintFrames(c);
        PaintEffects(c);
        PaintArrows(c);
        PaintStyledTexts(c);
        Heading(c, 590, 230, "Ziehrahmen (mit der Maus ziehen)");
        DrawEditFrame(c, kDragBox, EditFrameStyle::Flat, clGray, 0);
        if (dragging_) DrawDragFrame(c.Handle(), &drag_, nullptr, 2);
    }

    void MouseMove(TShiftState Shift, int X, int Y) override {
        TCustomControl::MouseMove(Shift, X, Y);
        const int hot = FrameAt(X, Y);
        if (hot != hot_) {
            hot_ = hot;
            Invalidate();
        }
        if (dragging_) {
            RECT next = DragRect(X, Y);
            WindowDC dc(Handle());
            DrawDragFrame(dc.Get(), &next, &drag_, 2);
            drag_ = next;
        }
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        const POINT p{X, Y};
        if (Button != mbLeft || !PtInRect(&kDragBox, p)) return;
        dragging_ = true;
        anchor_ = p;
        drag_ = DragRect(X, Y);
        WindowDC dc(Handle());
        DrawDragFrame(dc.Get(), &drag_, nullptr, 2);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TCustomControl::MouseUp(Button, Shift, X, Y);
        if (!dragging_) return;
        WindowDC dc(Handle());
        DrawDragFrame(dc.Get(), nullptr, &drag_, 2);
        dragging_ = false;
    }
    void MouseLeave() override {
        TCustomControl::MouseLeave();
        hot_ = -1;
        Invalidate();
    }

private:
    static void Heading(TCanvas& c, int x, int y, const std::string& text) {
        c.Font().SetStyle(fsBold);
        c.Font().SetColor(clWindowText);
        c.Brush().SetStyle(bsClear);
        c.TextOut(x, y, text);
        c.Brush().SetStyle(bsSolid);
        c.Font().SetStyle(0);
    }
    static void Label(TCanvas& c, int x, int y, const std::string& text) {
        c.Brush().SetStyle(bsClear);
        c.TextOut(x, y, text);
        c.Brush().SetStyle(bsSolid);
    }

    void PaintGradients(TCanvas& c) {
        Heading(c, 10, 8, "Verl\xE4ufe");
        FillGradient(c, kGradientLight, kGradientDark, false, {10, 28, 90, 68}, 20);
        Label(c, 10, 70, "Knopf, 20 B\xE4nder");
        FillGradient(c, clNavy, clAqua, true, {100, 28, 260, 68}, 16);
        Label(c, 100, 70, "waagrecht, 16 B\xE4nder");
        FillGradient(c, clMaroon, clYellow, true, {270, 28, 380, 68}, 3);
        Label(c, 270, 70, "3 B\xE4nder");
        FillGradient(c, clGreen, clWhite, false, {390, 28, 440, 68}, 0);
        Label(c, 390, 70, "0 B\xE4nder");
    }

    static RECT FrameRect(int style, int state) {
        const int x = 10 + style * 95, y = 112 + state * 34;
        return {x, y, x + 80, y + 24};
    }
    int FrameAt(int x, int y) const {
        const POINT p{x, y};
        for (int style = 0; style < 4; ++style) {
            const RECT r = FrameRect(style, 0);
            if (PtInRect(&r, p)) return style;
        }
        return -1;
    }

    void PaintFrames(TCanvas& c) {
        Heading(c, 10, 92, "Rahmen: Stil 0 bis 3, normal (Maus dar\xFC" "ber: hei\xDF) und gedr\xFC" "ckt");
        for (int style = 0; style < 4; ++style)
            for (int state = 0; state < 2; ++state) {
                const RECT r = FrameRect(style, state);
                const int shown = state == 1 || hot_ == style ? 1 : 0;
                c.Brush().SetColor(clBtnFace);
                c.FillRect(r);
                DrawEditFrame(c, r, static_cast<EditFrameStyle>(style), style == 2 && state == 1 ? clSilver : clNavy,
                              shown);
                Label(c, r.left + 6, r.top + 5, "Stil " + std::to_string(style));
            }
    }

    void PaintEffects(TCanvas& c) {
        Heading(c, 400, 92, "Glyphen: Effekte 0 bis 6 und 40 % Wei\xDF");
        TBitmap glyph;
        glyph.LoadFromResourceName(GetModuleHandleA(nullptr), "I_BTNCALC");
        TBitmap target;
        const char* names[] = {"grau", "get\xF6nt", "Kopie", "invers", "Poster", "hell", "weich"};
        for (int effect = 0; effect <= 7; ++effect) {
            if (effect < 7)
                ApplyBitmapEffect(glyph, target, static_cast<BitmapEffect>(effect));
            else
                BlendBitmap(glyph, nullptr, target, clWhite, 40);
            const int x = 400 + effect * 48;
            const RECT r{x, 116, x + 3 * glyph.Width(), 116 + 3 * glyph.Height()};
            c.StretchDraw(r, target);
            Label(c, x, 118 + 3 * glyph.Height(), effect < 7 ? names[effect] : "blass");
        }
    }

    void PaintArrows(TCanvas& c) {
        Heading(c, 10, 190, "Ablagepfeile");
        for (int o = 0; o < 4; ++o) {
            POINT pts[7];
            const auto poly = ArrowPolygon(o);
            for (int i = 0; i < 7; ++i) pts[i] = {20 + o * 40 + 3 * poly[static_cast<size_t>(i)].x,
                                                   215 + 3 * poly[static_cast<size_t>(i)].y};
            c.Brush().SetColor(clRed);
            c.Pen().SetColor(clRed);
            c.Polygon(pts, 7);
        }
        Label(c, 10, 252, "oben, unten, rechts, links (dreifach vergr\xF6\xDF" "ert)");
        // A small header row: the live markers point at the left edge of "Spalte".
        const char* headers[] = {"Nr.", "Name", "Spalte"};
        for (int i = 0; i < 3; ++i) {
            const RECT r{kColumnHeader.left - (2 - i) * 90, kColumnHeader.top, kColumnHeader.right - (2 - i) * 90,
                         kColumnHeader.bottom};
            c.Brush().SetColor(clBtnFace);
            c.FillRect(r);
            DrawEditFrame(c, r, EditFrameStyle::Raised, clNavy, 0);
            Label(c, r.left + 6, r.top + 4, headers[i]);
        }
    }

    void PaintStyledTexts(TCanvas& c) {
        Heading(c, 10, 340, "Formatierter Text (grau umrandet: die gemessene Ausdehnung)");
        int y = 362;
        for (const char* text : kStyledSamples) {
            c.Font().SetName("Tahoma");
            c.Font().SetSize(9);
            c.Font().SetStyle(0);
            c.Font().SetColor(clWindowText);
            const RECT area{14, y, 780, y + 40};
            const POINT extent = DrawStyledText(c, text, area, false, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            c.Font().SetName("Tahoma");
            c.Font().SetSize(9);
            c.Font().SetStyle(0);
            c.Font().SetColor(clWindowText);
            c.Brush().SetColor(clWindow);
            DrawStyledText(c, text, area, true, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            const RECT box{area.left - 2, y - 1, extent.x + 2, y + extent.y + 1};
            c.Brush().SetColor(clSilver);
            c.FrameRect(box);
            y += extent.y + 10;
        }
        c.Font().SetName("Tahoma");
        c.Font().SetSize(8);
        c.Font().SetStyle(0);
        c.Font().SetColor(clWindowText);
        // The same kind of text wrapped at a width, as a message bubble does.
        const char* wrapped =
            "/bUng\xFC" "ltiger Wert/b0/#Der Text wird /ian der Breite der Blase/i0 umbrochen und /c{clRed}gemessen wie "
            "gezeichnet/c{clWindowText}, auch \xFC" "ber Codes hinweg.";
        const RECT bubble{560, 400, 780, 500};
        const POINT extent = DrawStyledText(c, wrapped, bubble, false, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        const RECT back{bubble.left - 4, bubble.top - 3, extent.x + 4, bubble.top + extent.y + 3};
        c.Brush().SetColor(RGBColor(255, 255, 0xE1));
        c.FillRect(back);
        c.Brush().SetColor(clGray);
        c.FrameRect(back);
        DrawStyledText(c, wrapped, bubble, true, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }

    RECT DragRect(int x, int y) const {
        x = std::clamp(x, static_cast<int>(kDragBox.left), static_cast<int>(kDragBox.right));
        y = std::clamp(y, static_cast<int>(kDragBox.top), static_cast<int>(kDragBox.bottom));
        return {std::min<LONG>(anchor_.x, x), std::min<LONG>(anchor_.y, y), std::max<LONG>(anchor_.x, x) + 1,
                std::max<LONG>(anchor_.y, y) + 1};
    }

    TDropArrowInfo arrows_;
    int hot_ = -1;
    bool dragging_ = false;
    POINT anchor_{};
    RECT drag_{};
};


void BuildEditToolsPage(TWinControl* parent) {
    auto* board = Create<TEditToolsBoard>(parent);
    board->SetAlign(alClient);
    board->SetParent(parent);
    auto* button = Create<TSampleButton>(board);
    button->SetBounds(200, 212, 160, 26);
    button->SetCaption("Pfeile an \"Spalte\"");
    button->OnClick = [board](TObject*) { board->ToggleMarkers(); };
    button->SetParent(board);
}

}  // namespace

GALLERY_PAGE(edit_tools, "edit-tools", 70, &BuildEditToolsPage);
