// `gallery.exe --positions FILE [--save OUT]`: loads the positions text FILE
// into the 16-column positions grid the way the order import does (Clear,
// LoadFromStream). With --save the grid is written back to OUT
// (SaveToStream) and the program ends without a window: exit code 0 only
// when both calls succeeded. Without --save the gallery shows the positions
// page with that text.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "demo/gallery_host.h"
#include "demo/gallery_registry.h"
#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/streams.h"
#include "grids/data_grid.h"
#include "grids/source_grid_columns.h"

void SetPositionsPageSource(const std::string& Name, const std::string& Bytes);

namespace {

// Nobody is there to close a dialog: a failed save goes to stderr.
void PrintDialog(const std::string& Text) { std::fprintf(stderr, "gallery: %s\n", Text.c_str()); }

int Usage() {
    std::fprintf(stderr, "usage: gallery --positions FILE [--save OUT]\n");
    return 2;
}

struct DialogScope {
    TPlainMessageDialog previous = SetPlainMessageDialog(&PrintDialog);
    ~DialogScope() { SetPlainMessageDialog(previous); }
};

struct GridOwner {
    TDataGrid* grid = Create<TDataGrid>(nullptr);
    ~GridOwner() { grid->Free(); }
};

int SaveCopy(const std::string& In, const std::string& Out) {
    DialogScope dialog;
    GridOwner owner;
    TDataGrid& grid = *owner.grid;
    BuildSourceGridColumns(grid);
    grid.Clear();
    bool loaded = false;
    bool saved = false;
    {
        TFileStream input(In, fmOpenRead);
        loaded = grid.LoadFromStream(input, "", "");
    }
    {
        TFileStream output(Out, fmCreate);
        saved = grid.SaveToStream(output, "", "");
        // A failed close loses the copy as surely as a failed write.
        try {
            output.Close();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "gallery: %s: %s\n", Out.c_str(), e.what());
            saved = false;
        }
    }
    if (!loaded) std::fprintf(stderr, "gallery: %s: LoadFromStream failed\n", In.c_str());
    return loaded && saved ? 0 : 1;
}

int ShowPage(const std::string& In) {
    std::string bytes;
    {
        TFileStream input(In, fmOpenRead);
        bytes.resize(static_cast<size_t>(input.Size()));
        if (!bytes.empty()) input.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    }
    SetPositionsPageSource(In, bytes);
    const auto& pages = GalleryPages();
    int index = -1;
    for (size_t i = 0; i < pages.size(); ++i)
        if (pages[i].name == "positions") index = static_cast<int>(i);
    if (index < 0) {
        std::fprintf(stderr, "gallery: the positions page is not registered\n");
        return 1;
    }
    auto* form = Application()->CreateForm<TGalleryForm>();
    form->SetCaption("Positionen - " + In);
    form->SetClientSize(kGalleryPageWidth, kGalleryPageHeight);
    form->ShowPage(index);
    Application()->Run();
    return 0;
}

}  // namespace

int RunPositionsMode(int argc, char** argv) {
    std::string in, out;
    bool save = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--save") {
            if (++i >= argc) return Usage();
            out = argv[i];
            save = true;
        } else if (in.empty() && !a.empty() && a[0] != '-') {
            in = a;
        } else {
            return Usage();
        }
    }
    if (in.empty()) return Usage();
    try {
        return save ? SaveCopy(in, out) : ShowPage(in);
    } catch (const Exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.Message().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
    }
    return 1;
}
