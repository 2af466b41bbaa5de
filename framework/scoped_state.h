// Small scope guards for state that must be put back on every path,
// including when the scope is left by an exception.
#pragma once

// Raises a counter for the lifetime of the guard.
class ScopedCounter {
public:
    explicit ScopedCounter(int& Counter) : counter_(Counter) { ++counter_; }
    ~ScopedCounter() { --counter_; }
    ScopedCounter(const ScopedCounter&) = delete;
    ScopedCounter& operator=(const ScopedCounter&) = delete;

private:
    int& counter_;
};

// Runs Work between Target.BeginUpdate() and Target.EndUpdate(). EndUpdate
// runs when Work throws too; it is not in a destructor because it may itself
// raise (change events), which must reach the caller.
template <class T, class F>
void WithUpdate(T& Target, F&& Work) {
    Target.BeginUpdate();
    try {
        Work();
    } catch (...) {
        Target.EndUpdate();
        throw;
    }
    Target.EndUpdate();
}
