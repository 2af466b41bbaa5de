// `gallery.exe --screenshots DIR`: every page built in an 800x600 form,
// painted with PaintTo into a 32-bit DIB and written as DIR\<nn>-<name>.png.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "demo/gallery_host.h"
#include "demo/png_writer.h"
#include "framework/application.h"
#include "framework/bitmap.h"

int RunScreenshotsMode(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "gallery: --screenshots needs a folder\n");
        return 2;
    }
    std::string dir = argv[2];
    CreateDirectoryA(dir.c_str(), nullptr);
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
    int failures = 0;
    // Nobody is there to close a message box: report and count instead.
    Application()->OnException = [&failures](TObject*, const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        ++failures;
    };
    const auto& pages = GalleryPages();
    for (size_t i = 0; i < pages.size(); ++i) {
        auto* form = Create<TGalleryForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, kGalleryPageWidth, kGalleryPageHeight);
        form->ShowPage(static_cast<int>(i));
        form->Show();
        Application()->ProcessMessages();
        TBitmap shot(kGalleryPageWidth, kGalleryPageHeight);
        form->PageArea()->PaintTo(shot.DC(), 0, 0);
        GdiFlush();
        std::vector<uint32_t> pixels;
        pixels.reserve(static_cast<size_t>(kGalleryPageWidth) * kGalleryPageHeight);
        for (int y = 0; y < kGalleryPageHeight; ++y) {
            const uint32_t* row = shot.ScanLine(y);
            pixels.insert(pixels.end(), row, row + kGalleryPageWidth);
        }
        char prefix[16];
        std::snprintf(prefix, sizeof(prefix), "%02d-", static_cast<int>(i + 1));
        std::string path = dir + prefix + pages[i].name + ".png";
        std::string error;
        if (!WritePng(path, kGalleryPageWidth, kGalleryPageHeight, pixels.data(), &error)) {
            std::fprintf(stderr, "gallery: %s: %s\n", path.c_str(), error.c_str());
            ++failures;
        } else {
            std::printf("%s\n", path.c_str());
        }
        form->Free();
    }
    return failures == 0 ? 0 : 1;
}
