// The gallery's pages and command-line modes.
//
// Adding a page: write demo/page_<stem>.cpp with a builder that creates the
// page's controls on `parent` (owned by parent's form), and end the file
// with the page's one registration line:
//
//     GALLERY_PAGE(<stem>, "<name>", <place>, &Build<Name>Page);
//
// <stem> is the file name after "page_" (demo/page_edit_tools.cpp:
// edit_tools), <name> the page's button caption and its --page and PNG name
// (letters, digits, '-'), <place> its position in the page bar (pages are
// ordered by place, then name; leave gaps: 10, 20, ...). demo/CMakeLists.txt
// finds every page_*.cpp and lists its registration; nothing else is edited.
// The registration is a constant (no code runs before WinMain).
//
// Adding a command-line mode: write demo/mode_<name>.cpp with
// `int Run<Name>Mode(int argc, char** argv)` and add one line to the mode
// list in gallery_registry.cpp.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TWinControl;

// What a page file registers (a constant, see GALLERY_PAGE).
struct GalleryPageEntry {
    const char* name;
    int place;
    void (*build)(TWinControl* parent);
};

#define GALLERY_PAGE(stem, name, place, build) \
    extern constinit const GalleryPageEntry kGalleryPage_##stem { name, place, build }

struct GalleryPage {
    std::string name;  // file-name friendly: letters, digits, '-'
    std::function<void(TWinControl* parent)> build;
};

// A mode runs before any UI when its flag is the first argument; its result
// is the exit code. argv[0] is the program, argv[1] the flag.
struct GalleryMode {
    std::string flag;
    std::function<int(int argc, char** argv)> run;
};

// Every registered page in page-bar order.
const std::vector<GalleryPage>& GalleryPages();
const std::vector<GalleryMode>& GalleryModes();

// Size every page is built and shot at.
inline constexpr int kGalleryPageWidth = 800;
inline constexpr int kGalleryPageHeight = 600;
