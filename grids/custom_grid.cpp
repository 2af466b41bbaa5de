// T_CustomGrid: construction and destruction, positions, geometry,
// invalidation, scrolling, painting and the window messages.
#include "grids/custom_grid.h"

#include <algorithm>

#include "framework/scoped_state.h"
#include "grids/grid_messages.h"
#include "grids/inplace_editor.h"

namespace {

RECT ToRect(const TGridPixelRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

template <class T>
T* CreateEditor(T_CustomGrid* Grid) {
    T* editor = Create<T>(Grid);
    editor->SetOwningGrid(Grid);
    editor->SetParent(Grid);
    editor->HideEditor();
    return editor;
}

}  // namespace

T_CustomGrid::T_CustomGrid(TComponent* AOwner)
    : TCustomControl(AOwner), fixed_color_(clBtnFace), second_font_(std::make_unique<TFont>()) {
    SetDoubleBuffered(true);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    second_edit_ = CreateEditor<TI_InplaceSecondEdit>(this);
    choice_edit_ = CreateEditor<TI_InplaceChoiceEdit>(this);
    float_edit_ = CreateEditor<TI_InplaceFloatEdit>(this);
    grid_edit_ = CreateEditor<TI_InplaceGridEdit>(this);
    combo_edit_ = CreateEditor<TI_InplaceComboEdit>(this);
    SetBounds(0, 0, col_count_ * default_col_width_, row_count_ * default_row_height_);
    InitializeFixedArea();
}

T_CustomGrid::~T_CustomGrid() {
    // Without Free() the owned editors would outlive the font they may use.
    DestroyComponents();
}

void T_CustomGrid::AfterConstruction() {
    TCustomControl::AfterConstruction();
    events_enabled_ = true;
}

void T_CustomGrid::BeforeDestruction() {
    drag_image_.End();
    move_kind_ = TGridMoveKind::mkNone;
    inplace_editor_ = nullptr;
    editor_mode_ = false;
    inplace_col_ = inplace_row_ = -1;
    // The window and the owned editors go here; the second-line font lives
    // on until the destructor.
    TCustomControl::BeforeDestruction();
    second_edit_ = nullptr;
    choice_edit_ = nullptr;
    float_edit_ = nullptr;
    grid_edit_ = nullptr;
    combo_edit_ = nullptr;
    for (TArrowWindow*& marker : drop_info_.Markers) marker = nullptr;
}

void T_CustomGrid::Loaded() {
    TCustomControl::Loaded();
    UpdateScrollRange();
}

void T_CustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove || !AComponent) return;
    // An editor freed by someone else must not stay referenced.
    auto* ed = dynamic_cast<IInplaceEditor*>(AComponent);
    if (ed && ed == inplace_editor_) {
        inplace_editor_ = nullptr;
        editor_mode_ = false;
    }
    if (AComponent == static_cast<TComponent*>(second_edit_)) second_edit_ = nullptr;
    if (AComponent == static_cast<TComponent*>(choice_edit_)) choice_edit_ = nullptr;
    if (AComponent == static_cast<TComponent*>(float_edit_)) float_edit_ = nullptr;
    if (AComponent == static_cast<TComponent*>(grid_edit_)) grid_edit_ = nullptr;
    if (AComponent == static_cast<TComponent*>(combo_edit_)) combo_edit_ = nullptr;
}

void T_CustomGrid::SetSecondFont(const TFont* Value) {
    if (Value) second_font_->Assign(Value);
}

void T_CustomGrid::SetBorderStyle(TBorderStyle Value) {
    if (Value == border_style_) return;
    border_style_ = Value;
    RecreateWnd();
}

void T_CustomGrid::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_TABSTOP | WS_VSCROLL;
    Params.ClassStyle |= CS_DBLCLKS;
    if (border_style_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void T_CustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScrollRange();
}

// ---------------------------------------------------------------- positions

void T_CustomGrid::SetCol(int Value) {
    if (Value == current_.X && !current_.Second) return;
    MoveCurrent(false, Value, current_.Y, true, true);
}

void T_CustomGrid::SetRow(int Value) {
    if (Value == current_.Y && !current_.Second) return;
    MoveCurrent(false, current_.X, Value, true, true);
}

void T_CustomGrid::SetLeftCol(int Value) { MoveTopLeft(Value, top_left_.Y); }
void T_CustomGrid::SetTopRow(int Value) { MoveTopLeft(top_left_.X, Value); }

TGridRect T_CustomGrid::Selection() const {
    if (options_ & goRowSelect) return TGridRect{fixed_cols_, current_.Y, col_count_ - 1, current_.Y};
    return TGridRect{current_.X, current_.Y, current_.X, current_.Y};
}

void T_CustomGrid::MoveCurrent(bool Second, int ACol, int ARow, bool MoveAnchor, bool Show) {
    if (ACol < 0 || ARow < 0 || ACol >= col_count_ || ARow >= row_count_)
        RaiseGridError(GridMessages::IndexOutOfRange);
    if (!SelectCell(Second, ACol, ARow)) return;
    const TGridRect oldSel = Selection();
    const TGridCoord oldCur = current_;
    current_ = TGridCoord{ACol, ARow, Second};
    // The second-line flag always tells what the position is.
    second_line_active_ = Second;
    HideEdit();
    if (MoveAnchor) {
        anchor_ = current_;
        if (options_ & goRowSelect) anchor_.X = col_count_ - 1;
    }
    if (options_ & goRowSelect) current_.X = fixed_cols_;
    if (Show) ScrollIntoView(current_.X, current_.Y);
    for (const TGridRect& r : DiffRects(oldSel, Selection()))
        if (!r.IsEmpty()) InvalidateGridRect(r);
    InvalidatePosition(oldCur);
    InvalidatePosition(current_);
}

// ---------------------------------------------------------------- geometry

TGridAxisParams T_CustomGrid::HorzParams() {
    TGridAxisParams p;
    p.Count = col_count_;
    p.FixedCount = fixed_cols_;
    p.FirstGridCell = top_left_.X;
    p.DefaultExtent = default_col_width_;
    p.LineWidth = grid_line_width_;
    p.ClientExtent = ClientWidth();
    p.Extents = &col_widths_;
    return p;
}

TGridAxisParams T_CustomGrid::VertParams() {
    TGridAxisParams p;
    p.Count = row_count_;
    p.FixedCount = fixed_rows_;
    p.FirstGridCell = top_left_.Y;
    p.DefaultExtent = default_row_height_;
    p.LineWidth = grid_line_width_;
    p.ClientExtent = ClientHeight();
    p.Extents = &row_heights_;
    return p;
}

TGridDrawInfo T_CustomGrid::CalcDrawInfo() { return TGridDrawInfo{CalcAxisDrawInfo(HorzParams()), CalcAxisDrawInfo(VertParams())}; }

RECT T_CustomGrid::CellRect(int ACol, int ARow) { return ToRect(GridCellRect(CalcDrawInfo(), ACol, ARow)); }

RECT T_CustomGrid::SecondLineRect(int ARow, bool WithScrollBar) {
    const TGridDrawInfo info = CalcDrawInfo();
    int top = 0, bottom = 0;
    if (!AxisCellSpan(info.Vert, ARow, top, bottom)) return RECT{0, 0, 0, 0};
    top += default_row_height_ + 1;
    if (top >= bottom) return RECT{0, 0, 0, 0};
    int l = 0, r = 0, s = 0, e = 0;
    if (AxisCellSpan(info.Horz, left_start_second_, s, e))
        l = s;
    else
        l = info.Horz.FixedBoundary;
    if (AxisCellSpan(info.Horz, right_end_second_, s, e))
        r = e;
    else
        r = info.Horz.GridBoundary;
    l -= 1;
    r += 1;
    if (WithScrollBar) r += GetSystemMetrics(SM_CXVSCROLL);
    if (r <= l) return RECT{0, 0, 0, 0};
    return RECT{l, top, r, bottom};
}

TGridCoord T_CustomGrid::MouseCoord(int X, int Y) {
    TGridCoord c = GridHitTest(CalcDrawInfo(), X, Y);
    if (c.X < 0 || c.Y < 0) c.X = c.Y = -1;
    return c;
}

int T_CustomGrid::VisibleColCount() { return AxisVisibleCount(CalcAxisDrawInfo(HorzParams())); }
int T_CustomGrid::VisibleRowCount() { return AxisVisibleCount(CalcAxisDrawInfo(VertParams())); }

// ---------------------------------------------------------------- invalidation

void T_CustomGrid::InvalidatePixelRect(const RECT& R, bool Erase) {
    if (!CanDraw() || IsEmptyRect(R)) return;
    InvalidateRect(R, Erase);
}

void T_CustomGrid::InvalidateCell(int ACol, int ARow) {
    if (!CanDraw()) return;
    InvalidateGridRect(TGridRect{ACol, ARow, ACol, ARow});
}

void T_CustomGrid::InvalidateRow(int ARow) {
    if (!CanDraw()) return;
    // The whole row, its second-line area included.
    const TGridDrawInfo info = CalcDrawInfo();
    int top = 0, bottom = 0;
    if (!AxisCellSpan(info.Vert, ARow, top, bottom)) return;
    InvalidatePixelRect(RECT{0, top, ClientWidth(), bottom + grid_line_width_}, true);
}

void T_CustomGrid::InvalidateCol(int ACol) {
    if (!CanDraw()) return;
    InvalidateGridRect(TGridRect{ACol, 0, ACol, row_count_ - 1});
}

void T_CustomGrid::InvalidateGridRect(const TGridRect& Block) {
    if (!CanDraw()) return;
    TGridPixelRect r = GridBoxRect(CalcDrawInfo(), Block);
    if (r.IsEmpty()) return;
    // Take the lines after the cells along.
    InvalidatePixelRect(RECT{r.Left, r.Top, r.Right + grid_line_width_, r.Bottom + grid_line_width_}, false);
}

void T_CustomGrid::InvalidatePosition(const TGridCoord& Position) {
    if (Position.Second)
        InvalidateRow(Position.Y);
    else
        InvalidateCell(Position.X, Position.Y);
}

void T_CustomGrid::InvalidateGrid() {
    if (CanDraw()) Invalidate();
}

void T_CustomGrid::SetDrawing(bool Enabled) {
    if (Enabled == drawing_enabled_) return;
    drawing_enabled_ = Enabled;
    if (Enabled) InvalidateGrid();
}

// ---------------------------------------------------------------- scrolling


void T_CustomGrid::UpdateScrollRange() {
    if (!HandleAllocated() || updating_scroll_range_) return;
    ScopedValue<bool> updating(updating_scroll_range_, true);
    auto apply = [&](int bar, const TGridAxisParams& p, int first) {
        const int maxFirst = AxisMaxFirstGridCell(p);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(0, p.Count - p.FixedCount - 1);
        // The thumb reaches the last position exactly when the last cell
        // shows completely: page = count - largest first cell.
        si.nPage = static_cast<UINT>(std::max(1, p.Count - maxFirst));
        if (maxFirst <= p.FixedCount) si.nPage = static_cast<UINT>(si.nMax + 1);
        si.nPos = std::max(0, first - p.FixedCount);
        // A bar whose values stay is not set again: setting redraws it, which
        // on a shown grid costs more than the rest of a scroll step.
        SCROLLINFO now{};
        now.cbSize = sizeof now;
        now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (GetScrollInfo(WindowHandle(), bar, &now) && now.nMin == si.nMin && now.nMax == si.nMax &&
            now.nPage == si.nPage && now.nPos == si.nPos)
            return;
        SetScrollInfo(WindowHandle(), bar, &si, TRUE);
    };
    apply(SB_VERT, VertParams(), top_left_.Y);
    apply(SB_HORZ, HorzParams(), top_left_.X);
}

void T_CustomGrid::MoveTopLeft(int ALeft, int ATop) {
    const TGridAxisParams h = HorzParams(), v = VertParams();
    ALeft = std::clamp(ALeft, fixed_cols_, std::max(fixed_cols_, AxisMaxFirstGridCell(h)));
    ATop = std::clamp(ATop, fixed_rows_, std::max(fixed_rows_, AxisMaxFirstGridCell(v)));
    if (ALeft == top_left_.X && ATop == top_left_.Y) return;
    const TGridDrawInfo before = CalcDrawInfo();
    const TGridCoord old = top_left_;
    top_left_.X = ALeft;
    top_left_.Y = ATop;
    // Pixel distance between the old and the new first cells, when small.
    auto distance = [](const TGridAxisDrawInfo& ax, int from, int to) {
        long long d = 0;
        const int lo = std::min(from, to), hi = std::max(from, to);
        if (hi - lo > 1000) return 1 << 30;
        for (int i = lo; i < hi; ++i) d += ax.CellSpan(i);
        return static_cast<int>(std::min<long long>(d, 1 << 30)) * (from < to ? -1 : 1);
    };
    ScrollData(distance(before.Horz, old.X, ALeft), distance(before.Vert, old.Y, ATop));
    UpdateScrollRange();
    TopLeftChanged();
}

void T_CustomGrid::ScrollData(int DX, int DY) {
    if (!CanDraw()) return;
    const TGridDrawInfo info = CalcDrawInfo();
    const int w = ClientWidth(), h = ClientHeight();
    if ((DX != 0 && DY != 0) || std::abs(DX) >= w || std::abs(DY) >= h) {
        InvalidateGrid();
        return;
    }
    if (DY != 0) {
        const RECT area{0, info.Vert.FixedBoundary, w, h};
        ScrollWindow(0, DY, &area, &area);
    } else if (DX != 0) {
        const RECT area{info.Horz.FixedBoundary, 0, w, h};
        ScrollWindow(DX, 0, &area, &area);
    }
}

void T_CustomGrid::ScrollIntoView(int ACol, int ARow) {
    const TGridDrawInfo info = CalcDrawInfo();
    // The first cell with which Index ends inside the client.
    auto firstFor = [](const TGridAxisDrawInfo& ax, int index) {
        const TGridAxisParams& p = ax.Params;
        if (index < p.FixedCount) return ax.FirstGridCell;
        if (index < ax.FirstGridCell) return index;
        if (index <= ax.LastFullVisibleCell) return ax.FirstGridCell;
        long long room = p.ClientExtent - ax.FixedBoundary;
        int first = index;
        long long used = ax.CellSpan(index);
        while (first > p.FixedCount && used + ax.CellSpan(first - 1) <= room) {
            --first;
            used += ax.CellSpan(first);
        }
        return first;
    };
    MoveTopLeft(firstFor(info.Horz, ACol), firstFor(info.Vert, ARow));
}

void T_CustomGrid::HandleScroll(bool Vertical, int Code) {
    if (!HandleAllocated()) return;
    if (Vertical) HideEdit();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(WindowHandle(), Vertical ? SB_VERT : SB_HORZ, &si);
    const int fixed = Vertical ? fixed_rows_ : fixed_cols_;
    const int first = Vertical ? top_left_.Y : top_left_.X;
    const int page = std::max(1, Vertical ? VisibleRowCount() : VisibleColCount());
    int target = first;
    switch (Code) {
        case SB_LINEUP: target = first - 1; break;
        case SB_LINEDOWN: target = first + 1; break;
        case SB_PAGEUP: target = first - page; break;
        case SB_PAGEDOWN: target = first + page; break;
        case SB_TOP: target = fixed; break;
        case SB_BOTTOM: target = (Vertical ? row_count_ : col_count_) - 1; break;
        // The 32-bit track position: WM_VSCROLL's own is only 16 bits.
        case SB_THUMBTRACK:
            if (!(options_ & goThumbTracking)) return;
            target = fixed + si.nTrackPos;
            break;
        case SB_THUMBPOSITION: target = fixed + si.nTrackPos; break;
        default: return;
    }
    if (Vertical)
        MoveTopLeft(top_left_.X, target);
    else
        MoveTopLeft(target, top_left_.Y);
}

void T_CustomGrid::TopLeftChanged() {
    if (editor_mode_) PlaceOpenEditor(false);
}

// ---------------------------------------------------------------- painting

void T_CustomGrid::DrawColumnImage(TCanvas& Canvas, int ACol, int ARow, const RECT& Rect, unsigned Flags) {
    (void)Canvas, (void)ACol, (void)ARow, (void)Rect, (void)Flags;
}

void T_CustomGrid::DrawRowImage(TCanvas& Canvas, int ARow, const RECT& Rect, unsigned Flags) {
    (void)Canvas, (void)ARow, (void)Rect, (void)Flags;
}

void T_CustomGrid::DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) {
    (void)ACol, (void)ARow, (void)Rect, (void)State;
}

void T_CustomGrid::DrawSecondLine(int ARow, const RECT& Rect) { (void)ARow, (void)Rect; }

void T_CustomGrid::Paint() {
    if (!drawing_enabled_) {
        TCanvas& c = Canvas();
        c.Brush().SetColor(Color());
        c.Brush().SetStyle(bsSolid);
        c.FillRect(ClientRect());
        return;
    }
    PaintGrid();
}

void T_CustomGrid::PaintGrid() {
    TCanvas& canvas = Canvas();
    const TGridDrawInfo info = CalcDrawInfo();
    const int w = ClientWidth(), h = ClientHeight();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(RECT{0, 0, w, h});

    const TGridRect sel = Selection();
    const bool focused = HandleAllocated() && Focused();
    const int lw = grid_line_width_;

    std::vector<std::pair<int, std::pair<int, int>>> cols, rows;
    auto collect = [](const TGridAxisDrawInfo& ax, std::vector<std::pair<int, std::pair<int, int>>>& out) {
        const TGridAxisParams& p = ax.Params;
        long long pos = 0;
        auto step = [&](int i) {
            const int extent = ax.CellExtent(i);
            if (extent > 0) out.push_back({i, {static_cast<int>(pos), static_cast<int>(pos + extent)}});
            pos += ax.CellSpan(i);
        };
        for (int i = 0; i < p.FixedCount && i < p.Count && pos < p.ClientExtent; ++i) step(i);
        for (int i = ax.FirstGridCell; i < p.Count && pos < p.ClientExtent; ++i) step(i);
    };
    collect(info.Horz, cols);
    collect(info.Vert, rows);

    for (const auto& [r, rv] : rows) {
        for (const auto& [c, cv] : cols) {
            const RECT rect{cv.first, rv.first, cv.second, rv.second};
            const bool fixed = c < fixed_cols_ || r < fixed_rows_;
            TGridDrawState state = 0;
            if (fixed) {
                state |= gdFixed;
            } else {
                if (IsPointInGridRect(c, r, sel)) state |= gdSelected;
                if (focused && c == current_.X && r == current_.Y && !current_.Second) state |= gdFocused;
            }
            if (default_drawing_) {
                TColor back = Color();
                if (fixed)
                    back = fixed_color_;
                else if ((state & gdSelected) && (!(state & gdFocused) || (options_ & goDrawFocusSelected)))
                    back = clHighlight;
                canvas.Brush().SetStyle(bsSolid);
                canvas.Brush().SetColor(back);
                canvas.Font().Assign(&Font());
                if (back == clHighlight) canvas.Font().SetColor(clHighlightText);
                canvas.FillRect(rect);
            }
            DrawCell(c, r, rect, state);
            if (default_drawing_ && (state & gdFocused) && !(options_ & goRowSelect) && !editor_mode_)
                canvas.DrawFocusRect(rect);
            // Grid lines right of and below the cell.
            if (lw > 0) {
                const bool vert = (options_ & (fixed ? goFixedVertLine : goVertLine)) != 0;
                const bool horz = (options_ & (fixed ? goFixedHorzLine : goHorzLine)) != 0;
                canvas.Brush().SetStyle(bsSolid);
                canvas.Brush().SetColor(fixed ? clBlack : clSilver);
                if (vert) canvas.FillRect(RECT{cv.second, rv.first, cv.second + lw, rv.second + lw});
                if (horz) canvas.FillRect(RECT{cv.first, rv.second, cv.second + lw, rv.second + lw});
            }
        }
        if (r >= fixed_rows_) {
            const RECT second = SecondLineRect(r);
            if (!IsEmptyRect(second)) {
                // One band under the cells of its span: no cell colour or
                // column line runs through the second line's text.
                if (default_drawing_) {
                    canvas.Brush().SetStyle(bsSolid);
                    canvas.Brush().SetColor(Color());
                    const int left = std::max<int>(second.left + 1, info.Horz.FixedBoundary);
                canvas.FillRect(RECT{left, second.top, second.right - 1, second.bottom});
                }
                DrawSecondLine(r, second);
            }
        }
    }
}

// ---------------------------------------------------------------- messages

void T_CustomGrid::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_COMMAND: {
            const WORD id = LOWORD(Message.WParam), code = HIWORD(Message.WParam);
            const HWND source = reinterpret_cast<HWND>(Message.LParam);
            const bool change = code == EN_CHANGE || (id == ID_INPLACE_EDITOR_COMMAND && code == 0);
            if (change && source && IsOpenEditorWindow(source)) {
                Message.Result = 0;
                EditorTextChanged();
                return;
            }
            break;
        }
        case WM_VSCROLL:
        case WM_HSCROLL:
            if (Message.LParam == 0) {  // the grid's own bar
                HandleScroll(Message.Msg == WM_VSCROLL, LOWORD(Message.WParam));
                Message.Result = 0;
                return;
            }
            break;
        default: break;
    }
    TCustomControl::WndProc(Message);
}

void T_CustomGrid::WMSize(TMessage& Message) {
    TCustomControl::WMSize(Message);
    UpdateScrollRange();
    if (editor_mode_) PlaceOpenEditor(false);
}

void T_CustomGrid::WMKillFocus(TMessage& Message) {
    focus_target_ = reinterpret_cast<HWND>(Message.WParam);
    TCustomControl::WMKillFocus(Message);
}

void T_CustomGrid::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS;
    if (options_ & goRowSelect) return;
    if (options_ & goTabs) Message.Result |= DLGC_WANTTAB;
    if (options_ & goEditing) Message.Result |= DLGC_WANTCHARS;
}

void T_CustomGrid::DoEnter() {
    TCustomControl::DoEnter();
    InvalidateGridRect(Selection());
    if ((options_ & goEditing) && (options_ & goAlwaysShowEditor) && !editor_mode_) ShowEditor();
}

void T_CustomGrid::DoExit() {
    TCustomControl::DoExit();
    // The focus going into the grid's own editor is no exit.
    const HWND target = focus_target_ ? focus_target_ : GetFocus();
    focus_target_ = nullptr;
    if (HandleAllocated() && target && (target == WindowHandle() || IsChild(WindowHandle(), target))) return;
    if (!(options_ & goAlwaysShowEditor)) HideEdit();
}


void T_CustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) {
    // The zone is a few pixels around a line inside the fixed area. Only the
    // shown cells are looked at: the cursor test runs on every mouse move.
    State = TGridState::gsNormal;
    Index = -1;
    SizingPos = SizingOfs = 0;
    const TGridDrawInfo info = CalcDrawInfo();
    const int zone = 3;
    int end = 0, hit = -1;
    if ((options_ & goColSizing) && Y < info.Vert.FixedBoundary && (hit = AxisSizingHit(info.Horz, X, zone, end)) >= 0) {
        State = TGridState::gsColSizing;
        Index = hit;
        SizingPos = end;
        SizingOfs = end - X;
        return;
    }
    if ((options_ & goRowSizing) && X < info.Horz.FixedBoundary && (hit = AxisSizingHit(info.Vert, Y, zone, end)) >= 0) {
        State = TGridState::gsRowSizing;
        Index = hit;
        SizingPos = end;
        SizingOfs = end - Y;
    }
}

bool T_CustomGrid::SelectCell(bool Second, int ACol, int ARow) {
    (void)Second, (void)ACol, (void)ARow;
    return true;
}

bool T_CustomGrid::CanEditAcceptKey(char Key) {
    (void)Key;
    return true;
}

bool T_CustomGrid::CanGridAcceptKey(WORD Key, TShiftState Shift) {
    (void)Key, (void)Shift;
    return true;
}

bool T_CustomGrid::CanEditModify() { return can_modify_; }
std::string T_CustomGrid::GetEditMask(int ACol, int ARow) {
    (void)ACol, (void)ARow;
    return {};
}
int T_CustomGrid::GetEditLimit() { return 0; }
