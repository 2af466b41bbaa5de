// The red arrow markers that show where a dragged grid row or column will
// drop: four small top-most windows shaped as arrows that never take the
// activation (activating one would end the grid's drag).
#pragma once

#include <windows.h>

#include <functional>

#include "editors/tools/drawing_kernels.h"
#include "framework/custom_control.h"

class TArrowWindow : public TCustomControl {
public:
    TArrowWindow(TComponent* AOwner, int orientation);
    int Orientation() const { return orientation_; }
    // Shows the marker with its top-left at the screen point, without
    // activation; hides it. Both may be called any number of times.
    void ShowAt(int x, int y);
    void HideMarker();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    bool ShowsWithoutParent() const override { return true; }
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    int orientation_;
};

// What a dragging grid knows about its drag, read and updated by the marker
// routines. The markers are indexed by orientation (ArrowOrientation).
struct TDropArrowInfo {
    std::function<void()> HideDragImage;
    std::function<void()> ShowDragImage;
    TArrowWindow* Markers[4] = {};
    DragKind Kind = DragKind::None;
    int SourceIndex = -1;
    int TargetIndex = -1;
    // The target cell in the grid's client coordinates.
    RECT TargetRect{};
    TControl* Grid = nullptr;
    // The system drag image list is dragging (its image can be located).
    bool ImageDragging = false;
    bool DragImageShown = false;
    bool MarkersShown = false;
    bool InsertAfter = false;
};

// Makes each missing marker, owned by owner.
void CreateArrowWindows(TComponent* owner, TArrowWindow* (&markers)[4]);
// Shows the markers for the current target (none when the target is the
// source or below 0) and hides the others; sets MarkersShown.
void ShowDropArrowMarkers(TDropArrowInfo& info);
// Hides all markers; clears MarkersShown.
void HideDropArrowMarkers(TDropArrowInfo& info);
// The grid's toggle: hides the markers when they are shown, else shows them
// at the current target. The drag image is hidden around the change when it
// covers the marker area.
void ShowDropArrows(TDropArrowInfo& info);
