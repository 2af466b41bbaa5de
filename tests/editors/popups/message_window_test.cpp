#include <gtest/gtest.h>

#include "editors/popups/message_window.h"
#include "editors/tools/styled_text.h"
#include "tests/editors/popups/popup_test_support.h"

namespace {

// The caption's extent in the given font size, as the bubble measures it.
POINT Measured(const std::string& text, int size) {
    TBitmap b(1, 1);
    b.Canvas().Font().SetSize(size);
    return DrawStyledText(b.Canvas(), text.c_str(), RECT{0, 0, 0, 0}, false, DT_END_ELLIPSIS, nullptr);
}

// Which of the points lie in the window's region, as "1"/"0" per point.
std::string InRegion(TWinControl* w, std::initializer_list<POINT> points) {
    GdiObject<HRGN> r(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(w->WindowHandle(), r.Get());
    std::string out;
    for (POINT p : points) out += PtInRegion(r.Get(), p.x, p.y) ? '1' : '0';
    return out;
}

}  // namespace

TEST(MessageWindow, SizeFollowsTextShapeAndIcon) {
    const std::string text = "Ung\xFCltiger /bWert";
    POINT e = Measured(text, 8);
    auto* bubble = Create<TI_MessageWindow>(nullptr);
    bubble->Font().SetSize(12);  // the grid family paints in 8 points whatever its font
    bubble->SetCaption(text);
    auto size = [&] { return std::pair<LONG, LONG>(bubble->Width(), bubble->Height()); };
    EXPECT_EQ(size(), std::make_pair(e.x + 10, e.y + 6));
    bubble->SetShape(bsRounded);
    EXPECT_EQ(size(), std::make_pair(e.x + 16, e.y + 12));
    bubble->SetShape(bsBalloon);
    EXPECT_EQ(bubble->Height(), e.y + 20);
    bubble->SetIconKind(1);
    ASSERT_FALSE(bubble->Icon().Empty());
    EXPECT_EQ(bubble->Width(), e.x + 16 + bubble->Icon().Width() + 6);
    // Another icon of another size re-sizes the bubble.
    TBitmap wide(bubble->Icon().Width() + 10, 4);
    bubble->SetIconKind(2);
    const int before = bubble->Width();
    bubble->SetIcon(&wide);
    EXPECT_EQ(bubble->Width(), before + 10);
    bubble->Free();

    auto* dc_bubble = Create<TDCMessageWindow>(nullptr);
    dc_bubble->Font().SetSize(12);
    dc_bubble->SetCaption(text);
    EXPECT_EQ(dc_bubble->Width(), Measured(text, 12).x + 10);
    dc_bubble->Free();
}

TEST(MessageWindow, BalloonRegionPointsAtTheControl) {
    OwnerOnForm host(200, 200, 150, 22);
    auto* bubble = Create<TI_MessageWindow>(host.owner);
    bubble->SetShape(bsBalloon);
    bubble->SetCaption("Der Wert fehlt.");
    bubble->SetPopupRect(5, 13, bubble->Width(), bubble->Height());
    bubble->SetPopupPosition(pmInOwnerClient);
    bubble->Show();
    PumpFor(30);
    RECT r;
    GetWindowRect(bubble->WindowHandle(), &r);
    EXPECT_EQ(std::make_pair(r.left, r.top), std::make_pair(205L, 213L));
    EXPECT_EQ(bubble->PlacementFlags(), 0);
    bubble->Show();  // the popup rectangle stays the caller's: no drift
    GetWindowRect(bubble->WindowHandle(), &r);
    EXPECT_EQ(r.left, 205);
    EXPECT_EQ(InRegion(bubble, {{9, 2}, {20, 2}, {20, 12}}), "101");  // the pointer, 8 pixels in
    EXPECT_EQ(SendMessageA(bubble->WindowHandle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + 20, r.top + 12)),
              HTTRANSPARENT);
    EXPECT_EQ(GetFocus(), host.owner->WindowHandle());

    // Too low on the screen: shown above its anchor, without pointer.
    bubble->SetPopupRect(5, 2000, bubble->Width(), bubble->Height());
    EXPECT_EQ(bubble->PlacementFlags() & 1, 1);
    EXPECT_EQ(InRegion(bubble, {{10, bubble->Height() - 3}, {10, bubble->Height() - 12}}), "01");
    bubble->Free();
}

TEST(MessageWindow, ASecondErrorReplacingTheFirstStaysVisible) {
    OwnerOnForm host(200, 200, 150, 22);
    auto* bubble = Create<TI_MessageWindow>(host.owner);
    host.owner->bubble = bubble;
    bubble->SetAutoHide(true);
    bubble->SetHideDelay(400);
    bubble->SetPopupPosition(pmInOwnerClient);
    bubble->SetCaption("Fehler A");
    bubble->Show();
    PumpFor(100);
    // The edit re-uses its bubble for the next error.
    bubble->Hide();
    bubble->SetCaption("Fehler B");
    bubble->SetShape(bsBalloon);  // hides again on the way
    bubble->Show();
    PumpFor(150);
    EXPECT_TRUE(host.owner->bubble_messages.empty());
    EXPECT_TRUE(IsWindowVisible(bubble->WindowHandle()));
    EXPECT_TRUE(bubble->TimerPending());
    PumpFor(500);
    // B's own timer: one UM_BUBBLE with WParam 0, on which the owner hides it.
    EXPECT_EQ(host.owner->bubble_messages, std::vector<WPARAM>{0});
    EXPECT_FALSE(IsWindowVisible(bubble->WindowHandle()));
    bubble->Free();
    EXPECT_EQ(host.owner->bubble_messages.size(), 1u);  // freeing posts nothing
}

TEST(MessageWindow, WithButtonsItStaysCatchesClicksAndLeavesNothingBehind) {
    OwnerOnForm host(200, 200, 150, 22);
    PumpFor(20);
    const int objects = GdiOwnerLiveObjects(), dcs = GdiOwnerLiveDCs();
    auto* bubble = Create<TDCMessageWindow>(host.owner);
    bubble->SetIconKind(1);
    bubble->SetShape(bsBalloon);
    bubble->SetAutoHide(true);
    bubble->SetHideDelay(100);
    TI_EditButton* b = bubble->Buttons().Add();
    b->SetBounds(4, 20, 30, 18);
    b->SetCaption("OK");
    b->SetGradient(true);
    bubble->SetCaption("/bPr\xFC" "fen/b0 bitte");
    bubble->SetPopupPosition(pmInOwnerClient);
    bubble->Show();
    EXPECT_FALSE(bubble->TimerPending());
    PumpFor(300);
    HWND h = bubble->WindowHandle();
    EXPECT_TRUE(host.owner->bubble_messages.empty());
    EXPECT_TRUE(IsWindowVisible(h));
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_NE(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(r.left + 10, r.top + b->Top() + 5)), HTTRANSPARENT);
    bubble->Hide();
    bubble->Free();
    PumpFor(20);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(GdiOwnerLiveObjects(), objects);
    EXPECT_EQ(GdiOwnerLiveDCs(), dcs);
}

TEST(MessageWindow, AWidthLimitMovesTheButtonsOnceHoweverOftenItResizes) {
    auto* bubble = Create<TI_MessageWindow>(nullptr);
    const std::string question = "Soll der ge\xE4nderte Auftrag wirklich gespeichert werden?";
    bubble->SetCaption(question);
    TI_EditButton* ok = bubble->Buttons().Add();
    ok->SetBounds(bubble->Width() - 90, 20, 40, 18);  // at the right of the wide bubble
    TI_EditButton* hidden = bubble->Buttons().Add();
    hidden->SetBounds(90, 20, 30, 18);
    hidden->SetVisible(false);
    auto inside = [&] { return ok->Left() >= 0 && ok->Left() + ok->Width() <= bubble->Width(); };
    bubble->SetMaxTextWidth(60);
    const int left = ok->Left();
    EXPECT_TRUE(inside()) << left << " in " << bubble->Width();
    bubble->SetCaption(question + " ");
    bubble->SetShape(bsRounded);
    bubble->ReSize();
    EXPECT_EQ(ok->Left(), left);
    EXPECT_TRUE(inside());
    hidden->SetVisible(true);
    EXPECT_EQ(hidden->Width(), 30);
    bubble->Free();

    // A button row wider than the limit: the bubble holds it.
    bubble = Create<TI_MessageWindow>(nullptr);
    ok = bubble->Buttons().Add();
    ok->SetBounds(4, 20, 80, 18);
    bubble->SetCaption("Ja?");
    bubble->SetMaxTextWidth(30);
    EXPECT_EQ(ok->Left(), 4);
    EXPECT_TRUE(inside()) << bubble->Width();
    bubble->Free();
}

namespace {
// A bubble button that tells when it is deleted.
class TWatchedButton : public TI_EditButton {
public:
    TWatchedButton(TWinControl* AOwner, TI_EditButtons* Collection, bool* deleted)
        : TI_EditButton(AOwner, Collection), deleted_(deleted) {}
    ~TWatchedButton() override { *deleted_ = true; }

private:
    bool* deleted_;
};
}  // namespace

TEST(MessageWindow, AButtonThatClosesItsBubbleOutlivesItsOwnClick) {
    OwnerOnForm host(200, 200, 150, 22);
    PumpFor(20);
    for (TEventStyle style : {esNormal, esDropDown}) {  // a click on the release, on the press
        const int objects = GdiOwnerLiveObjects();
        auto* bubble = Create<TI_MessageWindow>(host.owner);
        bool deleted = false, deleted_inside_click = true;
        int clicks = 0;
        TI_EditButton* b = bubble->Buttons().Add([&](TWinControl* o, TI_EditButtons* c) -> TI_EditButton* {
            return Create<TWatchedButton>(o, c, &deleted);
        });
        b->SetBounds(4, 20, 40, 18);
        b->SetCaption("OK");
        b->SetEventStyle(style);
        b->OnClick = [&](TObject*) {
            ++clicks;
            bubble->Free();
            deleted_inside_click = deleted;
        };
        bubble->SetCaption("Schlie\xDF" "en?");
        bubble->SetPopupPosition(pmInOwnerClient);
        bubble->Show();
        PumpFor(30);
        HWND h = bubble->WindowHandle();
        const LPARAM at = MAKELPARAM(b->Left() + 5, b->Top() + 5);
        SendMessageA(h, WM_MOUSEMOVE, 0, at);
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
        if (IsWindow(h)) SendMessageA(h, WM_LBUTTONUP, 0, at);
        EXPECT_EQ(clicks, 1) << style;
        EXPECT_FALSE(deleted_inside_click) << style;
        EXPECT_TRUE(deleted) << style;
        EXPECT_FALSE(IsWindow(h)) << style;
        EXPECT_EQ(GetCapture(), nullptr) << style;
        EXPECT_EQ(GdiOwnerLiveObjects(), objects) << style;
    }
}
