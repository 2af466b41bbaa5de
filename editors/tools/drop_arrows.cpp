#include "editors/tools/drop_arrows.h"

#include <commctrl.h>

#include "framework/gdi_owner.h"
#include "framework/messages.h"

TArrowWindow::TArrowWindow(TComponent* AOwner, int orientation) : TCustomControl(AOwner), orientation_(orientation) {
    SetVisibleFlag(false);
    SetColor(clRed);
    control_style_ |= csOpaque;
    SetBounds(0, 0, kArrowSize, kArrowSize);
}

void TArrowWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
}

void TArrowWindow::CreateWnd() {
    TCustomControl::CreateWnd();
    const auto points = ArrowPolygon(orientation_);
    POINT pts[7];
    for (size_t i = 0; i < points.size(); ++i) pts[i] = {points[i].x, points[i].y};
    GdiObject<HRGN> region(CreatePolygonRgn(pts, 7, WINDING));
    // The window owns the region from here on.
    if (region && SetWindowRgn(WindowHandle(), region.Get(), FALSE)) region.Release();
}

void TArrowWindow::ShowAt(int x, int y) {
    SetBounds(x, y, kArrowSize, kArrowSize);
    SetVisible(true);
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

void TArrowWindow::HideMarker() { SetVisible(false); }

void TArrowWindow::Paint() {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(ClientRect());
}

void TArrowWindow::Dispatch(TMessage& m) {
    if (m.Msg == WM_MOUSEACTIVATE) {
        m.Result = MA_NOACTIVATE;
        return;
    }
    TCustomControl::Dispatch(m);
}

void CreateArrowWindows(TComponent* owner, TArrowWindow* (&markers)[4]) {
    for (int i = 0; i < 4; ++i)
        if (!markers[i]) markers[i] = Create<TArrowWindow>(owner, i);
}

namespace {

DropArrowPlan PlanFor(const TDropArrowInfo& info) {
    RECT r = info.TargetRect;
    if (info.Grid) {
        const POINT o = info.Grid->ClientOrigin();
        OffsetRect(&r, o.x, o.y);
    }
    return PlanDropArrows(info.Kind, info.SourceIndex, info.TargetIndex, info.InsertAfter,
                          {r.left, r.top, r.right, r.bottom});
}

// The drag image's screen rectangle, when the image list is dragging.
bool DragImageRect(RECT& out) {
    POINT hot{};
    HIMAGELIST list = ImageList_GetDragImage(nullptr, &hot);
    int cx = 0, cy = 0;
    POINT cursor{};
    if (!list || !ImageList_GetIconSize(list, &cx, &cy) || !GetCursorPos(&cursor)) return false;
    out = {cursor.x - hot.x, cursor.y - hot.y, cursor.x - hot.x + cx, cursor.y - hot.y + cy};
    return true;
}

}  // namespace

void ShowDropArrowMarkers(TDropArrowInfo& info) {
    const DropArrowPlan plan = PlanFor(info);
    for (int i = 0; i < 4; ++i) {
        TArrowWindow* marker = info.Markers[i];
        if (!marker) continue;
        if (plan.show && plan.visible[i])
            marker->ShowAt(plan.origin[i].x, plan.origin[i].y);
        else
            marker->HideMarker();
    }
    info.MarkersShown = plan.show;
}

void HideDropArrowMarkers(TDropArrowInfo& info) {
    for (TArrowWindow* marker : info.Markers)
        if (marker) marker->HideMarker();
    info.MarkersShown = false;
}

void ShowDropArrows(TDropArrowInfo& info) {
    bool hideImage = info.DragImageShown;
    if (hideImage && info.ImageDragging) {
        const DropArrowPlan plan = PlanFor(info);
        const RECT area{plan.area.left, plan.area.top, plan.area.right, plan.area.bottom};
        RECT image{}, common{};
        if (DragImageRect(image) && !IntersectRect(&common, &image, &area)) hideImage = false;
    }
    if (hideImage && info.HideDragImage) info.HideDragImage();
    if (info.MarkersShown)
        HideDropArrowMarkers(info);
    else
        ShowDropArrowMarkers(info);
    if (hideImage && info.ShowDragImage) info.ShowDragImage();
}
