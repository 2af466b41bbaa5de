// The flat button: setters, exact pixels, keyboard and mouse rules, groups,
// and the life-time cases of the shared hover watch.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/flat/flat_button.h"
#include "controls/flat/hover_tracker.h"
#include "flat_test_support.h"
#include "framework/bitmap.h"
#include "framework/gdi_owner.h"
#include "framework/image_list.h"
#include "framework/window_region.h"

namespace {

TForm* ActiveForm(int w = 300, int h = 200) {
    TForm* f = ShowTestForm(w, h);
    SetForegroundWindow(f->Handle());
    Pump();
    return f;
}

TFlatButton* MakeButton(TWinControl* parent, int x, int y, int w = 40, int h = 20) {
    auto* b = Create<TFlatButton>(parent);
    b->SetBounds(x, y, w, h);
    b->SetParentColor(false);
    b->SetColor(0xE1EAEB);
    b->SetParent(parent);
    return b;
}

std::unique_ptr<TBitmap> SolidGlyph(int w, int h, std::vector<TColor> colors, TColor bottomLeft) {
    auto g = std::make_unique<TBitmap>(w, h);
    const int part = w / static_cast<int>(colors.size());
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) g->SetPixel(x, y, colors[static_cast<size_t>(x / part)]);
    g->SetPixel(0, h - 1, bottomLeft);
    return g;
}

void Press(TFlatButton* b, int x, int y) {
    SendMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y));
}
void Release(TFlatButton* b, int x, int y) { SendMessageA(b->Handle(), WM_LBUTTONUP, 0, PointToLParam(x, y)); }

TEST(FlatButton, SettersClampAndCountGlyphs) {
    auto* b = Create<TFlatButton>(nullptr);
    b->SetRound(150);
    EXPECT_EQ(b->Round(), 100);
    b->SetRound(-5);
    EXPECT_EQ(b->Round(), 0);
    struct {
        int w;
        int expected;
    } glyphs[] = {{64, 4}, {80, 1}, {32, 2}, {50, 2}};  // 50 x 16 is no whole multiple: unchanged
    for (auto g : glyphs) {
        b->SetGlyph(TBitmap(g.w, 16));
        EXPECT_EQ(b->NumGlyphs(), g.expected) << g.w;
    }
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1);
    b->SetDown(true);  // no group: never down
    EXPECT_FALSE(b->Down());
    b->SetVKKey("F2");  // no window yet: nothing painted, none created
    EXPECT_FALSE(b->HandleAllocated());
    EXPECT_EQ(b->Width(), 25);
    EXPECT_EQ(b->Color(), 0xE1EAEBu);
    // Advanced colours keep the kit's lightness shift: "lighter" darkens a
    // light face, "darker by 10" leaves it.
    b->SetColor(RGBColor(192, 192, 192));
    b->SetUseAdvColors(true);
    EXPECT_EQ(b->ColorFocused(), RGBColor(106, 106, 106));
    EXPECT_EQ(b->ColorDown(), RGBColor(192, 192, 192));
    EXPECT_EQ(b->ColorBorder(), RGBColor(150, 150, 150));
    b->Free();
}

TEST(FlatButton, PaintsFrameAndFillByState) {
    TForm* f = ActiveForm();
    auto* other = MakeButton(f, 100, 100);
    auto* b = MakeButton(f, 10, 10);
    b->SetColorFocused(0x00FF00);
    const uint32_t border = 0xA09683, fill = 0xEBEAE1;
    struct Px {
        int x, y;
        uint32_t rgb;
    };
    auto check = [&](const char* name, std::vector<Px> want) {
        auto px = PaintToPixels(b, 40, 20);
        for (const Px& p : want) EXPECT_EQ(PixelAt(px, 40, p.x, p.y), p.rgb) << name << " " << p.x << "," << p.y;
    };
    other->SetFocus();
    Pump();
    check("up", {{0, 0, border}, {39, 19, border}, {1, 1, fill}, {20, 10, fill}});
    b->SetDefault(true);
    check("default", {{1, 1, border}, {2, 2, fill}});
    b->SetDefault(false);
    b->SetFocus();  // a focused button keeps the hover look
    Pump();
    check("hovered", {{0, 0, 0xFFFFFF}, {38, 0, 0xFFFFFF}, {39, 0, 0}, {0, 19, 0}, {39, 19, 0}, {5, 5, 0x00FF00}});
    Press(b, 5, 5);
    check("pressed", {{0, 0, 0}, {39, 19, 0xFFFFFF}, {5, 5, 0xD9D6C5}});
    Release(b, 50, 50);
    f->Free();
}

TEST(FlatButton, DisabledSingleGlyphIsGreyAtTheLayoutPosition) {
    auto* b = MakeButton(nullptr, 0, 0);
    b->SetGlyph(*SolidGlyph(16, 16, {clBlack}, clFuchsia));
    b->SetEnabled(false);
    auto px = PaintToPixels(b, 40, 20);
    EXPECT_EQ(PixelAt(px, 40, 12, 2), 0x595959u);     // glyph at (12, 2): black -> 89
    EXPECT_EQ(PixelAt(px, 40, 27, 17), 0x595959u);
    EXPECT_EQ(PixelAt(px, 40, 12, 17), 0xEBEAE1u);    // its transparent corner shows the fill
    EXPECT_EQ(PixelAt(px, 40, 11, 2), 0xEBEAE1u);
    // A strip narrower than its image count has images of width 0: no glyph.
    b->SetGlyph(TBitmap(3, 16));
    b->SetNumGlyphs(4);
    const size_t caught = ControlTestEnvironment::CaughtExceptions().size();
    px = PaintToPixels(b, 40, 20);
    EXPECT_EQ(ControlTestEnvironment::CaughtExceptions().size(), caught);
    EXPECT_EQ(PixelAt(px, 40, 20, 10), 0xEBEAE1u);
    b->Free();
}

TEST(FlatButton, GlyphStripShowsTheImageOfEachState) {
    TForm* f = ActiveForm();
    auto* other = MakeButton(f, 100, 100);
    auto* b = MakeButton(f, 10, 10);
    b->SetGlyph(*SolidGlyph(64, 16, {clRed, clLime, clBlue, clYellow}, clFuchsia));
    ASSERT_EQ(b->NumGlyphs(), 4);
    other->SetFocus();
    Pump();
    auto at = [&](int x, int y) { return PixelAt(PaintToPixels(b, 40, 20), 40, x, y); };
    EXPECT_EQ(at(17, 7), Dib(clRed)) << "up";
    b->SetEnabled(false);
    EXPECT_EQ(at(17, 7), Dib(clLime)) << "disabled";
    b->SetEnabled(true);
    Press(b, 5, 5);
    EXPECT_EQ(at(18, 8), Dib(clBlue)) << "down, moved by (1, 1)";
    EXPECT_EQ(at(12, 2), 0xD9D6C5u) << "down: the old corner is fill";
    Release(b, 50, 50);
    b->SetGroupIndex(1);
    b->SetDown(true);
    other->SetFocus();
    Pump();
    EXPECT_EQ(b->State(), bsExclusive);
    EXPECT_EQ(at(18, 8), Dib(clYellow)) << "exclusive";
    f->Free();
}

TEST(FlatButton, TransparentModesShowTheParent) {
    auto* parent = Create<TWinControl>(nullptr);
    parent->SetBounds(0, 0, 100, 50);
    parent->SetColor(clLime);
    auto* b = MakeButton(parent, 10, 10);
    struct {
        TTransparentMode mode;
        uint32_t inside;
    } cases[] = {{tmAlways, Dib(clLime)}, {tmNotFocused, Dib(clLime)}, {tmNone, 0xEBEAE1}};
    for (auto c : cases) {
        b->SetTransparentMode(c.mode);
        auto px = PaintToPixels(b, 40, 20);
        EXPECT_EQ(PixelAt(px, 40, 5, 5), c.inside) << c.mode;
        EXPECT_EQ(PixelAt(px, 40, 0, 0), 0xA09683u) << c.mode;  // the frame is drawn in every mode
    }
    parent->Free();
}

TEST(FlatButton, PaintingLeavesNoGdiObjectBehind) {
    auto* b = MakeButton(nullptr, 0, 0, 80, 40);
    b->SetGlyph(*SolidGlyph(16, 16, {clBlack}, clFuchsia));
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
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const int owned = GdiOwnerLiveObjects(), dcs = GdiOwnerLiveDCs(), lists = ImageListLiveHandles();
    for (int i = 0; i < 500; ++i) paintBoth();
    EXPECT_EQ(GdiOwnerLiveObjects(), owned);
    EXPECT_EQ(GdiOwnerLiveDCs(), dcs);
    EXPECT_EQ(ImageListLiveHandles(), lists);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
    b->Free();
}

TEST(FlatButton, RoundShapeIsSetOnceNotWhilePainting) {
    TForm* f = ActiveForm();
    auto* b = MakeButton(f, 10, 10);
    int paints = 0;
    b->OnCustomPaint = [&](TObject*, TCanvas&, TFlatButtonState&, bool, bool&) { ++paints; };
    b->SetRound(8);
    EXPECT_TRUE(HasWindowRegion(b->Handle()));
    for (int i = 0; i < 20; ++i) {
        Pump();
        Sleep(5);
    }
    EXPECT_LE(paints, 3);  // a region set while painting repaints forever
    b->SetRound(0);
    EXPECT_FALSE(HasWindowRegion(b->Handle()));
    f->Free();
}

// --- keyboard -------------------------------------------------------------------------------

struct KeyScene {
    TForm* form;
    TFlatButton *a, *b, *c;
    std::vector<std::string> log;
};

std::string NameOf(KeyScene& s, TWinControl* c) {
    return c == s.a ? "A" : c == s.b ? "B" : c == s.c ? "C" : c ? "?" : "nil";
}

void BuildKeyScene(KeyScene& s) {
    s.form = ActiveForm();
    s.form->SetKeyPreview(true);
    s.a = MakeButton(s.form, 10, 10);
    s.b = MakeButton(s.form, 10, 40);
    s.c = MakeButton(s.form, 10, 70);
    for (TFlatButton* x : {s.a, s.b, s.c}) {
        x->SetTabStop(true);
        x->OnSelectNext = [&s](TWinControl*& src, TWinControl*& dst, WORD code, bool&) {
            s.log.push_back("next:" + NameOf(s, src) + ">" + NameOf(s, dst) + ":" + std::to_string(code));
        };
        x->OnClick = [&s, x](TObject*) { s.log.push_back("click:" + NameOf(s, x)); };
    }
    s.form->OnKeyDown = [&s](TObject*, WORD& key, TShiftState) { s.log.push_back("form:" + std::to_string(key)); };
    Pump();
    s.a->SetFocus();
    Pump();
    s.log.clear();
}

void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST(FlatButtonKeys, EnterBackspaceAndEscapeFollowTheirRules) {
    KeyScene s;
    BuildKeyScene(s);
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
    std::vector<std::string> expected{"next:A>B:13", "next:B>A:13", "next:B>A:8", "next:nil>nil:8",
                                      "form:8",      "form:27",     "next:nil>nil:37", "form:37"};
    EXPECT_EQ(s.log, expected);
    s.form->Free();
}

TEST(FlatButtonKeys, OnlyTheFocusableTabStopIsItsOwnNext) {
    KeyScene s;
    BuildKeyScene(s);
    s.b->SetTabStop(false);
    s.c->SetEnabled(false);
    RouteKey(s.a->Handle(), VK_RETURN);
    EXPECT_EQ(s.log, std::vector<std::string>{"next:A>A:13"});
    EXPECT_TRUE(s.a->Focused());
    s.form->Free();
}

TEST(FlatButtonKeys, ArrowAndLetterEventsDecide) {
    KeyScene s;
    BuildKeyScene(s);
    bool acceptUp = false;
    s.a->OnUp = [&](TObject*, bool& accept) { accept = acceptUp; };
    s.a->OnLeftRightKeyPressed = [&](TObject*, bool right) { s.log.push_back(right ? "right" : "left"); };
    s.a->OnAlpha = [&](TObject*, WORD key) { s.log.push_back("alpha:" + std::to_string(key)); };
    RouteKey(s.a->Handle(), VK_UP);  // refused: no arrow navigation
    EXPECT_TRUE(s.a->Focused());
    acceptUp = true;
    RouteKey(s.a->Handle(), VK_UP);  // accepted: the form moves the focus
    EXPECT_FALSE(s.a->Focused());
    s.a->SetFocus();
    Pump();
    s.log.clear();
    RouteKey(s.a->Handle(), VK_RIGHT);
    RouteKey(s.a->Handle(), 'Q');
    std::vector<std::string> expected{"right", "next:nil>nil:39", "form:39", "alpha:81", "next:nil>nil:81", "form:81"};
    EXPECT_EQ(s.log, expected);
    s.form->Free();
}

TEST(FlatButtonKeys, SpaceClicksOnlyAfterItsOwnPress) {
    KeyScene s;
    BuildKeyScene(s);
    s.a->OnSelectNext = nullptr;
    MSG up = MakeMsg(s.a->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    Application()->ProcessMessage(up);  // the press happened elsewhere
    EXPECT_TRUE(s.log.empty());
    RouteKey(s.a->Handle(), VK_SPACE);
    EXPECT_EQ(s.a->State(), bsDown);
    Application()->ProcessMessage(up);
    Application()->ProcessMessage(up);
    std::vector<std::string> expected{"form:32", "click:A"};
    EXPECT_EQ(s.log, expected);
    EXPECT_EQ(s.a->State(), bsUp);
    s.form->Free();
}

TEST(FlatButtonKeys, AltAcceleratorClicksAndPressesGroupMembers) {
    KeyScene s;
    BuildKeyScene(s);
    s.c->SetCaption("&Weiter");
    s.c->SetModalResult(mrOk);
    s.c->SetGroupIndex(2);
    MSG plain = MakeMsg(s.a->Handle(), WM_SYSCHAR, 'x', 1 | (1L << 29));
    Application()->ProcessMessage(plain);
    EXPECT_TRUE(s.log.empty());
    MSG alt = MakeMsg(s.a->Handle(), WM_SYSCHAR, 'w', 1 | (1L << 29));
    Application()->ProcessMessage(alt);
    EXPECT_EQ(s.log, std::vector<std::string>{"click:C"});
    EXPECT_TRUE(s.c->Down());
    EXPECT_EQ(s.form->ModalResult(), mrOk);
    s.form->Free();
}

// --- mouse and groups -------------------------------------------------------------------------

TEST(FlatButtonMouse, ReleaseInsideClicksWithModalResultSet) {
    TForm* f = ActiveForm();
    auto* b = MakeButton(f, 10, 10);
    b->SetModalResult(mrOk);
    std::vector<int> seen;
    b->OnClick = [&](TObject*) { seen.push_back(f->ModalResult()); };
    // The bottom row (y = ClientHeight) counts as inside, x = ClientWidth does not.
    struct {
        int x, y;
        bool clicks;
    } releases[] = {{5, 20, true}, {40, 5, false}, {-1, 5, false}, {39, 0, true}};
    std::vector<int> expected;
    for (auto r : releases) {
        f->SetModalResult(mrNone);
        Press(b, 5, 5);
        Release(b, r.x, r.y);
        if (r.clicks) expected.push_back(mrOk);
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(GetCapture(), nullptr);
    b->SetModalResult(0);
    f->SetModalResult(5);
    Press(b, 5, 5);
    Release(b, 5, 5);
    EXPECT_EQ(f->ModalResult(), 0);
    f->Free();
}

TEST(FlatButtonMouse, GroupKeepsOneButtonDown) {
    TForm* f = ActiveForm();
    TFlatButton* g[3];
    for (int i = 0; i < 3; ++i) {
        g[i] = MakeButton(f, 10 + 50 * i, 10);
        g[i]->SetGroupIndex(1);
    }
    auto click = [](TFlatButton* b) {
        Press(b, 5, 5);
        Release(b, 5, 5);
    };
    click(g[1]);
    EXPECT_FALSE(g[0]->Down());
    EXPECT_TRUE(g[1]->Down());
    EXPECT_FALSE(g[2]->Down());
    click(g[1]);  // AllowAllUp False: stays down
    EXPECT_TRUE(g[1]->Down());
    click(g[2]);
    EXPECT_FALSE(g[1]->Down());
    EXPECT_TRUE(g[2]->Down());
    EXPECT_EQ(g[1]->State(), bsUp);
    g[0]->SetAllowAllUp(true);  // told to the whole group
    click(g[2]);
    EXPECT_FALSE(g[2]->Down());
    f->Free();
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
    for (int i = 0; i < 30; ++i) {  // timer ticks must not reach the freed button
        Pump();
        Sleep(10);
    }
    hover(a);
    EXPECT_TRUE(a->MouseInControl());
    POINT away = f->ClientToScreen(POINT{250, 150});
    SetCursorPos(away.x, away.y);
    for (int i = 0; i < 30 && a->MouseInControl(); ++i) {
        Pump();
        Sleep(10);
    }
    EXPECT_FALSE(a->MouseInControl());  // the tick switched it off
    hover(a);                           // and coming back hovers again
    EXPECT_TRUE(a->MouseInControl());
    f->Free();
    EXPECT_EQ(FlatButtonHover().ClientCount(), 0);
}

// Real input through the system: hover on, click, the watch stops when the mouse leaves.
void SendMouse(DWORD flags, POINT screen = POINT{}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = static_cast<LONG>((screen.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1));
        in.mi.dy = static_cast<LONG>((screen.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    }
    SendInput(1, &in, sizeof(in));
}

template <class F>
bool PumpUntil(F done) {
    for (int i = 0; i < 100 && !done(); ++i) {
        Pump();
        Sleep(10);
    }
    return done();
}

TEST(FlatButtonLive, RealMouseHoversClicksAndLeaves) {
    TForm* f = ActiveForm();
    auto* b = MakeButton(f, 20, 20, 80, 30);
    auto* other = MakeButton(f, 20, 100, 80, 30);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, b->ClientToScreen(POINT{40, 15}));
    EXPECT_TRUE(PumpUntil([&] { return b->MouseInControl(); }));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_TRUE(b->Focused());  // the press took the focus
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, f->ClientToScreen(POINT{250, 150}));
    EXPECT_TRUE(PumpUntil([&] { return !FlatButtonHover().Running(); }));
    EXPECT_TRUE(b->MouseInControl());  // a focused button keeps the hover look
    other->SetFocus();
    Pump();
    EXPECT_FALSE(b->MouseInControl());
    f->Free();
}

}  // namespace
