// The gallery's page bar: one button per page, laid out by LayoutPageBar.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "demo/gallery_page_layout.h"
#include "demo/sample_controls.h"

// The bar along the top of the gallery window; owned by its form.
class TPageBar : public TSamplePanel {
public:
    explicit TPageBar(TComponent* AOwner);
    // Makes one button per caption; a click calls OnSelect with its index.
    void SetPages(const std::vector<std::string>& captions, int width);
    // Shows the button of page `index` held down.
    void SetCurrent(int index);
    std::function<void(int index)> OnSelect;

private:
    std::vector<TSampleButton*> buttons_;
};
