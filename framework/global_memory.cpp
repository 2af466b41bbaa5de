#include "framework/global_memory.h"

#include <cstring>

GlobalMemory GlobalMemory::Allocate(size_t size) {
    return GlobalMemory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1));
}

GlobalMemory GlobalMemory::FromBytes(const void* data, size_t size) {
    GlobalMemory m = Allocate(size);
    if (!m) return m;
    GlobalLockScope lock(m.Get());
    if (!lock.Data()) return GlobalMemory();
    if (size) std::memcpy(lock.Data(), data, size);
    return m;
}

void GlobalMemory::Reset(HGLOBAL h) {
    HGLOBAL old = std::exchange(h_, h);
    if (old) GlobalFree(old);
}

void StgMedium::Reset() {
    if (m_.tymed != TYMED_NULL || m_.pUnkForRelease) ReleaseStgMedium(&m_);
    m_ = STGMEDIUM{};
}
