// The hover watch of a kind of flat control: one 100 ms timer per process,
// the control it watches and the count of living controls (the first one
// makes the timer, the last one frees it). A control that goes away is
// forgotten at once, so no tick and no later mouse move reaches it.
#pragma once

class TTimer;

class THoverClient {
public:
    // A tick while this client is watched.
    virtual void HoverTick() = 0;
    // Switch the hover look off (another control of the kind is hovered).
    virtual void HoverOff() = 0;

protected:
    ~THoverClient() = default;
};

class THoverTracker {
public:
    THoverTracker() = default;
    THoverTracker(const THoverTracker&) = delete;
    THoverTracker& operator=(const THoverTracker&) = delete;

    // A control of this kind is made / goes away.
    void AddClient();
    void RemoveClient(THoverClient* Client);

    THoverClient* Current() const { return current_; }
    // Watches Client from now on (the timer restarts).
    void Watch(THoverClient* Client);
    // Stops watching Client (nothing when another one is watched).
    void Stop(THoverClient* Client);
    int ClientCount() const { return count_; }
    bool Running() const;

private:
    TTimer* timer_ = nullptr;
    THoverClient* current_ = nullptr;
    int count_ = 0;
};

// The watches of the flat buttons and of the flat speed buttons.
THoverTracker& FlatButtonHover();
THoverTracker& FlatSpeedButtonHover();
