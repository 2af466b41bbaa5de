// Small sample controls of the gallery, built only on the framework: a
// panel, a button, a text label, a colour swatch and the picture of a
// top-level window. They show how controls are written against
// TCustomControl and TGraphicControl.
#pragma once

#include <functional>
#include <string>

#include "framework/custom_control.h"
#include "framework/gdi_owner.h"
#include "framework/graphic_control.h"

// A container with a sunken or raised frame and an optional centred caption.
class TSamplePanel : public TCustomControl {
public:
    explicit TSamplePanel(TComponent* AOwner);
    bool Raised = true;

protected:
    void Paint() override;
    void AdjustClientRect(RECT& Rect) override;
};

// A flat push button: hover look, focus frame, Space and Enter click it.
class TSampleButton : public TCustomControl {
public:
    explicit TSampleButton(TComponent* AOwner);
    bool Down() const { return down_; }
    void SetDown(bool value);

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    bool hover_ = false;
    bool pressed_ = false;
    bool down_ = false;
};

// Window-less text, painted by its parent.
class TSampleLabel : public TGraphicControl {
public:
    explicit TSampleLabel(TComponent* AOwner);
    UINT Format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    bool Transparent = true;

protected:
    void Paint() override;
};

// A label of one line at (x, y), w wide, owned and shown by parent.
TSampleLabel* SampleLabel(TWinControl* parent, int x, int y, int w, const std::string& text, bool bold = false);
// A page's title line: large and bold, along the top edge.
TSampleLabel* SampleTitle(TWinControl* parent, const std::string& text, int height = 34);

// Window-less coloured box that lightens while the mouse is over it.
class TSampleSwatch : public TGraphicControl {
public:
    explicit TSampleSwatch(TComponent* AOwner);

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    bool hover_ = false;
};

// The picture of a top-level window that is never shown (a message box, a
// popup list, a bubble), so that a page and its screenshot show it as it
// looks on the screen: painted with PaintTo at its own size, clipped to its
// shape when it has one.
class TWindowPicture : public TGraphicControl {
public:
    explicit TWindowPicture(TComponent* AOwner);
    // The window shown (sized to it); with Owned the picture frees it when
    // the picture goes.
    void SetWindow(TWinControl* Window, bool Owned);
    // The window's region in its own coordinates (a bubble's balloon);
    // unset: the whole rectangle.
    std::function<GdiObject<HRGN>()> Shape;
    // A system control paints only with a window: made before each paint.
    bool NeedsHandle = false;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void BeforeDestruction() override;

private:
    TWinControl* window_ = nullptr;
    bool owned_ = false;
};

// A picture of Window at (x, y) on parent (see TWindowPicture).
TWindowPicture* WindowPicture(TWinControl* parent, int x, int y, TWinControl* window, bool owned);
