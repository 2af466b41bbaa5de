#include "controls/flat/hover_tracker.h"

#include "framework/timer.h"

void THoverTracker::AddClient() {
    if (!timer_) {
        timer_ = Create<TTimer>(nullptr);
        timer_->SetEnabled(false);
        timer_->SetInterval(100);
        timer_->OnTimer = [this](TObject*) {
            if (current_) current_->HoverTick();
        };
    }
    ++count_;
}

void THoverTracker::RemoveClient(THoverClient* Client) {
    Stop(Client);
    if (count_ > 0 && --count_ == 0 && timer_) {
        timer_->Free();
        timer_ = nullptr;
    }
}

void THoverTracker::Watch(THoverClient* Client) {
    if (!timer_) return;
    timer_->SetEnabled(false);
    current_ = Client;
    timer_->SetEnabled(true);
}

void THoverTracker::Stop(THoverClient* Client) {
    if (!Client || current_ != Client) return;
    current_ = nullptr;
    if (timer_) timer_->SetEnabled(false);
}

bool THoverTracker::Running() const { return timer_ && timer_->Enabled() && current_; }

THoverTracker& FlatButtonHover() {
    static THoverTracker tracker;
    return tracker;
}

THoverTracker& FlatSpeedButtonHover() {
    static THoverTracker tracker;
    return tracker;
}
