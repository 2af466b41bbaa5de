// Mini-HTML engine: entity decoding, tag parsing and line layout on a device
// with fixed metrics, in all three modes, plus the plain-text conversion.
// The first input byte picks the options, the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "controls/html/html_engine.h"
#include "controls/html/html_text.h"

namespace {

struct FuzzDevice : HTMLDevice {
    HTMLSize TextExtent(const HTMLFontDesc& f, std::string_view t) override {
        int w = f.Size < 1 ? 1 : f.Size % 40;
        return HTMLSize{static_cast<int>(t.size()) * (w / 2 + 1), w + 4};
    }
    bool runs = false;
    bool CharExtents(const HTMLFontDesc& f, std::string_view t, std::vector<int>& right) override {
        if (!runs) return false;
        right.resize(t.size());
        for (size_t k = 0; k < t.size(); ++k) right[k] = TextExtent(f, t.substr(0, k + 1)).cx;
        return true;
    }
    void DrawText(const HTMLFontDesc&, const HTMLRect&, std::string_view, TColor, TColor, bool) override {}
    void FillRect(const HTMLRect&, TColor) override {}
    void Polyline(const std::vector<std::pair<int, int>>&, TColor) override {}
    void FocusRect(const HTMLRect&) override {}
    HTMLSize ImageSize(const HTMLImageRef& i) override {
        return HTMLSize{static_cast<int>(i.Source.size() % 50), static_cast<int>(i.Index % 70)};
    }
    void DrawImage(const HTMLImageRef&, const HTMLRect&, TColor) override {}
    void TileImage(const HTMLImageRef&, const HTMLRect&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t flags = data[0];
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    FuzzDevice device;
    device.runs = (flags & 8) != 0;
    HTMLDrawParams p;
    p.Text = text;
    p.Rect = HTMLRect{3, 4, 3 + (flags >> 4) * 9, 400};
    p.Font = HTMLFontDesc{"Tahoma", 8, 0, 0};
    p.WordWrap = (flags & 1) != 0;
    p.Variant = (flags & 2) ? HTMLVariant::FormLabel() : HTMLVariant::MessageLabel();
    p.X = 20;
    p.Y = 10;
    p.Hover = (flags & 4) != 0;
    p.HoverIndex = 1;
    p.FocusAnchor = 0;
    for (HTMLMode mode : {HTMLMode::Measure, HTMLMode::Draw, HTMLMode::HitTest}) {
        p.Mode = mode;
        HTMLRender(device, p);
    }
    HTMLPlainText(text);
    return 0;
}
