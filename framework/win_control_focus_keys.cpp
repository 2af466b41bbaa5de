// TWinControl: focus, tab order and keyboard messages.

#include "framework/win_control.h"

#include <algorithm>
#include <vector>

#include "framework/form.h"

// --- focus ------------------------------------------------------------------------------------

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(const_cast<TWinControl*>(this));
    if (!form || !form->Visible() || !form->Enabled()) return false;
    for (const TControl* c = this; c && c != form; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
    }
    return true;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->FocusControl(this);
    } else if (Showing()) {
        ::SetFocus(handle_);
    }
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tab_list_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!parent_) return;
    auto& list = parent_->tab_list_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* c : tab_list_) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), CurControl);
    int start = found == list.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    do {
        i = GoForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this)) return c;
    } while (i != start);
    return nullptr;
}

bool TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (!next) return false;
    next->SetFocus();
    return true;
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::CMFocusChanged(TMessage& m) {
    Broadcast(m);
    m.Result = 0;
}

void TWinControl::WMSetFocus(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        if (!form->SetFocusedControl(this)) return;
    }
    DefaultHandler(m);
}

void TWinControl::WMKillFocus(TMessage& m) { DefaultHandler(m); }

// --- keyboard -----------------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(m)) return true;
    if (IsBeingFreed()) return true;
    if (control_style_ & csNoStdEvents) return false;
    WORD key = static_cast<WORD>(m.WParam);
    KeyDown(key, KeyDataToShiftState(m.LParam));
    if (IsBeingFreed()) return true;
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(m)) return true;
    if (IsBeingFreed()) return true;
    if (control_style_ & csNoStdEvents) return false;
    WORD key = static_cast<WORD>(m.WParam);
    KeyUp(key, KeyDataToShiftState(m.LParam));
    if (IsBeingFreed()) return true;
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(m)) return true;
    if (IsBeingFreed()) return true;
    if (control_style_ & csNoStdEvents) return false;
    char ch = static_cast<char>(static_cast<unsigned char>(m.WParam));
    KeyPress(ch);
    if (IsBeingFreed()) return true;
    m.WParam = static_cast<unsigned char>(ch);
    return ch == 0;
}

void TWinControl::WMKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
    if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyUp(TMessage& m) {
    if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
    if (!DoKeyPress(m)) DefaultHandler(m);
}

void TWinControl::WMSysChar(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMGetDlgCode(TMessage& m) { DefaultHandler(m); }

void TWinControl::CNKeyDown(TMessage& m) { m.Result = 0; }
void TWinControl::CNKeyUp(TMessage& m) { m.Result = 0; }
void TWinControl::CNChar(TMessage& m) { m.Result = 0; }
void TWinControl::CNSysKeyDown(TMessage& m) { m.Result = 0; }
void TWinControl::CNSysChar(TMessage& m) { m.Result = 0; }

void TWinControl::CMDialogKey(TMessage& m) { m.Result = 0; }

void TWinControl::CMDialogChar(TMessage& m) { Broadcast(m); }

void TWinControl::CMChildKey(TMessage& m) {
    if (parent_) m.Result = parent_->Perform(CM_CHILDKEY, m.WParam, m.LParam);
}

void TWinControl::CMWantSpecialKey(TMessage& m) { m.Result = 0; }
