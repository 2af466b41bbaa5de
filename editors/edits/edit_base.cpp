#include "editors/edits/edit_base.h"

#include <climits>

#include "editors/popups/bubble_geometry.h"
#include "editors/popups/message_window.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/messages.h"
#include "framework/sysutils.h"

namespace {

// The one error bubble of a family (an in-place editor's and a form edit's
// can show at the same time).
struct SharedErrorBubble {
    TI_MessageWindow* window = nullptr;
    TI_CustomEdit* owner = nullptr;
    int listener = 0;
};
SharedErrorBubble g_bubbles[2];

SharedErrorBubble& BubbleOf(const PopupFamily& family) { return g_bubbles[family.form_edit_rules ? 1 : 0]; }

// Messages after which the bubble goes: typing, commands and activation
// changes the application's loop takes from the queue.
bool HidesBubble(UINT msg) {
    return msg == WM_CHAR || msg == WM_COMMAND || msg == WM_SYSCOMMAND || msg == CM_ACTIVATE ||
           msg == CM_DEACTIVATE;
}

void InstallListener(SharedErrorBubble& b) {
    if (b.listener) return;
    b.listener = Application()->AddMessageListener([&b](const MSG& m) {
        if (!b.window || !b.owner || !HidesBubble(m.message)) return;
        b.owner->PostHideMessage();
    });
}

void RemoveListener(SharedErrorBubble& b) {
    if (!b.listener) return;
    Application()->RemoveMessageListener(b.listener);
    b.listener = 0;
}

// Drops the hides queued for hwnd (posted before the bubble was shown
// again); other bubble messages stay, in their order.
void DropQueuedHides(HWND hwnd) {
    if (!hwnd) return;
    std::vector<MSG> keep;
    MSG m;
    while (PeekMessageA(&m, hwnd, UM_BUBBLE, UM_BUBBLE, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (m.wParam != 0) keep.push_back(m);
    }
    for (const MSG& k : keep) PostMessageA(k.hwnd, k.message, k.wParam, k.lParam);
}

void FreeSharedBubble(SharedErrorBubble& b) {
    RemoveListener(b);
    TI_MessageWindow* w = b.window;
    b = SharedErrorBubble{};
    if (w) w->Free();
}

}  // namespace

TI_CustomEdit::TI_CustomEdit(TComponent* AOwner, const PopupFamily& family) : TCustomEdit(AOwner), family_(family) {}

void TI_CustomEdit::AfterConstruction() {
    TCustomEdit::AfterConstruction();
    if (OnCreated) OnCreated(this);
}

void TI_CustomEdit::BeforeDestruction() {
    // The bubble goes with any edit that ends, whoever shows it.
    Perform(UM_BUBBLE, 0, 0);
    if (OnDestroying) OnDestroying(this);
    TCustomEdit::BeforeDestruction();
}

TI_MessageWindow* TI_CustomEdit::SharedBubble(const PopupFamily& family) { return BubbleOf(family).window; }
TI_CustomEdit* TI_CustomEdit::SharedBubbleOwner(const PopupFamily& family) { return BubbleOf(family).owner; }

void TI_CustomEdit::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(ES_LEFT | ES_RIGHT | ES_CENTER);
    // Mirrored for right-to-left reading.
    const TAlignment shown = MirroredAlignment(alignment_, BiDiMode());
    if (shown == taRightJustify)
        p.Style |= ES_RIGHT;
    else if (shown == taCenter)
        p.Style |= ES_CENTER;
}

void TI_CustomEdit::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    std::string text = GetText();
    alignment_ = value;
    RecreateWnd();
    SetText(text);
    LayoutChanged();
}

// --- update bracket ----------------------------------------------------------------

void TI_CustomEdit::BeginUpdate(bool notifyAtEnd) {
    if (update_count_ == 0) {
        changed_ = false;
        notify_at_end_ = false;
    }
    ++update_count_;
    notify_at_end_ = notify_at_end_ || notifyAtEnd;
}

void TI_CustomEdit::EndUpdate() {
    if (update_count_ <= 0) return;
    if (--update_count_ > 0) return;
    bool fire = changed_ && notify_at_end_;
    changed_ = false;
    notify_at_end_ = false;
    if (fire) TCustomEdit::Change();
}

void TI_CustomEdit::Change() {
    if (IsLoading()) return;
    if (update_count_ > 0) {
        changed_ = true;
        return;
    }
    TCustomEdit::Change();
}

// --- checking -----------------------------------------------------------------------

bool TI_CustomEdit::CanCheck() const { return !ReadOnly(); }

std::string TI_CustomEdit::DefaultErrorText(int) const { return {}; }

void TI_CustomEdit::BuildErrorText() {
    // Every code starts from its own default, never from an earlier error's text.
    error_text_ = DefaultErrorText(error_code_);
    if (OnGetErrorHint) OnGetErrorHint(this, error_code_, error_text_);
}

void TI_CustomEdit::CheckText(bool& error) {
    if (!CanCheck() || error) return;
    if (!can_empty_ && Trim(GetText()).empty()) {
        error = true;
        error_code_ = kEditErrorEmpty;
    } else {
        error_code_ = 0;
    }
}

bool TI_CustomEdit::Validate() {
    bool error = false;
    CheckText(error);
    if (OnKillFocus) OnKillFocus(this, error);
    if (error && Parent()) {
        // The form first, then the direct parent (once when they are one).
        TCustomForm* form = GetParentForm(this);
        auto vetoes = [this](TWinControl* w) {
            return w && w->Perform(UM_CHECKFAILED, reinterpret_cast<WPARAM>(this), 0) != 0;
        };
        if (vetoes(form) || (Parent() != form && vetoes(Parent()))) error = false;
    }
    if (!error) Perform(UM_BUBBLE, 0, 0);
    return error;
}

void TI_CustomEdit::DoShowError() {
    SharedErrorBubble& shared = BubbleOf(family_);
    if (OnShowError) OnShowError(shared.window);
}

void TI_CustomEdit::CloseUp(bool, bool immediately) {
    HWND h = WindowHandle();
    if (!h) return;
    if (immediately)
        SendMessageA(h, UM_DROPDOWN, 0, 0);
    else
        PostMessageA(h, UM_DROPDOWN, 0, 0);
}

void TI_CustomEdit::PostHideMessage() {
    if (HWND h = WindowHandle()) PostMessageA(h, UM_BUBBLE, 0, 0);
}

void TI_CustomEdit::MoveCaretToEnd() { SetSel(INT_MAX, -1); }

// --- the bubble ----------------------------------------------------------------------

bool TI_CustomEdit::BubbleWithButtonsShown() const {
    SharedErrorBubble& shared = BubbleOf(family_);
    return shared.window && shared.window->Shown() && shared.window->Buttons().Count() > 0;
}

void TI_CustomEdit::ShowBubble(int code) {
    SharedErrorBubble& shared = BubbleOf(family_);
    CloseUp(false, true);
    if (IsBeingFreed()) return;
    if (code != 0) error_code_ = code;
    BuildErrorText();
    if (Trim(error_text_).empty()) return;
    if (shared.window && shared.owner != this) {
        // Another edit's bubble: its place and delay are the other's.
        HWND old = shared.owner ? shared.owner->WindowHandle() : nullptr;
        if (shared.owner) shared.owner->error_shown_ = false;
        FreeSharedBubble(shared);
        DropQueuedHides(old);
    }
    if (shared.window) {
        if (shared.window->Shown() && shared.window->GetText() == error_text_) {
            // Shown as asked: a hide queued before this request is stale.
            DropQueuedHides(WindowHandle());
            return;
        }
        shared.window->Hide();
    } else {
        auto* w = Create<TI_MessageWindow>(this, family_);
        shared.window = w;
        shared.owner = this;
        w->SetAutoHide(true);
        w->SetIconKind(1);
        w->SetPopupPosition(pmInOwnerClient);
        w->SetShape(bsBalloon);
        w->Font().SetSize(8);
    }
    TI_MessageWindow* w = shared.window;
    w->SetHideDelay(GetHideDelay());
    w->SetBounds(5, Height() - 9, w->Width(), w->Height());
    DoShowError();
    if (IsBeingFreed() || shared.window != w) return;
    w->SetText(error_text_);
    error_shown_ = true;
    DropQueuedHides(WindowHandle());
    w->Show();
    InstallListener(shared);
}

void TI_CustomEdit::HideBubble() {
    SharedErrorBubble& shared = BubbleOf(family_);
    if (shared.window) {
        if (shared.owner) shared.owner->error_shown_ = false;
        FreeSharedBubble(shared);
    }
    error_shown_ = false;
}

void TI_CustomEdit::CancelMode(TMessage& m) {
    SharedErrorBubble& shared = BubbleOf(family_);
    if (!shared.window) return;
    auto* sender = reinterpret_cast<TControl*>(m.LParam);
    if (sender == shared.window) {
        if (shared.window->Buttons().Count() > 0) return;
        PostHideMessage();
        return;
    }
    Perform(UM_BUBBLE, 0, 0);
}

// --- messages ------------------------------------------------------------------------

void TI_CustomEdit::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case UM_BUBBLE:
        if (m.WParam)
            ShowBubble(static_cast<int>(m.LParam));
        else
            HideBubble();
        m.Result = 0;
        return;
    case WM_MOUSEACTIVATE:
        TCustomEdit::Dispatch(m);
        mouse_activated_ = true;
        return;
    case WM_SETFOCUS:
        // Without a form nobody sends CM_ENTER: the focus is the entry.
        if (!GetParentForm(this)) RememberEntryText();
        TCustomEdit::Dispatch(m);
        return;
    case CM_CANCELMODE:
        TCustomEdit::Dispatch(m);
        CancelMode(m);
        return;
    case CM_DIALOGCHAR:
        if (const SharedErrorBubble& shared = BubbleOf(family_); shared.window && shared.owner == this &&
            shared.window->Buttons().FindAccelerator(static_cast<char>(m.WParam))) {
            m.Result = 1;
            return;
        }
        TCustomEdit::Dispatch(m);
        return;
    default:
        TCustomEdit::Dispatch(m);
        return;
    }
}

void TI_CustomEdit::RememberEntryText() {
    // Entered again after its own failed check: Escape still goes back to
    // the text of the first entry.
    if (!error_shown_ || !entered_) entry_text_ = GetText();
    entered_ = true;
}

void TI_CustomEdit::CMEnter(TMessage& m) {
    RememberEntryText();
    TCustomEdit::CMEnter(m);
    if (!mouse_activated_) SelectAll();
    mouse_activated_ = false;
}

void TI_CustomEdit::CMExit(TMessage& m) {
    // Cleared here too: a click into the focused edit set it again.
    mouse_activated_ = false;
    if (!Visible()) {
        entered_ = false;
        TCustomEdit::CMExit(m);
        return;
    }
    error_code_ = 0;
    error_shown_ = Validate();
    if (IsBeingFreed()) return;
    if (error_shown_) {
        if (CanFocus()) SetFocus();
        if (HWND h = WindowHandle()) PostMessageA(h, UM_BUBBLE, 1, 0);
        return;
    }
    // The caret to the first position, nothing selected.
    SetSel(0, 0);
    entered_ = false;
    TCustomEdit::CMExit(m);
}

void TI_CustomEdit::KeyPress(char& key) {
    if (key == VK_RETURN && BubbleWithButtonsShown()) {
        PostHideMessage();
        key = 0;
        return;
    }
    if (key == VK_ESCAPE) {
        UndoTyping();
        if (IsBeingFreed()) return;
    }
    TCustomEdit::KeyPress(key);
}

void TI_CustomEdit::UndoTyping() {
    if (ReadOnly()) return;
    if (!entered_) {
        Undo();
        return;
    }
    if (GetText() != entry_text_) SetText(entry_text_);
    if (!IsBeingFreed()) SelectAll();
}
