// T_CustomGrid: the user's mouse and keys. The press and release with the
// second line, sizing with the XOR line and the column fit, moving rows and
// columns with a drag picture and drop markers, the wheel, the cursor over
// sizing zones, cancel mode and the keyboard navigation.
#include <algorithm>

#include "framework/bitmap.h"
#include "framework/gdi_owner.h"
#include "framework/scoped_state.h"
#include "framework/screen.h"
#include "grids/custom_grid.h"
#include "grids/grid_interaction_rules.h"
#include "grids/inplace_editor.h"

namespace {

// Pixels outside the top (left) edge within which a move scrolls back.
constexpr int MoveScrollZone = 11;
// Width of a moved row's picture.
constexpr int RowPictureWidth = 250;
// The sizing line's pen: dotted navy.
constexpr COLORREF SizingLineColor = 0x800000;

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

// ---------------------------------------------------------------- the press

void T_CustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) mouse_down_x_ = X;
    pressed_data_cell_ = false;
    HideEdit();
    if (!IsDesigning() && CanFocus() && !Focused()) SetFocus();
    if (IsBeingFreed() || Button != mbLeft || (Shift & ssDouble)) {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    TGridState state = TGridState::gsNormal;
    int index = -1, pos = 0, ofs = 0;
    CalcSizingState(X, Y, state, index, pos, ofs);
    if (state != TGridState::gsNormal) {
        grid_state_ = state;
        sizing_index_ = index;
        sizing_pos_ = pos;
        sizing_ofs_ = ofs;
        DrawSizingLine();
        return;
    }
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X >= 0 && cell.Y >= 0) {
        const bool dataCell = cell.X >= fixed_cols_ && cell.Y >= fixed_rows_;
        if (cell.X < fixed_cols_ && cell.Y >= fixed_rows_ && (options_ & goRowMoving)) {
            MoveCurrent(false, std::max(current_.X, fixed_cols_), cell.Y, true, false);
            BeginMove(TGridMoveKind::mkRow, cell.Y, X, Y);
        } else if (cell.Y < fixed_rows_ && cell.X >= fixed_cols_ && (options_ & goColMoving)) {
            BeginMove(TGridMoveKind::mkColumn, cell.X, X, Y);
        } else if (dataCell && (options_ & goEditing)) {
            const RECT r = CellRect(cell.X, cell.Y);
            const bool second = Y - r.top > default_row_height_;
            if (second) {
                if (RowHeights(cell.Y) < 2 * default_row_height_) SetRowHeight(cell.Y, 2 * default_row_height_);
                second_line_col_ = cell.X;
            }
            pressed_data_cell_ = true;
            if (current_.X == cell.X && current_.Y == cell.Y && current_.Second == second) {
                second_line_active_ = second;
                ShowEditor();
            } else {
                {
                    // The editor was closed above: one closing, one report.
                    ScopedValue<bool> closed(hiding_editor_, true);
                    MoveCurrent(second, cell.X, cell.Y, true, true);
                }
                ShowEditor();
            }
            Click();
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (second_line_active_) InvalidateGrid();
}

void T_CustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    if (move_kind_ != TGridMoveKind::mkNone) {
        TrackMove(X, Y);
    } else if (grid_state_ != TGridState::gsNormal) {
        DrawSizingLine();
        // The line never goes above (left of) its cell's start.
        const RECT r = grid_state_ == TGridState::gsRowSizing ? CellRect(0, sizing_index_) : CellRect(sizing_index_, 0);
        const int start = grid_state_ == TGridState::gsRowSizing ? r.top : r.left;
        const int at = (grid_state_ == TGridState::gsRowSizing ? Y : X) + sizing_ofs_;
        sizing_pos_ = std::max(at, start + 1);
        DrawSizingLine();
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void T_CustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button != mbLeft) {
        TCustomControl::MouseUp(Button, Shift, X, Y);
        return;
    }
    bool fireUp = true;
    if (move_kind_ != TGridMoveKind::mkNone) {
        EndMove(true);
    } else if (grid_state_ == TGridState::gsRowSizing) {
        const int index = sizing_index_;
        const RECT r = CellRect(0, index);
        const int height = sizing_pos_ - r.top;
        EndSizing();
        if (height > 1 && index >= 0 && index < row_count_) SetRowHeight(index, height);
    } else if (grid_state_ == TGridState::gsColSizing) {
        const int index = sizing_index_;
        const RECT r = CellRect(index, 0);
        const int width = sizing_pos_ - r.left;
        // The line goes, the state ends, also when the widening is dropped.
        EndSizing();
        if (width > 1 && index >= 0 && index < col_count_) {
            std::vector<int> widths(col_count_);
            for (int c = 0; c < col_count_; ++c) widths[c] = ColWidths(c);
            if (X > mouse_down_x_ && ColumnSizingDropped(widths, index)) {
                fireUp = false;
            } else {
                SetColWidth(index, width);
                ColumnFit(index);
            }
        }
    } else if (pressed_data_cell_ && (options_ & goEditing) && !editor_mode_) {
        ShowEditor();
    }
    pressed_data_cell_ = false;
    if (fireUp) TCustomControl::MouseUp(Button, Shift, X, Y);
    grid_state_ = TGridState::gsNormal;
    if (second_line_active_) InvalidateGrid();
}

// ---------------------------------------------------------------- sizing

void T_CustomGrid::DrawSizingLine() {
    if (!HandleAllocated() || grid_state_ == TGridState::gsNormal) return;
    WindowDC dc(WindowHandle());
    if (!dc) return;
    GdiObject<HPEN> pen(CreatePen(PS_DOT, 1, SizingLineColor));
    ScopedSaveDC saved(dc.Get());
    SelectObject(dc.Get(), pen.Get());
    SetROP2(dc.Get(), R2_XORPEN);
    SetBkMode(dc.Get(), TRANSPARENT);
    if (grid_state_ == TGridState::gsRowSizing) {
        MoveToEx(dc.Get(), 0, sizing_pos_, nullptr);
        LineTo(dc.Get(), ClientWidth(), sizing_pos_);
    } else {
        MoveToEx(dc.Get(), sizing_pos_, 0, nullptr);
        LineTo(dc.Get(), sizing_pos_, ClientHeight());
    }
    sizing_line_shown_ = !sizing_line_shown_;
}

void T_CustomGrid::EndSizing() {
    if (sizing_line_shown_) DrawSizingLine();
    sizing_line_shown_ = false;
    grid_state_ = TGridState::gsNormal;
    sizing_index_ = -1;
    if (MouseCapture()) SetMouseCapture(false);
}

void T_CustomGrid::ColumnFit(int Index) {
    HideEdit();
    if (column_fit_ || IsLoading()) return;
    ScopedValue<bool> fitting(column_fit_, true);
    TColumnFitInput in;
    in.Widths.resize(col_count_);
    for (int c = 0; c < col_count_; ++c) in.Widths[c] = ColWidths(c);
    in.Index = Index;
    in.FixedCols = fixed_cols_;
    in.ClientWidth = ClientWidth();
    in.LineWidth = grid_line_width_;
    const bool barShown = HandleAllocated() && (GetWindowLongA(WindowHandle(), GWL_STYLE) & WS_VSCROLL);
    in.BarWidth = barShown ? 0 : GetSystemMetrics(SM_CXVSCROLL);
    const TColumnFitResult fit = FitColumns(in);
    // All widths first, then one repaint and one scroll range.
    BatchSizeChanges([&] {
        for (int c = 0; c < col_count_; ++c)
            if (fit.Apply[c]) SetColWidth(c, fit.Widths[c]);
    });
}

int T_CustomGrid::MinimumGridWidth() const {
    // A later column takes one pixel off whether it is shown or hidden.
    int width = 0;
    for (int c = 0; c <= fixed_cols_ && c < col_count_; ++c) width += ColWidths(c);
    return width - std::max(0, col_count_ - fixed_cols_ - 1);
}

// ---------------------------------------------------------------- moving

void T_CustomGrid::BeginMove(TGridMoveKind Kind, int Index, int X, int Y) {
    move_index_ = move_pos_ = Index;
    if (HandleAllocated()) UpdateWindow(WindowHandle());  // the pending paint first
    TBitmap picture;
    int hotX = 0, hotY = 0;
    if (Kind == TGridMoveKind::mkRow) {
        picture.SetSize(RowPictureWidth, default_row_height_);
        DrawRowImage(picture.Canvas(), Index, RECT{0, 0, RowPictureWidth, default_row_height_}, 0);
        hotX = std::min(X, RowPictureWidth - 1);
        hotY = std::clamp(Y - static_cast<int>(CellRect(0, Index).top), 0, default_row_height_ - 1);
    } else {
        const RECT cell = CellRect(Index, 0);
        const int w = std::max(1, static_cast<int>(cell.right - cell.left));
        const int h = std::max(1, static_cast<int>(cell.bottom - cell.top));
        picture.SetSize(w, h);
        DrawColumnImage(picture.Canvas(), Index, 0, RECT{0, 0, w, h}, 0);
        hotX = std::clamp(X - static_cast<int>(cell.left), 0, w - 1);
        hotY = std::clamp(Y - static_cast<int>(cell.top), 0, h - 1);
    }
    move_kind_ = Kind;
    drag_image_.Begin(picture, hotX, hotY, ClientToScreen(POINT{X, Y}));
    drop_info_.Kind = Kind == TGridMoveKind::mkRow ? DragKind::Rows : DragKind::Columns;
    drop_info_.SourceIndex = Index;
    drop_info_.TargetIndex = -1;
    drop_info_.Grid = this;
    drop_info_.ImageDragging = drag_image_.Dragging();
    drop_info_.DragImageShown = drag_image_.Visible();
    drop_info_.InsertAfter = false;
    drop_info_.HideDragImage = [this] { drag_image_.Show(false); drop_info_.DragImageShown = false; };
    drop_info_.ShowDragImage = [this] { drag_image_.Show(true); drop_info_.DragImageShown = true; };
    CreateArrowWindows(this, drop_info_.Markers);
}

void T_CustomGrid::TrackMove(int X, int Y) {
    drag_image_.Move(ClientToScreen(POINT{X, Y}));
    const bool rows = move_kind_ == TGridMoveKind::mkRow;
    const TGridDrawInfo info = CalcDrawInfo();
    const TGridAxisDrawInfo& axis = rows ? info.Vert : info.Horz;
    const int along = rows ? Y : X;
    // Autoscroll: just outside the top (left) edge or on the first or last
    // visible row (column).
    TGridCoord cell = MouseCoord(X, Y);
    int index = rows ? cell.Y : cell.X;
    const int first = rows ? top_left_.Y : top_left_.X;
    const int maxFirst = AxisMaxFirstGridCell(axis.Params);
    int newFirst = first;
    if ((along < axis.FixedBoundary && along >= axis.FixedBoundary - MoveScrollZone && index < axis.Params.FixedCount) ||
        (index == first && first > axis.Params.FixedCount))
        newFirst = first - 1;
    else if (index >= axis.LastFullVisibleCell && first < maxFirst && index >= 0)
        newFirst = first + 1;
    if (newFirst != first) {
        drag_image_.Show(false);
        if (rows)
            MoveTopLeft(top_left_.X, newFirst);
        else
            MoveTopLeft(newFirst, top_left_.Y);
        if (HandleAllocated()) UpdateWindow(WindowHandle());
        drag_image_.Show(true);
        cell = MouseCoord(X, Y);
        index = rows ? cell.Y : cell.X;
    }
    // Inside the fixed area (or outside the cells) there is no drop place.
    const bool valid = rows ? (cell.Y >= fixed_rows_ && cell.X >= 0) : (cell.X >= fixed_cols_ && cell.Y >= 0);
    move_pos_ = valid ? index : -1;
    drop_info_.TargetIndex = move_pos_;
    drop_info_.InsertAfter = move_pos_ > move_index_;
    if (move_pos_ >= 0) drop_info_.TargetRect = rows ? CellRect(std::max(cell.X, 0), move_pos_) : CellRect(move_pos_, 0);
    if (move_pos_ < 0 || move_pos_ == move_index_ || IsEmptyRect(drop_info_.TargetRect))
        HideDropArrowMarkers(drop_info_);
    else
        ShowDropArrowMarkers(drop_info_);
}

void T_CustomGrid::EndMove(bool Drop) {
    const TGridMoveKind kind = move_kind_;
    if (kind == TGridMoveKind::mkNone) return;
    move_kind_ = TGridMoveKind::mkNone;
    drag_image_.End();
    HideDropArrowMarkers(drop_info_);
    drop_info_.Kind = DragKind::None;
    drop_info_.ImageDragging = drop_info_.DragImageShown = false;
    const int from = move_index_, to = move_pos_;
    move_index_ = move_pos_ = -1;
    if (MouseCapture()) SetMouseCapture(false);
    if (Drop && to != -1 && to != from) {
        if (kind == TGridMoveKind::mkRow) {
            MoveRow(from, to);
            MoveCurrent(false, current_.X, to, true, true);
            if (CanFocus() && !Focused()) SetFocus();
        } else {
            MoveColumn(from, to);
        }
        if (options_ & goAlwaysShowEditor) ShowEditor();
    } else if (kind == TGridMoveKind::mkRow) {
        InvalidateCell(0, from);
    } else {
        InvalidateCell(from, 0);
    }
}

// ---------------------------------------------------------------- other mouse

bool T_CustomGrid::DoMouseWheelDown(TShiftState Shift, POINT MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    HideEdit();
    if (current_.Y < row_count_ - 1) MoveCurrent(false, current_.X, current_.Y + 1, true, true);
    if (options_ & goEditing) ShowEditor();
    return true;
}

bool T_CustomGrid::DoMouseWheelUp(TShiftState Shift, POINT MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    HideEdit();
    if (current_.Y > fixed_rows_) MoveCurrent(false, current_.X, current_.Y - 1, true, true);
    if (options_ & goEditing) ShowEditor();
    return true;
}

void T_CustomGrid::WMCancelMode(TMessage& Message) {
    if (move_kind_ != TGridMoveKind::mkNone) EndMove(false);
    if (grid_state_ != TGridState::gsNormal) EndSizing();
    TCustomControl::WMCancelMode(Message);
}

void T_CustomGrid::WMSetCursor(TMessage& Message) {
    if (HandleAllocated() && LOWORD(Message.LParam) == HTCLIENT && grid_state_ == TGridState::gsNormal) {
        POINT p{};
        GetCursorPos(&p);
        p = ScreenToClient(p);
        TGridState state = TGridState::gsNormal;
        int index = -1, pos = 0, ofs = 0;
        CalcSizingState(p.x, p.y, state, index, pos, ofs);
        if (state != TGridState::gsNormal) {
            ::SetCursor(Screen()->Cursors(state == TGridState::gsRowSizing ? crVSplit : crHSplit));
            Message.Result = 1;
            return;
        }
    }
    TCustomControl::WMSetCursor(Message);
}

// ---------------------------------------------------------------- keys

namespace {

bool NavKeyOf(WORD Key, TShiftState Shift, TGridNavKey& Out) {
    switch (Key) {
        case VK_UP: Out = TGridNavKey::Up; return true;
        case VK_DOWN: Out = TGridNavKey::Down; return true;
        case VK_LEFT: Out = TGridNavKey::Left; return true;
        case VK_RIGHT: Out = TGridNavKey::Right; return true;
        case VK_RETURN: Out = TGridNavKey::Enter; return true;
        case VK_HOME: Out = TGridNavKey::Home; return true;
        case VK_END: Out = TGridNavKey::End; return true;
        case VK_PRIOR: Out = TGridNavKey::PageUp; return true;
        case VK_NEXT: Out = TGridNavKey::PageDown; return true;
        case VK_TAB:
            if (Shift & ssAlt) return false;
            Out = (Shift & ssShift) ? TGridNavKey::ShiftTab : TGridNavKey::Tab;
            return true;
        default: return false;
    }
}

}  // namespace

void T_CustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0 || !CanGridAcceptKey(Key, Shift)) return;
    if (Key == VK_ESCAPE && move_kind_ != TGridMoveKind::mkNone) {
        EndMove(false);
        Key = 0;
        return;
    }
    if (Key == VK_F2 && !(Shift & (ssCtrl | ssAlt))) {
        ShowEditor();
        Key = 0;
        return;
    }
    TGridNavKey nav;
    if (!NavKeyOf(Key, Shift, nav)) return;
    if (nav == TGridNavKey::Tab || nav == TGridNavKey::ShiftTab) Shift &= ~ssCtrl;
    TGridNavState s;
    s.ColCount = col_count_;
    s.RowCount = row_count_;
    s.FixedCols = fixed_cols_;
    s.FixedRows = fixed_rows_;
    s.Col = current_.X;
    s.Row = current_.Y;
    s.LeftCol = top_left_.X;
    s.TopRow = top_left_.Y;
    s.VisibleCols = VisibleColCount();
    s.VisibleRows = VisibleRowCount();
    s.RowSelect = (options_ & goRowSelect) != 0;
    s.ColShown = [this](int c) { return ColWidths(c) > 0; };
    const TGridNavResult r = NavigateGrid(s, nav, (Shift & ssCtrl) != 0);
    Key = 0;
    if (r.LeftCol != top_left_.X || r.TopRow != top_left_.Y) MoveTopLeft(r.LeftCol, r.TopRow);
    if (r.Col != current_.X || r.Row != current_.Y || current_.Second)
        MoveCurrent(false, r.Col, r.Row, true, true);
    if (r.PageMove) InvalidateGrid();
}

void T_CustomGrid::CMChildKey(TMessage& Message) {
    // The open editor's navigation keys move the grid.
    IInplaceEditor* editor = OpenEditor();
    const auto* source = reinterpret_cast<TControl*>(Message.LParam);
    WORD key = static_cast<WORD>(Message.WParam);
    // With a drop-down open (a combo's list, the calculator) every key is
    // the drop-down's: Enter takes its item or result.
    auto* choice = editor ? dynamic_cast<TI_CustomChoiceEdit*>(&editor->EditorControl()) : nullptr;
    const bool droppedDown = choice && choice->IsDroppedDown();
    if (editor && source == &editor->EditorControl() && !inplace_second_ && !droppedDown) {
        const bool combo = combo_edit_ && editor == static_cast<IInplaceEditor*>(combo_edit_);
        const bool take = key == VK_RETURN || (key == VK_TAB && (options_ & goTabs)) ||
                          (!combo && (key == VK_UP || key == VK_DOWN));
        if (take) {
            KeyDown(key, GetShiftState());
            Message.Result = 1;
            return;
        }
    }
    TCustomControl::CMChildKey(Message);
}

void T_CustomGrid::CMWantSpecialKey(TMessage& Message) {
    if (Message.WParam == VK_RETURN && (options_ & goEditing)) {
        Message.Result = 1;
        return;
    }
    TCustomControl::CMWantSpecialKey(Message);
}
