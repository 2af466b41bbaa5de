// TGraphicControl: a control without a window of its own.
//
// It lives on its parent's window: the parent paints it after its own
// Paint (clipped to the control's bounds, origin moved to its top-left),
// routes mouse messages to it, asks it for the cursor and for hints, and
// reports mouse enter and leave for it.
#pragma once

#include <memory>

#include "framework/control.h"

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    // Bound to the parent's DC (origin at this control) while painting;
    // outside painting it draws on the parent's window when there is one.
    TCanvas& Canvas();

protected:
    virtual void Paint() {}
    void BeforeDestruction() override;
    virtual void WMPaint(TMessage& Message);
    void Dispatch(TMessage& Message) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};
