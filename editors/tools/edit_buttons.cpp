#include "editors/tools/edit_buttons.h"

#include <algorithm>

#include "framework/ansi_text.h"
#include "framework/sysutils.h"

TI_EditButtons::TI_EditButtons(TWinControl* AOwner) : owner_(AOwner) {}

TI_EditButtons::~TI_EditButtons() {
    hook_.Detach();
    Clear();
}

TI_EditButton* TI_EditButtons::Add(const Factory& factory) {
    TI_EditButton* b = factory ? factory(owner_, this) : Create<TI_EditButton>(owner_, this);
    const int index = static_cast<int>(buttons_.size());
    buttons_.push_back(b);
    b->SetName("Button" + IntToStr(index));
    b->Tag = index;
    b->SetAnchor(DefaultAnchor);
    b->SetCoordinateMode(DefaultCoordinateMode);
    b->SetColor(color_);
    AttachWindow();
    return b;
}

void TI_EditButtons::Clear() {
    clearing_ = true;
    std::vector<TI_EditButton*> old;
    old.swap(buttons_);
    for (TI_EditButton* b : old) b->Free();
    clearing_ = false;
    last_clicked_ = hot_ = nullptr;
}

void TI_EditButtons::Forget(TI_EditButton* button) {
    if (last_clicked_ == button) last_clicked_ = nullptr;
    if (hot_ == button) hot_ = nullptr;
    if (clearing_) return;
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
}

TI_EditButton* TI_EditButtons::FindByName(const std::string& Name) const {
    for (TI_EditButton* b : buttons_)
        if (AnsiSameText(b->Name(), Name)) return b;
    return nullptr;
}

RECT TI_EditButtons::GetBoundsRect() const {
    RECT u{};
    for (TI_EditButton* b : buttons_) {
        if (!b->Visible()) continue;
        RECT r = b->BoundsRect();
        UnionRect(&u, &u, &r);
    }
    return u;
}

POINT TI_EditButtons::ToButtonSpace(const TI_EditButton* b, POINT screen) const {
    if (!owner_) return screen;
    if (b->CoordinateMode()) {
        POINT origin{owner_->Left(), owner_->Top()};
        if (owner_->HandleAllocated()) {
            RECT w;
            GetWindowRect(owner_->WindowHandle(), &w);
            origin = POINT{w.left, w.top};
        } else if (owner_->Parent()) {
            origin = owner_->Parent()->ClientToScreen(origin);
        }
        return POINT{screen.x - origin.x, screen.y - origin.y};
    }
    return owner_->ScreenToClient(screen);
}

TI_EditButton* TI_EditButtons::ButtonAt(POINT screen) const {
    for (TI_EditButton* b : buttons_) {
        POINT p = ToButtonSpace(b, screen);
        if (b->Visible() && p.x >= b->Left() && p.x < b->Left() + b->Width() && p.y >= b->Top() &&
            p.y < b->Top() + b->Height())
            return b;
    }
    return nullptr;
}

TI_EditButton* TI_EditButtons::FindAccelerator(char Ch) const {
    for (TI_EditButton* b : buttons_) {
        if (!b->Enabled() || !b->Visible()) continue;
        const std::string& c = b->Caption();
        for (size_t i = 0; i + 1 < c.size(); ++i) {
            if (c[i] != '&') continue;
            if (c[i + 1] == '&') {
                ++i;
                continue;
            }
            if (AnsiUpperChar(c[i + 1]) == AnsiUpperChar(Ch)) return b;
            break;
        }
    }
    return nullptr;
}

void TI_EditButtons::Repaint() {
    for (TI_EditButton* b : buttons_) b->Repaint();
}

void TI_EditButtons::PaintNow() {
    for (TI_EditButton* b : buttons_) b->PaintNow();
}

void TI_EditButtons::ResetStates() {
    for (TI_EditButton* b : buttons_) b->ResetState();
}

void TI_EditButtons::SetColor(TColor value) {
    for (TI_EditButton* b : buttons_)
        if (b->Color() == color_) b->SetColor(value);
    color_ = value;
}

void TI_EditButtons::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    if (owner_ && owner_->HandleAllocated()) owner_->Invalidate();
}

void TI_EditButtons::PaintButtons(HDC Dc, bool WindowDc) {
    if (!enabled_) return;
    for (TI_EditButton* b : buttons_) {
        if (b->CoordinateMode() != WindowDc) {
            // A button kept in the other coordinate space: move the origin.
            RECT inner = owner_ ? owner_->ClientRect() : RECT{};
            POINT off{0, 0};
            if (owner_ && owner_->HandleAllocated()) {
                RECT w;
                GetWindowRect(owner_->WindowHandle(), &w);
                POINT c = owner_->ClientToScreen(POINT{inner.left, inner.top});
                off = POINT{c.x - w.left, c.y - w.top};
            }
            POINT old;
            int sign = WindowDc ? 1 : -1;
            OffsetViewportOrgEx(Dc, sign * off.x, sign * off.y, &old);
            b->PaintOn(Dc);
            SetViewportOrgEx(Dc, old.x, old.y, nullptr);
        } else {
            b->PaintOn(Dc);
        }
    }
}

void TI_EditButtons::AttachWindow() {
    if (!owner_ || !owner_->HandleAllocated()) return;
    HWND h = owner_->WindowHandle();
    if (hook_.Window() == h) return;
    RECT w;
    GetWindowRect(h, &w);
    owner_size_ = SIZE{w.right - w.left, w.bottom - w.top};
    hook_.Attach(h, [this](TMessage& m) { return HandleMessage(m); });
}

void TI_EditButtons::OwnerSizeChanged(int width, int height) {
    const int dx = width - owner_size_.cx, dy = height - owner_size_.cy;
    owner_size_ = SIZE{width, height};
    if (!dx && !dy) return;
    for (TI_EditButton* b : buttons_) b->OwnerResized(dx, dy);
}

bool TI_EditButtons::RouteMouse(POINT screen, EditButtonMouseAction action, bool held) {
    if (!enabled_) return false;
    TI_EditButton* under = ButtonAt(screen);
    std::vector<TI_EditButton*> list = buttons_;
    for (TI_EditButton* b : list) {
        if (std::find(buttons_.begin(), buttons_.end(), b) == buttons_.end()) continue;  // freed by a click
        POINT p = ToButtonSpace(b, screen);
        b->MouseEvent(p.x, p.y, action, held);
        // A click freed the owner (a bubble closing itself): its window and
        // hook are gone, the collection stays until the message returns.
        if (owner_ && owner_->IsDestroying()) return false;
    }
    if (std::find(buttons_.begin(), buttons_.end(), under) == buttons_.end()) under = nullptr;
    if (under != hot_) {
        TI_EditButton* old = hot_;
        hot_ = under;
        if (under && under->OnHover) under->OnHover(under, false);
        if (!under && old && old->OnHover) old->OnHover(old, true);
    }
    return action == EditButtonMouseAction::Press && under && under->Enabled();
}

void TI_EditButtons::MouseLeft() {
    std::vector<TI_EditButton*> list = buttons_;
    for (TI_EditButton* b : list) b->MouseEvent(-1, -1, EditButtonMouseAction::Move, false);
    if (hot_) {
        TI_EditButton* old = hot_;
        hot_ = nullptr;
        if (old->OnHover) old->OnHover(old, true);
    }
}

bool TI_EditButtons::HandleMessage(TMessage& m) {
    HWND h = hook_.Window();
    auto screen_of_client = [&](LPARAM lp) {
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ClientToScreen(h, &p);
        return p;
    };
    auto screen_of_nc = [](LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; };
    switch (m.Msg) {
    case WM_NCHITTEST:
        hook_.CallNext(m);
        if (enabled_ && ButtonAt(screen_of_nc(m.LParam))) m.Result = HTCLIENT;
        return true;
    case WM_NCPAINT:
        hook_.CallNext(m);
        if (enabled_) PaintNow();
        return true;
    case WM_PAINT:
        if (m.WParam) {
            hook_.CallNext(m);
            PaintButtons(reinterpret_cast<HDC>(m.WParam), false);
            return true;
        }
        // Keep the owner's painting off the opaque buttons, then paint them.
        if (enabled_) {
            for (TI_EditButton* b : buttons_) {
                if (!b->Visible() || b->Transparent() || b->CoordinateMode()) continue;
                RECT r = b->BoundsRect();
                ValidateRect(h, &r);
            }
        }
        hook_.CallNext(m);
        if (enabled_) PaintNow();
        return true;
    case WM_WINDOWPOSCHANGED: {
        hook_.CallNext(m);
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
        // The final size, after the owner's own procedure had its say.
        if (wp && !(wp->flags & SWP_NOSIZE)) OwnerSizeChanged(wp->cx, wp->cy);
        if (wp && (wp->flags & SWP_SHOWWINDOW)) Repaint();
        return true;
    }
    case WM_MOUSEMOVE:
        RouteMouse(screen_of_client(m.LParam), EditButtonMouseAction::Move, (m.WParam & MK_LBUTTON) != 0);
        return false;
    case WM_NCMOUSEMOVE:
        RouteMouse(screen_of_nc(m.LParam), EditButtonMouseAction::Move, GetKeyState(VK_LBUTTON) < 0);
        return false;
    // The second press of a double click is a press too: an owner with
    // double clicks gets it as WM_LBUTTONDBLCLK.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        const bool client = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
        POINT p = client ? screen_of_client(m.LParam) : screen_of_nc(m.LParam);
        if (!RouteMouse(p, EditButtonMouseAction::Press, true)) return false;
        pressed_ = true;
        if (hook_.Window()) SetCapture(hook_.Window());
        m.Result = 0;
        return true;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: {
        POINT p = m.Msg == WM_LBUTTONUP ? screen_of_client(m.LParam) : screen_of_nc(m.LParam);
        const bool ours = pressed_;
        pressed_ = false;
        if (ours && GetCapture() == h) ReleaseCapture();
        RouteMouse(p, EditButtonMouseAction::Release, false);
        if (!ours) return false;
        m.Result = 0;
        return true;
    }
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
        MouseLeft();
        return false;
    default: return false;
    }
}

std::vector<uint8_t> TI_EditButtons::SaveData() const {
    std::vector<EditButtonRecord> records;
    for (TI_EditButton* b : buttons_) {
        EditButtonRecord r;
        r.layout = b->Layout();
        r.tag = b->Tag;
        r.kind = b->Kind();
        r.toggle = b->Toggle();
        r.top = b->Top();
        r.left = b->Left();
        r.height = b->Height();
        r.width = b->bounds_.width;
        r.image_index = b->ImageIndex();
        r.enabled = b->Enabled();
        r.collection_member = b->CollectionMember();
        r.anchor = b->Anchor();
        r.disabled_look = b->DisabledLook();
        r.coordinate_mode = b->CoordinateMode();
        r.auto_reset = b->AutoReset();
        r.caption = b->Caption();
        r.text = b->Text();
        records.push_back(std::move(r));
    }
    return EncodeEditButtonData(records);
}

bool TI_EditButtons::LoadData(const uint8_t* Data, size_t Size) {
    auto records = DecodeEditButtonData(Data, Size);
    if (!records) return false;
    Clear();
    for (const EditButtonRecord& r : *records) {
        TI_EditButton* b = Add();
        b->SetLayout(r.layout);
        b->Tag = r.tag;
        b->SetKind(r.kind);
        b->SetToggle(r.toggle);
        b->SetBounds(r.left, r.top, r.width, r.height);
        b->SetImageIndex(r.image_index);
        b->SetEnabled(r.enabled);
        b->SetAnchor(r.anchor);
        b->SetDisabledLook(r.disabled_look);
        b->SetCoordinateMode(r.coordinate_mode);
        b->SetAutoReset(r.auto_reset);
        b->SetCaption(r.caption);
        b->SetText(r.text);
    }
    return true;
}

bool TI_EditButtons::DataDiffers(const TI_EditButtons* Ancestor) const {
    return !Ancestor || Ancestor->SaveData() != SaveData();
}
