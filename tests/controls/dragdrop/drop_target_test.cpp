// The file drop target on a visible form: direct IDropTarget calls, drags
// through DoDragDrop on this thread, from a second thread and from a second
// process, registration, lifetime and the exception boundary.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "controls/dragdrop/drop_target.h"
#include "framework/custom_control.h"
#include "framework/exceptions.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "tests/controls/dragdrop/test_data_object.h"
#include "tests/framework/control_test_support.h"

static ::testing::Environment* const kDropEnv = ::testing::AddGlobalTestEnvironment(new ControlTestEnvironment);

namespace {

class TTestPanel : public TCustomControl {
public:
    explicit TTestPanel(TComponent* owner, bool vscroll = false) : TCustomControl(owner), vscroll_(vscroll) {}
    std::vector<WPARAM> vscrolls;

protected:
    void WMVScroll(TMessage& m) override { vscrolls.push_back(m.WParam); }
    void CreateParams(TCreateParams& p) override {
        TCustomControl::CreateParams(p);
        if (vscroll_) p.Style |= WS_VSCROLL;
    }

private:
    bool vscroll_;
};

const std::vector<std::wstring> kNames = {L"C:\\t\\a.QTF", L"C:\\t\\b b.QTF", L"C:\\t\\c.txt"};
const wchar_t kJoined[] = L"C:\\t\\a.QTF\r\nC:\\t\\b b.QTF\r\nC:\\t\\c.txt";
const char kSourceSwitch[] = "ORDIVO_DRAG_SOURCE";

// Drops and reports what the target saw.
class DropFixture : public ::testing::Test {
protected:
    void SetUp() override {
        form = Create<TForm>(nullptr);
        form->SetBounds(60, 60, 420, 320);
        panel = Place<TTestPanel>(form, form, 10, 10, 300, 200);
        child = Place<TTestPanel>(form, panel, 20, 20, 100, 60);
        form->Show();
        Pump();
        target = Create<TDropFileTarget>(nullptr);
        target->OnDrop = [this](TObject*, TShiftState, POINT, DWORD& effect) {
            ++drops;
            dropped = target->GetFiles().GetText();
            droppedEffect = effect;
            preferred = target->GetPreferredDropEffect();
        };
        target->RegisterControl(panel);
        ControlTestEnvironment::CaughtExceptions().clear();
    }
    void TearDown() override {
        FreeObject(target);
        form->Free();
        Pump();
    }
    POINTL ScreenPoint(TControl* c, int x, int y) const {
        const POINT p = c->ClientToScreen(POINT{x, y});
        return POINTL{p.x, p.y};
    }
    POINTL Centre(TControl* c) const { return ScreenPoint(c, c->Width() / 2, c->Height() / 2); }
    // A list with a vertical scroll bar (at 10 of 0..100), registered instead of the panel.
    TTestPanel* ScrollingList() {
        auto* list = Place<TTestPanel>(form, form, 320, 10, 80, 200, true);
        Pump();
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 100, 10, 50, 0};
        SetScrollInfo(list->WindowHandle(), SB_VERT, &si, FALSE);
        target->RegisterControl(list);
        return list;
    }

    struct Result {
        HRESULT enter, drop;
        DWORD enterEffect, dropEffect;
    };
    Result DirectDrop(IDataObject* obj, DWORD keys, POINTL at, DWORD allowed = 7) {
        IDropTarget* t = target->DropTargetInterface();
        Result r{S_OK, S_OK, allowed, allowed};
        r.enter = t->DragEnter(obj, keys, at, &r.enterEffect);
        r.drop = t->Drop(obj, keys, at, &r.dropEffect);
        return r;
    }

    TForm* form = nullptr;
    TTestPanel* panel = nullptr;
    TTestPanel* child = nullptr;
    TDropFileTarget* target = nullptr;
    int drops = 0;
    std::wstring dropped;
    DWORD droppedEffect = 0;
    DWORD preferred = 0;
};

// One call of a drop target with every effect offered: its result and the effect it leaves.
using Step = std::pair<HRESULT, DWORD>;
Step Enter(IDropTarget* t, IDataObject* obj, POINTL at) {
    DWORD e = 7;
    const HRESULT hr = t->DragEnter(obj, 0, at, &e);
    return {hr, e};
}
Step Over(IDropTarget* t, POINTL at) {
    DWORD e = 7;
    const HRESULT hr = t->DragOver(0, at, &e);
    return {hr, e};
}

void Mouse(DWORD flags, int x, int y) {
    INPUT in{INPUT_MOUSE, {.mi = {MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                                  MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1), 0, flags, 0, 0}}};
    SendInput(1, &in, sizeof in);
}

// A source that drops after `wait` calls and gives up after many. Given a
// point, it moves the pointer there, lets the button up and drops when the
// key state shows it up (the second process's drag, pressed on its own window).
class ScriptedSource final : public IDropSource {
public:
    explicit ScriptedSource(int wait = 0, POINT to = {-1, -1}) : wait_(wait), to_(to) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape || ++calls > 3000) return DRAGDROP_S_CANCEL;
        if (to_.x < 0) return calls > wait_ ? DRAGDROP_S_DROP : S_OK;
        if (calls == 2) Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to_.x, to_.y);
        if (calls == 22) Mouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, to_.x, to_.y);
        return (calls > 22 && !(keys & MK_LBUTTON)) ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
    int calls = 0;

private:
    int wait_;
    POINT to_;
};

}  // namespace

TEST_F(DropFixture, DirectCallsByOfferedFormat) {
    const auto files = MakeTestFiles();
    TPIDLList pidls;
    ASSERT_TRUE(FilenamesToPIDLList(files, pidls));
    const std::wstring filesJoined = L"C:\\ddtest\\a.QTF\r\nC:\\ddtest\\b b.QTF\r\nC:\\ddtest\\c.txt";
    struct Case {
        const char* what;
        std::vector<TestDataObject::Entry> offered;
        HRESULT enter, drop;
        DWORD enterEffect, dropEffect;
        std::wstring names;  // empty: OnDrop does not fire
        DWORD keys = 0;
    };
    const Case cases[] = {
        {"CF_HDROP wide flag 0", {{CF_HDROP, Medium::Global, dropblocks::WriteDropFilesAnsi({"C:\\t\\a.QTF", "C:\\t\\b b.QTF", "C:\\t\\c.txt"})}},
         S_OK, S_OK, 1, 1, kJoined},
        {"CF_HDROP wide flag 1", {{CF_HDROP, Medium::Global, HDropBlock(kNames, 1)}}, S_OK, S_OK, 1, 1, kJoined},
        {"CF_HDROP wide flag -1", {{CF_HDROP, Medium::Global, HDropBlock(kNames, 0xFFFFFFFF)}}, S_OK, S_OK, 1, 1, kJoined},
        {"shell ID lists only", {{Registered("Shell IDList Array"), Medium::Global, dropblocks::WriteCida(pidls.Lists())}},
         S_OK, S_OK, 1, 1, filesJoined},
        {"FileNameW only", {{Registered("FileNameW"), Medium::Global, WideText(L"C:\\t\\w.QTF")}}, S_OK, S_OK, 1, 1,
         L"C:\\t\\w.QTF"},
        {"stream medium", {{CF_HDROP, Medium::Stream, HDropBlock(kNames)}}, S_OK, S_OK, 1, 1, kJoined},
        {"failing GetData", {{CF_HDROP, Medium::Fail, {}}}, S_OK, S_OK, 1, 0, L""},
        {"text only", {{CF_UNICODETEXT, Medium::Global, WideText(L"x")}}, S_OK, E_UNEXPECTED, 0, 0, L""},
        // Copy and link allowed: no key, Shift or Ctrl copy, Ctrl+Shift links.
        {"Shift", {{CF_HDROP, Medium::Global, HDropBlock(kNames)}}, S_OK, S_OK, 1, 1, kJoined, MK_SHIFT},
        {"Ctrl", {{CF_HDROP, Medium::Global, HDropBlock(kNames)}}, S_OK, S_OK, 1, 1, kJoined, MK_CONTROL},
        {"Ctrl+Shift", {{CF_HDROP, Medium::Global, HDropBlock(kNames)}}, S_OK, S_OK, 4, 4, kJoined,
         MK_CONTROL | MK_SHIFT},
    };
    for (const auto& c : cases) {
        drops = 0;
        dropped.clear();
        TestDataObject obj;
        obj.entries = c.offered;
        int entered = 0;
        target->OnEnter = [&](TObject*, TShiftState, POINT, DWORD&) { ++entered; };
        const Result r = DirectDrop(&obj, c.keys, Centre(child));
        EXPECT_EQ(r.enter, c.enter) << c.what;
        EXPECT_EQ(r.enterEffect, c.enterEffect) << c.what;
        EXPECT_EQ(entered, c.enterEffect ? 1 : 0) << c.what;
        EXPECT_EQ(r.drop, c.drop) << c.what;
        EXPECT_EQ(r.dropEffect, c.dropEffect) << c.what;
        EXPECT_EQ(drops, c.names.empty() ? 0 : 1) << c.what;
        EXPECT_EQ(dropped, c.names) << c.what;
        EXPECT_EQ(obj.refs, 1) << c.what;  // every reference given back
        EXPECT_EQ(obj.mediumOwner.addrefs, obj.mediumOwner.releases) << c.what;
        EXPECT_EQ(target->Target(), nullptr) << c.what;
    }
}

TEST_F(DropFixture, RefusedObjectAndNoTarget) {
    TestDataObject text(CF_UNICODETEXT, WideText(L"x"));
    IDropTarget* t = target->DropTargetInterface();
    EXPECT_EQ(Enter(t, &text, Centre(panel)).first, S_OK);
    EXPECT_EQ(Over(t, Centre(panel)), Step(DV_E_CLIPFORMAT, 0));
    EXPECT_EQ(t->DragLeave(), S_OK);
    // Over the form, where nothing is registered: only that drag goes
    // without image and scrolling.
    TestDataObject files(CF_HDROP, HDropBlock(kNames));
    EXPECT_EQ(Enter(t, &files, ScreenPoint(form, 380, 280)).first, S_OK);
    EXPECT_EQ(Over(t, ScreenPoint(form, 380, 280)), Step(E_UNEXPECTED, 0));
    EXPECT_EQ(t->DragLeave(), S_OK);
    EXPECT_TRUE(target->ShowImage());
    EXPECT_TRUE(target->AutoScroll);
    EXPECT_EQ(files.refs, 1);
}

TEST_F(DropFixture, MoveReportedAsCopy) {
    // Whether or not the object takes the report.
    target->DragTypes = dtCopy | dtMove | dtLink;
    for (bool accepts : {true, false}) {
        TestDataObject obj;
        obj.acceptSetData = accepts;
        obj.Offer(CF_HDROP, HDropBlock(kNames));
        const Result r = DirectDrop(&obj, 0, Centre(panel));
        EXPECT_EQ(r.enterEffect, DROPEFFECT_MOVE);
        EXPECT_EQ(r.dropEffect, DROPEFFECT_COPY) << accepts;
        EXPECT_EQ(obj.WrittenDword(Registered("Performed DropEffect")), accepts ? 1 : -1);
        EXPECT_EQ(preferred, 1u);  // no "Preferred DropEffect": copy
    }
}

TEST_F(DropFixture, RestingNearTheTopScrollsUpOneLineAndAFailingScrollStopsOnlyTheScrolling) {
    TTestPanel* list = ScrollingList();
    EXPECT_EQ(RevokeDragDrop(panel->WindowHandle()), DRAGDROP_E_NOTREGISTERED);  // MultiTarget is off
    for (bool throws : {false, true}) {
        list->vscrolls.clear();
        std::vector<TScrollDirections> asked;
        target->OnScroll = [&](TObject*, POINT, TScrollDirections& scroll, int& interval) {
            asked.push_back(scroll);
            EXPECT_EQ(interval, 50);
            if (throws) throw Exception("Rollen fehlgeschlagen");
        };
        TestDataObject obj(CF_HDROP, HDropBlock(kNames));
        const POINTL top = ScreenPoint(list, 10, 1);
        SetCursorPos(top.x, top.y);
        IDropTarget* t = target->DropTargetInterface();
        ASSERT_EQ(Enter(t, &obj, top), Step(S_OK, kDropEffectScroll | DROPEFFECT_COPY));
        Sleep(20);
        EXPECT_EQ(Over(t, top).first, S_OK);  // resting near the edge: the timer starts
        EXPECT_TRUE(WaitUntil([&] { return !asked.empty(); }, 3000));
        WaitUntil([] { return false; }, 200);
        // The tick stops the timer; only a new DragOver re-arms it.
        EXPECT_EQ(asked, std::vector<TScrollDirections>{sdUp}) << throws;
        EXPECT_EQ(list->vscrolls, throws ? std::vector<WPARAM>{} : std::vector<WPARAM>{SB_LINEUP});
        EXPECT_EQ(ControlTestEnvironment::CaughtExceptions(),
                  throws ? std::vector<std::string>{"Rollen fehlgeschlagen"} : std::vector<std::string>{});
        // The drag goes on to its drop.
        EXPECT_EQ(Over(t, Centre(list)), Step(S_OK, DROPEFFECT_COPY));  // inside the no-scroll zone
        DWORD e = 7;
        EXPECT_EQ(t->Drop(&obj, 0, Centre(list), &e), S_OK);
        EXPECT_EQ(e, 1u);
        EXPECT_EQ(obj.refs, 1);
    }
    EXPECT_EQ(drops, 2);
}

TEST_F(DropFixture, ShellDragImageShownThroughTheImageList) {
    // Wine's drag-image helper answers E_NOTIMPL, so the image list road is taken.
    const int lists = ImageListLiveHandles();
    HIMAGELIST source = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    HBITMAP bmp = CreateBitmap(16, 16, 1, 32, nullptr);
    ImageList_Add(source, bmp, nullptr);
    DeleteObject(bmp);
    ASSERT_TRUE(ImageList_BeginDrag(source, 0, 4, 4));
    TestDataObject obj(CF_HDROP, HDropBlock(kNames));
    IDropTarget* t = target->DropTargetInterface();
    EXPECT_EQ(Enter(t, &obj, Centre(panel)).first, S_OK);
    EXPECT_EQ(ImageListLiveHandles(), lists + 1);  // the cursor image list, made on first need
    const POINTL moved = ScreenPoint(panel, 30, 30);
    EXPECT_EQ(Over(t, moved).first, S_OK);
    DWORD e = 7;
    EXPECT_EQ(t->Drop(&obj, 0, moved, &e), S_OK);
    EXPECT_EQ(e, 1u);
    ImageList_EndDrag();
    ImageList_Destroy(source);
    FreeAndNil(target);
    EXPECT_EQ(ImageListLiveHandles(), lists);
}

TEST_F(DropFixture, PasteFromTheClipboard) {
    TestDataObject obj(CF_HDROP, HDropBlock(kNames));
    ASSERT_EQ(OleSetClipboard(&obj), S_OK);
    EXPECT_TRUE(target->CanPasteFromClipboard());
    EXPECT_EQ(target->PasteFromClipboard(), DROPEFFECT_COPY);  // no preference stated: copy
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(dropped, kJoined);
    EXPECT_EQ(OleSetClipboard(nullptr), S_OK);
    TestDataObject text(CF_UNICODETEXT, WideText(L"x"));
    ASSERT_EQ(OleSetClipboard(&text), S_OK);
    EXPECT_FALSE(target->CanPasteFromClipboard());
    EXPECT_EQ(target->PasteFromClipboard(), DROPEFFECT_NONE);
    EXPECT_EQ(drops, 2);  // a paste always reports, here with no names and effect 0
    EXPECT_EQ(droppedEffect, 0u);
    EXPECT_EQ(dropped, L"");
    EXPECT_EQ(OleSetClipboard(nullptr), S_OK);
    EXPECT_EQ(obj.refs, 1);
    EXPECT_EQ(text.refs, 1);
}

TEST_F(DropFixture, ExceptionsAreReportedAfterTheCallAndTheNextDragWorks) {
    // The handler that throws; the drag ends with a drop or a leave; then the
    // results and effects of DragEnter, DragOver and the end.
    enum Handler { kEnter, kOver, kLeave, kDrop };
    struct {
        Handler throws;
        bool drops;
        std::vector<HRESULT> results;
        std::vector<DWORD> effects;
    } cases[] = {
        {kEnter, true, {E_UNEXPECTED, E_UNEXPECTED, E_UNEXPECTED}, {0, 0, 0}},
        {kOver, false, {S_OK, E_UNEXPECTED, S_OK}, {1, 0, 0}},
        {kLeave, false, {S_OK, S_OK, E_UNEXPECTED}, {1, 1, 0}},
        {kDrop, true, {S_OK, S_OK, E_UNEXPECTED}, {1, 1, 0}},
    };
    for (const auto& c : cases) {
        const std::string what = "handler " + std::to_string(c.throws);
        auto thrower = [&](TObject*, TShiftState, POINT, DWORD&) { throw Exception(what); };
        target->OnEnter = c.throws == kEnter ? TDropTargetEvent(thrower) : nullptr;
        target->OnDragOver = c.throws == kOver ? TDropTargetEvent(thrower) : nullptr;
        target->OnDrop = c.throws == kDrop ? TDropTargetEvent(thrower) : nullptr;
        target->OnLeave = [&](TObject*) {
            if (c.throws == kLeave) throw Exception(what);
        };
        TestDataObject obj(CF_HDROP, HDropBlock(kNames));
        IDropTarget* t = target->DropTargetInterface();
        const Step enter = Enter(t, &obj, Centre(panel)), over = Over(t, Centre(panel));
        Step end{S_OK, 0};
        if (c.drops) {
            DWORD e = 7;
            end = {t->Drop(&obj, 0, Centre(panel), &e), e};
        } else {
            end.first = t->DragLeave();
        }
        EXPECT_EQ((std::vector<HRESULT>{enter.first, over.first, end.first}), c.results) << what;
        EXPECT_EQ((std::vector<DWORD>{enter.second, over.second, end.second}), c.effects) << what;
        EXPECT_EQ(obj.refs, 1) << what;
        EXPECT_EQ(target->Target(), nullptr) << what;
        // Nothing is shown while the drag source waits on the call; the
        // report comes with the next messages.
        EXPECT_TRUE(ControlTestEnvironment::CaughtExceptions().empty()) << what;
        Pump();
        EXPECT_EQ(ControlTestEnvironment::CaughtExceptions(), std::vector<std::string>{what});
        ControlTestEnvironment::CaughtExceptions().clear();
    }
    target->OnEnter = target->OnDragOver = nullptr;
    target->OnLeave = nullptr;
    target->OnDrop = [this](TObject*, TShiftState, POINT, DWORD&) { dropped = target->GetFiles().GetText(); };
    TestDataObject obj(CF_HDROP, HDropBlock(kNames));
    const Result r = DirectDrop(&obj, 0, Centre(panel));
    EXPECT_EQ(r.dropEffect, 1u);
    EXPECT_EQ(dropped, kJoined);
}

TEST_F(DropFixture, AnEndlessFormatListIsReadOnlySoFar) {
    TestDataObject obj(CF_HDROP, HDropBlock(kNames));
    obj.endlessFormats = true;
    EXPECT_EQ(Enter(target->DropTargetInterface(), &obj, Centre(panel)), Step(S_OK, 0));
    EXPECT_LE(obj.formatCalls, 1025);
    EXPECT_EQ(target->DropTargetInterface()->DragLeave(), S_OK);
    EXPECT_EQ(obj.refs, 1);
}

TEST_F(DropFixture, ASecondTargetOnTheSameControlIsRefusedAndLeavesTheFirst) {
    for (bool autoRegister : {true, false}) {
        TDropFileTarget* first = target;
        first->UnregisterControl(nullptr);
        first->AutoRegister = autoRegister;
        first->RegisterControl(panel);
        auto* second = Create<TDropFileTarget>(nullptr);
        second->AutoRegister = autoRegister;
        EXPECT_EQ(ErrorOf<Exception>([&] { second->RegisterControl(panel); }),
                  "Failed to register the drop target (80040101)")
            << autoRegister;
        EXPECT_EQ(second->RegisteredCount(), 0);
        second->UnregisterControl(nullptr);
        second->Free();
        // Still the first target's: drops keep arriving.
        EXPECT_EQ(RegisterDragDrop(panel->WindowHandle(), first->DropTargetInterface()), DRAGDROP_E_ALREADYREGISTERED);
        TestDataObject obj(CF_HDROP, HDropBlock(kNames));
        const POINTL c = Centre(panel);
        SetCursorPos(c.x, c.y);
        ScriptedSource source;
        DWORD effect = 0;
        drops = 0;
        EXPECT_EQ(DoDragDrop(&obj, &source, 7, &effect), DRAGDROP_S_DROP) << autoRegister;
        EXPECT_EQ(drops, 1) << autoRegister;
        EXPECT_EQ(obj.refs, 1);
    }
}

TEST_F(DropFixture, FreedDuringAnAsynchronousTransferReturns) {
    target->AllowAsyncTransfer = true;
    TestDataObject obj;
    obj.offerAsync = true;
    obj.Offer(CF_HDROP, HDropBlock(kNames));
    int ended = 0;
    TDropFileTarget* freed = target;
    target->OnEndAsyncTransfer = [&](TObject*) { ++ended; };
    target->OnDrop = [&](TObject*, TShiftState, POINT, DWORD&) {
        ++drops;
        dropped = freed->GetFiles().GetText();
    };
    EXPECT_EQ(DirectDrop(&obj, 0, Centre(panel)).drop, S_OK);
    ASSERT_TRUE(target->AsyncTransfer());
    FreeAndNil(target);  // waits for the transfer, whose end comes through the messages it handles
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(dropped, kJoined);
    EXPECT_EQ(obj.endCalls, 1);
    EXPECT_EQ(obj.refs, 1);
}

TEST_F(DropFixture, RegistrationOnceSurvivesRecreationAndMovesWithoutMultiTarget) {
    auto* other = Create<TDropFileTarget>(nullptr);
    IDropTarget* dummy = other->DropTargetInterface();
    target->RegisterControl(panel);
    EXPECT_EQ(target->RegisteredCount(), 1);
    EXPECT_EQ(RegisterDragDrop(panel->WindowHandle(), dummy), DRAGDROP_E_ALREADYREGISTERED);

    panel->RecreateWnd();
    Pump();
    EXPECT_EQ(RegisterDragDrop(panel->WindowHandle(), dummy), DRAGDROP_E_ALREADYREGISTERED);
    TestDataObject obj(CF_HDROP, HDropBlock(kNames));
    const POINTL c = Centre(child);
    SetCursorPos(c.x, c.y);
    ScriptedSource source;  // drops on its first call: Drop comes without DragOver
    DWORD effect = 0;
    EXPECT_EQ(DoDragDrop(&obj, &source, 7, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, 1u);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(dropped, kJoined);
    EXPECT_EQ(obj.refs, 1);

    target->RegisterControl(form);
    EXPECT_EQ(RevokeDragDrop(panel->WindowHandle()), DRAGDROP_E_NOTREGISTERED);
    EXPECT_EQ(RegisterDragDrop(form->WindowHandle(), dummy), DRAGDROP_E_ALREADYREGISTERED);
    target->UnregisterControl(nullptr);
    EXPECT_EQ(RevokeDragDrop(form->WindowHandle()), DRAGDROP_E_NOTREGISTERED);
    other->Free();
}

TEST_F(DropFixture, LateReferencesOutliveTheComponent) {
    const int alive = DropTargetForwardersAlive();
    IDropTarget* t = target->DropTargetInterface();
    const ULONG base = t->AddRef() - 1;
    t->Release();
    target->UnregisterControl(nullptr);
    EXPECT_EQ(t->AddRef(), base);  // registration's references all given back
    t->Release();
    t->AddRef();  // held like a late stub
    FreeAndNil(target);
    TestDataObject obj(CF_HDROP, HDropBlock(kNames));
    EXPECT_EQ(Enter(t, &obj, Centre(panel)), Step(E_UNEXPECTED, 0));
    EXPECT_EQ(Over(t, Centre(panel)).first, E_UNEXPECTED);
    EXPECT_EQ(obj.refs, 1);
    EXPECT_EQ(DropTargetForwardersAlive(), alive);
    t->Release();
    EXPECT_EQ(DropTargetForwardersAlive(), alive - 1);
}

TEST_F(DropFixture, AsynchronousTransferReadsOnItsOwnThread) {
    target->AllowAsyncTransfer = true;
    TestDataObject obj;
    obj.offerAsync = true;
    obj.Offer(CF_HDROP, HDropBlock(kNames));
    int started = 0, ended = 0;
    DWORD dropThread = 0;
    target->OnStartAsyncTransfer = [&](TObject*) { ++started; };
    target->OnEndAsyncTransfer = [&](TObject*) { ++ended; };
    target->OnDrop = [&](TObject*, TShiftState, POINT, DWORD&) {
        ++drops;
        dropped = target->GetFiles().GetText();
        dropThread = GetCurrentThreadId();
    };
    const Result r = DirectDrop(&obj, 0, Centre(panel));
    EXPECT_EQ(r.drop, S_OK);
    EXPECT_EQ(r.dropEffect, 1u);
    EXPECT_EQ(started, 1);
    ASSERT_TRUE(target->AsyncTransfer());  // its reads come back to this thread

    TestDataObject next(CF_HDROP, HDropBlock(kNames));
    IDropTarget* t = target->DropTargetInterface();
    EXPECT_EQ(Enter(t, &next, Centre(panel)), Step(E_UNEXPECTED, 0));  // refused while the transfer reads
    EXPECT_EQ(t->DragLeave(), S_OK);
    EXPECT_TRUE(target->AsyncTransfer());

    ASSERT_TRUE(WaitUntil([&] { return ended > 0; }, 10000));
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(dropped, kJoined);
    EXPECT_NE(dropThread, GetCurrentThreadId());
    EXPECT_EQ(obj.endCalls, 1);
    EXPECT_EQ(obj.endResult, S_OK);
    EXPECT_EQ(obj.endEffect, 1u);
    // The transfer thread reaches the object only through its marshalled
    // proxy, so every call runs on the object's own thread. (Wine's proxy
    // answers SetData with E_NOTIMPL: the performed effect stays unreported.)
    EXPECT_EQ(obj.callers, std::set<DWORD>{GetCurrentThreadId()});
    EXPECT_FALSE(target->AsyncTransfer());
    EXPECT_EQ(target->Target(), nullptr);
    EXPECT_EQ(obj.refs, 1);
    EXPECT_TRUE(ControlTestEnvironment::CaughtExceptions().empty());
    EXPECT_EQ(DirectDrop(&next, 0, Centre(panel)).dropEffect, 1u);  // the next drag works again
}

TEST_F(DropFixture, DragFromASecondThread) {
    const POINTL c = Centre(panel);
    SetCursorPos(c.x, c.y);
    std::atomic<bool> done{false};
    HRESULT hr = E_FAIL;
    DWORD effect = 0;
    std::thread source([&] {
        OleInitialize(nullptr);
        {
            TestDataObject obj(CF_HDROP, HDropBlock(kNames));
            ScriptedSource s(2);
            hr = DoDragDrop(&obj, &s, 7, &effect);
        }
        OleUninitialize();
        done = true;
    });
    const bool finished = WaitUntil([&] { return done.load(); }, 20000);
    source.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(hr, DRAGDROP_S_DROP);
    EXPECT_EQ(effect, 1u);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(dropped, kJoined);
}

TEST_F(DropFixture, DragFromASecondProcess) {
    const POINTL c = Centre(panel);
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string cmd = std::string("\"") + exe + "\" --gtest_filter=DragSourceProcess.Run";
    const std::string where = std::to_string(c.x) + " " + std::to_string(c.y);
    SetEnvironmentVariableA(kSourceSwitch, where.c_str());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(kSourceSwitch, nullptr);
    ASSERT_TRUE(started);
    const bool finished = WaitUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 30000);
    if (!finished) TerminateProcess(pi.hProcess, 99);
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_TRUE(finished);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(dropped, kJoined);
}

// Runs only as the second process of DragFromASecondProcess.
TEST(DragSourceProcess, Run) {
    const char* where = std::getenv(kSourceSwitch);
    if (!where) GTEST_SKIP() << "the source side of a cross-process drag";
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(where, "%d %d", &x, &y), 2);
    HWND own = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "source", WS_POPUP | WS_VISIBLE, 700, 500, 80, 60, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    Pump();
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 740, 530);
    Mouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, 740, 530);
    ASSERT_TRUE(WaitUntil([] { return GetKeyState(VK_LBUTTON) < 0; }, 5000));
    TestDataObject obj(CF_HDROP, HDropBlock(kNames));
    ScriptedSource source(0, POINT{x, y});
    DWORD effect = 0;
    const HRESULT hr = DoDragDrop(&obj, &source, 7, &effect);
    DestroyWindow(own);
    if (hr != DRAGDROP_S_DROP || effect != 1) std::exit(3);
}
