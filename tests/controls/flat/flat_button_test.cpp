// The flat button: setters, exact pixels, keyboard and mouse rules, groups,
// and the life-time cases of the shared hover watch.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/flat/flat_button.h"
#include "controls/flat/flat_panel.h"
#include "controls/flat/hover_tracker.h"
#include "flat_test_support.h"
#include "framework/bitmap.h"
#include "framework/gdi_owner.h"
#include "framework/image_list.h"
#include "framework/window_region.h"
#include "tests/framework/gui_counters.h"

namespace {

using Pixels = std::vector<uint32_t>;
constexpr uint32_t kFill = 0xEBEAE1, kBorder = 0xA09683, kDownFill = 0xD9D6C5;

TFlatButton* MakeButton(TWinControl* parent, int x, int y, int w = 40, int h = 20) {
    auto* b = Create<TFlatButton>(parent);
    b->SetBounds(x, y, w, h);
    b->SetParentColor(false);
    b->SetColor(0xE1EAEB);
    b->SetParent(parent);
    return b;
}

// Pixels (x, y) of the 40 x 20 button painted through PaintTo.
Pixels PaintedAt(TFlatButton* b, std::vector<POINT> points) {
    const Pixels px = PaintToPixels(b, 40, 20);
    Pixels got;
    for (POINT p : points) got.push_back(PixelAt(px, 40, p.x, p.y));
    return got;
}

// Images side by side in the given colours, the bottom-left pixel magenta.
std::unique_ptr<TBitmap> SolidGlyph(int w, std::vector<TColor> colors) {
    auto g = std::make_unique<TBitmap>(w, 16);
    const int part = w / static_cast<int>(colors.size());
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < 16; ++y) g->SetPixel(x, y, colors[static_cast<size_t>(x / part)]);
    g->SetPixel(0, 15, clFuchsia);
    return g;
}

void Press(TFlatButton* b, int x, int y) { SendMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y)); }
void Release(TFlatButton* b, int x, int y) { SendMessageA(b->Handle(), WM_LBUTTONUP, 0, PointToLParam(x, y)); }
void ClickAt(TFlatButton* b, int x, int y) {
    Press(b, 5, 5);
    Release(b, x, y);
}

TEST(FlatButton, SettersClampAndCountGlyphs) {
    auto* b = Create<TFlatButton>(nullptr);
    b->SetRound(150);
    EXPECT_EQ(b->Round(), 100);
    b->SetRound(-5);
    EXPECT_EQ(b->Round(), 0);
    // 80 x 16 holds five images: one; 50 x 16 is no whole multiple: unchanged.
    for (auto [w, n] : std::initializer_list<std::pair<int, int>>{{64, 4}, {80, 1}, {32, 2}, {50, 2}}) {
        b->SetGlyph(TBitmap(w, 16));
        EXPECT_EQ(b->NumGlyphs(), n) << w;
    }
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1);
    b->SetDown(true);  // no group: never down
    EXPECT_FALSE(b->Down());
    b->SetVKKey("F2");  // no window yet: nothing painted, none created
    EXPECT_FALSE(b->HandleAllocated());
    // Advanced colours keep the kit's lightness shift: "lighter" darkens a
    // light face, "darker by 10" leaves it.
    b->SetColor(RGBColor(192, 192, 192));
    b->SetUseAdvColors(true);
    EXPECT_EQ(std::vector<TColor>({b->ColorFocused(), b->ColorDown(), b->ColorBorder()}),
              std::vector<TColor>({RGBColor(106, 106, 106), RGBColor(192, 192, 192), RGBColor(150, 150, 150)}));
    b->Free();
}

TEST(FlatButton, PaintsFrameAndFillByState) {
    TForm* f = ActiveForm();
    auto* other = MakeButton(f, 100, 100);
    auto* b = MakeButton(f, 10, 10);
    b->SetColorFocused(0x00FF00);
    other->SetFocus();
    Pump();
    EXPECT_EQ(PaintedAt(b, {{0, 0}, {39, 19}, {1, 1}, {20, 10}}), Pixels({kBorder, kBorder, kFill, kFill})) << "up";
    b->SetDefault(true);
    EXPECT_EQ(PaintedAt(b, {{1, 1}, {2, 2}}), Pixels({kBorder, kFill})) << "default";
    b->SetDefault(false);
    b->SetFocus();  // a focused button keeps the hover look
    Pump();
    EXPECT_EQ(PaintedAt(b, {{0, 0}, {38, 0}, {39, 0}, {0, 19}, {39, 19}, {5, 5}}),
              Pixels({0xFFFFFF, 0xFFFFFF, 0, 0, 0, 0x00FF00}))
        << "hovered";
    Press(b, 5, 5);
    EXPECT_EQ(PaintedAt(b, {{0, 0}, {39, 19}, {5, 5}}), Pixels({0, 0xFFFFFF, kDownFill})) << "pressed";
    Release(b, 50, 50);
    f->Free();
}

TEST(FlatButton, DisabledSingleGlyphIsGreyAtTheLayoutPosition) {
    auto* b = MakeButton(nullptr, 0, 0);
    b->SetGlyph(*SolidGlyph(16, {clBlack}));
    b->SetEnabled(false);
    // At (12, 2): black -> 89; the transparent corner shows the fill.
    EXPECT_EQ(PaintedAt(b, {{12, 2}, {27, 17}, {12, 17}, {11, 2}}), Pixels({0x595959, 0x595959, kFill, kFill}));
    // A strip narrower than its image count has images of width 0: no glyph.
    b->SetGlyph(TBitmap(3, 16));
    b->SetNumGlyphs(4);
    const size_t caught = ControlTestEnvironment::CaughtExceptions().size();
    EXPECT_EQ(PaintedAt(b, {{20, 10}}), Pixels({kFill}));
    EXPECT_EQ(ControlTestEnvironment::CaughtExceptions().size(), caught);
    b->Free();
}

TEST(FlatButton, GlyphStripShowsTheImageOfEachState) {
    TForm* f = ActiveForm();
    auto* other = MakeButton(f, 100, 100);
    auto* b = MakeButton(f, 10, 10);
    b->SetGlyph(*SolidGlyph(64, {clRed, clLime, clBlue, clYellow}));
    ASSERT_EQ(b->NumGlyphs(), 4);
    other->SetFocus();
    Pump();
    EXPECT_EQ(PaintedAt(b, {{17, 7}}), Pixels({Dib(clRed)})) << "up";
    b->SetEnabled(false);
    EXPECT_EQ(PaintedAt(b, {{17, 7}}), Pixels({Dib(clLime)})) << "disabled";
    b->SetEnabled(true);
    Press(b, 5, 5);  // down: moved by (1, 1), the old corner is fill
    EXPECT_EQ(PaintedAt(b, {{18, 8}, {12, 2}}), Pixels({Dib(clBlue), kDownFill})) << "down";
    Release(b, 50, 50);
    b->SetGroupIndex(1);
    b->SetDown(true);
    other->SetFocus();
    Pump();
    EXPECT_EQ(b->State(), bsExclusive);
    EXPECT_EQ(PaintedAt(b, {{18, 8}}), Pixels({Dib(clYellow)})) << "exclusive";
    f->Free();
}

TEST(FlatButton, TransparentModesShowTheParent) {
    auto* parent = Create<TWinControl>(nullptr);
    parent->SetBounds(0, 0, 250, 80);
    parent->SetColor(clLime);
    auto* panel = Create<TFlatPanel>(parent);  // so does a transparent flat panel
    panel->SetBounds(50, 30, 185, 41);
    panel->SetTransparent(true);
    panel->SetParent(parent);
    EXPECT_EQ(PixelAt(PaintToPixels(panel, 185, 41), 185, 5, 5), Dib(clLime));
    auto* b = MakeButton(parent, 10, 10);
    // The frame is drawn in every mode.
    const std::pair<TTransparentMode, uint32_t> modes[] = {
        {tmAlways, Dib(clLime)}, {tmNotFocused, Dib(clLime)}, {tmNone, kFill}};
    for (auto [mode, inside] : modes) {
        b->SetTransparentMode(mode);
        EXPECT_EQ(PaintedAt(b, {{5, 5}, {0, 0}}), Pixels({inside, kBorder})) << mode;
    }
    parent->Free();
}

TEST(FlatButton, PaintingLeavesNoGdiObjectBehind) {
    auto* b = MakeButton(nullptr, 0, 0, 80, 40);
    b->SetGlyph(*SolidGlyph(16, {clBlack}));
    b->SetCaption("Öffnen<br>Datei");
    b->SetVKKey("F3");
    TBitmap target(80, 40);
    auto paintBoth = [&] {
        b->SetEnabled(false);
        b->PaintTo(target.DC(), 0, 0);
        b->SetEnabled(true);
        b->PaintTo(target.DC(), 0, 0);
    };
    paintBoth();
    const int gdi = gui_counters::GdiObjects();
    auto owned = [] { return std::vector<int>{GdiOwnerLiveObjects(), GdiOwnerLiveDCs(), ImageListLiveHandles()}; };
    const std::vector<int> before = owned();
    for (int i = 0; i < 500; ++i) paintBoth();
    EXPECT_EQ(owned(), before);
    EXPECT_EQ(gui_counters::GdiObjects(), gdi);
    b->Free();
}

TEST(FlatButton, RoundShapeIsSetOnceNotWhilePainting) {
    TForm* f = ActiveForm();
    auto* b = MakeButton(f, 10, 10);
    int paints = 0;
    b->OnCustomPaint = [&](TObject*, TCanvas&, TFlatButtonState&, bool, bool&) { ++paints; };
    b->SetRound(8);
    EXPECT_TRUE(HasWindowRegion(b->Handle()));
    for (int i = 0; i < 20; ++i, Sleep(5)) Pump();
    EXPECT_LE(paints, 3);  // a region set while painting repaints forever
    b->SetRound(0);
    EXPECT_FALSE(HasWindowRegion(b->Handle()));
    f->Free();
}

// --- keyboard -------------------------------------------------------------------------------

// Buttons A, B, C (tab stops in that order) on a form with KeyPreview; the
// log holds what OnSelectNext, OnClick and the form's OnKeyDown saw.
struct KeyScene {
    TForm* form = ActiveForm();
    TFlatButton* a = MakeButton(form, 10, 10);
    TFlatButton* b = MakeButton(form, 10, 40);
    TFlatButton* c = MakeButton(form, 10, 70);
    std::vector<std::string> log;

    std::string NameOf(TWinControl* x) { return x == a ? "A" : x == b ? "B" : x == c ? "C" : x ? "?" : "nil"; }
    KeyScene() {
        form->SetKeyPreview(true);
        for (TFlatButton* x : {a, b, c}) {
            x->SetTabStop(true);
            x->OnSelectNext = [this](TWinControl*& src, TWinControl*& dst, WORD code, bool&) {
                log.push_back("next:" + NameOf(src) + ">" + NameOf(dst) + ":" + std::to_string(code));
            };
            x->OnClick = [this, x](TObject*) { log.push_back("click:" + NameOf(x)); };
        }
        form->OnKeyDown = [this](TObject*, WORD& key, TShiftState) { log.push_back("form:" + std::to_string(key)); };
        Focus(a);
    }
    ~KeyScene() { form->Free(); }
    void Focus(TFlatButton* x) {
        x->SetFocus();
        Pump();
        log.clear();
    }
    void Route(UINT message, WPARAM key, LPARAM data) {
        MSG m = MakeMsg(a->Handle(), message, key, data);
        Application()->ProcessMessage(m);
    }
};

void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST(FlatButtonKeys, EnterBackspaceAndEscapeFollowTheirRules) {
    KeyScene s;
    RouteKey(s.a->Handle(), VK_RETURN);
    EXPECT_TRUE(s.b->Focused());
    SetShift(true);
    RouteKey(s.b->Handle(), VK_RETURN);
    SetShift(false);
    EXPECT_TRUE(s.a->Focused());
    s.b->SetFocus();
    Pump();
    RouteKey(s.b->Handle(), VK_BACK);
    EXPECT_TRUE(s.a->Focused());
    RouteKey(s.a->Handle(), VK_ESCAPE);
    RouteKey(s.a->Handle(), VK_LEFT);  // eaten for navigation, seen by the form
    EXPECT_TRUE(s.a->Focused());
    // The only focusable tab stop is its own next.
    s.b->SetTabStop(false);
    s.c->SetEnabled(false);
    RouteKey(s.a->Handle(), VK_RETURN);
    EXPECT_TRUE(s.a->Focused());
    EXPECT_EQ(s.log, std::vector<std::string>({"next:A>B:13", "next:B>A:13", "next:B>A:8", "next:nil>nil:8", "form:8",
                                               "form:27", "next:nil>nil:37", "form:37", "next:A>A:13"}));
}

TEST(FlatButtonKeys, ArrowLetterAndAcceleratorEventsDecide) {
    KeyScene s;
    bool acceptUp = false;
    s.a->OnUp = [&](TObject*, bool& accept) { accept = acceptUp; };
    s.a->OnLeftRightKeyPressed = [&](TObject*, bool right) { s.log.push_back(right ? "right" : "left"); };
    s.a->OnAlpha = [&](TObject*, WORD key) { s.log.push_back("alpha:" + std::to_string(key)); };
    RouteKey(s.a->Handle(), VK_UP);  // refused: no arrow navigation
    EXPECT_TRUE(s.a->Focused());
    acceptUp = true;
    RouteKey(s.a->Handle(), VK_UP);  // accepted: the form moves the focus
    EXPECT_FALSE(s.a->Focused());
    s.Focus(s.a);
    RouteKey(s.a->Handle(), VK_RIGHT);
    RouteKey(s.a->Handle(), 'Q');
    // Alt+W clicks "&Weiter" (a group member goes down); a plain character does not.
    s.c->SetCaption("&Weiter");
    s.c->SetModalResult(mrOk);
    s.c->SetGroupIndex(2);
    s.Route(WM_CHAR, 'w', 1);
    s.Route(WM_SYSCHAR, 'w', 1 | (1L << 29));
    EXPECT_TRUE(s.c->Down());
    EXPECT_EQ(s.form->ModalResult(), mrOk);
    EXPECT_EQ(s.log, std::vector<std::string>({"right", "next:nil>nil:39", "form:39", "alpha:81", "next:nil>nil:81",
                                               "form:81", "click:C"}));
}

TEST(FlatButtonKeys, SpaceClicksOnlyAfterItsOwnPress) {
    KeyScene s;
    s.a->OnSelectNext = nullptr;
    s.Route(WM_KEYUP, VK_SPACE, 0xC0000001);  // the press happened elsewhere
    EXPECT_TRUE(s.log.empty());
    RouteKey(s.a->Handle(), VK_SPACE);
    EXPECT_EQ(s.a->State(), bsDown);
    s.Route(WM_KEYUP, VK_SPACE, 0xC0000001);
    s.Route(WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(s.log, std::vector<std::string>({"form:32", "click:A"}));
    EXPECT_EQ(s.a->State(), bsUp);
}

// --- mouse and groups -------------------------------------------------------------------------

TEST(FlatButtonMouse, ReleaseInsideClicksWithModalResultSet) {
    TForm* f = ActiveForm();
    auto* b = MakeButton(f, 10, 10);
    b->SetModalResult(mrOk);
    std::vector<int> seen;
    b->OnClick = [&](TObject*) { seen.push_back(f->ModalResult()); };
    // The bottom row (y = ClientHeight) counts as inside, x = ClientWidth does not.
    for (auto [x, y] : std::initializer_list<std::pair<int, int>>{{5, 20}, {40, 5}, {-1, 5}, {39, 0}}) {
        f->SetModalResult(mrNone);
        ClickAt(b, x, y);
    }
    EXPECT_EQ(seen, std::vector<int>({mrOk, mrOk}));
    EXPECT_EQ(GetCapture(), nullptr);
    b->SetModalResult(0);
    f->SetModalResult(5);
    ClickAt(b, 5, 5);
    EXPECT_EQ(f->ModalResult(), 0);
    f->Free();
}

TEST(FlatButtonMouse, GroupKeepsOneButtonDown) {
    TForm* f = ActiveForm();
    TFlatButton* g[3];
    for (int i = 0; i < 3; ++i) (g[i] = MakeButton(f, 10 + 50 * i, 10))->SetGroupIndex(1);
    // Clicked button, then which are down; the second click of 1 finds AllowAllUp False: it stays down.
    for (auto [clicked, downs] : {std::pair<int, int>{1, 0b010}, {1, 0b010}, {2, 0b100}}) {
        ClickAt(g[clicked], 5, 5);
        EXPECT_EQ(g[0]->Down() | g[1]->Down() << 1 | g[2]->Down() << 2, downs) << clicked;
    }
    EXPECT_EQ(g[1]->State(), bsUp);
    g[0]->SetAllowAllUp(true);  // told to the whole group
    ClickAt(g[2], 5, 5);
    EXPECT_FALSE(g[2]->Down());
    f->Free();
}

template <class F>
bool PumpUntil(F done) {
    return WaitUntil(done, 1000);
}

TEST(FlatButtonMouse, HoverFollowsTheMouseAndForgetsFreedButtons) {
    TForm* f = ActiveForm();
    auto* a = MakeButton(f, 10, 10);
    auto* b = MakeButton(f, 10, 50);
    auto hover = [](TFlatButton* x) {
        POINT p = x->ClientToScreen(POINT{5, 5});
        SetCursorPos(p.x, p.y);
        SendMessageA(x->Handle(), WM_MOUSEMOVE, 0, PointToLParam(5, 5));
    };
    hover(a);
    EXPECT_TRUE(a->MouseInControl());
    EXPECT_TRUE(FlatButtonHover().Running());
    hover(b);
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_TRUE(b->MouseInControl());
    b->Free();  // freed while hovered, as a dialog's button is after its click
    EXPECT_EQ(FlatButtonHover().Current(), nullptr);
    for (int i = 0; i < 30; ++i, Sleep(10)) Pump();  // timer ticks must not reach the freed button
    hover(a);
    EXPECT_TRUE(a->MouseInControl());
    POINT away = f->ClientToScreen(POINT{250, 150});
    SetCursorPos(away.x, away.y);
    EXPECT_TRUE(PumpUntil([&] { return !a->MouseInControl(); }));  // the tick switched it off
    hover(a);                                                      // and coming back hovers again
    EXPECT_TRUE(a->MouseInControl());
    f->Free();
    EXPECT_EQ(FlatButtonHover().ClientCount(), 0);
}

// Real input through the system: hover on, click, the watch stops when the mouse leaves.
TEST(FlatButtonLive, RealMouseHoversClicksAndLeaves) {
    TForm* f = ActiveForm();
    auto* b = MakeButton(f, 20, 20, 80, 30);
    auto* other = MakeButton(f, 20, 100, 80, 30);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    POINT p = b->ClientToScreen(POINT{40, 15});
    SetCursorPos(p.x, p.y);
    EXPECT_TRUE(PumpUntil([&] { return b->MouseInControl(); }));
    INPUT in[2]{{INPUT_MOUSE, {.mi = {0, 0, 0, MOUSEEVENTF_LEFTDOWN, 0, 0}}},
                {INPUT_MOUSE, {.mi = {0, 0, 0, MOUSEEVENTF_LEFTUP, 0, 0}}}};
    SendInput(2, in, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_TRUE(b->Focused());  // the press took the focus
    p = f->ClientToScreen(POINT{250, 150});
    SetCursorPos(p.x, p.y);
    EXPECT_TRUE(PumpUntil([&] { return !FlatButtonHover().Running(); }));
    EXPECT_TRUE(b->MouseInControl());  // a focused button keeps the hover look
    other->SetFocus();
    Pump();
    EXPECT_FALSE(b->MouseInControl());
    f->Free();
}

}  // namespace
