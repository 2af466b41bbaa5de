// The summary window and its rich edits: the OLE rich edit's window styles,
// callback and its lifetime, host names; the link click reaching the shell
// seam (resolved for file links), the Ctrl+Tab rule, closing, printing
// through the print dialog seam, the placeholder's colour.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "controls/dialogs/ole_rich_edit.h"
#include "controls/dialogs/rich_edit_links.h"
#include "controls/dialogs/summary_links.h"
#include "controls/dialogs/summary_window.h"
#include "controls/flat/flat_button.h"
#include "controls/menus/edit_context_menu.h"
#include "foundation/shell_jobs.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/printer.h"
#include "tests/framework/user_input.h"

namespace {

void Pump() { Application()->ProcessMessages(); }

template <class F>
bool PumpUntil(F done, int rounds = 200) {
    for (int i = 0; i < rounds && !done(); ++i, Sleep(10)) Pump();
    return done();
}

// What reached the shell seam (from the shell-job threads).
struct ShellCalls {
    std::mutex m;
    std::vector<std::string> calls;
    void Add(const std::string& s) {
        std::lock_guard<std::mutex> g(m);
        calls.push_back(s);
    }
    std::vector<std::string> Get() {
        std::lock_guard<std::mutex> g(m);
        return calls;
    }
};

class SummaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application()->Initialize();
        SetShellExecutor([this](const std::string& v, const std::string& f, int show) -> intptr_t {
            shell.Add(v + "|" + f + "|" + std::to_string(show));
            return 42;
        });
    }
    void TearDown() override {
        ShellJobPoolShutdown();
        SetShellExecutor(nullptr);
        SetFileLinkResolver(nullptr);
        SetPrintDialogRunner(nullptr);
        Pump();
    }
    ShellCalls shell;
};

LONG RefCount(IUnknown* p) {
    p->AddRef();
    return static_cast<LONG>(p->Release());
}

TEST_F(SummaryTest, OleRichEditStylesAndCallbackLifetime) {
    TForm* f = Create<TForm>(nullptr);
    auto* e = Create<TOLECustomRichEdit>(f);
    e->SetBounds(10, 10, 200, 100);
    e->SetParent(f);
    HWND first = e->Handle();
    RECT before;
    GetWindowRect(first, &before);
    EXPECT_EQ(GetWindowLongA(first, GWL_STYLE) & ES_NOOLEDRAGDROP, 0);
    e->SetOLEDragDrop(false);
    HWND second = e->Handle();
    EXPECT_NE(second, first);
    EXPECT_NE(GetWindowLongA(second, GWL_STYLE) & ES_NOOLEDRAGDROP, 0);
    RECT after;
    GetWindowRect(second, &after);
    EXPECT_TRUE(EqualRect(&before, &after));

    // Registered with the window, which holds a reference of its own ...
    IRichEditOleCallback* cb = e->OleCallback();
    EXPECT_EQ(RefCount(cb), 1);
    e->SetAllowObjects(true);
    e->HandleNeeded();
    EXPECT_NE(e->RichEditOle(), nullptr);
    EXPECT_GT(RefCount(cb), 1);
    // ... and gives it back before the window goes.
    e->SetAllowObjects(false);
    e->HandleNeeded();
    EXPECT_EQ(RefCount(cb), 1);
    EXPECT_EQ(e->RichEditOle(), nullptr);

    ComPtr<IStorage> storage;
    ASSERT_EQ(cb->GetNewStorage(storage.Put()), S_OK);
    STATSTG stat{};
    EXPECT_EQ(storage->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(cb->QueryAcceptData(nullptr, nullptr, 0, TRUE, nullptr), S_OK);
    IDataObject* data = reinterpret_cast<IDataObject*>(1);
    EXPECT_EQ(cb->GetClipboardData(nullptr, 0, &data), E_NOTIMPL);
    EXPECT_EQ(data, nullptr);
    HMENU menu = reinterpret_cast<HMENU>(1);
    EXPECT_EQ(cb->GetContextMenu(0, nullptr, nullptr, &menu), E_NOTIMPL);
    EXPECT_EQ(cb->GetInPlaceContext(nullptr, nullptr, nullptr), E_NOTIMPL);

    // A window that goes with its control while objects are allowed.
    e->SetAllowObjects(true);
    e->HandleNeeded();
    e->SetText("Text");
    e->SetModified(true);
    e->Clear();
    EXPECT_FALSE(e->Modified());
    // Freed with its window: both the window's and the control's references
    // are given back, the callback lives on for whoever still holds it.
    auto kept = ComPtr<IRichEditOleCallback>::Copy(cb);
    EXPECT_EQ(RefCount(cb), 3);
    f->Free();
    Pump();
    EXPECT_EQ(RefCount(kept.Get()), 1);
    EXPECT_EQ(kept->QueryInsertObject(nullptr, nullptr, 0), S_OK);
}

TEST_F(SummaryTest, FrameInTheFrameColourWithABorderWidth) {
    TForm* f = Create<TForm>(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(30, 30, 200, 120);
    auto* e = Create<TRichEditWithLinks>(f);
    e->SetBounds(10, 10, 120, 60);
    e->SetScrollBars(ssNone);
    e->SetBorderWidth(1);
    e->SetParent(f);
    f->Show();
    e->Handle();
    SetWindowPos(e->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RedrawWindow(e->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    RECT client;
    GetClientRect(e->Handle(), &client);
    EXPECT_EQ(client.right, 118);  // one pixel of frame on each side
    HDC dc = GetWindowDC(e->Handle());
    const COLORREF frame = RGB(240, 202, 166);  // 10930928
    EXPECT_EQ(GetPixel(dc, 0, 0), frame);
    EXPECT_EQ(GetPixel(dc, 119, 59), frame);
    EXPECT_EQ(GetPixel(dc, 60, 0), frame);
    EXPECT_NE(GetPixel(dc, 60, 30), frame);
    ReleaseDC(e->Handle(), dc);
    f->Free();
    Pump();
}

TEST(RichEditHost, NameIsTheTitleWithoutBlanksElseTheProgram) {
    EXPECT_EQ(RichEditHostName("Order Import", "C:\\x\\prog.exe"), "OrderImport");
    EXPECT_EQ(RichEditHostName("  ", "C:\\x\\prog.exe"), "prog.exe");
    EXPECT_EQ(RichEditHostName("", "C:\\x\\prog.exe"), "prog.exe");
}

TEST(RichEditPlaceholder, ColourIsTheInvertedBackgroundLightened) {
    EXPECT_EQ(PlaceholderColor(RGB(255, 255, 255)), static_cast<TColor>(0xD4D4D4));
    EXPECT_EQ(PlaceholderColor(RGB(0, 0, 0)), static_cast<TColor>(0xFFFFFF));
}

// A shown summary window with Text.
TFTip* ShownTip(const std::string& Text) {
    auto* tip = Create<TFTip>(nullptr);
    tip->SetCaption("Informationen:");
    tip->RichEdit->SetText(Text);
    tip->Show();
    tip->FormShow(tip);
    Pump();
    return tip;
}

POINT CharPoint(TRichEditWithLinks* e, int Char) {
    POINTL p{};
    SendMessageA(e->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), Char);
    return {p.x + 2, p.y + 4};
}

void Mouse(HWND h, UINT msg, POINT p) {
    SendMessageA(h, msg, msg == WM_LBUTTONUP || msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

LRESULT CALLBACK CountSetRect(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    if (msg == EM_SETRECT) ++*reinterpret_cast<int*>(data);
    return DefSubclassProc(h, msg, w, l);
}

TEST_F(SummaryTest, TheTextIsLaidOutInItsRectangleOnce) {
    // Each new rectangle lays out the whole text again (a minute for a long
    // report): the window gets it before the text, and showing sets no other.
    TFTip* tip = ShownTip(std::string(3000, 'x') + "\r\nhttp://example.com/a");
    TRichEditWithLinks* e = tip->RichEdit;
    int setRects = 0;
    SetWindowSubclass(e->Handle(), CountSetRect, 1, reinterpret_cast<DWORD_PTR>(&setRects));
    tip->FormShow(tip);
    EXPECT_EQ(setRects, 0);
    RemoveWindowSubclass(e->Handle(), CountSetRect, 1);
    const RECT client = e->ClientRect(), fr = e->FormatRect();
    EXPECT_EQ(fr.left, 20);
    EXPECT_EQ(fr.right, client.right - 20);
    EXPECT_EQ(fr.bottom, client.bottom - 20);
    tip->Free();
    Pump();
}

TEST_F(SummaryTest, FormatRectIsInsetAndLinksReachTheShell) {
    const std::string text = "Siehe http://example.com/abcdef und mehr";
    TFTip* tip = ShownTip(text);
    TRichEditWithLinks* e = tip->RichEdit;
    RECT client = e->ClientRect(), fr = e->FormatRect();
    EXPECT_EQ(fr.left, 20);
    EXPECT_EQ(fr.top, 20);
    EXPECT_EQ(fr.right, client.right - 20);
    EXPECT_EQ(fr.bottom, client.bottom - 20);

    // Press, move and release on the link with nothing selected: one call.
    const POINT on = CharPoint(e, 10);
    e->SetSelection(0, 0);
    Mouse(e->Handle(), WM_MOUSEMOVE, on);
    Mouse(e->Handle(), WM_LBUTTONDOWN, on);
    Mouse(e->Handle(), WM_LBUTTONUP, on);
    EXPECT_TRUE(PumpUntil([&] { return !shell.Get().empty(); }));
    ShellJobPoolShutdown();
    EXPECT_EQ(shell.Get(), (std::vector<std::string>{"open|http://example.com/abcdef|1"}));

    // A release on the link without a press there (the window opened under
    // a pointer whose button was still down) is no click; nor is a press
    // beside the link with the release on it.
    Mouse(e->Handle(), WM_MOUSEMOVE, on);
    Mouse(e->Handle(), WM_LBUTTONUP, on);
    Mouse(e->Handle(), WM_LBUTTONDOWN, CharPoint(e, 2));
    Mouse(e->Handle(), WM_LBUTTONUP, on);
    e->SetSelection(0, 0);
    Mouse(e->Handle(), WM_LBUTTONUP, on);
    Pump();
    ShellJobPoolShutdown();
    EXPECT_EQ(shell.Get().size(), 1u);

    // Press on the link, drag 8 characters, release on the link: a selection, no call.
    Mouse(e->Handle(), WM_LBUTTONDOWN, CharPoint(e, 15));
    Mouse(e->Handle(), WM_MOUSEMOVE, CharPoint(e, 23));
    Mouse(e->Handle(), WM_LBUTTONUP, CharPoint(e, 23));
    Pump();
    ShellJobPoolShutdown();
    EXPECT_GT(e->SelLength(), 0);
    EXPECT_EQ(shell.Get().size(), 1u);
    tip->Free();
    Pump();
}

TEST_F(SummaryTest, FileLinksOpenOnlyResolvedAndOtherSchemesNever) {
    SetFileLinkResolver([](const std::string& link) {
        return link == "file://[SERVER]Order1.pdf" ? std::string("\\\\srv\\docs\\Order1.pdf") : std::string();
    });
    struct {
        const char* link;
        const char* opened;
    } cases[] = {
        {"file://[SERVER]Order1.pdf", "\\\\srv\\docs\\Order1.pdf"},
        {"file://C:/Daten/x.txt", ""},  // nothing resolved: nothing opened
        {"http://example.com/a", "http://example.com/a"},
        {"HTTPS://example.com/a", "HTTPS://example.com/a"},
        {"www.example.com", "www.example.com"},
        {"mailto:max@firma.de", "mailto:max@firma.de"},
        {"telnet://host", ""},
        {"news:de.comp", ""},
        {"ftp://host/a", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ShellTargetOfLink(c.link), c.opened) << c.link;

    TFTip* tip = Create<TFTip>(nullptr);
    tip->RichEditHyperlinkClicked(tip->RichEdit, 0, 25, "file://[SERVER]Order1.pdf");
    ShellJobPoolShutdown();
    EXPECT_EQ(shell.Get(), (std::vector<std::string>{"open|\\\\srv\\docs\\Order1.pdf|1"}));

    // With no resolver installed the document roots resolve: a link to an
    // existing file opens the file itself, without "file://".
    SetFileLinkResolver(nullptr);
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    const std::string file = std::string(dir) + "summary_link_probe.txt";
    CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    tip->RichEditHyperlinkClicked(tip->RichEdit, 0, 25, "file://" + file);
    ShellJobPoolShutdown();
    DeleteFileA(file.c_str());
    EXPECT_EQ(shell.Get().back(), "open|" + file + "|1");

    // A link to a program never starts it: its folder shows it selected.
    const std::string program = std::string(dir) + "summary_link_probe.exe";
    CloseHandle(CreateFileA(program.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::vector<std::string> selected;
    TFolderSelector old = SetFolderSelector([&](const std::string& p) {
        selected.push_back(p);
        return true;
    });
    const size_t calls = shell.Get().size();
    tip->RichEditHyperlinkClicked(tip->RichEdit, 0, 25, "file://" + program);
    // Nor does a link the roots cannot resolve, nor another scheme.
    tip->RichEditHyperlinkClicked(tip->RichEdit, 0, 25, "file://C:\\nirgends\\x.pdf");
    tip->RichEditHyperlinkClicked(tip->RichEdit, 0, 25, "telnet://host");
    ShellJobPoolShutdown();
    SetFolderSelector(old);
    DeleteFileA(program.c_str());
    EXPECT_EQ(selected, std::vector<std::string>{program});
    EXPECT_EQ(shell.Get().size(), calls);
    tip->Free();
}

TEST_F(SummaryTest, CtrlTabStaysTabMovesOn) {
    TFTip* tip = ShownTip("Text");
    const auto code = [&] { return tip->RichEdit->Perform(WM_GETDLGCODE, VK_TAB, 0); };
    EXPECT_EQ(code() & DLGC_WANTTAB, 0);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_NE(code() & DLGC_WANTTAB, 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(code() & DLGC_WANTTAB, 0);
    tip->Free();
    Pump();
}

TEST_F(SummaryTest, EscapeClosesWithoutResultWeiterGivesOk) {
    struct {
        bool escape;
        TModalResult result;
    } cases[] = {{true, mrCancel}, {false, mrOk}};
    for (const auto& c : cases) {
        TFTip* tip = Create<TFTip>(nullptr);
        tip->RichEdit->SetText("Zusammenfassung");
        if (c.escape) {
            // The key as a keyboard gives it: the modal loop's TranslateMessage makes its character.
            const HWND edit = tip->RichEdit->Handle();
            PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, user_input::KeyLParam(VK_ESCAPE, false, false));
            PostMessageA(edit, WM_KEYUP, VK_ESCAPE, user_input::KeyLParam(VK_ESCAPE, true, false));
        } else {
            HWND b = tip->FlatButton2->Handle();
            PostMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        }
        EXPECT_EQ(tip->ShowModal(), c.result);
        tip->Free();
        Pump();
    }
}

TEST_F(SummaryTest, ContextMenuCopiesTheSelectionAndSelectsAll) {
    TFTip* tip = ShownTip("Auftrag 1043 übernommen");
    TRichEditWithLinks* e = tip->RichEdit;
    ASSERT_EQ(e->PopupMenu(), tip->PopupMenu);
    ASSERT_EQ(tip->PopupMenu->Items()->Count(), 6);
    EXPECT_FALSE(tip->PopupMenu->SymbolItem()->Visible());
    EXPECT_EQ(tip->PopupMenu->Color(), static_cast<TColor>(clWhite));
    tip->PopupMenu->SetPopupComponent(e);

    e->SetSelection(2, 2);
    tip->PopupMenu->PreparePopup();
    EXPECT_FALSE(tip->PopupMenu->CopyItem()->Enabled());
    e->SetSelection(8, 12);
    tip->PopupMenu->PreparePopup();
    EXPECT_TRUE(tip->PopupMenu->CopyItem()->Enabled());
    tip->PopupMenu->CopyItem()->Click();
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_TEXT);
    EXPECT_STREQ(h ? static_cast<const char*>(GlobalLock(h)) : "", "1043");
    if (h) GlobalUnlock(h);
    CloseClipboard();
    tip->PopupMenu->SelectAllItem()->Click();
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_GE(e->SelLength(), e->TextLength());  // the control's final paragraph mark too
    tip->Free();
    Pump();
}

// Records the job; a memory DC stands for the printer.
class JobPrinter : public TPrinter {
public:
    explicit JobPrinter(std::vector<std::string>* Log) : log_(Log), dc_(CreateCompatibleDC(nullptr)) {}
    ~JobPrinter() override { DeleteDC(dc_); }
    HDC Handle() const override { return dc_; }
    TPrinterMetrics Metrics() const override { return {600, 600, 100, 120, 4960, 7016, 4760, 6776}; }
    bool BeginDoc(const std::string& Title) override {
        log_->push_back("job [" + Title + "]");
        return printing_ = true;
    }
    bool BeginPage() override {
        log_->push_back("page");
        return true;
    }
    void EndPage() override {}
    void EndDoc() override {
        log_->push_back("end");
        printing_ = false;
    }

private:
    std::vector<std::string>* log_;
    HDC dc_;
};

TEST_F(SummaryTest, PrintsThroughTheDialogSeamWithMarginsAndTitle) {
    struct {
        const char* text;
        bool chosen;
        std::vector<std::string> log;
    } cases[] = {
        {"Import beendet\r\n3 Aufträge", true, {"job [Import beendet]", "page", "end"}},
        {"", true, {"job []", "page", "end"}},
        {"Import beendet", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> log;
        SetPrintDialogRunner([&](HWND) -> std::unique_ptr<TPrinter> {
            if (!c.chosen) return nullptr;
            return std::make_unique<JobPrinter>(&log);
        });
        TFTip* tip = ShownTip(c.text);
        EXPECT_EQ(tip->Print(), c.chosen);
        EXPECT_EQ(log, c.log) << c.text;
        if (c.chosen) {
            const RECT& r = tip->RichEdit->PageRect;
            EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
                      std::vector<LONG>({372, 352, 4388, 6424}));
        }
        tip->Free();
        Pump();
    }
}

}  // namespace

TEST_F(SummaryTest, DruckenAndWeiterShowTheirGlyphsOnTheButtonsGround) {
    TFTip* tip = Create<TFTip>(nullptr);
    const struct {
        TFlatButton* button;
        COLORREF colour;  // a colour only the glyph has
        int pixels;       // how many of it the glyph holds
    } cases[] = {{tip->FlatButton_HK_close, RGB(0xFF, 0x30, 0x30), 1}, {tip->FlatButton2, RGB(0xA8, 0xD8, 0xFF), 43}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button->Caption());
        EXPECT_EQ(c.button->Glyph().Width(), 16);
        EXPECT_EQ(c.button->Glyph().Height(), 16);
        EXPECT_EQ(c.button->NumGlyphs(), 1);
        TBitmap shown(c.button->Width(), c.button->Height());
        c.button->PaintTo(shown.DC(), 0, 0);
        int own = 0, key = 0;
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x) {
                const COLORREF px = static_cast<COLORREF>(shown.Pixel(x, y));
                own += px == c.colour;
                key += px == RGB(0xFF, 0x00, 0xFF);
            }
        EXPECT_EQ(own, c.pixels);
        EXPECT_EQ(key, 0);
    }
    tip->Free();
    Pump();
}
