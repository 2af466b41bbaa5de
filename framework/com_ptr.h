// ComPtr<T>: owns one reference to a COM interface. Move-only; copying goes
// through an explicit AddRef (Copy), so every reference has one owner.
// ComObject<I>: IUnknown for a heap object of ours that implements I.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <utility>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T* p) : p_(p) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~ComPtr() { Reset(); }

    // A new reference to p (AddRef).
    static ComPtr Copy(T* p) {
        if (p) p->AddRef();
        return ComPtr(p);
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Releases the held reference and takes over p.
    void Reset(T* p = nullptr) {
        T* old = std::exchange(p_, p);
        if (old) old->Release();
    }
    // Hands the reference to the caller.
    T* Detach() { return std::exchange(p_, nullptr); }
    // For out-parameters: releases what is held and gives the slot.
    T** Put() {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // QueryInterface to another interface; empty when not offered.
    template <class U>
    ComPtr<U> As() const {
        ComPtr<U> out;
        if (p_) p_->QueryInterface(__uuidof(U), out.PutVoid());
        return out;
    }

private:
    T* p_ = nullptr;
};

// The IUnknown of a COM object of ours implementing I: it answers IUnknown, I
// and what Offers adds (base interfaces of I), starts with one reference held
// by its creator and deletes itself at the last Release.
template <class I>
class ComObject : public I {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(I)) || Offers(riid)) {
            *ppv = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG n = --refs_;
        if (n == 0) delete this;
        return n;
    }

protected:
    virtual ~ComObject() = default;
    virtual bool Offers(REFIID) const { return false; }

private:
    std::atomic<ULONG> refs_{1};
};
