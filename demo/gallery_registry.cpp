#include "demo/gallery_registry.h"

#include <algorithm>
#include <cstring>

// The registrations of the page files: gallery_page_list.inc is written by
// demo/CMakeLists.txt with one GALLERY_PAGE_FILE(stem) per page_<stem>.cpp.
#define GALLERY_PAGE_FILE(stem) extern const GalleryPageEntry kGalleryPage_##stem;
#include "gallery_page_list.inc"
#undef GALLERY_PAGE_FILE

// Modes (one runner per mode_*.cpp).
int RunScreenshotsMode(int argc, char** argv);
int RunPositionsMode(int argc, char** argv);

const std::vector<GalleryPage>& GalleryPages() {
    static const std::vector<GalleryPage> pages = [] {
        std::vector<const GalleryPageEntry*> entries = {
#define GALLERY_PAGE_FILE(stem) &kGalleryPage_##stem,
#include "gallery_page_list.inc"
#undef GALLERY_PAGE_FILE
        };
        std::stable_sort(entries.begin(), entries.end(), [](const GalleryPageEntry* a, const GalleryPageEntry* b) {
            if (a->place != b->place) return a->place < b->place;
            return std::strcmp(a->name, b->name) < 0;
        });
        std::vector<GalleryPage> list;
        for (const GalleryPageEntry* e : entries) list.push_back({e->name, e->build});
        return list;
    }();
    return pages;
}

const std::vector<GalleryMode>& GalleryModes() {
    static const std::vector<GalleryMode> modes = {
        {"--screenshots", &RunScreenshotsMode},
        {"--positions", &RunPositionsMode},
    };
    return modes;
}
