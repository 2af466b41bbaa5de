#include "framework/component.h"

#include <algorithm>

#include "framework/exceptions.h"

// ---------------------------------------------------------------- TPersistent

void TPersistent::Assign(const TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError("nil kann nicht zu " + ClassName() + " zugewiesen werden");
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    throw EConvertError(ClassName() + " kann nicht zu " + (Dest ? Dest->ClassName() : std::string("nil")) +
                        " zugewiesen werden");
}

// ----------------------------------------------------------------- TComponent

// The end of a component's life, shared by BeforeDestruction (object whole)
// and the destructor (for a component deleted without Free). Running it twice
// is harmless: the second run finds nothing left to do.
class TComponentTeardown {
public:
    static void Run(TComponent& c) {
        c.Destroying();
        // Partners first drop their reference to c in their own bookkeeping,
        // so an override of Notification that skips the inherited call cannot
        // leave a dangling pointer behind.
        while (!c.free_notifies_.empty()) {
            TComponent* other = c.free_notifies_.back();
            c.free_notifies_.pop_back();
            other->RemoveNotification(&c);
            other->Notification(&c, TOperation::opRemove);
        }
        c.DestroyComponents();
        if (c.owner_) c.owner_->RemoveComponent(&c);
        c.torn_down_ = true;
    }
};

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() { TComponentTeardown::Run(*this); }

void TComponent::BeforeDestruction() {
    if (!torn_down_) TComponentTeardown::Run(*this);
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent == this || AComponent->owner_ == this) return;
    if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
    components_.push_back(AComponent);
    AComponent->owner_ = this;
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent) return;
    auto it = std::find(components_.begin(), components_.end(), AComponent);
    if (it == components_.end()) return;
    components_.erase(it);
    AComponent->owner_ = nullptr;
    Notification(AComponent, TOperation::opRemove);
}

void TComponent::DestroyComponents() {
    // Last first; each one leaves the list before it is freed, so its own
    // teardown does not look for its owner again.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        c->Free();
    }
}

void TComponent::BeginLoading() { state_ |= csLoading; }

void TComponent::EndLoading() {
    if (!(state_ & csLoading)) return;
    state_ &= ~static_cast<unsigned>(csLoading);
    Loaded();
}

void TComponent::Loaded() { state_ &= ~static_cast<unsigned>(csLoading); }

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(free_notifies_.begin(), free_notifies_.end(), AComponent) == free_notifies_.end())
        free_notifies_.push_back(AComponent);
    auto& other = AComponent->free_notifies_;
    if (std::find(other.begin(), other.end(), this) == other.end()) other.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
    auto it = std::find(free_notifies_.begin(), free_notifies_.end(), AComponent);
    if (it != free_notifies_.end()) free_notifies_.erase(it);
}

void TComponent::Destroying() {
    if (state_ & csDestroying) return;
    state_ |= csDestroying;
    for (TComponent* c : components_) c->Destroying();
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == TOperation::opRemove && AComponent) RemoveNotification(AComponent);
    // Owned components hear of it too, so siblings can drop references to
    // one another. The list may change under a handler: clamp the index.
    size_t i = components_.size();
    while (i > 0) {
        --i;
        if (i >= components_.size()) {
            i = components_.size();
            continue;
        }
        components_[i]->Notification(AComponent, Operation);
    }
}

void TComponent::SetComponentState(unsigned flags, bool on) {
    if (on)
        state_ |= flags;
    else
        state_ &= ~flags;
}
