// THintWindow: the small top-level window that shows a control's hint.
//
// A popup that never takes the activation (WS_EX_TOOLWINDOW|WS_EX_TOPMOST,
// WM_MOUSEACTIVATE answered with MA_NOACTIVATE, transparent to hit tests).
// Subclasses change the look through Paint, CalcHintRect and ActivateHint;
// the application makes them through its HintWindowClass factory.
#pragma once

#include <string>

#include "framework/custom_control.h"

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // The window rectangle (origin 0,0) the text needs, wrapped at MaxWidth.
    virtual RECT CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
    // Shows the hint at Rect (screen coordinates, kept on the monitor).
    virtual void ActivateHint(RECT Rect, const std::string& AHint);
    // The application's entry; the default shows through ActivateHint, so a
    // look that ignores the data overrides ActivateHint alone.
    virtual void ActivateHintData(RECT Rect, const std::string& AHint, void* AData);
    // Hides the hint by destroying its window.
    virtual void ReleaseHandle();
    // Whether the hint window shows (has a visible window).
    bool IsShowing() const;

protected:
    // Moves the window to Rect (screen) and shows it topmost without
    // taking the activation, painted at once.
    void ShowAt(const RECT& Rect);
    void CreateParams(TCreateParams& Params) override;
    bool ShowsWithoutParent() const override { return true; }
    void Paint() override;
    void Dispatch(TMessage& Message) override;
};
