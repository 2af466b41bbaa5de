// The labels without painting: measuring, auto-size, anchors under the
// mouse, events and the shell routes of their links.
#include <gtest/gtest.h>

#include "controls/html/html_label.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "tests/controls/html/html_test_support.h"

namespace {

template <class L>
struct LabelOnForm {
    TForm* form = Create<TForm>(nullptr);
    L* label = Create<L>(form);
    LabelOnForm() {
        form->SetBounds(0, 0, 400, 300);
        label->SetParent(form);
        label->SetBounds(0, 0, 300, 40);
        label->Font().SetName("Arial");
        label->Font().SetSize(10);
    }
    ~LabelOnForm() { form->Free(); }
};

TEST(HTMLabel, MeasuresAndAutoSizesWithoutPainting) {
    LabelOnForm<TSBHTM> f;
    f.label->HTMLText().Add("Hallo");
    f.label->HTMLText().Add("Welt");
    HTMLSize joined = f.label->Measure();
    f.label->SetHTMLText("HalloWelt");
    HTMLSize plain = f.label->Measure();
    EXPECT_EQ(joined, plain);  // lines run together
    f.label->SetHTMLText("Hallo<BR>Welt");
    EXPECT_EQ(f.label->Measure().cy, 2 * plain.cy);

    f.label->SetHTMLText("a\r\nb");
    ASSERT_EQ(f.label->HTMLText().Count(), 1);
    EXPECT_EQ(f.label->HTMLText()[0], "ab");

    // Auto-size: the form is hidden and has no window; measuring sets the height.
    f.label->SetAlign(alTop);
    f.label->SetAutoSizeType(asVertical);
    f.label->SetAutoSizing(true);
    f.label->SetHTMLText("Eine Zeile");
    EXPECT_EQ(f.label->Height(), plain.cy + 6);
    f.label->SetHTMLText("Eine<BR>zwei<BR>drei");
    EXPECT_EQ(f.label->Height(), 3 * plain.cy + 6);
    f.label->Measure();
    EXPECT_EQ(f.label->Height(), 3 * plain.cy + 6);
    EXPECT_EQ(f.form->HandleAllocated(), false);
    // Painting lays out as measuring did: the height stays.
    TBitmap bmp(400, 300);
    f.form->PaintTo(bmp.DC(), 0, 0);
    EXPECT_EQ(f.label->Height(), 3 * plain.cy + 6);
    // A narrower label wraps and grows again.
    f.label->SetHTMLText("eins zwei drei vier");
    const int oneLine = f.label->Height();
    f.form->SetWidth(40);
    EXPECT_GT(f.label->Height(), oneLine);
}

TEST(HTMLabel, AnchorEnterClickAndExit) {
    LabelOnForm<THTMLabel> f;
    std::vector<std::string> events;
    f.label->OnAnchorEnter = [&](TObject* s, const std::string& a) { events.push_back("enter " + a); EXPECT_EQ(s, f.label); };
    f.label->OnAnchorExit = [&](TObject*, const std::string& a) { events.push_back("exit " + a); };
    f.label->OnAnchorClick = [&](TObject*, const std::string& a) { events.push_back("click " + a); };
    f.label->SetHTMLText("<A HREF=\"C:\\Daten\">Daten</A> und mehr Text");
    HTMLRect r;
    EXPECT_EQ(f.label->AnchorAtPoint(3, 5, &r), "C:\\Daten");
    EXPECT_EQ(r.Left, 0);
    EXPECT_GT(r.Right, 10);
    f.label->MouseMove(0, 3, 5);
    EXPECT_EQ(f.label->Cursor(), crHandPoint);
    f.label->MouseMove(0, 4, 5);  // the same anchor: no second enter
    f.label->MouseUp(mbLeft, 0, 4, 5);
    f.label->MouseMove(0, 290, 30);
    EXPECT_EQ(f.label->Cursor(), crDefault);
    EXPECT_EQ(f.label->HoverIndex(), -1);
    EXPECT_EQ(events, (std::vector<std::string>{"enter C:\\Daten", "click C:\\Daten", "exit "}));
    EXPECT_EQ(f.label->AnchorAtPoint(290, 30), "");
}

TEST(HTMLabel, LinksGoToTheShell) {
    ShellRecorder shell;
    LabelOnForm<THTMLabel> f;
    int clicks = 0;
    f.label->OnAnchorClick = [&](TObject*, const std::string&) { ++clicks; };
    f.label->SetHTMLText("<A HREF=\"mailto:a@b.de\">Mail</A>");
    f.label->MouseUp(mbLeft, 0, 3, 5);
    f.label->SetHTMLText("<A HREF=\"MAILTO:x\">Mail</A>");  // the scheme test is case-sensitive
    f.label->MouseUp(mbLeft, 0, 3, 5);
    EXPECT_EQ(shell.Opened(), (std::vector<std::string>{"open|mailto:a@b.de|1"}));
    EXPECT_EQ(clicks, 1);
}

TEST(TSBHTM, LinkSchemes) {
    struct Case {
        const char* href;
        const char* opened;
        const char* selected;
        bool callback;
    } cases[] = {
        {"FileSelect://C:\\x\\y.txt", "", "C:\\x\\y.txt", true},
        {"SHOpenFolderAndSelectItems://C:\\z", "", "C:\\z", true},
        {"file://C:\\a b.txt", "open|\"C:\\a b.txt\"|1", "", true},
        {"xyz", "", "", false},
    };
    for (const auto& c : cases) {
        ShellRecorder shell;
        LabelOnForm<TSBHTM> f;
        std::vector<TObject*> senders;
        f.label->OnLinkClick = [&](TObject* s) { senders.push_back(s); };
        f.label->SetHTMLText(std::string("<A HREF=\"") + c.href + "\">Link</A>");
        f.label->MouseUp(mbLeft, 0, 3, 5);
        auto opened = shell.Opened();
        EXPECT_EQ(opened.empty() ? "" : opened[0], c.opened) << c.href;
        auto selected = shell.Selected();
        EXPECT_EQ(selected.empty() ? "" : selected[0], c.selected) << c.href;
        EXPECT_EQ(senders.size(), c.callback ? 1u : 0u) << c.href;
        if (!senders.empty()) {
            EXPECT_EQ(senders[0], nullptr);
        }
    }
}

TEST(HTMLabel, PaintsOnItsParentWithoutLeaks) {
    LabelOnForm<THTMLabel> f;
    f.label->SetColor(clWhite);
    f.label->SetHTMLText("<FONT COLOR=\"#FF0000\">Rot</FONT> <IMG SRC=\"http://h/x.png\"><A HREF=\"a\">Link</A>");
    TBitmap warm(400, 300);
    f.form->PaintTo(warm.DC(), 0, 0);
    const int objects = ProcessGdiObjects();
    TBitmap bmp(400, 300);
    for (int i = 0; i < 5; ++i) f.form->PaintTo(bmp.DC(), 0, 0);
    EXPECT_GT(CountPixels(bmp, 0xFF0000), 5);  // the red run
    EXPECT_GT(CountPixels(bmp, 0x0000FF), 5);  // the link in the URL colour
    EXPECT_EQ(ProcessGdiObjects(), objects);
    EXPECT_EQ(f.label->AnchorCount(), 1);
    // The network picture was remembered, not loaded, and takes no room.
    ASSERT_EQ(f.label->PictureCache().Count(), 1);
    EXPECT_TRUE(f.label->PictureCache().FindPicture("http://h/x.png")->Empty());
    f.label->SetHTMLText("<FONT COLOR=\"#FF0000\">Rot</FONT> <A HREF=\"a\">Link</A>");
    TBitmap without(400, 300);
    f.form->PaintTo(without.DC(), 0, 0);
    EXPECT_EQ(BitmapBytes(without), BitmapBytes(bmp));
}

}  // namespace

namespace {

TEST(HTMLabel, HoverColoursFollowTheMouse) {
    LabelOnForm<THTMLabel> f;
    f.label->SetColor(clWhite);
    f.label->SetHover(true);
    f.label->HoverFontColor = RGB(255, 0, 0);
    f.label->HoverColor = RGB(0, 255, 0);
    f.label->SetHTMLText("<A HREF=\"x\">Verweis</A> Text");
    auto paint = [&] {
        TBitmap bmp(400, 300);
        f.form->PaintTo(bmp.DC(), 0, 0);
        return std::make_pair(CountPixels(bmp, 0xFF0000), CountPixels(bmp, 0x00FF00));
    };
    EXPECT_EQ(paint(), std::make_pair(0, 0));
    f.label->MouseMove(0, 3, 5);
    EXPECT_EQ(f.label->HoverIndex(), 0);
    auto hovered = paint();
    EXPECT_GT(hovered.first, 5);   // the hover font colour
    EXPECT_GT(hovered.second, 20); // the hover background behind it
    f.label->MouseLeave();
    EXPECT_EQ(f.label->HoverIndex(), -1);
    EXPECT_EQ(paint(), std::make_pair(0, 0));
}

TEST(HTMLabel, HintsShowTheAnchorOrTheText) {
    LabelOnForm<THTMLabel> f;
    f.label->SetHTMLText("Vor <A HREF=\"C:\\Daten\">Daten</A><BR>nach");
    f.label->AnchorHint = true;
    f.label->OnAnchorHint = [](TObject*, std::string& a) { a = "Ordner " + a; };
    THintInfo info;
    info.HintControl = f.label;
    info.HintStr = "alt";
    f.label->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, "alt");  // not over an anchor
    HTMLRect r;
    f.label->AnchorAtPoint(0, 0, &r);
    f.label->MouseMove(0, 30, 5);
    ASSERT_EQ(f.label->Cursor(), crHandPoint);
    info.CursorPos = POINT{30, 5};
    f.label->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, "Ordner C:\\Daten");
    POINT screen = f.label->ClientToScreen(POINT{30, 5});
    EXPECT_EQ(info.HintPos.x, screen.x + 10);
    EXPECT_EQ(info.HintPos.y, screen.y - 10);

    f.label->AnchorHint = false;
    f.label->HTMLHint = true;
    f.label->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, "Vor Daten\r\nnach");
    f.label->HintShowFull = true;
    f.label->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, f.label->LabelText());
}

TEST(HTMLabel, ImagesFromTheListAndTheShell) {
    LabelOnForm<THTMLabel> f;
    f.label->SetColor(clWhite);
    auto* images = Create<TImageList>(f.form);
    images->SetSize(16, 16);
    TBitmap red(16, 16);
    red.Canvas().Brush().SetColor(RGB(255, 0, 0));
    red.Canvas().FillRect(RECT{0, 0, 16, 16});
    images->Add(&red);
    f.label->SetImages(images);
    f.label->SetHTMLText("<IMG SRC=\"IDX:0\"><IMG SRC=\"IDX:7\">|<IMG SRC=\"SSYS:C:\\windows\">"
                         "<IMG SRC=\"FILE://C:\\gibt\\es\\nicht.gif\">");
    TBitmap bmp(400, 300);
    f.form->PaintTo(bmp.DC(), 0, 0);
    EXPECT_EQ(CountPixels(bmp, 0xFF0000), 256);  // one image, the other index is out of range
    GdiFlush();
    int iconPixels = 0;  // the shell icon: some pixels that are neither white nor red
    for (int y = 0; y < 20; ++y)
        for (int x = 22; x < 60; ++x) {
            uint32_t px = bmp.ScanLine(y)[x] & 0xFFFFFF;
            if (px != 0xFFFFFF && px != 0xFF0000) ++iconPixels;
        }
    EXPECT_GT(iconPixels, 10);
    // Freeing the image list leaves the label without one.
    images->Free();
    EXPECT_EQ(f.label->Images(), nullptr);
    f.form->PaintTo(bmp.DC(), 0, 0);
}

}  // namespace

namespace {

// On a shown form, through the parent's own message routing: the mouse
// over an anchor gives the hand cursor, a click raises the click event.
TEST(HTMLabel, MouseThroughTheParentWindow) {
    TForm* form = Create<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 40, 300, 100);
    auto* label = Create<THTMLabel>(form);
    label->SetBounds(10, 10, 250, 40);
    label->SetHTMLText("<A HREF=\"Ziel\">Verweis</A> Text");
    label->SetParent(form);
    std::vector<std::string> events;
    label->OnAnchorEnter = [&](TObject*, const std::string& a) { events.push_back("enter " + a); };
    label->OnAnchorClick = [&](TObject*, const std::string& a) { events.push_back("click " + a); };
    form->Show();
    Application()->ProcessMessages();
    HWND hwnd = form->Handle();
    const LPARAM at = MAKELPARAM(14, 16);  // on "Verweis" in the form's client coordinates
    SetCursorPos(40 + 14, 40 + 16);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, at);
    EXPECT_EQ(label->Cursor(), crHandPoint);
    SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(events, (std::vector<std::string>{"enter Ziel", "click Ziel"}));
    form->Free();
    Application()->ProcessMessages();
}

}  // namespace

namespace {

TEST(HTMLabel, VerticalAlignmentMovesTheText) {
    struct Case {
        TVAlignment align;
        bool autoWidth;  // auto-sized in height
        int hitY, missY;
    } cases[] = {
        {tvaTop, false, 5, 55},
        {tvaBottom, false, 55, 5},
        {tvaBottom, true, -4, 1},  // auto-sized: at the label's own bottom, not the added room
        {tvaCenter, false, 30, 5},
    };
    for (const auto& c : cases) {
        LabelOnForm<THTMLabel> f;
        f.label->SetBounds(0, 0, 300, 60);
        f.label->SetVAlignment(c.align);
        if (c.autoWidth) f.label->SetAutoSizing(true);
        f.label->SetHTMLText("<A HREF=\"a\">Verweis</A>");
        const int hitY = c.hitY < 0 ? f.label->Height() + c.hitY : c.hitY;
        EXPECT_EQ(f.label->AnchorAtPoint(5, hitY), "a") << c.align << c.autoWidth;
        EXPECT_EQ(f.label->AnchorAtPoint(5, c.missY), "") << c.align << c.autoWidth;
    }
}

}  // namespace
