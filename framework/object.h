// Root object class and the create/free life cycle of the framework.
//
// Objects that take part in the life cycle are made with Create<T>(...), which
// runs the most-derived constructor and then the virtual AfterConstruction(),
// and are ended with Free(), which first marks the object as dying
// (Destroying()), then calls the virtual BeforeDestruction() while the whole
// object is still alive and then deletes it. Virtual calls made from
// AfterConstruction/BeforeDestruction reach the most-derived class, unlike
// calls made from constructors and destructors.
#pragma once

#include <string>
#include <utility>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // Called once by Create<T> after the most-derived constructor has run.
    virtual void AfterConstruction() {}
    // Called once by Free() before the object is deleted.
    virtual void BeforeDestruction() {}

    // Marks the object as dying. Free() calls it before anything else runs;
    // TComponent sets csDestroying on itself and what it owns.
    virtual void Destroying() {}

    // Ends the object: Destroying(), BeforeDestruction(), then delete. Safe on nullptr
    // through the free function FreeObject(). Objects whose deletion must be
    // deferred (a control freed from inside its own handler) override
    // DeferFree() to return true; they are deleted later by their owner
    // mechanism.
    void Free();

    // The unqualified class name, e.g. "TDataGrid".
    std::string ClassName() const;

    // True once Free() was called on this object (Destroying() has run).
    bool IsBeingFreed() const { return freeing_; }

protected:
    // Return true to take over the deletion (see TControl). Default: false.
    virtual bool DeferFree() { return false; }

private:
    bool freeing_ = false;
};

// Runs AfterConstruction() on a just-constructed object; if it throws, the
// object is freed and the exception passed on.
template <class T>
T* Constructed(T* obj) {
    try {
        obj->AfterConstruction();
    } catch (...) {
        obj->Free();
        throw;
    }
    return obj;
}

// Creates a T with the given constructor arguments, then runs AfterConstruction().
// If AfterConstruction throws, the object is freed and the exception passed on.
template <class T, class... Args>
T* Create(Args&&... args) {
    return Constructed(new T(std::forward<Args>(args)...));
}

// Create<T> with the memory from T's own operator new(size_t, Place) (an
// arena, say); T's operator delete gives it back when the object is freed.
template <class T, class Place, class... Args>
T* CreatePlaced(Place Where, Args&&... args) {
    return Constructed(new (Where) T(std::forward<Args>(args)...));
}

inline void FreeObject(TObject* obj) {
    if (obj) obj->Free();
}

template <class T>
void FreeAndNil(T*& obj) {
    T* tmp = obj;
    obj = nullptr;
    if (tmp) tmp->Free();
}

// Demangled, unqualified name of a type_info (used by ClassName and messages).
std::string UnqualifiedTypeName(const char* mangled);
