// TTimer: a component firing OnTimer every Interval milliseconds while enabled.
#pragma once

#include <windows.h>

#include "framework/component.h"
#include "framework/events.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner = nullptr);
    ~TTimer() override;

    // Milliseconds; 0 stops the timer. Changing it restarts the timer.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // True while a system timer is running for this component.
    bool Running() const;

    // Exceptions thrown by the handler go to HandleCallbackException.
    TNotifyEvent OnTimer;

protected:
    // Fires OnTimer.
    virtual void Timer();
    void Loaded() override;
    void BeforeDestruction() override;

private:
    void UpdateTimer();
    void StopTimer();

    unsigned interval_ = 1000;
    bool enabled_ = true;
    UINT_PTR id_ = 0;
};
