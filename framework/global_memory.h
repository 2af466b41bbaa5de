// Owners for OLE data transfer memory: a movable global memory block, a
// scoped lock of one, and a storage medium released exactly once.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <cstdint>
#include <utility>

// Owns an HGLOBAL (GlobalFree). Move-only.
class GlobalMemory {
public:
    GlobalMemory() = default;
    explicit GlobalMemory(HGLOBAL h) : h_(h) {}
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    GlobalMemory(GlobalMemory&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GlobalMemory& operator=(GlobalMemory&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    ~GlobalMemory() { Reset(); }

    // A zero-filled movable block; empty when the allocation fails.
    static GlobalMemory Allocate(size_t size);
    // A block holding a copy of the bytes.
    static GlobalMemory FromBytes(const void* data, size_t size);

    HGLOBAL Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    size_t Size() const { return h_ ? GlobalSize(h_) : 0; }
    void Reset(HGLOBAL h = nullptr);
    HGLOBAL Detach() { return std::exchange(h_, nullptr); }

private:
    HGLOBAL h_ = nullptr;
};

// GlobalLock for a scope. Data() is nullptr when the lock failed.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL h) : h_(h), p_(h ? GlobalLock(h) : nullptr) {}
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    ~GlobalLockScope() {
        if (p_) GlobalUnlock(h_);
    }
    uint8_t* Data() const { return static_cast<uint8_t*>(p_); }
    size_t Size() const { return p_ ? GlobalSize(h_) : 0; }

private:
    HGLOBAL h_;
    void* p_;
};

// Owns a STGMEDIUM and calls ReleaseStgMedium once (which also releases
// pUnkForRelease). Move-only.
class StgMedium {
public:
    StgMedium() = default;
    StgMedium(const StgMedium&) = delete;
    StgMedium& operator=(const StgMedium&) = delete;
    StgMedium(StgMedium&& o) noexcept : m_(o.m_) { o.m_ = STGMEDIUM{}; }
    StgMedium& operator=(StgMedium&& o) noexcept {
        if (this != &o) {
            Reset();
            m_ = o.m_;
            o.m_ = STGMEDIUM{};
        }
        return *this;
    }
    ~StgMedium() { Reset(); }

    STGMEDIUM& Get() { return m_; }
    const STGMEDIUM& Get() const { return m_; }
    // For out-parameters: releases what is held first.
    STGMEDIUM* Put() {
        Reset();
        return &m_;
    }
    void Reset();
    // Hands the medium to the caller (e.g. IDataObject::SetData with release).
    STGMEDIUM Detach() {
        STGMEDIUM m = m_;
        m_ = STGMEDIUM{};
        return m;
    }

private:
    STGMEDIUM m_{};
};
