// Life cycle of windowed controls: lazy windows, the object pointer in the
// window, destruction order, deferred freeing, reflection, subclassed system
// classes and the exception boundary of the window procedure.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/custom_control.h"
#include "framework/exceptions.h"
#include "framework/graphic_control.h"
#include "framework/window_class.h"
#include "framework/window_hook.h"
#include "tests/framework/control_test_support.h"

static ::testing::Environment* const kControlEnv = ::testing::AddGlobalTestEnvironment(new ControlTestEnvironment);

namespace {

std::vector<std::string> g_log;

class LoggingControl : public TCustomControl {
public:
    explicit LoggingControl(TComponent* owner) : TCustomControl(owner) {}
    ~LoggingControl() override { g_log.push_back("dtor"); }
    std::string tag = "base";

protected:
    void BeforeDestruction() override {
        g_log.push_back("before:" + tag + ":" + (HandleAllocated() ? "window" : "none"));
        TCustomControl::BeforeDestruction();
        g_log.push_back("after-base");
    }
    void WMDestroy(TMessage& m) override {
        g_log.push_back("WM_DESTROY:" + tag);
        TCustomControl::WMDestroy(m);
    }
};

class DerivedControl : public LoggingControl {
public:
    explicit DerivedControl(TComponent* owner) : LoggingControl(owner) { tag = "derived"; }
};

}  // namespace

TEST(ControlLifecycle, DestroyMessageReachesMostDerivedHandlerWhileObjectIsWhole) {
    g_log.clear();
    auto* c = Create<DerivedControl>(nullptr);
    HWND h = c->Handle();
    ASSERT_TRUE(IsWindow(h));
    c->Free();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(g_log, (std::vector<std::string>{"before:derived:window", "WM_DESTROY:derived", "after-base", "dtor"}));
}

TEST(ControlLifecycle, DataOperationsCreateNoWindow) {
    auto* panel = Create<TCustomControl>(nullptr);
    auto* child = Create<TCustomControl>(panel);
    auto* label = Create<TGraphicControl>(panel);
    child->SetParent(panel);
    label->SetParent(panel);
    panel->SetBounds(0, 0, 200, 100);
    child->SetBounds(5, 5, 50, 20);
    child->SetAlign(alTop);
    child->SetText("Schließen");
    child->Invalidate();
    child->Repaint();
    child->Update();
    child->InvalidateRect(RECT{0, 0, 5, 5}, true);
    child->ScrollWindow(0, 10);
    label->Invalidate();
    label->SetBounds(1, 1, 10, 10);
    panel->Realign();
    EXPECT_EQ(child->ClientWidth(), 200);
    child->SetVisible(false);
    child->SetVisible(true);
    EXPECT_EQ(child->Text(), "Schließen");
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_FALSE(child->HandleAllocated());
    panel->Free();
}

namespace {
struct ClickStyleControl : TCustomControl {
    using TCustomControl::TCustomControl;
};
}  // namespace

TEST(ControlLifecycle, ClassStyleFollowsEachInstancesFlags) {
    auto* single = Create<ClickStyleControl>(nullptr);
    single->SetControlStyle(single->ControlStyle() & ~csDoubleClicks);
    auto* both = Create<ClickStyleControl>(nullptr);
    EXPECT_EQ(GetClassLongPtrA(single->Handle(), GCL_STYLE) & CS_DBLCLKS, 0u);
    EXPECT_NE(GetClassLongPtrA(both->Handle(), GCL_STYLE) & CS_DBLCLKS, 0u);
    EXPECT_EQ(FindControl(both->Handle()), both);
    single->Free();
    both->Free();
}

// Showing makes the windows of the visible children only; freeing the form
// frees children and owned components.
TEST(ControlLifecycle, ShowingAndFreeingTheParent) {
    g_log.clear();
    auto* form = Create<TForm>(nullptr);
    auto* a = Create<LoggingControl>(form);
    auto* hidden = Create<TCustomControl>(form);
    a->tag = "a";
    hidden->SetVisible(false);
    a->SetParent(form);
    hidden->SetParent(form);
    EXPECT_FALSE(form->HandleAllocated());
    form->Show();
    EXPECT_TRUE(a->HandleAllocated() && a->Showing());
    EXPECT_FALSE(hidden->HandleAllocated());
    form->Free();
    // The windows go first (children before the form's), then the objects.
    EXPECT_EQ(g_log, (std::vector<std::string>{"WM_DESTROY:a", "before:a:none", "after-base", "dtor"}));
}

namespace {
bool g_deleted_inside = true;

template <class Base>
class SelfFreeing : public Base {
public:
    SelfFreeing(TComponent* owner, bool* deleted) : Base(owner), deleted_(deleted) {}
    ~SelfFreeing() override { *deleted_ = true; }

protected:
    void Click() override {
        this->Free();
        g_deleted_inside = *deleted_;  // still alive: deletion waits for the dispatch
    }

private:
    bool* deleted_;
};
}  // namespace

TEST(ControlLifecycle, FreeInsideOwnClickHandlerIsDeferred) {
    for (bool windowed : {true, false}) {
        TForm* form = ShowTestForm();
        bool deleted = false;
        TControl* c = windowed
                          ? static_cast<TControl*>(Place<SelfFreeing<TCustomControl>>(form, form, 10, 10, 40, 20, &deleted))
                          : Place<SelfFreeing<TGraphicControl>>(form, form, 10, 10, 40, 20, &deleted);
        // A window-less control gets the mouse through its parent's window.
        HWND h = windowed ? static_cast<TWinControl*>(c)->Handle() : form->Handle();
        const int at = windowed ? 5 : 15;
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(at, at));
        EXPECT_FALSE(deleted);
        g_deleted_inside = true;
        SendMessageA(h, WM_LBUTTONUP, 0, PointToLParam(at, at));
        EXPECT_FALSE(g_deleted_inside) << windowed;
        EXPECT_TRUE(deleted) << windowed;
        EXPECT_EQ(IsWindow(h) != 0, !windowed);
        EXPECT_EQ(form->ControlCount(), 0);
        EXPECT_NE(MouseControl(), c);
        form->Free();
    }
}

namespace {
// A plain system EDIT wrapped by subclassing.
class PlainEdit : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<WORD> notifications;
    std::string typed;

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        p.WinClassName = "EDIT";
        p.SystemClass = true;
        p.Style |= ES_AUTOHSCROLL | WS_TABSTOP;
    }
    void CNCommand(TMessage& m) override { notifications.push_back(HIWORD(m.WParam)); }
    void KeyPress(char& key) override {
        typed += key;
        TWinControl::KeyPress(key);
    }
};

template <class Base>
class Throwing : public Base {
public:
    using Base::Base;

protected:
    void Click() override { throw EInvalidOperation("Fehler im Klick"); }
    void KeyPress(char&) override { throw EInvalidOperation("Fehler im Zeichen"); }
};

// A child that answers every reflected message with 7 and records it.
class ReflectChild : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<UINT> reflected;

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) {
            reflected.push_back(m.Msg - CN_BASE);
            m.Result = 7;
            return;
        }
        TCustomControl::Dispatch(m);
    }
};

// Records the messages that reach its own default processing.
class ReflectParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<UINT> own;

protected:
    void DefaultHandler(TMessage& m) override {
        own.push_back(m.Msg);
        TCustomControl::DefaultHandler(m);
    }
};
}  // namespace

TEST(ControlLifecycle, ExceptionInAHandlerStopsAtTheWindowOrSubclassProcedure) {
    TForm* form = ShowTestForm();
    auto* own = Place<Throwing<TCustomControl>>(form, form, 10, 10, 40, 20);
    auto* edit = Place<Throwing<PlainEdit>>(form, form, 10, 40, 80, 20);
    auto& caught = ControlTestEnvironment::CaughtExceptions();
    caught.clear();
    SendMessageA(own->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
    SendMessageA(own->Handle(), WM_LBUTTONUP, 0, PointToLParam(5, 5));
    SendMessageA(edit->Handle(), WM_CHAR, 'x', 1);
    EXPECT_EQ(caught, (std::vector<std::string>{"Fehler im Klick", "Fehler im Zeichen"}));
    // The subclassed window goes on working.
    edit->SetText("weiter");
    EXPECT_EQ(edit->Text(), "weiter");
    caught.clear();
    form->Free();
}

TEST(ControlReflection, ChildNotificationsReachTheChildExactlyOnce) {
    TForm* form = ShowTestForm();
    auto* parent = Place<ReflectParent>(form, form, 0, 0, 200, 100);
    auto* child = Place<ReflectChild>(form, parent, 5, 5, 50, 20);
    HWND ch = child->Handle();
    NMHDR hdr{ch, 1, static_cast<UINT>(NM_CLICK)};
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = ch;
    DRAWITEMSTRUCT menuItem{};
    menuItem.CtlType = ODT_MENU;
    HDC dc = GetDC(ch);
    const LPARAM fromChild = reinterpret_cast<LPARAM>(ch);
    const WPARAM hdc = reinterpret_cast<WPARAM>(dc);
    struct Case {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool reflected;  // false: a menu's, it stays with the parent
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(ID_INPLACE_EDITOR_COMMAND, 3), fromChild, true},
        {WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&hdr), true},
        {WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&item), true},
        {WM_CTLCOLOREDIT, hdc, fromChild, true},   {WM_CTLCOLORSTATIC, hdc, fromChild, true},
        {WM_CTLCOLORBTN, hdc, fromChild, true},    {WM_CTLCOLORLISTBOX, hdc, fromChild, true},
        {WM_COMMAND, 100, 0, false},
        {WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&menuItem), false},
    };
    for (const Case& c : cases) {
        child->reflected.clear();
        parent->own.clear();
        const LRESULT r = SendMessageA(parent->Handle(), c.msg, c.wParam, c.lParam);
        EXPECT_EQ(child->reflected, c.reflected ? std::vector<UINT>{c.msg} : std::vector<UINT>{}) << c.msg;
        EXPECT_EQ(parent->own, c.reflected ? std::vector<UINT>{} : std::vector<UINT>{c.msg}) << c.msg;
        EXPECT_TRUE(!c.reflected || r == 7) << c.msg;
    }
    ReleaseDC(ch, dc);
    form->Free();
}

TEST(ControlSubclass, SystemEditIsSubclassedAndKeepsItsText) {
    TForm* form = ShowTestForm();
    auto* edit = Place<PlainEdit>(form, form, 10, 10, 120, 22);
    HWND h = edit->Handle();
    char cls[32] = {};
    GetClassNameA(h, cls, sizeof(cls));
    EXPECT_STREQ(cls, "Edit");
    EXPECT_EQ(FindControl(h), edit);
    edit->SetText("Übernehmen");
    EXPECT_EQ(edit->Text(), "Übernehmen");
    ASSERT_FALSE(edit->notifications.empty());
    EXPECT_EQ(std::count(edit->notifications.begin(), edit->notifications.end(), EN_CHANGE), 1);
    // A typed CP1252 character arrives as its byte in the ANSI window procedure.
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(h, WM_CHAR, 0xE4, 1);
    EXPECT_EQ(edit->typed, "\xE4");
    EXPECT_EQ(edit->Text(), "ä");
    // The text survives the window.
    edit->SetText("Größe");
    HWND before = h;
    edit->RecreateWnd();
    EXPECT_NE(edit->WindowHandle(), nullptr);
    EXPECT_NE(edit->WindowHandle(), before);
    EXPECT_EQ(edit->Text(), "Größe");
    form->Free();
}

namespace {
LRESULT CALLBACK CountingSubclass(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_GETDLGCODE) ++*reinterpret_cast<int*>(data);
    return DefSubclassProc(h, msg, w, l);
}

class DlgCodeEdit : public PlainEdit {
public:
    using PlainEdit::PlainEdit;
    int handled = 0;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_GETDLGCODE) ++handled;
        PlainEdit::WndProc(m);
    }
};
}  // namespace

TEST(ControlSubclass, DefaultProcessingGoesThroughEveryOtherSubclassOnce) {
    TForm* form = ShowTestForm();
    auto* edit = Create<DlgCodeEdit>(form);
    edit->SetParent(form);
    HWND h = edit->Handle();
    int other = 0;
    ASSERT_TRUE(SetWindowSubclass(h, &CountingSubclass, 7, reinterpret_cast<DWORD_PTR>(&other)));
    struct Case {
        const char* how;
        bool perform;
    };
    for (const Case& c : {Case{"sent to the window", false}, Case{"given with Perform", true}}) {
        other = edit->handled = 0;
        const LRESULT code = c.perform ? edit->Perform(WM_GETDLGCODE) : SendMessageA(h, WM_GETDLGCODE, 0, 0);
        EXPECT_NE(code & DLGC_WANTCHARS, 0) << c.how;  // the edit class answered
        EXPECT_EQ(edit->handled, 1) << c.how;
        EXPECT_EQ(other, 1) << c.how;
    }
    RemoveWindowSubclass(h, &CountingSubclass, 7);
    form->Free();
}

namespace {
struct FreedSeen {
    bool deleted = false;
    bool deleted_inside = true;
};

// A control that keeps a hook on its own window, the way a control's helper
// object (its edit buttons) hooks its owner: the hook's handler frees the
// control and goes on afterwards.
template <class Base>
class HookFreed : public Base {
public:
    HookFreed(TComponent* owner, FreedSeen* seen) : Base(owner), seen_(seen) {}
    ~HookFreed() override { seen_->deleted = true; }
    void Hook() {
        hook_.Attach(this->Handle(), [this](TMessage& m) {
            if (m.Msg != WM_LBUTTONUP) return false;
            this->Free();
            seen_->deleted_inside = seen_->deleted;  // the hook and its owner are still there
            return true;
        });
    }

private:
    FreedSeen* seen_;
    TWindowHook hook_;
};

template <class C>
void ExpectFreeThroughHookIsDeferred(const char* kind) {
    TForm* form = ShowTestForm();
    FreedSeen seen;
    auto* c = Place<HookFreed<C>>(form, form, 10, 10, 80, 22, &seen);
    c->Hook();
    HWND h = c->Handle();
    SendMessageA(h, WM_LBUTTONUP, 0, PointToLParam(5, 5));
    EXPECT_FALSE(seen.deleted_inside) << kind;
    EXPECT_TRUE(seen.deleted) << kind;
    EXPECT_FALSE(IsWindow(h)) << kind;
    EXPECT_EQ(form->ControlCount(), 0) << kind;
    form->Free();
}
}  // namespace

TEST(ControlLifecycle, FreeInsideAWindowHookIsDeferredUntilTheMessageReturns) {
    ExpectFreeThroughHookIsDeferred<TCustomControl>("own class");
    ExpectFreeThroughHookIsDeferred<PlainEdit>("wrapped system class");
}
