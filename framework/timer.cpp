#include "framework/timer.h"

#include "framework/utility_window.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() { StopTimer(); }

void TTimer::BeforeDestruction() {
    StopTimer();
    enabled_ = false;
    TComponent::BeforeDestruction();
}

bool TTimer::Running() const { return UtilityTimerActive(id_); }

void TTimer::SetInterval(unsigned value) {
    if (value == interval_) return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::StopTimer() {
    if (id_) {
        StopUtilityTimer(id_);
        id_ = 0;
    }
}

void TTimer::UpdateTimer() {
    StopTimer();
    if (!enabled_ || interval_ == 0 || IsLoading() || IsDestroying()) return;
    id_ = StartUtilityTimer(interval_, [this] {
        if (enabled_) Timer();
    });
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}
