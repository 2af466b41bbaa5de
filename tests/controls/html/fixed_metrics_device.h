// A device with known metrics for layout tests: every character is
// Size * 3 / 4 pixels wide (one more when bold), every line Size * 2 high;
// images are 20 x 30 unless listed. It records what would be drawn, and in
// Order the sequence of the calls: T text, F fill, L line, R focus, I image.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "controls/html/html_engine.h"

struct FixedMetricsDevice : HTMLDevice {
    struct Text {
        HTMLFontDesc font;
        HTMLRect box;
        std::string text;
        TColor color, background;
        bool ellipsis;
    };
    std::vector<Text> texts;
    std::vector<std::pair<HTMLRect, TColor>> fills;
    std::vector<std::vector<std::pair<int, int>>> lines;
    std::vector<HTMLRect> focus;
    std::vector<std::pair<HTMLImageRef, HTMLRect>> images;
    std::map<std::string, HTMLSize> imageSizes;
    std::string order;
    bool runs = true;  // measures runs of words at once

    static int CharWidth(const HTMLFontDesc& f) { return f.Size * 3 / 4 + ((f.Style & htmlBold) ? 1 : 0); }
    HTMLSize TextExtent(const HTMLFontDesc& f, std::string_view t) override {
        return HTMLSize{static_cast<int>(t.size()) * CharWidth(f), f.Size * 2};
    }
    bool CharExtents(const HTMLFontDesc& f, std::string_view t, std::vector<int>& right) override {
        if (!runs) return false;
        right.resize(t.size());
        for (size_t k = 0; k < t.size(); ++k) right[k] = static_cast<int>(k + 1) * CharWidth(f);
        return true;
    }
    void DrawText(const HTMLFontDesc& f, const HTMLRect& box, std::string_view t, TColor c, TColor bk,
                  bool ellipsis) override {
        texts.push_back(Text{f, box, std::string(t), c, bk, ellipsis});
        order += 'T';
    }
    void FillRect(const HTMLRect& r, TColor c) override {
        fills.emplace_back(r, c);
        order += 'F';
    }
    void GradientRect(const HTMLRect& r, TColor from, TColor) override {
        fills.emplace_back(r, from | 0x01000000);
        order += 'F';
    }
    void Polyline(const std::vector<std::pair<int, int>>& pts, TColor) override {
        lines.push_back(pts);
        order += 'L';
    }
    void FocusRect(const HTMLRect& r) override {
        focus.push_back(r);
        order += 'R';
    }
    HTMLSize ImageSize(const HTMLImageRef& i) override {
        auto it = imageSizes.find(i.Source);
        return it != imageSizes.end() ? it->second : HTMLSize{20, 30};
    }
    void DrawImage(const HTMLImageRef& i, const HTMLRect& r, TColor) override {
        images.emplace_back(i, r);
        order += 'I';
    }
    void TileImage(const HTMLImageRef& i, const HTMLRect& r) override {
        images.emplace_back(i, r);
        order += 'I';
    }
    bool DrewNothing() const { return texts.empty() && fills.empty() && lines.empty() && focus.empty() && images.empty(); }
};
