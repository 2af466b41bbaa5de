#include "framework/drag_image.h"

#include "framework/bitmap.h"
#include "framework/gdi_owner.h"

namespace {
TDragImage* g_current = nullptr;
}  // namespace

TDragImage* TDragImage::Current() { return g_current; }

TDragImage::~TDragImage() { End(); }

bool TDragImage::Begin(TBitmap& image, POINT hotSpot, POINT at) {
    if (g_current) g_current->End();
    const int w = image.Width(), h = image.Height();
    if (w <= 0 || h <= 0) return false;
    list_ = ImageListHandle(ImageList_Create(w, h, ILC_COLOR24, 1, 0));
    if (!list_) return false;
    // The list takes a device-dependent copy of the pixels.
    WindowDC screen;
    GdiObject<HBITMAP> copy(CreateCompatibleBitmap(screen.Get(), w, h));
    {
        MemoryDC dc(screen.Get());
        ScopedSelect sel(dc.Get(), copy.Get());
        BitBlt(dc.Get(), 0, 0, w, h, image.DC(), 0, 0, SRCCOPY);
    }
    if (ImageList_Add(list_.Get(), copy.Get(), nullptr) < 0 ||
        !ImageList_BeginDrag(list_.Get(), 0, hotSpot.x, hotSpot.y)) {
        list_.Reset();
        return false;
    }
    ImageList_DragEnter(GetDesktopWindow(), at.x, at.y);
    shown_ = true;
    g_current = this;
    return true;
}

void TDragImage::Move(POINT at) {
    if (shown_) ImageList_DragMove(at.x, at.y);
}

void TDragImage::End() {
    if (!shown_) return;
    shown_ = false;
    ImageList_DragLeave(GetDesktopWindow());
    ImageList_EndDrag();
    list_.Reset();
    if (g_current == this) g_current = nullptr;
}
