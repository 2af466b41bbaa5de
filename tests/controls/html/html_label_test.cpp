// The labels without painting: measuring, auto-size, anchors under the
// mouse, events and the shell routes of their links.
#include <gtest/gtest.h>

#include <functional>

#include "controls/html/html_label.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "tests/controls/html/html_test_support.h"
#include "tests/controls/html/picture_bytes.h"

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

TEST(HTMLabel, AnchorEventsAndHints) {
    LabelOnForm<THTMLabel> f;
    std::vector<std::string> events;
    f.label->OnAnchorEnter = [&](TObject* s, const std::string& a) { events.push_back("enter " + a); EXPECT_EQ(s, f.label); };
    f.label->OnAnchorExit = [&](TObject*, const std::string& a) { events.push_back("exit " + a); };
    f.label->OnAnchorClick = [&](TObject*, const std::string& a) { events.push_back("click " + a); };
    f.label->OnAnchorHint = [](TObject*, std::string& a) { a = "Ordner " + a; };
    f.label->AnchorHint = true;
    f.label->SetHTMLText("<A HREF=\"C:\\Daten\">Daten</A> und mehr<BR>Text");
    THintInfo info;
    info.HintControl = f.label;
    info.HintStr = "alt";
    f.label->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, "alt");  // not over an anchor
    HTMLRect r;
    EXPECT_EQ(f.label->AnchorAtPoint(3, 5, &r), "C:\\Daten");
    EXPECT_EQ(r.Left, 0);
    EXPECT_GT(r.Right, 10);
    f.label->MouseMove(0, 3, 5);
    EXPECT_EQ(f.label->Cursor(), crHandPoint);
    f.label->MouseMove(0, 4, 5);  // the same anchor: no second enter
    info.CursorPos = POINT{4, 5};
    f.label->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, "Ordner C:\\Daten");
    const POINT screen = f.label->ClientToScreen(POINT{4, 5});
    EXPECT_EQ(std::make_pair(info.HintPos.x, info.HintPos.y), std::make_pair(screen.x + 10, screen.y - 10));
    f.label->MouseUp(mbLeft, 0, 4, 5);
    f.label->MouseMove(0, 290, 30);
    EXPECT_EQ(f.label->Cursor(), crDefault);
    EXPECT_EQ(f.label->HoverIndex(), -1);
    EXPECT_EQ(events, (std::vector<std::string>{"enter C:\\Daten", "click C:\\Daten", "exit "}));
    EXPECT_EQ(f.label->AnchorAtPoint(290, 30), "");
    // The label's own text as hint: plain or as it stands.
    f.label->AnchorHint = false;
    f.label->HTMLHint = true;
    f.label->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, "Daten und mehr\r\nText");
    f.label->HintShowFull = true;
    f.label->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, f.label->LabelText());
}

// Link schemes: the form label opens addresses itself and raises the click
// event for the rest; the message box's label opens files and folders too.
TEST(HTMLabel, LinkSchemesGoToTheShell) {
    struct Case {
        bool messageLabel;
        const char* href;
        const char* opened;
        const char* selected;
        int callbacks;  // OnLinkClick (with Sender nullptr) or OnAnchorClick
    } cases[] = {
        {false, "mailto:a@b.de", "open|mailto:a@b.de|1", "", 0},
        {false, "MAILTO:x", "", "", 1},  // the scheme test is case-sensitive
        {true, "FileSelect://C:\\x\\y.txt", "", "C:\\x\\y.txt", 1},
        {true, "SHOpenFolderAndSelectItems://C:\\z", "", "C:\\z", 1},
        {true, "file://C:\\a b.txt", "open|\"C:\\a b.txt\"|1", "", 1},
        {true, "xyz", "", "", 0},
    };
    for (const auto& c : cases) {
        ShellRecorder shell;
        std::vector<TObject*> senders;
        const std::string html = std::string("<A HREF=\"") + c.href + "\">Link</A>";
        if (c.messageLabel) {
            LabelOnForm<TSBHTM> f;
            f.label->OnLinkClick = [&](TObject* s) { senders.push_back(s); };
            f.label->SetHTMLText(html);
            f.label->MouseUp(mbLeft, 0, 3, 5);
        } else {
            LabelOnForm<THTMLabel> f;
            f.label->OnAnchorClick = [&](TObject* s, const std::string& a) {
                senders.push_back(nullptr);
                EXPECT_EQ(s, f.label);
                EXPECT_EQ(a, c.href);
            };
            f.label->SetHTMLText(html);
            f.label->MouseUp(mbLeft, 0, 3, 5);
        }
        auto opened = shell.Opened();
        EXPECT_EQ(opened.empty() ? "" : opened[0], c.opened) << c.href;
        auto selected = shell.Selected();
        EXPECT_EQ(selected.empty() ? "" : selected[0], c.selected) << c.href;
        EXPECT_EQ(senders, std::vector<TObject*>(static_cast<size_t>(c.callbacks), nullptr)) << c.href;
    }
}

TEST(HTMLabel, PaintsOnItsParentWithoutLeaks) {
    LabelOnForm<THTMLabel> f;
    f.label->SetColor(clWhite);
    f.label->SetHTMLText("<FONT COLOR=\"#FF0000\">Rot</FONT> <IMG SRC=\"http://h/x.png\"><A HREF=\"a\">Link</A>");
    TBitmap warm(400, 300);
    f.form->PaintTo(warm.DC(), 0, 0);
    TBitmap bmp(400, 300);
    const int objects = ProcessGdiObjects();
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
    EXPECT_EQ(BitmapPixels(without), BitmapPixels(bmp));

    // Hover: the anchor under the mouse takes the hover colours until the mouse leaves.
    f.label->SetHover(true);
    f.label->HoverFontColor = RGB(0, 255, 0);
    f.label->HoverColor = RGB(255, 255, 0);
    auto paint = [&] {
        TBitmap b(400, 300);
        f.form->PaintTo(b.DC(), 0, 0);
        return std::make_pair(CountPixels(b, 0x00FF00) > 5, CountPixels(b, 0xFFFF00) > 20);
    };
    EXPECT_EQ(paint(), std::make_pair(false, false));
    int x = 0;
    while (x < 300 && f.label->AnchorAtPoint(x, 5).empty()) ++x;
    f.label->MouseMove(0, x + 2, 5);
    EXPECT_EQ(f.label->HoverIndex(), 0);
    EXPECT_EQ(paint(), std::make_pair(true, true));
    f.label->MouseLeave();
    EXPECT_EQ(f.label->HoverIndex(), -1);
    EXPECT_EQ(paint(), std::make_pair(false, false));
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

    // An auto-sized label follows the list's contents; the list's own
    // handler keeps hearing of the changes too.
    int own = 0;
    images->OnChange = [&](TObject*) { ++own; };
    f.label->SetHTMLText("<IMG SRC=\"IDX:0\">");
    f.label->SetAutoSizing(true);
    EXPECT_EQ(f.label->Height(), 16 + 6);
    images->SetSize(40, 40);  // empties the list
    const int empty = f.label->Height();
    EXPECT_LT(empty, 16 + 6);
    images->Add(&red);
    EXPECT_EQ(f.label->Height(), 40 + 6);
    EXPECT_EQ(own, 2);
    // Freeing the image list leaves the label without one: the image goes.
    TBitmap before(400, 300);
    f.form->PaintTo(before.DC(), 0, 0);
    EXPECT_GT(CountPixels(before, 0xFF0000), 100);
    images->Free();
    EXPECT_EQ(f.label->Images(), nullptr);
    TBitmap after(400, 300);
    f.form->PaintTo(after.DC(), 0, 0);
    EXPECT_EQ(CountPixels(after, 0xFF0000), 0);
    EXPECT_GT(CountPixels(after, 0xFFFFFF), 100);  // the label itself is still painted
}

// Counts the repaints a label asks for.
struct CountingLabel : THTMLabel {
    using THTMLabel::THTMLabel;
    int invalidated = 0;
    void Invalidate() override {
        ++invalidated;
        THTMLabel::Invalidate();
    }
};

// The mouse leaving the label straight from an anchor leaves the anchor:
// the cursor goes back, the exit is told, and coming back enters again.
TEST(HTMLabel, LeavingTheLabelLeavesTheAnchor) {
    LabelOnForm<CountingLabel> f;
    std::vector<std::string> events;
    f.label->OnAnchorEnter = [&](TObject*, const std::string& a) { events.push_back("enter " + a); };
    f.label->OnAnchorExit = [&](TObject*, const std::string& a) { events.push_back("exit " + a); };
    f.label->SetHover(true);
    f.label->SetHTMLText("<A HREF=\"a\">Verweis</A> und Text");
    f.label->MouseMove(0, 3, 5);
    EXPECT_EQ(f.label->HoverIndex(), 0);
    const int before = f.label->invalidated;
    f.label->MouseLeave();
    EXPECT_EQ(f.label->Cursor(), crDefault);
    EXPECT_EQ(f.label->HoverIndex(), -1);
    EXPECT_GT(f.label->invalidated, before);  // the hover look goes
    f.label->MouseLeave();                    // leaving twice tells once
    f.label->MouseMove(0, 3, 5);
    EXPECT_EQ(f.label->Cursor(), crHandPoint);
    EXPECT_EQ(events, (std::vector<std::string>{"enter a", "exit ", "enter a"}));
}

// The look's colours and the shadow offset repaint when they change, and
// only then.
TEST(HTMLabel, LookValuesRepaintWhenSet) {
    LabelOnForm<CountingLabel> f;
    THTMLabel& l = *f.label;
    struct Case {
        const char* name;
        std::function<void()> set;
    } cases[] = {
        {"HoverColor", [&] { l.HoverColor = RGB(255, 240, 200); }},
        {"HoverFontColor", [&] { l.HoverFontColor = RGB(200, 0, 0); }},
        {"ShadowColor", [&] { l.ShadowColor = clRed; }},
        {"ShadowOffset", [&] { l.ShadowOffset = 5; }},
    };
    for (const auto& c : cases) {
        int before = f.label->invalidated;
        c.set();
        EXPECT_EQ(f.label->invalidated, before + 1) << c.name;
        c.set();  // the same value again
        EXPECT_EQ(f.label->invalidated, before + 1) << c.name;
    }
    EXPECT_EQ(TColor(l.HoverColor), TColor(RGB(255, 240, 200)));
    EXPECT_EQ(int(l.ShadowOffset), 5);
    // The shadow is drawn with the new values.
    l.SetColor(clWhite);
    l.SetHTMLText("<SH><FONT SIZE=\"16\">Schatten</FONT></SH>");
    l.ShadowColor = RGB(0, 0, 255);
    TBitmap bmp(400, 300);
    f.form->PaintTo(bmp.DC(), 0, 0);
    EXPECT_GT(CountPixels(bmp, 0x0000FF), 20);
}

// A picture tiled behind the text covers what is seen, and only that: the
// auto-sizing label lays out into 65535 more pixels than it has.
TEST(HTMLabel, BackgroundPictureTilesTheVisibleArea) {
    LabelOnForm<THTMLabel> f;
    auto* pictures = Create<TPictureContainer>(f.form);
    pictures->Add("dot").Picture().LoadFromBytes(MakeBmp(1, 1, 0x00FF00));
    f.label->SetPictureContainer(pictures);
    f.label->SetAutoSizing(true);
    f.label->SetBounds(0, 0, 200, 40);
    f.label->SetHTMLText("<BODY BACKGROUND=\"Dot\">");
    TBitmap bmp(400, 300);
    f.form->PaintTo(bmp.DC(), 0, 0);
    EXPECT_EQ(CountPixels(bmp, 0x00FF00), f.label->Width() * f.label->Height());
}


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
