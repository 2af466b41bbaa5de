// The gallery: one page per control family. Live it shows a page at a time
// with a bar of page buttons (PgUp/PgDn switch pages too); command-line modes
// (--screenshots DIR, ...) run instead of the window. `--page NAME` starts the
// window on the page NAME (the live checks in tests/demo start it so); the
// window answers the message "GalleryObjectCount" with the number of GDI
// objects (wParam 0) or DCs (wParam 1) the library holds, or every GDI
// object of the process (wParam 2), for their leak checks.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/dialogs/busy_cursor.h"
#include "controls/dialogs/look_and_feel.h"
#include "demo/gallery_host.h"
#include "demo/gallery_registry.h"
#include "demo/gallery_page_bar.h"
#include "demo/sample_controls.h"
#include "editors/tools/short_date_format.h"
#include "foundation/shell_jobs.h"
#include "framework/application.h"
#include "framework/gdi_owner.h"
#include "framework/process_census.h"

namespace {

class TGalleryMainForm : public TGalleryForm {
public:
    explicit TGalleryMainForm(TComponent* AOwner) : TGalleryForm(AOwner) {
        SetCaption("Galerie der Steuerelemente");
        SetPosition(poScreenCenter);
        SetKeyPreview(true);
        bar_ = Create<TPageBar>(this);
        bar_->SetAlign(alTop);
        std::vector<std::string> captions;
        for (const auto& page : GalleryPages()) captions.push_back(page.name);
        bar_->SetPages(captions, kGalleryPageWidth);
        bar_->OnSelect = [this](int index) { SelectPage(index); };
        bar_->SetParent(this);
        SetClientSize(kGalleryPageWidth, kGalleryPageHeight + bar_->Height());
        SelectPage(0);
    }

    void SelectPage(int index) {
        ShowPage(index);
        bar_->SetCurrent(PageIndex());
    }

protected:
    void Dispatch(TMessage& m) override {
        static const UINT count_message = RegisterWindowMessageA("GalleryObjectCount");
        if (m.Msg == count_message) {
            m.Result = m.WParam == 0 ? GdiOwnerLiveObjects()
                       : m.WParam == 1 ? GdiOwnerLiveDCs()
                                       : ProcessGdiObjectCount();
            return;
        }
        TGalleryForm::Dispatch(m);
    }
    void KeyDown(WORD& Key, TShiftState Shift) override {
        int count = static_cast<int>(GalleryPages().size());
        if (Key == VK_NEXT || Key == VK_PRIOR) {
            int step = Key == VK_NEXT ? 1 : count - 1;
            SelectPage((PageIndex() + step) % count);
            Key = 0;
        }
        TGalleryForm::KeyDown(Key, Shift);
    }

private:
    TPageBar* bar_ = nullptr;
};

// The page `--page NAME` asks for: 0 without the option, -1 for an unknown name.
int FirstPage(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) != "--page") continue;
        const auto& pages = GalleryPages();
        for (size_t p = 0; p < pages.size(); ++p)
            if (pages[p].name == argv[i + 1]) return static_cast<int>(p);
        return -1;
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = __argc;
    char** argv = __argv;
    // Start-up as the program does it: the application, then the library's
    // services; the title is the one the message box shows without a caption.
    Application()->Initialize();
    InitEditShortDateFormat();
    InstallLookAndFeel();
    Application()->SetTitle("Ordivo");
    int rc = 0;
    bool ranMode = false;
    if (argc >= 2) {
        for (const auto& mode : GalleryModes()) {
            if (mode.flag == argv[1]) {
                try {
                    rc = mode.run(argc, argv);
                } catch (const std::exception& e) {
                    Application()->ShowException(e);
                    rc = 1;
                }
                ranMode = true;
                break;
            }
        }
    }
    if (!ranMode) {
        const int first = FirstPage(argc, argv);
        if (first < 0) {
            std::fprintf(stderr, "gallery: no such page\n");
            rc = 2;
        } else {
            auto* form = Application()->CreateForm<TGalleryMainForm>();
            if (first != 0) form->SelectPage(first);
            Application()->Run();
        }
    }
    ShellJobPoolShutdown();  // links opened from a page finish before the end
    UninstallLookAndFeel();
    DoneBusyCursors();
    Application()->Finalize();
    return rc;
}
