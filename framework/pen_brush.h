// TPen and TBrush: drawing tool descriptions with lazily created handles.
#pragma once

#include <windows.h>

#include "framework/component.h"
#include "framework/events.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// Raster operations of the pen; pmXor maps to R2_XORPEN, pmNotXor to R2_NOTXORPEN.
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

// The SetROP2 value of a pen mode.
int PenModeToROP2(TPenMode mode);

class TPen : public TPersistent {
public:
    TPen();
    ~TPen() override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    // The mode is a DC attribute, not part of the handle: changing it fires
    // OnChange but keeps the handle.
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);

    // Created on first use and again after a change; owned by the pen.
    HPEN Handle();

    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    // A change of the description: the handle is made again on next use.
    void HandleChanged();

    TColor color_ = 0x000000;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
    bool stale_ = true;
    COLORREF made_rgb_ = 0;  // the colour the handle was made with
    GdiObject<HPEN> handle_;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TPersistent {
public:
    TBrush();
    ~TBrush() override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);

    // bsClear gives the stock NULL_BRUSH; otherwise a brush owned by this object.
    HBRUSH Handle();

    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    // A change of the description: the handle is made again on next use.
    void HandleChanged();

    TColor color_ = 0xFFFFFF;
    TBrushStyle style_ = bsSolid;
    bool stale_ = true;
    COLORREF made_rgb_ = 0;  // the colour the handle was made with
    GdiObject<HBRUSH> handle_;
};
