#include "demo/gallery_registry.h"

// Pages (one builder per page_*.cpp).
void BuildFrameworkPage(TWinControl* parent);
void BuildPositionsPage(TWinControl* parent);
void BuildFlatPage(TWinControl* parent);
void BuildHtmlPage(TWinControl* parent);
void BuildDialogsPage(TWinControl* parent);
void BuildDragDropPage(TWinControl* parent);
void BuildEditToolsPage(TWinControl* parent);
void BuildPopupsPage(TWinControl* parent);
void BuildEditsPage(TWinControl* parent);

// Modes (one runner per mode_*.cpp).
int RunScreenshotsMode(int argc, char** argv);
int RunPositionsMode(int argc, char** argv);

const std::vector<GalleryPage>& GalleryPages() {
    static const std::vector<GalleryPage> pages = {
        {"framework", &BuildFrameworkPage},
        {"positions", &BuildPositionsPage},
        {"flat", &BuildFlatPage},
        {"html", &BuildHtmlPage},
        {"dialogs", &BuildDialogsPage},
        {"dragdrop", &BuildDragDropPage},
        {"edit-tools", &BuildEditToolsPage},
        {"popups", &BuildPopupsPage},
        {"edits", &BuildEditsPage},
    };
    return pages;
}

const std::vector<GalleryMode>& GalleryModes() {
    static const std::vector<GalleryMode> modes = {
        {"--screenshots", &RunScreenshotsMode},
        {"--positions", &RunPositionsMode},
    };
    return modes;
}
