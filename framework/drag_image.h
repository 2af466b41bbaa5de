// TDragImage: a picture that follows the mouse over the whole screen while
// a control drags something with the mouse captured (the system image
// list's drag functions, drawn on the desktop). One drag image shows at a
// time in the process; Begin ends any other first. The owner ends it
// (End, or its destruction). Move-less: the running drag is bound to it.
#pragma once

#include <windows.h>

#include "framework/image_list.h"

class TBitmap;

class TDragImage {
public:
    TDragImage() = default;
    ~TDragImage();
    TDragImage(const TDragImage&) = delete;
    TDragImage& operator=(const TDragImage&) = delete;

    // Shows Image with its point HotSpot at the screen point At. False when
    // the system refused (nothing then shows).
    bool Begin(TBitmap& Image, POINT HotSpot, POINT At);
    // The picture to the screen point At (nothing when not shown).
    void Move(POINT At);
    // Hides the picture and frees its list; nothing when not shown.
    void End();
    bool Shown() const { return shown_; }

    // The drag image shown in the process (nullptr: none).
    static TDragImage* Current();

private:
    ImageListHandle list_;
    bool shown_ = false;
};
