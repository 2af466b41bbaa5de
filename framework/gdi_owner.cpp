#include "framework/gdi_owner.h"

namespace {
int live_objects = 0;
int live_dcs = 0;
}  // namespace

int GdiOwnerLiveObjects() { return live_objects; }
int GdiOwnerLiveDCs() { return live_dcs; }

namespace gdi_detail {
void CountObject(int delta) { live_objects += delta; }
void CountDC(int delta) { live_dcs += delta; }
}  // namespace gdi_detail

bool IsStockGdiObject(HGDIOBJ h) {
    if (!h) return false;
    // WHITE_BRUSH (0) .. DC_PEN (19); 9 is unused.
    for (int i = WHITE_BRUSH; i <= DC_PEN; ++i) {
        if (i == 9) continue;
        if (GetStockObject(i) == h) return true;
    }
    return false;
}
