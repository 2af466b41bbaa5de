// The rich edit wrapper: text in and out (plain, RTF, across a re-made
// window), the selection messages, the dialog code, notifications reflected
// from the parent, printing on a printer of the seam; and the form's size
// limits and inner margin.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/printer.h"
#include "framework/rich_edit.h"
#include "tests/framework/control_test_support.h"

namespace {

class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application()->Initialize();
        form = ShowTestForm(400, 300);
        edit = Place<TCustomRichEdit>(form, form, 10, 10, 300, 200);
        edit->Handle();
    }
    void TearDown() override {
        form->Free();
        Pump();
    }
    TForm* form = nullptr;
    TCustomRichEdit* edit = nullptr;
};

// Records the job instead of printing; a memory DC stands for the printer.
class RecordingPrinter : public TPrinter {
public:
    RecordingPrinter() : dc_(CreateCompatibleDC(nullptr)) {}
    ~RecordingPrinter() override { DeleteDC(dc_); }
    HDC Handle() const override { return dc_; }
    TPrinterMetrics Metrics() const override { return {600, 600, 100, 120, 4960, 7016, 4760, 6776}; }
    bool BeginDoc(const std::string& Title) override {
        calls.push_back("BeginDoc " + Title);
        printing_ = true;
        return true;
    }
    bool BeginPage() override {
        calls.push_back("BeginPage");
        return true;
    }
    void EndPage() override { calls.push_back("EndPage"); }
    void EndDoc() override {
        calls.push_back("EndDoc");
        printing_ = false;
    }
    std::vector<std::string> calls;

private:
    HDC dc_;
};

TEST_F(RichEditTest, TextInAndOut) {
    edit->SetText("Auftrag übernommen\r\nZweite Zeile");
    EXPECT_EQ(edit->GetText(), "Auftrag übernommen\r\nZweite Zeile");
    EXPECT_EQ(edit->LineCount(), 2);
    EXPECT_EQ(edit->Line(0), "Auftrag übernommen");
    EXPECT_EQ(edit->Line(1), "Zweite Zeile");
    EXPECT_EQ(edit->Line(2), "");

    edit->SetRtfText("{\\rtf1\\ansi {\\b Fett} und M\\'e4rz}");
    EXPECT_EQ(edit->GetText(), "Fett und März");
    const std::string rtf = edit->RtfText();
    EXPECT_EQ(rtf.compare(0, 5, "{\\rtf"), 0);
    EXPECT_NE(rtf.find("\\b"), std::string::npos);
    EXPECT_EQ(edit->TextLength(), 13);

    // The content and its formatting survive a re-made window.
    HWND before = edit->WindowHandle();
    edit->SetScrollBars(ssVertical);
    EXPECT_NE(edit->WindowHandle(), before);
    EXPECT_EQ(edit->GetText(), "Fett und März");
    EXPECT_NE(edit->RtfText().find("\\b"), std::string::npos);

    edit->SetModified(true);
    edit->Clear();
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_FALSE(edit->Modified());
}

// Counts EM_SETRECT reaching a window.
LRESULT CALLBACK CountSetRect(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    if (msg == EM_SETRECT) ++*reinterpret_cast<int*>(data);
    return DefSubclassProc(h, msg, w, l);
}

TEST_F(RichEditTest, AFormatRectSetBeforeTheWindowIsThereBeforeTheText) {
    auto* e = Create<TCustomRichEdit>(form);
    e->SetBounds(10, 10, 300, 200);
    const RECT r{20, 20, 250, 120};
    e->SetFormatRect(r);
    e->SetText(std::string(2000, 'x') + "\r\nzwei");
    RECT got = e->FormatRect();
    EXPECT_TRUE(EqualRect(&got, &r));  // no window yet: the one set
    e->SetParent(form);
    ASSERT_TRUE(e->HandleAllocated());
    // The control takes the horizontal scroll bar's room off the bottom.
    got = e->FormatRect();
    EXPECT_EQ(std::vector<LONG>({got.left, got.top, got.right}), std::vector<LONG>({r.left, r.top, r.right}));
    EXPECT_LE(got.bottom, r.bottom);
    int setRects = 0;
    SetWindowSubclass(e->Handle(), CountSetRect, 1, reinterpret_cast<DWORD_PTR>(&setRects));
    e->SetFormatRect(r);  // the same again: the text is not laid out anew
    EXPECT_EQ(setRects, 0);
    e->SetFormatRect(RECT{10, 10, 250, 120});
    EXPECT_EQ(setRects, 1);
    RemoveWindowSubclass(e->Handle(), CountSetRect, 1);
    // A remade window keeps the rectangle.
    e->SetScrollBars(ssNone);
    got = e->FormatRect();
    EXPECT_EQ(got.left, 10);
    EXPECT_EQ(e->GetText(), std::string(2000, 'x') + "\r\nzwei");
}

TEST_F(RichEditTest, ARemadeWindowKeepsTheModifiedFlag) {
    edit->SetText("Auftrag");
    EXPECT_FALSE(edit->Modified());
    edit->SetModified(true);
    edit->SetScrollBars(ssBoth);
    EXPECT_TRUE(edit->Modified());
    edit->SetModified(false);
    edit->SetScrollBars(ssNone);
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(edit->GetText(), "Auftrag");
}

TEST_F(RichEditTest, SelectionMessages) {
    edit->SetText("Bestellung 4711 für Müller");
    edit->SetSelection(11, 15);
    const CHARRANGE r = edit->Selection();
    EXPECT_EQ(r.cpMin, 11);
    EXPECT_EQ(r.cpMax, 15);
    EXPECT_EQ(edit->SelLength(), 4);
    EXPECT_EQ(edit->SelText(), "4711");
    edit->ReplaceSel("0815");
    EXPECT_EQ(edit->GetText(), "Bestellung 0815 für Müller");
    EXPECT_EQ(edit->TextRange(20, 26), "Müller");
    EXPECT_EQ(edit->TextRange(20, -1), "Müller");
    edit->SetSelection(3, 3);
    EXPECT_EQ(edit->SelText(), "");
}

TEST_F(RichEditTest, TabIsADialogKeyUnlessWanted) {
    const auto code = [&] { return edit->Perform(WM_GETDLGCODE, VK_TAB, 0); };
    EXPECT_EQ(code() & (DLGC_WANTTAB | DLGC_WANTALLKEYS), 0);
    EXPECT_NE(code() & DLGC_WANTCHARS, 0);
    edit->SetWantTabs(true);
    EXPECT_NE(code() & DLGC_WANTTAB, 0);

    // Through the key pipeline Tab leaves the control for the next one.
    edit->SetWantTabs(false);
    auto* next = Place<TCustomRichEdit>(form, form, 10, 220, 100, 40);
    form->SetActiveControl(edit);
    edit->SetFocus();
    Pump();
    RouteKey(edit->Handle(), VK_TAB);
    Pump();
    EXPECT_EQ(GetFocus(), next->Handle());
}

TEST_F(RichEditTest, ChangesAndProtectedTextReachTheControl) {
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->ReplaceSel("x");
    Pump();
    EXPECT_GE(changes, 1);

    std::vector<int> asked;
    edit->OnProtectChange = [&](TObject*, int a, int b, bool& allow) {
        asked = {a, b};
        allow = false;
    };
    ENPROTECTED p{};
    p.nmhdr.hwndFrom = edit->Handle();
    p.nmhdr.code = EN_PROTECTED;
    p.chrg.cpMin = 2;
    p.chrg.cpMax = 5;
    // Sent to the parent, reflected to the control: non-zero refuses.
    EXPECT_EQ(SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&p)), 1);
    EXPECT_EQ(asked, (std::vector<int>{2, 5}));
}

TEST_F(RichEditTest, PrintsPagesUntilNoProgressWithTheTitle) {
    edit->SetText("Erste Zeile\r\nZweite Zeile");
    RecordingPrinter printer;
    edit->PageRect = {372, 352, 4388, 6424};
    ASSERT_TRUE(edit->Print(printer, "Erste Zeile"));
    ASSERT_GE(printer.calls.size(), 4u);
    EXPECT_EQ(printer.calls.front(), "BeginDoc Erste Zeile");
    EXPECT_EQ(printer.calls.back(), "EndDoc");
    // Wine lays out no page (EM_FORMATRANGE gives 0): one page, then the end.
    EXPECT_EQ(printer.calls.size() % 2, 0u);
}

TEST_F(RichEditTest, PrintDialogSeamGivesThePrinter) {
    bool asked = false;
    SetPrintDialogRunner([&](HWND) -> std::unique_ptr<TPrinter> {
        asked = true;
        return nullptr;
    });
    EXPECT_EQ(ExecutePrintDialog(form->Handle()), nullptr);
    EXPECT_TRUE(asked);
    SetPrintDialogRunner(nullptr);
}

TEST(FormFrame, SizeLimitsFromConstraintsAndInnerMargin) {
    Application()->Initialize();
    TForm* f = Create<TForm>(nullptr);
    f->Constraints().MinWidth = 337;
    f->Constraints().MinHeight = 150;
    f->Constraints().MaxWidth = 900;
    f->SetBorderWidth(5);
    f->SetClientSize(300, 200);
    auto* child = Create<TCustomRichEdit>(f);
    child->SetAlign(alClient);
    child->SetParent(f);
    MINMAXINFO info{};
    SendMessageA(f->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 337);
    EXPECT_EQ(info.ptMinTrackSize.y, 150);
    EXPECT_EQ(info.ptMaxTrackSize.x, 900);
    EXPECT_EQ(child->Left(), 5);
    EXPECT_EQ(child->Top(), 5);
    EXPECT_EQ(child->Width(), f->ClientWidth() - 10);
    EXPECT_EQ(child->Height(), f->ClientHeight() - 10);
    f->Free();
}

}  // namespace
