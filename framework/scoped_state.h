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

// Gives a variable a value for the lifetime of the guard and puts the old
// value back afterwards.
template <class T>
class ScopedValue {
public:
    ScopedValue(T& Variable, T Value) : variable_(Variable), old_(Variable) { variable_ = Value; }
    ~ScopedValue() { variable_ = old_; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& variable_;
    T old_;
};
