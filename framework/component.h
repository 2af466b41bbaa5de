// TPersistent and TComponent: assignment, ownership, component states and
// free notification.
#pragma once

#include <string>
#include <vector>

#include "object.h"

class TPersistent : public TObject {
public:
    // Copies Source into this object. The default hands the work to
    // Source->AssignTo(this); when neither side knows the other it raises
    // EConvertError ("<source class> kann nicht zu <dest class> zugewiesen werden").
    virtual void Assign(const TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest) const;
    // The object that owns this one for naming and streaming (TCollectionItem:
    // its collection; TCollection: its owner component).
    virtual TPersistent* GetOwner() const { return nullptr; }
};

enum class TOperation { opInsert, opRemove };

// Component states. Designing is never set at run time but kept so that code
// written against the state set reads naturally.
enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csFreeNotification = 1u << 5,
    csUpdating = 1u << 6,
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int Index) const { return components_.at(static_cast<size_t>(Index)); }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& Value) { name_ = Value; }
    int Tag = 0;

    unsigned ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    bool IsDesigning() const { return (state_ & csDesigning) != 0; }

    // Loading bracket: BeginLoading sets csLoading; EndLoading clears it and
    // calls Loaded(). Forms built in code call these around their set-up.
    void BeginLoading();
    void EndLoading();

    // AComponent is told through Notification(this, opRemove) when this
    // component is freed (and vice versa).
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Sets csDestroying on this component and the ones it owns. Free() calls
    // it before BeforeDestruction, so every override of BeforeDestruction
    // (and everything it calls) sees IsDestroying(); an owned component is
    // dying from the moment its owner's Free() starts.
    void Destroying() override;

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void Loaded();
    // Destroying(), free notifications, owned components freed (last first),
    // removed from the owner. Overrides call this last.
    void BeforeDestruction() override;

    void SetComponentState(unsigned flags, bool on);

    // Points Field at Value and moves this component's free notification
    // with it; Notification then only forgets Field on opRemove.
    template <class T>
    void WatchComponent(T*& Field, T* Value) {
        if (Field == Value) return;
        if (Field) Field->RemoveFreeNotification(this);
        Field = Value;
        if (Field) Field->FreeNotification(this);
    }

private:
    void RemoveNotification(TComponent* AComponent);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> free_notifies_;
    std::string name_;
    unsigned state_ = 0;
    bool torn_down_ = false;
    friend class TComponentTeardown;
};
