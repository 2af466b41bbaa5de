// TImageList: a list of equally sized images on a system image list
// (comctl32), with an optional mask per image. Images go in as TBitmaps and
// come out drawn on a canvas or copied into a TBitmap.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "framework/component.h"
#include "framework/events.h"
#include "framework/graphics_base.h"

class TBitmap;
class TCanvas;

// Owns one HIMAGELIST and destroys it exactly once. Move-only.
class ImageListHandle {
public:
    ImageListHandle() = default;
    explicit ImageListHandle(HIMAGELIST h) : h_(h) {}
    ImageListHandle(const ImageListHandle&) = delete;
    ImageListHandle& operator=(const ImageListHandle&) = delete;
    ImageListHandle(ImageListHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    ImageListHandle& operator=(ImageListHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    ~ImageListHandle() { Reset(); }

    HIMAGELIST Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset(HIMAGELIST h = nullptr);
    HIMAGELIST Release() { return std::exchange(h_, nullptr); }

private:
    HIMAGELIST h_ = nullptr;
};

// Debug counter of the image lists currently held by ImageListHandle owners,
// for leak tests.
int ImageListLiveHandles();

class TImageList;

// One listener of an image list's changes. Any number of users (labels,
// buttons, ...) keep a link each and register it with the list; every change
// calls each registered link's OnChange with the list as sender. A link
// leaves its list when it goes, and a list that goes first lets go of its
// links (Sender() is then nullptr). Move-less: the list holds its address.
class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    TImageList* Sender() const { return list_; }
    TNotifyEvent OnChange;

private:
    friend class TImageList;
    TImageList* list_ = nullptr;
};

// Paints the pixels of image that are not Transparent (clNone: none) and
// darker than light grey in Color at (x, y) of dc.
void DrawShapeOf(HDC dc, int x, int y, TBitmap& image, TColor Transparent, TColor Color);

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner = nullptr);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list (the images no longer fit). Sizes below 1
    // raise EInvalidOperation.
    void SetSize(int width, int height);
    int Count() const;

    // Adds image (scaled-free: taken at the list's size from its top-left);
    // with a mask bitmap its black pixels are opaque. Returns the index.
    int Add(TBitmap* image, TBitmap* mask = nullptr);
    // Adds image with every pixel of maskColor transparent (clNone: opaque).
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws image index at (x, y); disabled images are drawn blended with the
    // system highlight as the system does. Out-of-range indexes draw nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    // The image's shape in one colour: its opaque pixels that are darker
    // than light grey (the usual outline and fill of a glyph).
    void DrawMonochrome(TCanvas* canvas, int x, int y, int index, TColor color) const;
    // Engraved look of a disabled glyph: the shape in clBtnHighlight one
    // pixel down and right, then in clBtnShadow at (x, y).
    void DrawEmbossed(TCanvas* canvas, int x, int y, int index) const;
    // Copies image index into dest (resized to Width x Height) over dest's
    // current brush colour. Returns false for an out-of-range index.
    bool GetBitmap(int index, TBitmap* dest) const;

    // The system handle (created on first use).
    HIMAGELIST Handle() const;

    // The owner's own handler; links serve everybody else.
    TNotifyEvent OnChange;
    // A link is registered with at most one list: registering it here takes
    // it from any other. nullptr is ignored.
    void RegisterChanges(TChangeLink* Link);
    void UnRegisterChanges(TChangeLink* Link);

protected:
    // Calls OnChange, then every link registered at the time of the change
    // and still registered when its turn comes.
    virtual void Changed();

private:
    void EnsureHandle() const;

    std::vector<TChangeLink*> links_;

    int width_ = 16;
    int height_ = 16;
    mutable ImageListHandle handle_;
};

// The system's drag image (ImageList_BeginDrag and its family): one picture
// that follows the mouse over the screen while something is dragged. There
// is one such image per process, so a TDragImage is the only one dragging
// at a time; it ends its drag when it goes. Move-less.
class TDragImage {
public:
    TDragImage() = default;
    ~TDragImage();
    TDragImage(const TDragImage&) = delete;
    TDragImage& operator=(const TDragImage&) = delete;

    // Takes a copy of Picture (opaque, no transparent colour) and starts
    // dragging it with the hot spot (HotX, HotY) inside the picture, shown
    // over the desktop at the screen point. Ends a drag already running.
    // False when the system refuses.
    bool Begin(TBitmap& Picture, int HotX, int HotY, POINT Screen);
    // Moves the picture to a screen point.
    void Move(POINT Screen);
    // Shows or hides the picture (while windows below are painted).
    void Show(bool Visible);
    // Ends the drag and frees the picture; nothing when none runs.
    void End();
    bool Dragging() const { return dragging_; }
    bool Visible() const { return dragging_ && visible_; }

private:
    ImageListHandle list_;
    bool dragging_ = false;
    bool visible_ = false;
};
