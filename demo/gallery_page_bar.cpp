#include "demo/gallery_page_bar.h"

TPageBar::TPageBar(TComponent* AOwner) : TSamplePanel(AOwner) {}

void TPageBar::SetPages(const std::vector<std::string>& captions, int width) {
    for (TSampleButton* b : buttons_) b->Free();
    buttons_.clear();
    const PageBarLayout layout = LayoutPageBar(static_cast<int>(captions.size()), width);
    SetHeight(layout.height);
    for (size_t i = 0; i < captions.size(); ++i) {
        const PageBarCell& cell = layout.cells[i];
        auto* b = Create<TSampleButton>(this);
        b->SetBounds(cell.left, cell.top, cell.width, cell.height);
        b->SetCaption(captions[i]);
        const int index = static_cast<int>(i);
        b->OnClick = [this, index](TObject*) {
            if (OnSelect) OnSelect(index);
        };
        b->SetParent(this);
        buttons_.push_back(b);
    }
}

void TPageBar::SetCurrent(int index) {
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetDown(static_cast<int>(i) == index);
}
