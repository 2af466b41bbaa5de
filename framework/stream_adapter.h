// TStreamAdapter: an IStream over one of the framework's stream objects, so
// that a TStream can be handed to COM (data objects, storages). Reference
// counted like any COM object; it frees the stream at its end when it owns
// it. No exception leaves a method: failures become STG_E_* codes.
#pragma once

#include <windows.h>
#include <objidl.h>

#include "framework/com_ptr.h"
#include "framework/streams.h"

class TStreamAdapter : public ComObject<IStream> {
public:
    enum class Ownership { Reference, Owned };
    // Starts with one reference, held by the caller.
    TStreamAdapter(TStream* stream, Ownership ownership);

    TStream* Stream() const { return stream_; }

    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* written) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPos) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* dest, ULARGE_INTEGER cb, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return STG_E_REVERTED; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    // Type and size; no name.
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** out) override;

protected:
    ~TStreamAdapter() override;
    bool Offers(REFIID riid) const override { return IsEqualIID(riid, IID_ISequentialStream); }

private:
    TStream* stream_;
    Ownership ownership_;
};
