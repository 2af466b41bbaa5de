// The frame every gallery page is built in: a form with a page area.
#pragma once

#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/form.h"

// A form whose client area holds one page at a time.
class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* AOwner);
    // The container pages are built on.
    TSamplePanel* PageArea() const { return page_area_; }
    // Frees the current page's controls and builds page `index`.
    void ShowPage(int index);
    int PageIndex() const { return page_index_; }

private:
    TSamplePanel* page_area_ = nullptr;
    int page_index_ = -1;
};
