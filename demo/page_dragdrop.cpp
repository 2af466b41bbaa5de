// Gallery page "dragdrop": a panel that takes files dropped from the shell
// (or any drag source offering file names) and lists their full names (as
// many as fit, then how many more there are), with the effect the drop got.
#include <algorithm>
#include <string>
#include <vector>

#include "controls/dragdrop/drop_target.h"
#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/colors.h"
#include "framework/custom_control.h"
#include "framework/font.h"

namespace {

class TDroppedFilesPanel : public TCustomControl {
public:
    explicit TDroppedFilesPanel(TComponent* AOwner) : TCustomControl(AOwner) {
        SetControlStyle(ControlStyle() | csOpaque);
        SetColor(clWindow);
    }
    void SetNames(std::vector<std::string> names, std::string status) {
        names_ = std::move(names);
        status_ = std::move(status);
        Invalidate();
    }
    void SetHover(bool value) {
        if (hover_ == value) return;
        hover_ = value;
        Invalidate();
    }

protected:
    void Paint() override {
        TCanvas& c = Canvas();
        RECT r = ClientRect();
        c.Brush().SetColor(hover_ ? RGB(232, 242, 252) : Color());
        c.FillRect(r);
        InflateRect(&r, -6, -6);
        c.Pen().SetColor(hover_ ? clHighlight : clGrayText);
        c.Pen().SetStyle(psDash);
        c.Brush().SetStyle(bsClear);
        c.Rectangle(r);
        c.Pen().SetStyle(psSolid);
        c.Font().Assign(&Font());
        c.Font().SetStyle(fsBold);
        c.Font().SetColor(clWindowText);
        RECT line{r.left + 12, r.top + 10, r.right - 12, r.top + 30};
        c.DrawText("Dateien aus dem Explorer hierher ziehen", line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        c.Font().SetStyle(0);
        c.Font().SetColor(clGrayText);
        line = RECT{r.left + 12, r.top + 30, r.right - 12, r.top + 48};
        c.DrawText("Ohne Taste oder mit Strg: Kopieren; Strg+Umschalt: Verkn\xFCpfung", line,
                   DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        c.Font().SetColor(clWindowText);
        int y = r.top + 62;
        if (names_.empty()) {
            c.Font().SetColor(clGrayText);
            line = RECT{r.left + 12, y, r.right - 12, y + 18};
            c.DrawText("(noch keine Dateien abgelegt)", line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        }
        // As many names as fit; when some do not, the last line says how many.
        const int room = std::max(0, static_cast<int>(r.bottom - 24 - y) / 18);
        const size_t shown = names_.size() <= static_cast<size_t>(room) ? names_.size()
                                                                         : static_cast<size_t>(std::max(0, room - 1));
        for (size_t i = 0; i < shown; ++i) {
            line = RECT{r.left + 12, y, r.right - 12, y + 18};
            c.DrawText(names_[i], line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
            y += 18;
        }
        if (shown < names_.size()) {
            const size_t more = names_.size() - shown;
            line = RECT{r.left + 12, y, r.right - 12, y + 18};
            c.Font().SetStyle(fsItalic);
            c.DrawText("\x85 und " + std::to_string(more) + (more == 1 ? " weitere Datei" : " weitere Dateien"), line,
                       DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            c.Font().SetStyle(0);
        }
        if (!status_.empty()) {
            c.Font().SetColor(clGrayText);
            line = RECT{r.left + 12, r.bottom - 24, r.right - 12, r.bottom - 6};
            c.DrawText(status_, line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        }
        c.Brush().SetStyle(bsSolid);
    }

private:
    std::vector<std::string> names_;
    std::string status_;
    bool hover_ = false;
};

const char* EffectName(DWORD effect) {
    switch (effect & 7) {
    case DROPEFFECT_COPY: return "Kopieren";
    case DROPEFFECT_MOVE: return "Verschieben";
    case DROPEFFECT_LINK: return "Verkn\xFCpfung";
    default: return "keine";
    }
}


void BuildDragDropPage(TWinControl* parent) {
    SampleTitle(parent, "  Drag & Drop: Dateien ablegen");

    auto* frame = Create<TSamplePanel>(parent);
    frame->Raised = false;
    frame->SetAlign(alClient);
    frame->SetParent(parent);

    auto* view = Create<TDroppedFilesPanel>(parent);
    view->SetAlign(alClient);
    view->SetParent(frame);

    auto* target = Create<TDropFileTarget>(parent);
    target->OnEnter = [view](TObject*, TShiftState, POINT, DWORD&) { view->SetHover(true); };
    target->OnLeave = [view](TObject*) { view->SetHover(false); };
    target->OnDrop = [view, target](TObject*, TShiftState, POINT, DWORD& effect) {
        std::vector<std::string> names;
        const TUnicodeStrings& files = target->GetFiles();
        for (int i = 0; i < files.Count(); ++i) names.push_back(NarrowCp1252(files[i]));
        const std::string status = std::to_string(names.size()) + (names.size() == 1 ? " Datei" : " Dateien") +
                                   " abgelegt, Wirkung: " + EffectName(effect);
        view->SetNames(std::move(names), status);
        view->SetHover(false);
    };
    target->RegisterControl(view);
}

}  // namespace

GALLERY_PAGE(dragdrop, "dragdrop", 60, &BuildDragDropPage);
