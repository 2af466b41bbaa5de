// The gallery's pages and command-line modes.
//
// Adding a page: write demo/page_<name>.cpp with a builder
// `void Build<Name>Page(TWinControl* parent)` that creates the page's
// controls on `parent` (owned by parent's form), and add one line to the
// page list in gallery_registry.cpp. Adding a command-line mode: write
// demo/mode_<name>.cpp with `int Run<Name>Mode(int argc, char** argv)` and
// add one line to the mode list. Files named page_*.cpp and mode_*.cpp are
// picked up by demo/CMakeLists.txt.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TWinControl;

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

const std::vector<GalleryPage>& GalleryPages();
const std::vector<GalleryMode>& GalleryModes();

// Size every page is built and shot at.
inline constexpr int kGalleryPageWidth = 800;
inline constexpr int kGalleryPageHeight = 600;
