// The labels without painting: measuring, auto-size, anchors under the
// mouse, events and the shell routes of their links.
#include <gtest/gtest.h>

#include "controls/html/html_label.h"
#include "framework/form.h"
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
    // The network picture was remembered, not loaded.
    ASSERT_EQ(f.label->PictureCache().Count(), 1);
    EXPECT_TRUE(f.label->PictureCache().FindPicture("http://h/x.png")->Empty());
}

}  // namespace
