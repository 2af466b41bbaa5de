// Mini-HTML engine: entity decoding, tag parsing and line layout on a device
// with fixed metrics, plus the plain-text conversion. The first input byte
// picks the options, the rest is the text. Properties:
// - measuring, drawing and hit testing lay the text out alike (extent, lines,
//   anchors), and so do word-by-word and run-at-once measuring;
// - a hit on an anchor reports a rectangle that holds the point, wherever
//   the point lies (the fuzzed one and the middle of every drawn text);
// - the text escaped for a message box is shown exactly as it came (its
//   CR bytes ending lines, its LF bytes dropped), wrapped or not.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/dialogs/box_text.h"
#include "controls/html/html_engine.h"
#include "controls/html/html_text.h"
#include "fuzz/fuzz_support.h"

namespace {

// Every byte is as wide as its font's size asks; widths add up, so a run
// measured at once gives the same words as words measured one by one.
struct FuzzDevice : HTMLDevice {
    HTMLSize TextExtent(const HTMLFontDesc& f, std::string_view t) override {
        return HTMLSize{static_cast<int>(t.size()) * CharWidth(f), LineHeight(f)};
    }
    bool runs = false;
    bool CharExtents(const HTMLFontDesc& f, std::string_view t, std::vector<int>& right) override {
        if (!runs) return false;
        right.resize(t.size());
        for (size_t k = 0; k < t.size(); ++k) right[k] = static_cast<int>(k + 1) * CharWidth(f);
        return true;
    }
    std::vector<HTMLRect> boxes;
    std::string shown;
    void DrawText(const HTMLFontDesc&, const HTMLRect& box, std::string_view t, TColor, TColor, bool) override {
        boxes.push_back(box);
        shown.append(t);
    }
    void FillRect(const HTMLRect&, TColor) override {}
    void Polyline(const std::vector<std::pair<int, int>>&, TColor) override {}
    void FocusRect(const HTMLRect&) override {}
    HTMLSize ImageSize(const HTMLImageRef& i) override {
        return HTMLSize{static_cast<int>(i.Source.size() % 50), static_cast<int>(i.Index % 70)};
    }
    void DrawImage(const HTMLImageRef&, const HTMLRect&, TColor) override {}
    void TileImage(const HTMLImageRef&, const HTMLRect&) override {}

    static int CharWidth(const HTMLFontDesc& f) { return (f.Size < 1 ? 1 : f.Size % 40) / 2 + 1; }
    static int LineHeight(const HTMLFontDesc& f) { return (f.Size < 1 ? 1 : f.Size % 40) + 4; }
};

bool SameLayout(const HTMLDrawResult& a, const HTMLDrawResult& b) {
    return a.Width == b.Width && a.Height == b.Height && a.LineCount == b.LineCount && a.AnchorCount == b.AnchorCount;
}

void CheckHit(FuzzDevice& device, HTMLDrawParams p, int x, int y, const HTMLDrawResult& layout) {
    p.Mode = HTMLMode::HitTest;
    p.X = x;
    p.Y = y;
    HTMLDrawResult hit = HTMLRender(device, p);
    FUZZ_CHECK(SameLayout(hit, layout));
    FUZZ_CHECK(!hit.OnAnchor || hit.AnchorRect.Contains(x, y));
    FUZZ_CHECK(hit.OnAnchor == (hit.AnchorIndex >= 0));
}

// The text of a message box line as the engine shows it: an escaped text's
// bytes without its line ends, and how many lines they make unwrapped.
void CheckEscaped(std::string_view input, bool wrap, bool messageLabel) {
    const std::string escaped = EscapeBoxText(std::string(input));
    std::string expected;
    int lines = 0;
    bool open = false;  // a line with text not ended yet
    for (char c : input) {
        if (c == '\n') continue;
        if (c == '\r') {
            ++lines;
            open = false;
            continue;
        }
        expected.push_back(c);
        open = true;
    }
    if (open) ++lines;
    FuzzDevice device;
    device.runs = true;
    HTMLDrawParams p;
    p.Text = escaped;
    p.Font = HTMLFontDesc{"Tahoma", 8, 0, 0};
    p.Rect = HTMLRect{0, 0, wrap ? 60 : 1 << 28, 1 << 30};
    p.WordWrap = wrap;
    p.Variant = messageLabel ? HTMLVariant::MessageLabel() : HTMLVariant::FormLabel();
    p.Mode = HTMLMode::Draw;
    HTMLDrawResult r = HTMLRender(device, p);
    FUZZ_CHECK(device.shown == expected);
    FUZZ_CHECK(wrap || r.LineCount == lines);
    FUZZ_CHECK(r.AnchorCount == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t flags = data[0];
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    HTMLDrawParams p;
    p.Text = text;
    p.Rect = HTMLRect{3, 4, 3 + (flags >> 4) * 9, 1 << 30};
    p.Font = HTMLFontDesc{"Tahoma", 8, 0, 0};
    p.WordWrap = (flags & 1) != 0;
    p.Variant = (flags & 2) ? HTMLVariant::FormLabel() : HTMLVariant::MessageLabel();
    p.X = 20;
    p.Y = 10;
    p.Hover = (flags & 4) != 0;
    p.HoverIndex = 1;
    p.FocusAnchor = 0;

    FuzzDevice device;
    device.runs = (flags & 8) != 0;
    p.Mode = HTMLMode::Measure;
    const HTMLDrawResult measured = HTMLRender(device, p);
    p.Mode = HTMLMode::Draw;
    const HTMLDrawResult drawn = HTMLRender(device, p);
    FUZZ_CHECK(SameLayout(measured, drawn));
    FuzzDevice other;
    other.runs = !device.runs;
    p.Mode = HTMLMode::Measure;
    FUZZ_CHECK(SameLayout(HTMLRender(other, p), measured));

    CheckHit(other, p, p.X, p.Y, measured);
    const size_t probes = device.boxes.size() < 16 ? device.boxes.size() : 16;
    for (size_t k = 0; k < probes; ++k) {
        const HTMLRect& b = device.boxes[k * device.boxes.size() / probes];
        if (b.Width() > 0 && b.Height() > 0) CheckHit(other, p, b.Left + b.Width() / 2, b.Top + b.Height() / 2, measured);
    }

    CheckEscaped(text, (flags & 16) != 0, (flags & 32) != 0);
    HTMLPlainText(text);
    return 0;
}
