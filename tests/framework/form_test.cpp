// Forms: the modal loop, closing, creation events and alignment.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/custom_control.h"
#include "framework/exceptions.h"
#include "framework/screen.h"
#include "tests/framework/control_test_support.h"

namespace {

constexpr UINT kSetResult = WM_USER + 1;
constexpr UINT kKeepRunning = WM_USER + 2;
constexpr UINT kRun = WM_USER + 3;

class ModalForm : public TForm {
public:
    explicit ModalForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsDialog);
        SetBounds(50, 50, 200, 120);
    }
    std::vector<std::string> log;
    std::function<void()> run;  // what a posted kRun does

protected:
    void DoCreate() override {
        log.push_back("create:" + ClassName());
        TForm::DoCreate();
    }
    void Dispatch(TMessage& m) override {
        if (m.Msg == kSetResult) {
            log.push_back("result");
            SetModalResult(static_cast<TModalResult>(m.WParam));
            return;
        }
        if (m.Msg == kKeepRunning) {
            log.push_back("zero");
            SetModalResult(mrNone);
            PostMessageA(WindowHandle(), kSetResult, mrYes, 0);
            return;
        }
        if (m.Msg == kRun) {
            run();
            return;
        }
        TForm::Dispatch(m);
    }
};

}  // namespace

TEST(FormModal, PostedResultEndsTheLoopAndZeroKeepsItRunning) {
    auto* f = Create<ModalForm>(nullptr);
    std::vector<std::string> closed;
    f->OnClose = [&](TObject*, TCloseAction& a) {
        closed.push_back("close");
        EXPECT_EQ(a, caHide);
    };
    PostMessageA(f->Handle(), kKeepRunning, 0, 0);
    EXPECT_EQ(f->ShowModal(), mrYes);
    EXPECT_EQ(f->log, (std::vector<std::string>{"create:ModalForm", "zero", "result"}));
    EXPECT_EQ(closed.size(), 1u);
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(f->Modal());
    f->Free();
}

TEST(FormModal, RefusedCloseQueryKeepsTheFormOpen) {
    auto* f = Create<ModalForm>(nullptr);
    int asked = 0;
    f->OnCloseQuery = [&](TObject*, bool& canClose) {
        ++asked;
        canClose = asked > 1;
        if (!canClose) PostMessageA(f->WindowHandle(), kSetResult, mrNo, 0);
    };
    PostMessageA(f->Handle(), kSetResult, mrOk, 0);
    EXPECT_EQ(f->ShowModal(), mrNo);
    EXPECT_EQ(asked, 2);
    f->Free();
}

TEST(FormModal, NestedLoopEndsFirstAndDisablesTheOuterFormMeanwhile) {
    auto* outer = Create<ModalForm>(nullptr);
    auto* inner = Create<ModalForm>(nullptr);
    TModalResult innerResult = mrNone;
    bool outerEnabledMeanwhile = true, outerEnabledAfter = false, outerModalAfter = false;
    inner->OnShow = [&](TObject*) {
        outerEnabledMeanwhile = IsWindowEnabled(outer->WindowHandle()) != 0;
        PostMessageA(inner->WindowHandle(), kSetResult, mrOk, 0);
    };
    outer->run = [&] {
        innerResult = inner->ShowModal();
        outerEnabledAfter = IsWindowEnabled(outer->WindowHandle()) != 0;
        outerModalAfter = outer->Modal();
        PostMessageA(outer->WindowHandle(), kSetResult, mrYes, 0);
    };
    PostMessageA(outer->Handle(), kRun, 0, 0);
    EXPECT_EQ(outer->ShowModal(), mrYes);
    EXPECT_EQ(innerResult, mrOk);
    EXPECT_FALSE(outerEnabledMeanwhile);
    EXPECT_TRUE(outerEnabledAfter);
    EXPECT_TRUE(outerModalAfter);
    inner->Free();
    outer->Free();
}

TEST(FormModal, TerminateEndsEveryLoopWithCancel) {
    auto* outer = Create<ModalForm>(nullptr);
    auto* inner = Create<ModalForm>(nullptr);
    TModalResult innerResult = mrNone;
    inner->run = [] { Application()->Terminate(); };
    outer->run = [&] {
        PostMessageA(inner->Handle(), kRun, 0, 0);
        innerResult = inner->ShowModal();
    };
    PostMessageA(outer->Handle(), kRun, 0, 0);
    EXPECT_EQ(outer->ShowModal(), mrCancel);
    EXPECT_EQ(innerResult, mrCancel);
    EXPECT_FALSE(outer->Visible());
    inner->Free();
    outer->Free();
    // The application starts again for the tests that follow.
    Application()->Finalize();
    Application()->Initialize();
}

TEST(FormModal, FreeOnCloseFreesTheFormAfterTheLoop) {
    auto* f = Create<ModalForm>(nullptr);
    bool destroyed = false;
    f->OnDestroy = [&](TObject*) { destroyed = true; };
    f->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    PostMessageA(f->Handle(), kSetResult, mrOk, 0);
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_FALSE(destroyed);
    Pump();
    EXPECT_TRUE(destroyed);
}

TEST(FormModal, AVisibleFormIsNoModalOneAndCloseQueryCanRefuse) {
    TForm* f = ShowTestForm();
    EXPECT_THROW(f->ShowModal(), EInvalidOperation);
    bool allow = false;
    f->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    f->Close();
    EXPECT_TRUE(f->Visible());
    allow = true;
    f->Close();
    EXPECT_FALSE(f->Visible());
    f->Free();
}

TEST(FormClose, ReleasedFormGoesOnceTheQueueGetsThere) {
    struct Case {
        const char* how;
        bool shown;
    };
    for (const Case& c : {Case{"caFree from WM_CLOSE", true}, Case{"Release of a form never shown", false}}) {
        TForm* f = c.shown ? ShowTestForm() : Create<TForm>(nullptr);
        bool destroyed = false;
        f->OnDestroy = [&](TObject*) { destroyed = true; };
        f->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
        HWND h = f->WindowHandle();
        if (c.shown)
            SendMessageA(h, WM_CLOSE, 0, 0);
        else
            f->Release();
        EXPECT_FALSE(destroyed) << c.how;  // released, not freed at once
        EXPECT_EQ(f->HandleAllocated(), c.shown) << c.how;  // and no window made for it
        for (int i = 0; i < 50 && !destroyed; ++i) {
            Sleep(5);
            Pump();
        }
        EXPECT_TRUE(destroyed) << c.how;
        EXPECT_TRUE(!h || !IsWindow(h)) << c.how;
    }
}

TEST(FormLifetime, FreedFocusedFormLeavesNoScreenReference) {
    TForm* f = ShowTestForm();
    ::SetFocus(f->Handle());
    Pump();
    ASSERT_EQ(Screen()->ActiveControl(), f);  // the form holds the focus itself
    f->Free();
    EXPECT_EQ(Screen()->ActiveControl(), nullptr);
    EXPECT_EQ(Screen()->ActiveForm(), nullptr);
    // Removing a control afterwards must not look at the freed form.
    TForm* g = ShowTestForm();
    auto* c = Create<TCustomControl>(g);
    c->SetParent(g);
    c->SetParent(nullptr);
    c->Free();
    g->Free();
}

TEST(FormLifetime, AnythingThrownByOnDestroyIsReportedAndTheFormStillGoes) {
    auto& caught = ControlTestEnvironment::CaughtExceptions();
    for (bool foreign : {true, false}) {
        caught.clear();
        TForm* f = Create<TForm>(nullptr);
        const int before = Screen()->FormCount();
        f->OnDestroy = [foreign](TObject*) {
            if (foreign) throw 42;
            throw EInvalidOperation("kaputt");
        };
        f->Free();
        EXPECT_EQ(Screen()->FormCount(), before - 1);
        EXPECT_EQ(caught, std::vector<std::string>{foreign ? "Unbekannter Fehler" : "kaputt"});
    }
    caught.clear();
}

namespace {
std::vector<LONG> Bounds(TControl* c) {
    const RECT r = c->BoundsRect();
    return {r.left, r.top, r.right, r.bottom};
}
}  // namespace

TEST(FormAlign, AlignedChildrenFillTheClientAreaInOrder) {
    auto* panel = Create<TCustomControl>(nullptr);
    panel->SetBounds(0, 0, 200, 100);
    auto make = [&](TAlign a, int w, int h) {
        auto* c = Create<TCustomControl>(panel);
        c->SetBounds(0, 0, w, h);
        c->SetAlign(a);
        c->SetParent(panel);
        return c;
    };
    auto* top = make(alTop, 10, 20);
    auto* bottom = make(alBottom, 10, 10);
    auto* left = make(alLeft, 30, 10);
    auto* client = make(alClient, 1, 1);
    auto* right = make(alRight, 25, 10);
    EXPECT_EQ(Bounds(top), (std::vector<LONG>{0, 0, 200, 20}));
    EXPECT_EQ(Bounds(bottom), (std::vector<LONG>{0, 90, 200, 100}));
    EXPECT_EQ(Bounds(left), (std::vector<LONG>{0, 20, 30, 90}));
    EXPECT_EQ(Bounds(right), (std::vector<LONG>{175, 20, 200, 90}));
    EXPECT_EQ(Bounds(client), (std::vector<LONG>{30, 20, 175, 90}));
    // Resizing the container realigns; a second top control goes below the first.
    panel->SetBounds(0, 0, 300, 200);
    auto* top2 = make(alTop, 10, 15);
    EXPECT_EQ(Bounds(top), (std::vector<LONG>{0, 0, 300, 20}));
    EXPECT_EQ(Bounds(top2), (std::vector<LONG>{0, 20, 300, 35}));
    EXPECT_EQ(Bounds(client), (std::vector<LONG>{30, 35, 275, 190}));
    // A hidden control gives its space back.
    top->SetVisible(false);
    EXPECT_EQ(Bounds(top2), (std::vector<LONG>{0, 0, 300, 15}));
    // The client control's OnResize grows a top control during the
    // alignment: the alignment runs again and nothing overlaps.
    client->OnResize = [&](TObject*) { top2->SetBounds(0, 0, 300, 40); };
    panel->SetBounds(0, 0, 320, 200);
    EXPECT_EQ(Bounds(top2), (std::vector<LONG>{0, 0, 320, 40}));
    EXPECT_EQ(Bounds(client), (std::vector<LONG>{30, 40, 295, 190}));
    // Two controls that keep pushing each other stop after a few passes.
    client->OnResize = [&](TObject*) { top2->SetBounds(0, 0, 300, top2->Height() + 1); };
    panel->SetBounds(0, 0, 330, 200);
    EXPECT_LT(top2->Height(), 60);
    client->OnResize = nullptr;
    EXPECT_FALSE(panel->HandleAllocated());
    panel->Free();
}

TEST(FormAlign, WindowResizeRealignsWithoutCallingSetBoundsOnTheForm) {
    TForm* f = ShowTestForm(300, 200);
    auto* client = Create<TCustomControl>(f);
    client->SetAlign(alClient);
    client->SetParent(f);
    EXPECT_EQ(client->Width(), f->ClientWidth());
    SetWindowPos(f->Handle(), nullptr, 0, 0, 400, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(f->Width(), 400);
    EXPECT_EQ(client->Width(), f->ClientWidth());
    EXPECT_EQ(client->Height(), f->ClientHeight());
    RECT r;
    GetWindowRect(client->Handle(), &r);
    EXPECT_EQ(r.right - r.left, client->Width());
    f->Free();
}

TEST(FormPosition, ScreenCenterPlacesOnTheWorkArea) {
    auto* f = Create<TForm>(nullptr);
    f->SetBounds(0, 0, 200, 100);
    f->SetPosition(poScreenCenter);
    f->Show();
    RECT wa = Screen()->WorkAreaRect();
    EXPECT_EQ(f->Left(), wa.left + (wa.right - wa.left - 200) / 2);
    EXPECT_EQ(f->Top(), wa.top + (wa.bottom - wa.top - 100) / 2);
    f->Free();
}
