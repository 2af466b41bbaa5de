#include "framework/stream_adapter.h"

#include <algorithm>
#include <vector>

TStreamAdapter::TStreamAdapter(TStream* stream, Ownership ownership) : stream_(stream), ownership_(ownership) {}

TStreamAdapter::~TStreamAdapter() {
    if (ownership_ == Ownership::Owned) FreeObject(stream_);
}

HRESULT TStreamAdapter::Read(void* pv, ULONG cb, ULONG* read) {
    if (!pv) return STG_E_INVALIDPOINTER;
    try {
        const int64_t n = stream_->Read(pv, cb);
        if (read) *read = static_cast<ULONG>(n);
        return static_cast<ULONG>(n) < cb ? S_FALSE : S_OK;
    } catch (...) {
        if (read) *read = 0;
        return S_FALSE;
    }
}

HRESULT TStreamAdapter::Write(const void* pv, ULONG cb, ULONG* written) {
    if (!pv) return STG_E_INVALIDPOINTER;
    try {
        const int64_t n = stream_->Write(pv, cb);
        if (written) *written = static_cast<ULONG>(n);
        return static_cast<ULONG>(n) < cb ? STG_E_CANTSAVE : S_OK;
    } catch (...) {
        if (written) *written = 0;
        return STG_E_CANTSAVE;
    }
}

HRESULT TStreamAdapter::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPos) {
    TSeekOrigin o;
    switch (origin) {
    case STREAM_SEEK_SET: o = TSeekOrigin::soBeginning; break;
    case STREAM_SEEK_CUR: o = TSeekOrigin::soCurrent; break;
    case STREAM_SEEK_END: o = TSeekOrigin::soEnd; break;
    default: return STG_E_INVALIDFUNCTION;
    }
    try {
        const int64_t pos = stream_->Seek(move.QuadPart, o);
        if (pos < 0) return STG_E_INVALIDFUNCTION;
        if (newPos) newPos->QuadPart = static_cast<ULONGLONG>(pos);
        return S_OK;
    } catch (...) {
        return STG_E_INVALIDFUNCTION;
    }
}

HRESULT TStreamAdapter::SetSize(ULARGE_INTEGER size) {
    try {
        const int64_t pos = stream_->Position();
        stream_->SetSize(static_cast<int64_t>(size.QuadPart));
        stream_->SetPosition(std::min<int64_t>(pos, static_cast<int64_t>(size.QuadPart)));
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT TStreamAdapter::CopyTo(IStream* dest, ULARGE_INTEGER cb, ULARGE_INTEGER* read, ULARGE_INTEGER* written) {
    if (!dest) return STG_E_INVALIDPOINTER;
    std::vector<char> buf(65536);
    ULONGLONG left = cb.QuadPart, in = 0, out = 0;
    HRESULT hr = S_OK;
    try {
        while (left > 0) {
            const ULONG want = static_cast<ULONG>(std::min<ULONGLONG>(left, buf.size()));
            const int64_t got = stream_->Read(buf.data(), want);
            if (got <= 0) break;
            in += static_cast<ULONGLONG>(got);
            ULONG put = 0;
            hr = dest->Write(buf.data(), static_cast<ULONG>(got), &put);
            out += put;
            if (FAILED(hr) || put < static_cast<ULONG>(got)) break;
            left -= static_cast<ULONGLONG>(got);
        }
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    if (read) read->QuadPart = in;
    if (written) written->QuadPart = out;
    return FAILED(hr) ? hr : S_OK;
}

HRESULT TStreamAdapter::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    try {
        stat->cbSize.QuadPart = static_cast<ULONGLONG>(stream_->Size());
    } catch (...) {
        return STG_E_ACCESSDENIED;
    }
    stat->grfMode = STGM_READWRITE;
    return S_OK;
}

HRESULT TStreamAdapter::Clone(IStream** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}
