#include "demo/gallery_host.h"

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Galerie");
    page_area_ = Create<TSamplePanel>(this);
    page_area_->Raised = false;
    page_area_->SetAlign(alClient);
    page_area_->SetParent(this);
}

void TGalleryForm::ShowPage(int index) {
    const auto& pages = GalleryPages();
    if (index < 0 || index >= static_cast<int>(pages.size())) return;
    page_area_->DisableAlign();
    while (page_area_->ControlCount() > 0) page_area_->Controls(page_area_->ControlCount() - 1)->Free();
    while (page_area_->ComponentCount() > 0) page_area_->Components(page_area_->ComponentCount() - 1)->Free();
    page_index_ = index;
    pages[static_cast<size_t>(index)].build(page_area_);
    page_area_->EnableAlign();
    page_area_->Realign();
    page_area_->Invalidate();
}
