#include "controls/flat/flat_hint.h"

#include "framework/font.h"
#include "framework/form.h"
#include "framework/gdi_owner.h"
#include "framework/plain_geometry_win32.h"
#include "framework/screen.h"

namespace {

// What a flat hint puts into the application's slots. Each keeps what it
// replaced, so a flat hint that goes can take itself out of the chain
// wherever it stands.
struct ShowHintRelay {
    TFlatHint* Hint;
    TShowHintEvent Previous;
    void operator()(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) const {
        if (Hint->OnShowHint) Hint->OnShowHint(HintStr, CanShow, HintInfo);
    }
};

struct HintWindowMaker {
    TFlatHint* Hint;
    THintWindowFactory Previous;
    THintWindow* operator()(TComponent* Owner) const { return Create<TFlatHintWindow>(Owner); }
};

// Puts back what Hint's entry in Slot (or in the chain behind it) replaced.
template <class Entry, class Slot>
void Unhook(Slot& slot, const TFlatHint* hint) {
    for (Slot* at = &slot;;) {
        Entry* entry = at->template target<Entry>();
        if (!entry) return;
        if (entry->Hint == hint) {
            Slot previous = std::move(entry->Previous);
            *at = std::move(previous);
            return;
        }
        at = &entry->Previous;
    }
}

// Switching hints off and on frees the hint window; the next hint makes one
// of the class now set.
void RemakeHintWindow() {
    TApplication* app = Application();
    app->SetShowHint(!app->ShowHint());
    app->SetShowHint(!app->ShowHint());
}

}  // namespace

// --- TFlatHint ---------------------------------------------------------------------------------

TFlatHint::TFlatHint(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
    if (IsDesigning()) return;
    TApplication* app = Application();
    app->HintWindowClass = HintWindowMaker{this, std::move(app->HintWindowClass)};
    RemakeHintWindow();
    app->OnShowHint = ShowHintRelay{this, std::move(app->OnShowHint)};
    app->HintPause = 500;
    app->HintShortPause = 50;
    app->HintHidePause = 5000;
}

TFlatHint::~TFlatHint() = default;

void TFlatHint::BeforeDestruction() {
    TApplication* app = Application();
    Unhook<ShowHintRelay>(app->OnShowHint, this);
    Unhook<HintWindowMaker>(app->HintWindowClass, this);
    RemakeHintWindow();
    TComponent::BeforeDestruction();
}

void TFlatHint::SetFont(const TFont& Value) { font_->Assign(&Value); }

void TFlatHint::SetMaxHintWidth(int Value) { max_hint_width_ = Value < kFlatHintExtraWidth ? kFlatHintExtraWidth : Value; }

TFlatHint* FindFlatHint() {
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* form = Screen()->Forms(i);
        for (int j = 0; j < form->ComponentCount(); ++j) {
            auto* hint = dynamic_cast<TFlatHint*>(form->Components(j));
            if (hint && !hint->IsDestroying()) return hint;
        }
    }
    return nullptr;
}

// --- TFlatHintWindow ---------------------------------------------------------------------------

TFlatHintWindow::TFlatHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TFlatHintWindow::CreateParams(TCreateParams& Params) {
    THintWindow::CreateParams(Params);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

void TFlatHintWindow::SetLook(TFlatHint* Look) {
    WatchComponent(look_, Look);
}

void TFlatHintWindow::Notification(TComponent* AComponent, TOperation Operation) {
    THintWindow::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == look_) look_ = nullptr;
}

void TFlatHintWindow::ActivateHint(RECT Rect, const std::string& AHint) {
    SetText(AHint);
    SetLook(FindFlatHint());
    if (!look_) return;
    RECT r{Rect.left, Rect.top, Rect.left + look_->MaxHintWidth() - kFlatHintExtraWidth, Rect.top};
    {
        MemoryDC dc;
        ScopedSelect font(dc.Get(), look_->Font().Handle());
        ::DrawTextA(dc.Get(), AHint.c_str(), static_cast<int>(AHint.size()), &r,
                    DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int w = r.right - r.left + kFlatHintExtraWidth, h = r.bottom - r.top + kFlatHintExtraHeight;
    POINT cursor{};
    GetCursorPos(&cursor);
    const TFlatHintPlace place = PlaceFlatHint(PlainPoint{cursor.x, cursor.y}, w, h, Screen()->Width(), Screen()->Height());
    arrow_ = place.Arrow;
    PlainRect bounds = place.Bounds;
    if (TMonitor* m = Screen()->MonitorFromPoint(POINT{bounds.left, bounds.top}, mdNearest))
        bounds = KeepFlatHintOn(bounds, ToPlainRect(m->BoundsRect()));
    ShowAt(ToRECT(bounds));
}

void TFlatHintWindow::Paint() {
    if (!look_) return;
    TCanvas& c = Canvas();
    const RECT client = ClientRect();
    const TFlatHintParts parts = FlatHintParts(ToPlainRect(client), arrow_);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(look_->ColorArrowBackground());
    c.FillRect(ToRECT(parts.Strip));
    c.Brush().SetColor(look_->ColorBackground());
    c.FillRect(ToRECT(parts.TextArea));
    c.Brush().SetColor(look_->ColorBorder());
    c.FrameRect(client);
    POINT arrow[18];
    const auto points = FlatHintArrowPoints(parts.ArrowOrigin, arrow_);
    for (size_t i = 0; i < points.size(); ++i) arrow[i] = POINT{points[i].x, points[i].y};
    c.Pen().SetWidth(1);
    c.Pen().SetColor(look_->ColorArrow());
    c.Polyline(arrow, 18);
    c.Brush().SetStyle(bsClear);
    c.Font().Assign(&look_->Font());
    RECT text = ToRECT(parts.TextArea);
    InflateRect(&text, -3, -1);
    c.DrawText(Caption(), text, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    c.Brush().SetStyle(bsSolid);
}
