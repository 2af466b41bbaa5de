// Window hooks of the menu kit. ToxBaseSubClass runs its WndProc in front
// of a window's own procedure and hooks the window again after its control
// re-made it; TMenuFormSubclass is the hook of a form with kit menu bars.
#pragma once

#include <vector>

#include "framework/component.h"
#include "framework/messages.h"
#include "framework/window_hook.h"

class TTimer;
class TWinControl;
class TCustomForm;
class ToxMenu;

class ToxBaseSubClass : public TComponent {
public:
    explicit ToxBaseSubClass(TComponent* AOwner);
    ~ToxBaseSubClass() override;

    bool Active() const { return active_; }
    // Hooks (raises ENotOwnerError "Not a valid Window" for a handle that is
    // no window, EOutOfResources "Windows Resources Exhausted" when the hook
    // cannot be installed) or unhooks.
    virtual void SetActive(bool Value);
    HWND Handle() const { return handle_; }
    void SetHandle(HWND Value);
    // The control whose window is hooked (its window is made when needed).
    TWinControl* Control() const { return control_; }
    void SetControl(TWinControl* Value);

    // Runs before the window's procedure; true when it answered Message.
    virtual bool WndProc(TMessage& Message);

    // Milliseconds between the looks for a re-made window, and how many.
    static constexpr unsigned kReattachInterval = 250;
    static constexpr int kReattachTicks = 11;
    bool Reattaching() const;

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Changed() {}
    // The control's window was made again: hook it as before.
    virtual void Reattach();

private:
    void Hook();
    void Unhook();
    bool HookMessage(TMessage& Message);
    void ReattachTick();

    bool active_ = false;
    HWND handle_ = nullptr;
    TWinControl* control_ = nullptr;
    TWindowHook hook_;
    TTimer* timer_ = nullptr;  // owned: it goes with this component
    bool was_active_ = false;
    int ticks_ = 0;
};

// The hook of a form whose menu bar is a ToxMenu: one per form, shared by
// every ToxMenu of that form, freed with the last of them.
class TMenuFormSubclass : public ToxBaseSubClass {
public:
    explicit TMenuFormSubclass(TComponent* AOwner) : ToxBaseSubClass(AOwner) {}
    static TMenuFormSubclass* Acquire(TCustomForm* Form, ToxMenu* Menu);
    static void ReleaseFor(TMenuFormSubclass* Subclass, ToxMenu* Menu);
    int UseCount() const { return static_cast<int>(menus_.size()); }
    bool MenuSelected() const { return menu_selected_; }

    bool WndProc(TMessage& Message) override;

protected:
    void Reattach() override;

private:
    std::vector<ToxMenu*> menus_;
    bool menu_selected_ = false;
};
