// GDI owners, colour conversion, fonts, pens and brushes.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/exceptions.h"
#include "framework/graphics.h"

namespace {

LOGFONTA FontInfo(HFONT f) {
    LOGFONTA lf{};
    GetObjectA(f, sizeof(lf), &lf);
    return lf;
}

}  // namespace

TEST(GdiObject, OwnerDeletesOnceAndCountsButNeverStockOrBorrowedHandles) {
    const int before = GdiOwnerLiveObjects();
    GdiObject<HBRUSH> target;
    HBRUSH raw;
    {
        GdiObject<HBRUSH> source(CreateSolidBrush(RGB(9, 9, 9)));
        raw = source.Get();
        EXPECT_EQ(GdiOwnerLiveObjects(), before + 1);
        target = std::move(source);  // the moved-from owner deletes nothing
    }
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
    GdiObject<HBRUSH> constructed(std::move(target));
    EXPECT_EQ(constructed.Get(), raw);
    constructed.Reset();
    EXPECT_EQ(GetObjectType(raw), 0u);
    EXPECT_EQ(GdiOwnerLiveObjects(), before);
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, 0));
    HPEN released = pen.Release();
    EXPECT_EQ(GdiOwnerLiveObjects(), before);
    EXPECT_EQ(GetObjectType(released), static_cast<DWORD>(OBJ_PEN));
    DeleteObject(released);
    // Stock and borrowed handles are never deleted.
    HGDIOBJ stockBrush = GetStockObject(WHITE_BRUSH);
    HGDIOBJ stockFont = GetStockObject(DEFAULT_GUI_FONT);
    {
        GdiObject<HBRUSH> brush(static_cast<HBRUSH>(stockBrush));
        GdiObject<HFONT> font(static_cast<HFONT>(stockFont));
        EXPECT_FALSE(brush.Owned());
        EXPECT_FALSE(font.Owned());
        EXPECT_EQ(GdiOwnerLiveObjects(), before);
    }
    EXPECT_TRUE(IsStockGdiObject(stockBrush));
    EXPECT_EQ(GetObjectType(stockBrush), static_cast<DWORD>(OBJ_BRUSH));

    HPEN lent = CreatePen(PS_SOLID, 1, 0);
    EXPECT_FALSE(IsStockGdiObject(lent));
    { auto borrowed = GdiObject<HPEN>::Borrow(lent); }
    EXPECT_EQ(GetObjectType(lent), static_cast<DWORD>(OBJ_PEN));
    DeleteObject(lent);
}

TEST(GdiScopes, SelectSaveAndDCOwnersRestoreAndCount) {
    int dcsBefore = GdiOwnerLiveDCs();
    {
        MemoryDC dc;
        WindowDC screen;
        ASSERT_TRUE(dc);
        ASSERT_TRUE(screen);
        EXPECT_EQ(GdiOwnerLiveDCs(), dcsBefore + 2);
        HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_PEN);
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 3, RGB(255, 0, 0)));
        {
            ScopedSelect sel(dc.Get(), pen.Get());
            EXPECT_EQ(sel.Previous(), original);
            EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen.Get());
        }
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), original);

        SetTextColor(dc.Get(), RGB(1, 1, 1));
        {
            ScopedSaveDC saved(dc.Get());
            SetTextColor(dc.Get(), RGB(200, 0, 0));
        }
        EXPECT_EQ(GetTextColor(dc.Get()), RGB(1, 1, 1));

        MemoryDC moved(std::move(dc));
        EXPECT_FALSE(dc);
        EXPECT_EQ(GdiOwnerLiveDCs(), dcsBefore + 2);
    }
    EXPECT_EQ(GdiOwnerLiveDCs(), dcsBefore);
}

TEST(Colors, SystemColoursResolveThroughGetSysColor) {
    for (auto [colour, index] : {std::pair{clBtnFace, COLOR_BTNFACE}, {clWindowText, COLOR_WINDOWTEXT}, {clInfoBk, COLOR_INFOBK}})
        EXPECT_EQ(ColorToRGB(colour), static_cast<TColor>(GetSysColor(index)));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToCOLORREF(clNone), 0xFFFFFFu);
    EXPECT_EQ(ColorToCOLORREF(clBtnShadow), GetSysColor(COLOR_BTNSHADOW));
}

TEST(Font, SizeAndHeightFollowTheResolution) {
    TFont font;
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.PixelsPerInch(), ScreenPixelsPerInch());
    EXPECT_EQ(font.Height(), -MulDiv(8, ScreenPixelsPerInch(), 72));
    font.SetPixelsPerInch(96);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    EXPECT_EQ(font.Size(), 10);
    font.SetHeight(-16);
    EXPECT_EQ(font.Size(), 12);
}

TEST(Font, ChangesNotifyOnceAndRecreateTheHandle) {
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    HFONT first = font.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(font.Handle(), first);
    font.SetName("Tahoma");
    font.SetColor(clWindowText);
    EXPECT_EQ(changes, 0);

    font.SetStyle(fsBold | fsUnderline);
    font.SetName("Arial");
    font.SetHeight(-20);
    EXPECT_EQ(changes, 3);
    LOGFONTA lf = FontInfo(font.Handle());
    EXPECT_EQ((std::vector<LONG>{lf.lfHeight, lf.lfWeight, lf.lfUnderline, lf.lfItalic}),
              (std::vector<LONG>{-20, FW_BOLD, 1, 0}));
    EXPECT_STREQ(lf.lfFaceName, "Arial");

    font.SetQuality(NONANTIALIASED_QUALITY);
    EXPECT_EQ(FontInfo(font.Handle()).lfQuality, NONANTIALIASED_QUALITY);
    font.SetColor(clRed);
    EXPECT_EQ(changes, 5);
}

TEST(Font, AssignCopiesEverythingWithOneNotification) {
    TFont a, b;
    a.SetName("Courier New");
    a.SetHeight(-15);
    a.SetStyle(fsItalic | fsStrikeOut);
    a.SetColor(clBlue);
    a.SetCharset(ANSI_CHARSET);
    a.SetPitch(fpFixed);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(b.Equals(a));
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    LOGFONTA lf = FontInfo(b.Handle());
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_EQ((std::vector<LONG>{lf.lfHeight, lf.lfItalic, lf.lfStrikeOut, lf.lfCharSet, lf.lfPitchAndFamily & 3}),
              (std::vector<LONG>{-15, 1, 1, ANSI_CHARSET, FIXED_PITCH}));

    TPen pen;
    EXPECT_THROW(b.Assign(&pen), EConvertError);
}

TEST(PenBrush, HandlesFollowThePropertiesAndAreCountedAndFreed) {
    TPen pen;
    pen.SetColor(clRed);
    pen.SetWidth(3);
    LOGPEN lp{};
    GetObjectA(pen.Handle(), sizeof(lp), &lp);
    EXPECT_EQ(lp.lopnColor, RGB(255, 0, 0));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    HPEN before = pen.Handle();
    int changes = 0;
    pen.OnChange = [&](TObject*) { ++changes; };
    pen.SetMode(pmXor);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pen.Handle(), before);  // the mode is no part of the pen
    pen.SetStyle(psClear);
    EXPECT_EQ(pen.Handle(), GetStockObject(NULL_PEN));

    TBrush brush;
    brush.SetColor(clBtnFace);
    LOGBRUSH lb{};
    GetObjectA(brush.Handle(), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
    brush.SetStyle(bsClear);
    EXPECT_EQ(brush.Handle(), GetStockObject(NULL_BRUSH));
    brush.SetColor(clRed);  // colouring a clear brush makes it solid
    EXPECT_EQ(brush.Style(), bsSolid);
    brush.SetStyle(bsCross);
    GetObjectA(brush.Handle(), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    // Owned handles are counted and freed.
    const int live = GdiOwnerLiveObjects();
    {
        TFont font;
        TPen pen;
        TBrush brush;
        font.Handle(), pen.Handle(), brush.Handle();
        EXPECT_EQ(GdiOwnerLiveObjects(), live + 3);
        for (int i = 0; i < 50; ++i) {
            font.SetHeight(-10 - i);
            brush.SetColor(static_cast<TColor>(i));
            font.Handle(), brush.Handle();
        }
        EXPECT_EQ(GdiOwnerLiveObjects(), live + 3);
    }
    EXPECT_EQ(GdiOwnerLiveObjects(), live);
}

