#include "framework/image_list.h"

#include <algorithm>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/exceptions.h"
#include "framework/gdi_owner.h"

namespace {
int g_live_image_lists = 0;

// A device-dependent copy of a bitmap's top-left width x height pixels:
// ImageList_Add copies the pixels, the source DIB section stays untouched.
GdiObject<HBITMAP> CopyForList(TBitmap* source, int width, int height) {
    WindowDC screen;
    GdiObject<HBITMAP> copy(CreateCompatibleBitmap(screen.Get(), width, height));
    MemoryDC dc(screen.Get());
    ScopedSelect sel(dc.Get(), copy.Get());
    RECT r{0, 0, width, height};
    FillRect(dc.Get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (source && !source->Empty())
        BitBlt(dc.Get(), 0, 0, width, height, source->DC(), 0, 0, SRCCOPY);
    return copy;
}
}  // namespace

int ImageListLiveHandles() { return g_live_image_lists; }

void ImageListHandle::Reset(HIMAGELIST h) {
    if (h_) {
        ImageList_Destroy(h_);
        --g_live_image_lists;
    }
    h_ = h;
    if (h_) ++g_live_image_lists;
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() {
    for (TChangeLink* link : links_) link->list_ = nullptr;
}

TChangeLink::~TChangeLink() {
    if (list_) list_->UnRegisterChanges(this);
}

void TImageList::RegisterChanges(TChangeLink* Link) {
    if (!Link || Link->list_ == this) return;
    if (Link->list_) Link->list_->UnRegisterChanges(Link);
    Link->list_ = this;
    links_.push_back(Link);
}

void TImageList::UnRegisterChanges(TChangeLink* Link) {
    if (!Link || Link->list_ != this) return;
    std::erase(links_, Link);
    Link->list_ = nullptr;
}

void TImageList::SetSize(int width, int height) {
    if (width < 1 || height < 1) throw EInvalidOperation("Ungültige Bildgröße");
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    handle_.Reset();
    Changed();
}

void TImageList::EnsureHandle() const {
    if (handle_) return;
    HIMAGELIST h = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    if (!h) throw EOutOfResources("Das Bilderverzeichnis kann nicht erstellt werden");
    handle_.Reset(h);
}

HIMAGELIST TImageList::Handle() const {
    EnsureHandle();
    return handle_.Get();
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_.Get()) : 0; }

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    EnsureHandle();
    GdiObject<HBITMAP> pic = CopyForList(image, width_, height_);
    GdiObject<HBITMAP> bits;
    if (mask) {
        // A monochrome copy: black stays opaque, everything else transparent.
        bits.Reset(CreateBitmap(width_, height_, 1, 1, nullptr));
        MemoryDC dc;
        ScopedSelect sel(dc.Get(), bits.Get());
        RECT r{0, 0, width_, height_};
        FillRect(dc.Get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (!mask->Empty()) BitBlt(dc.Get(), 0, 0, width_, height_, mask->DC(), 0, 0, SRCCOPY);
    }
    int index = ImageList_Add(handle_.Get(), pic.Get(), bits.Get());
    if (index < 0) throw EOutOfResources("Bild kann nicht hinzugefügt werden");
    Changed();
    return index;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    EnsureHandle();
    GdiObject<HBITMAP> pic = CopyForList(image, width_, height_);
    int index;
    if (maskColor == clNone) {
        index = ImageList_Add(handle_.Get(), pic.Get(), nullptr);
    } else {
        index = ImageList_AddMasked(handle_.Get(), pic.Get(), ColorToCOLORREF(maskColor));
    }
    if (index < 0) throw EOutOfResources("Bild kann nicht hinzugefügt werden");
    Changed();
    return index;
}

void TImageList::Delete(int index) {
    if (!handle_ || index < 0 || index >= Count()) return;
    ImageList_Remove(handle_.Get(), index);
    Changed();
}

void TImageList::Clear() {
    if (!handle_ || Count() == 0) return;
    ImageList_Remove(handle_.Get(), -1);
    Changed();
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (!canvas || !handle_ || index < 0 || index >= Count()) return;
    UINT style = ILD_TRANSPARENT | (enabled ? 0u : static_cast<UINT>(ILD_BLEND50));
    ImageList_DrawEx(handle_.Get(), index, canvas->Handle(), x, y, 0, 0, CLR_NONE,
                     enabled ? CLR_DEFAULT : GetSysColor(COLOR_HIGHLIGHT), style);
}

void DrawShapeOf(HDC dc, int x, int y, TBitmap& image, TColor Transparent, TColor Color) {
    if (!dc || image.Empty()) return;
    const TColor key = Transparent == clNone ? clNone : ColorToRGB(Transparent) & 0xFFFFFF;
    const COLORREF ink = ColorToCOLORREF(Color);
    for (int row = 0; row < image.Height(); ++row) {
        const uint32_t* line = image.ScanLine(row);
        for (int col = 0; col < image.Width(); ++col) {
            const uint32_t px = line[col] & 0xFFFFFF;  // 0x00RRGGBB
            const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
            if (key != clNone && static_cast<TColor>(RGB(r, g, b)) == key) continue;
            if ((r * 30 + g * 59 + b * 11) / 100 >= 0xC0) continue;
            SetPixelV(dc, x + col, y + row, ink);
        }
    }
}

void TImageList::DrawMonochrome(TCanvas* canvas, int x, int y, int index, TColor color) const {
    if (!canvas || !handle_ || index < 0 || index >= Count()) return;
    // Drawn over a key colour no glyph uses, which then stays out.
    constexpr TColor kKey = 0x00FF00FF;
    TBitmap image(width_, height_);
    image.Canvas().Brush().SetColor(kKey);
    image.Canvas().FillRect(RECT{0, 0, width_, height_});
    ImageList_Draw(handle_.Get(), index, image.Canvas().Handle(), 0, 0, ILD_TRANSPARENT);
    DrawShapeOf(canvas->Handle(), x, y, image, kKey, color);
}

void TImageList::DrawEmbossed(TCanvas* canvas, int x, int y, int index) const {
    DrawMonochrome(canvas, x + 1, y + 1, index, clBtnHighlight);
    DrawMonochrome(canvas, x, y, index, clBtnShadow);
}

bool TImageList::GetBitmap(int index, TBitmap* dest) const {
    if (!dest || !handle_ || index < 0 || index >= Count()) return false;
    dest->SetSize(width_, height_);
    TCanvas& c = dest->Canvas();
    c.FillRect(RECT{0, 0, width_, height_});
    ImageList_Draw(handle_.Get(), index, c.Handle(), 0, 0, ILD_TRANSPARENT);
    return true;
}

void TImageList::Changed() {
    if (OnChange) OnChange(this);
    // A handler may register or unregister links (or free its own).
    const std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->OnChange) link->OnChange(this);
}

// ---------------------------------------------------------------- drag image

TDragImage::~TDragImage() { End(); }

bool TDragImage::Begin(TBitmap& Picture, int HotX, int HotY, POINT Screen) {
    End();
    const int w = Picture.Width(), h = Picture.Height();
    if (w <= 0 || h <= 0) return false;
    list_.Reset(ImageList_Create(w, h, ILC_COLOR24, 1, 0));
    if (!list_) return false;
    GdiObject<HBITMAP> copy = CopyForList(&Picture, w, h);
    if (ImageList_Add(list_.Get(), copy.Get(), nullptr) < 0 || !ImageList_BeginDrag(list_.Get(), 0, HotX, HotY)) {
        list_.Reset();
        return false;
    }
    dragging_ = true;
    visible_ = ImageList_DragEnter(nullptr, Screen.x, Screen.y) != FALSE;
    return true;
}

void TDragImage::Move(POINT Screen) {
    if (dragging_) ImageList_DragMove(Screen.x, Screen.y);
}

void TDragImage::Show(bool Visible) {
    if (!dragging_ || Visible == visible_) return;
    ImageList_DragShowNolock(Visible ? TRUE : FALSE);
    visible_ = Visible;
}

void TDragImage::End() {
    if (!dragging_) return;
    if (visible_) ImageList_DragLeave(nullptr);
    ImageList_EndDrag();
    dragging_ = visible_ = false;
    list_.Reset();
}
