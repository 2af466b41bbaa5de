#include "framework/list_box.h"

#include <algorithm>

#include "framework/graphics_base.h"

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TStringList>()), canvas_(std::make_unique<TCanvas>()) {
    SetTabStop(true);
    SetColor(clWindow);
    items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomListBox::~TCustomListBox() { items_->OnChange = nullptr; }

TStrings& TCustomListBox::Items() { return *items_; }
int TCustomListBox::Count() const { return items_->Count(); }

void TCustomListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.WinClassName = "LISTBOX";
    p.SystemClass = true;
    p.Style |= WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    FillWindow();
}

void TCustomListBox::FillWindow() {
    HWND h = WindowHandle();
    if (!h) return;
    filling_ = true;
    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    SendMessageA(h, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_->Count(); ++i)
        SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_->Get(i).c_str()));
    SendMessageA(h, LB_SETITEMHEIGHT, 0, item_height_);
    SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(item_index_), 0);
    SendMessageA(h, LB_SETTOPINDEX, static_cast<WPARAM>(top_index_), 0);
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(h, nullptr, TRUE);
    filling_ = false;
}

void TCustomListBox::ItemsChanged() {
    if (item_index_ >= items_->Count()) item_index_ = -1;
    top_index_ = std::clamp(top_index_, 0, std::max(0, items_->Count() - 1));
    FillWindow();
}

int TCustomListBox::ItemIndex() const {
    if (HWND h = WindowHandle()) return static_cast<int>(SendMessageA(h, LB_GETCURSEL, 0, 0));
    return item_index_;
}

void TCustomListBox::SetItemIndex(int value) {
    if (value < -1 || value >= Count()) value = -1;
    item_index_ = value;
    if (HWND h = WindowHandle()) SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

int TCustomListBox::TopIndex() const {
    if (HWND h = WindowHandle()) return static_cast<int>(SendMessageA(h, LB_GETTOPINDEX, 0, 0));
    return top_index_;
}

void TCustomListBox::SetTopIndex(int value) {
    top_index_ = std::clamp(value, 0, std::max(0, Count() - 1));
    if (HWND h = WindowHandle()) SendMessageA(h, LB_SETTOPINDEX, static_cast<WPARAM>(top_index_), 0);
}

void TCustomListBox::SetItemHeight(int value) {
    item_height_ = std::clamp(value, 1, 255);
    if (HWND h = WindowHandle()) {
        SendMessageA(h, LB_SETITEMHEIGHT, 0, item_height_);
        ::InvalidateRect(h, nullptr, TRUE);
    }
}

int TCustomListBox::ItemAtPos(POINT p, bool existing) const {
    RECT c = ClientRect();
    if (p.x < c.left || p.x >= c.right || p.y < 0) return -1;
    int index = TopIndex() + p.y / item_height_;
    if (index >= Count()) return existing ? -1 : Count();
    return index;
}

RECT TCustomListBox::ItemRect(int index) const {
    RECT c = ClientRect();
    int y = (index - TopIndex()) * item_height_;
    return RECT{c.left, y, c.right, y + item_height_};
}

void TCustomListBox::Dispatch(TMessage& m) {
    // The window keeps the current item and top row; remember them for a
    // window made again.
    if (m.Msg == WM_DESTROY && WindowHandle()) {
        item_index_ = static_cast<int>(SendMessageA(WindowHandle(), LB_GETCURSEL, 0, 0));
        top_index_ = static_cast<int>(SendMessageA(WindowHandle(), LB_GETTOPINDEX, 0, 0));
    }
    TWinControl::Dispatch(m);
}

void TCustomListBox::CNDrawItem(TMessage& m) {
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    ScopedSaveDC save(d->hDC);
    canvas_->SetHandle(d->hDC);
    canvas_->Font().Assign(&Font());
    canvas_->Brush().SetColor(Color());
    canvas_->Brush().SetStyle(bsSolid);
    DrawItem(static_cast<int>(d->itemID), d->rcItem, d->itemState);
    canvas_->SetHandle(nullptr);
    m.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& m) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    mi->itemHeight = static_cast<UINT>(item_height_);
    m.Result = 1;
}

void TCustomListBox::DrawItem(int index, const RECT& rect, unsigned state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas& c = *canvas_;
    if (index < 0) {
        c.FillRect(rect);
        return;
    }
    if (state & ODS_SELECTED) {
        c.Brush().SetColor(clHighlight);
        c.Font().SetColor(clHighlightText);
    }
    c.FillRect(rect);
    RECT r = rect;
    r.left += 2;
    c.Brush().SetStyle(bsClear);
    std::string text = index < Count() ? items_->Get(index) : std::string();
    c.DrawText(text, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
