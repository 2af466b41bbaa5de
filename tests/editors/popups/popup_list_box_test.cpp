#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "editors/popups/popup_list_box.h"
#include "editors/tools/edit_buttons.h"
#include "framework/graphics_base.h"
#include "framework/sysutils.h"
#include "tests/editors/popups/popup_test_support.h"

namespace {

TI_PopupListBox* MakeList(TWinControl* owner, int items) {
    auto* list = Create<TI_PopupListBox>(owner);
    for (int i = 0; i < items; ++i) list->Items().Add("Eintrag " + IntToStr(i));
    list->SetItemHeight(16);
    list->SetBorderStyle(2);
    list->SetPopupRect(0, 0, 150, 10);
    return list;
}

}  // namespace

TEST(PopupListBox, WheelHotTrackingAndOwnerDrawnItems) {
    OwnerOnForm host(100, 100, 150, 22);
    TI_PopupListBox* list = MakeList(host.owner, 20);
    int drawn = 0;
    list->OnDrawItem = [&](TWinControl*, int, const RECT&, unsigned) { ++drawn; };
    list->Show();
    PumpFor(50);
    EXPECT_GT(drawn, 0);  // WM_DRAWITEM came back from the owner's form
    HWND h = list->WindowHandle();
    RECT w;
    GetWindowRect(h, &w);  // the wheel steps themselves are checked in the geometry tests
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120 * 30)), MAKELPARAM(w.left + 5, w.top + 5));
    EXPECT_EQ(list->TopIndex(), 12);
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(10, 16 * 3 + 4));
    EXPECT_EQ(list->ItemIndex(), 15);  // top 12 + row 3
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 4));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 4));
    EXPECT_EQ(std::make_pair(list->ItemIndex(), clicks), std::make_pair(12, 1));
    EXPECT_EQ(GetFocus(), host.owner->WindowHandle());
    list->Free();
}

TEST(PopupListBox, AListMadeBeforeItsOwnerHadAWindowDrawsItsItems) {
    TForm* form = Create<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 150, 22);
    auto* owner = Place<TOwnerProbe>(form, form, 0, 0, 150, 22);
    TI_PopupListBox* list = MakeList(owner, 3);
    list->HandleNeeded();  // no owner window yet
    ASSERT_FALSE(owner->HandleAllocated());
    int drawn = 0;
    list->OnDrawItem = [&](TWinControl*, int, const RECT&, unsigned) { ++drawn; };
    form->Show();
    list->Show();
    PumpFor(50);
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(GetWindow(list->WindowHandle(), GW_OWNER), form->WindowHandle());
    EXPECT_EQ(list->Count(), 3);
    list->Free();
    form->Free();
}

TEST(PopupListBox, TheFormFamilyListIsAtMostHalfTheScreen) {
    InjectedScreen screen;
    OwnerOnForm host(100, 100, 150, 22);
    auto* list = Create<TDCPopupListBox>(host.owner);
    for (int i = 0; i < 100; ++i) list->Items().Add("x");
    list->SetItemHeight(20);
    list->SetDropDownRows(50);
    list->AdjustHeight(0);
    EXPECT_EQ(list->Height(), 384);
    list->Free();
}

TEST(PopupListBox, PaintsItsItemsIntoAPictureWhileHidden) {
    OwnerOnForm host(100, 100, 150, 22);
    TI_PopupListBox* list = MakeList(host.owner, 5);
    list->AdjustHeight(0);
    list->SetItemIndex(1);
    list->HandleNeeded();
    TBitmap picture(150, 100);
    list->PaintTo(picture.DC(), 0, 0);
    GdiFlush();
    // Border 2, rows of 16: the second row is the selected one.
    EXPECT_EQ(std::make_pair(picture.Pixel(60, 2 + 16 + 1), picture.Pixel(60, 2 + 32 + 1)),
              std::make_pair(ColorToRGB(clHighlight), ColorToRGB(clWindow)));
    list->Free();
}

TEST(PopupListBox, OpenedByADropDownButtonAndPickedWithRealClicks) {
    OwnerOnForm host(100, 100, 200, 22);
    TI_EditButtons buttons(host.owner);
    buttons.DefaultCoordinateMode = false;
    TI_EditButton* drop = buttons.Add();
    drop->SetEventStyle(esDropDown);
    drop->SetBounds(182, 0, 18, 22);
    TI_PopupListBox* list = MakeList(host.owner, 10);
    list->SetPopupRect(0, 0, 200, 10);
    std::string picked;
    drop->OnClick = [&](TObject*) { list->Show(); };
    list->OnClick = [&](TObject*) {
        picked = list->Items().Get(list->ItemIndex());
        list->Hide();
    };
    MouseAt(POINT{100 + 190, 100 + 10});
    ASSERT_TRUE(list->Shown());
    EXPECT_TRUE(IsWindowVisible(list->WindowHandle()));
    EXPECT_EQ(GetFocus(), host.owner->WindowHandle());
    RECT r;
    GetWindowRect(list->WindowHandle(), &r);
    // Below the owner, at most eight rows of 16 and the border.
    EXPECT_EQ(std::make_tuple(r.left, r.top, r.bottom - r.top), std::make_tuple(100L, 122L, 8L * 16 + 4));
    MouseAt(POINT{r.left + 20, r.top + 2 + 16 * 2 + 8});  // the third row
    EXPECT_EQ(picked, "Eintrag 2");
    EXPECT_FALSE(IsWindowVisible(list->WindowHandle()));
    EXPECT_EQ(GetFocus(), host.owner->WindowHandle());
    list->Free();
}
