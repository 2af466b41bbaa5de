#include "editors/popups/calculator.h"

#include "editors/popups/calc_keyboard.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/format_settings.h"
#include "framework/gdi_owner.h"
#include "framework/pattern_brush.h"

namespace {

constexpr TColor kCalculatorColor = 0xEFFFFF;

struct KeySpec {
    int code;
    const char* name;
    const char* caption;
};

// Every key but the separator, whose caption is the locale's.
constexpr KeySpec kKeys[] = {
    {0, "$BT_0", "0"},          {1, "$BT_1", "1"},         {2, "$BT_2", "2"},        {3, "$BT_3", "3"},
    {4, "$BT_4", "4"},          {5, "$BT_5", "5"},         {6, "$BT_6", "6"},        {7, "$BT_7", "7"},
    {8, "$BT_8", "8"},          {9, "$BT_9", "9"},         {10, "$BT_DIV", "/"},     {11, "$BT_SQRT", "sqrt"},
    {12, "$BT_MUL", "*"},       {13, "$BT_PERC", "%"},     {14, "$BT_SUB", "-"},     {15, "$BT_INV", "1|x"},
    {16, "$BT_NEG", "+|-"},     {17, "$BT_SEP", nullptr},  {18, "$BT_ADD", "+"},     {19, "$BT_RES", "="},
    {20, "$BT_BKS", "Backspase"}, {21, "$BT_DEL", "CE"},   {22, "$BT_C", "C"},       {23, "$BT_MC", "MC"},
    {24, "$BT_MR", "MR"},       {25, "$BT_MS", "MS"},      {26, "$BT_M+", "M+"},     {27, "$BT_OK", "&OK"},
    {28, "$BT_Cancel", ""},
};

// The number block by rows.
constexpr int kBlock[4][5] = {{7, 8, 9, 10, 11}, {4, 5, 6, 12, 13}, {1, 2, 3, 14, 15}, {0, 16, 17, 18, 19}};

}  // namespace

TI_CalcButton::TI_CalcButton(TWinControl* AOwner, TI_EditButtons* Collection) : TI_EditButton(AOwner, Collection) {
    SetKind(1);
}

void TI_CalcButton::PaintBackground(TCanvas& canvas, const RECT& rect) {
    TColor dither = clNone;
    if (Enabled() && State() == ebsDown)
        dither = clWhite;
    else if (Enabled() && State() == ebsHot)
        dither = 0xE6E6E6;
    if (dither == clNone) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect(rect);
        return;
    }
    GdiObject<HBRUSH> brush = CreateCheckerBrush(dither, clBtnFace);
    ::FillRect(canvas.Handle(), &rect, brush.Get());
}

void TI_CalcButton::PaintFrame(TCanvas& canvas, const RECT& rect) {
    if (Enabled() && State() == ebsDown) {
        ::FrameRect(canvas.Handle(), &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    TI_EditButton::PaintFrame(canvas, rect);
}

TI_CustomCalculator::TI_CustomCalculator(TWinControl* AOwner, const PopupFamily& family)
    : TI_ClipPopup(AOwner, family) {
    SetPopupPosition(pmBelowRight);
    SetBorderStyle(2);
    SetColor(kCalculatorColor);
    Layout();
}

void TI_CustomCalculator::Layout() {
    {
        MemoryDC dc;
        TCanvas canvas;
        canvas.SetHandle(dc.Get());
        canvas.Font().Assign(&Font());
        key_width_ = canvas.TextWidth("sqrt") + 8;
        key_height_ = canvas.TextHeight("sqrt") + 2;
        canvas.SetHandle(nullptr);
    }
    const ClipMargins& m = Margins();
    const int kw = key_width_, kh = key_height_;
    const int x0 = m.left + m.border + 2, y0 = m.top + m.border + 2 + DisplayHeight() + 4;
    TI_EditButtons& keys = Buttons();
    keys.Clear();
    auto at = [&](int code, int x, int y, int w, int h) {
        const KeySpec& k = kKeys[code];
        TI_EditButton* b = keys.Add(
            [](TWinControl* owner, TI_EditButtons* c) -> TI_EditButton* { return Create<TI_CalcButton>(owner, c); });
        b->SetName(k.name);
        b->Tag = code;
        b->SetLayout(2);
        b->SetFont(Font());
        b->SetColor(clBtnFace);
        b->SetCaption(k.caption ? std::string(k.caption) : std::string(1, FormatSettings.DecimalSeparator));
        b->SetGlyph(nullptr);  // captions only
        if (code == ckCancel) {
            TBitmap glyph;
            try {
                glyph.LoadFromResourceName(GetModuleHandleA(nullptr), Family().Resource("BTNSHCANCEL"));
                b->SetGlyph(&glyph);
            } catch (...) {
                b->SetCaption("X");  // a program without the picture
            }
        }
        b->SetBounds(x, y, w, h);
        b->OnClick = [this, code](TObject*) { Press(code); };
    };
    at(ckBackspace, x0 + kw + 4, y0, 3 * kw, kh);
    at(ckClearEntry, x0 + 4 * kw + 4, y0, kw, kh);
    at(ckClear, x0 + 5 * kw + 4, y0, kw, kh);
    const int block_y = y0 + kh + 4;
    for (int i = 0; i < 4; ++i) at(ckMemoryClear + i, x0, block_y + i * kh, kw, kh);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col) at(kBlock[row][col], x0 + kw + 4 + col * kw, block_y + row * kh, kw, kh);
    const int ok_y = block_y + 4 * kh + 3;
    at(ckOK, x0, ok_y, 5 * kw + 4, OkRowHeight());
    at(ckCancel, x0 + 5 * kw + 4, ok_y, kw, OkRowHeight());
    const int width = m.left + m.right + 6 * kw + 2 * m.border + 8;
    const int height = m.top + m.bottom + 5 * kh + 2 * m.border + DisplayHeight() + 12 + OkRowHeight() + 3;
    SetPopupSize(width, height);
}

void TI_CustomCalculator::SetDisplay(const std::string& Text) {
    engine_.SetDisplay(Text);
    if (HandleAllocated()) InvalidateRect(DisplayRect(), false);
}

RECT TI_CustomCalculator::DisplayRect() const {
    return RECT{2, 2, ClientWidth() - 2, 2 + DisplayHeight()};
}

RECT TI_CustomCalculator::MemoryRect() const {
    const int top = DisplayHeight() + 6;
    return RECT{2, top, 2 + key_width_ + 2, top + key_height_};
}

void TI_CustomCalculator::Press(int Code) {
    if (Code < 0 || Code >= kCalcKeyCount) return;
    // OK and Cancel reach the edit, which may free the calculator (its field
    // freed by OnChange): it stays until the key has returned.
    TDispatchScope keep(this);
    const std::string before = engine_.Display();
    const bool memory_before = engine_.Memory() != 0;
    const CalcAction action = engine_.Press(Code);
    if (HandleAllocated()) {
        if (engine_.Display() != before) InvalidateRect(DisplayRect(), false);
        if ((engine_.Memory() != 0) != memory_before) InvalidateRect(MemoryRect(), false);
    }
    if (action != CalcAction::None) Close(action == CalcAction::Accept);
}

void TI_CustomCalculator::Close(bool accept) {
    if (OnClose) {
        OnClose(accept);
        return;
    }
    Hide();
}

void TI_CustomCalculator::OutsidePress() { Close(false); }

void TI_CustomCalculator::KeyDown(WORD& Key, TShiftState Shift) {
    TI_ClipPopup::KeyDown(Key, Shift);
    if (!Key) return;
    const int code = CalcKeyForKeyDown(Key, (Shift & ssShift) != 0, (Shift & ssCtrl) != 0, (Shift & ssAlt) != 0);
    if (code < 0) return;
    Key = 0;
    Press(code);
}

void TI_CustomCalculator::KeyPress(char& Key) {
    const int code = CalcKeyForChar(static_cast<unsigned char>(Key), FormatSettings.DecimalSeparator);
    if (code < 0) return;
    Key = 0;
    Press(code);
}

bool TI_CustomCalculator::DialogChar(char Ch) {
    const char up = (Ch >= 'a' && Ch <= 'z') ? static_cast<char>(Ch - 'a' + 'A') : Ch;
    if (up != 'O' && up != 'C') return false;
    Press(up == 'O' ? ckOK : ckCancel);
    return true;
}

void TI_CustomCalculator::Paint() {
    TI_ClipPopup::Paint();
    TCanvas& c = Canvas();
    HDC dc = c.Handle();
    const RECT display = DisplayRect();
    {
        GdiObject<HBRUSH> checker = CreateCheckerBrush(clWhite, clBtnFace);
        ::FillRect(dc, &display, checker.Get());
        GdiObject<HBRUSH> face(CreateSolidBrush(ColorToCOLORREF(clBtnFace)));
        ::FrameRect(dc, &display, face.Get());
    }
    c.Font().Assign(&Font());
    c.Brush().SetStyle(bsClear);
    RECT text{display.left + 4, display.top + 2, display.right - 4, display.bottom - 2};
    c.DrawText(engine_.Display(), text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    const RECT memory = MemoryRect();
    {
        GdiObject<HBRUSH> checker = CreateCheckerBrush(0xDEFFFF, 0xE6E6E6);
        ::FillRect(dc, &memory, checker.Get());
        GdiObject<HBRUSH> shadow(CreateSolidBrush(ColorToCOLORREF(clBtnShadow)));
        ::FrameRect(dc, &memory, shadow.Get());
    }
    RECT m = memory;
    c.DrawText(engine_.Memory() != 0 ? "M" : " ", m, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
