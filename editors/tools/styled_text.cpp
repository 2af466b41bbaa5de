#include "editors/tools/styled_text.h"

#include <algorithm>
#include <optional>

#include "editors/tools/edit_drawing.h"
#include "editors/tools/styled_text_codes.h"
#include "framework/color_names.h"
#include "framework/gdi_owner.h"
#include "framework/image_list.h"
#include "framework/sysutils.h"

namespace {

// Offsets are kept within this, far from INT_MAX, so that adding them to
// positions and widths cannot overflow.
constexpr int kOffsetLimit = 0x3FFFFFF;
// Positions are kept within this range whatever the offsets say.
constexpr int kPositionLimit = 0x3FFFFFFF;

int AddClamped(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, -kPositionLimit, kPositionLimit));
}

class StyledTextLayout {
public:
    StyledTextLayout(TCanvas& canvas, std::string_view text, const RECT& rect, bool draw, UINT flags,
                     TImageList* images)
        : canvas_(canvas), text_(text), given_(rect), draw_(draw), flags_(flags), images_(images) {
        wrap_ = (flags & DT_WORDBREAK) != 0;
        x_ = rect.left;
        y_ = line_top_ = rect.top;
        start_name_ = canvas.Font().Name();
        start_size_ = canvas.Font().Size();
    }

    POINT Run() {
        for (const StyledToken& t : TokenizeStyledText(text_)) Apply(t);
        EndLine();
        return {AddClamped(given_.left, widest_), total_};
    }

private:
    void Apply(const StyledToken& t) {
        TFont& font = canvas_.Font();
        switch (t.kind) {
            case StyledTokenKind::Text:
                Segment(std::string(text_.substr(t.start, t.length)));
                break;
            case StyledTokenKind::CarriageReturn:
                if (!line_empty_) EndLine();
                break;
            case StyledTokenKind::LineFeed:
            case StyledTokenKind::LineBreak:
                EndLine();
                break;
            case StyledTokenKind::Style: {
                const TFontStyles bit = t.code == 'b'   ? fsBold
                                        : t.code == 'i' ? fsItalic
                                        : t.code == 'u' ? fsUnderline
                                                        : fsStrikeOut;
                font.SetStyle(t.off ? font.Style() & ~bit : font.Style() | bit);
                break;
            }
            case StyledTokenKind::FontSize:
                FontSize(t.arg);
                break;
            case StyledTokenKind::FontColor: {
                TColor c = 0;
                if (TryStringToColor(t.arg, c)) font.SetColor(c);
                break;
            }
            case StyledTokenKind::FontName:
                if (t.off)
                    font.SetName(start_name_);
                else if (!t.arg.empty())
                    font.SetName(t.arg);
                break;
            case StyledTokenKind::Line: {
                TColor c = 0;
                if (draw_ && TryStringToColor(t.arg, c)) {
                    canvas_.Pen().SetColor(c);
                    canvas_.MoveTo(x_, y_);
                    canvas_.LineTo(given_.right, y_);
                }
                break;
            }
            case StyledTokenKind::Offset:
                Offset(t.code, t.arg);
                break;
            case StyledTokenKind::Image:
                Image(t);
                break;
        }
    }

    void FontSize(const std::string& arg) {
        int n = 0;
        if (!TryStrToInt(arg, n)) return;
        TFont& font = canvas_.Font();
        long long size;
        if (!arg.empty() && (arg[0] == '+' || arg[0] == '-'))
            size = static_cast<long long>(font.Size()) + n;
        else if (n == 0)
            size = start_size_;
        else
            size = n;
        font.SetSize(static_cast<int>(std::clamp<long long>(size, 1, 1000)));
    }

    void Offset(char which, const std::string& arg) {
        int n = 0;
        if (!TryStrToInt(arg, n)) {
            const SIZE s = canvas_.TextExtent(arg);
            n = which == 'H' || which == 'h' ? s.cy : s.cx;
        }
        n = std::clamp(n, -kOffsetLimit, kOffsetLimit);
        switch (which) {
            case 'H':
                n = -n;
                [[fallthrough]];
            case 'h':
                y_ = AddClamped(y_, n);
                line_height_ = AddClamped(line_height_, n);
                break;
            case 'W':
                n = -n;
                [[fallthrough]];
            default:
                x_ = AddClamped(x_, n);
                line_width_ = AddClamped(line_width_, n);
                break;
        }
    }

    // The line holds content down to y + height.
    void GrowLine(int height) { line_height_ = std::max(line_height_, AddClamped(y_ - line_top_, height)); }

    void Segment(const std::string& s) {
        line_empty_ = false;
        GrowLine(canvas_.TextExtent("Wg").cy);
        if (wrap_) {
            Flow(s);
            return;
        }
        const int width = Width(s);
        if (draw_ && x_ < given_.right) {
            RECT d{x_, y_, given_.right, given_.bottom};
            canvas_.DrawText(s, d, flags_ & ~DT_CALCRECT);
        }
        Advance(width);
    }

    // Word wrap: the segment goes on where the one before it ended; the
    // words that still fit before the right edge are drawn as one piece,
    // and the rest starts a new line at the left edge (a word that fits on
    // no line stands alone on one). Measuring and drawing break at the same
    // words.
    void Flow(const std::string& s) {
        size_t i = 0;
        while (i < s.size()) {
            size_t fit = i;  // end of the words (and their blanks) that fit
            int fit_ink = 0;  // their width without the blanks after them
            for (size_t next = i; next < s.size();) {
                size_t word_end = next;
                while (word_end < s.size() && s[word_end] != ' ') ++word_end;
                size_t end = word_end;
                while (end < s.size() && s[end] == ' ') ++end;
                const int ink = Width(s.substr(i, word_end - i));
                if (word_end > next && (placed_ || fit > i) && AddClamped(x_, ink) > given_.right) break;
                fit = end;
                fit_ink = ink;
                next = end;
            }
            if (fit > i) {
                const std::string piece = s.substr(i, fit - i);
                const int width = Width(piece);
                if (draw_ && x_ < given_.right) {
                    RECT d{x_, y_, given_.right, given_.bottom};
                    UINT drop = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_CALCRECT;
                    // Only a word too long for any line ends in an ellipsis.
                    if (AddClamped(x_, fit_ink) <= given_.right) drop |= DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
                    canvas_.DrawText(piece, d, (flags_ & ~drop) | DT_SINGLELINE);
                }
                Advance(width);
                trailing_ = width - fit_ink;
                i = fit;
            }
            if (i < s.size()) {
                line_width_ = AddClamped(line_width_, -trailing_);  // blanks before a break take no room
                EndLine();
                line_empty_ = false;
                GrowLine(canvas_.TextExtent("Wg").cy);
            }
        }
    }

    // The width of s on one line in the current font.
    int Width(const std::string& s) {
        RECT r{0, 0, 0, 0};
        canvas_.DrawText(s, r, DT_CALCRECT | DT_SINGLELINE | (flags_ & (DT_NOPREFIX | DT_EXPANDTABS)));
        return r.right - r.left;
    }

    // Something of width was placed at x.
    void Advance(int width) {
        x_ = AddClamped(x_, width);
        line_width_ = AddClamped(line_width_, width);
        placed_ = true;
        trailing_ = 0;
    }

    void Image(const StyledToken& t) {
        if (!work_) work_.emplace();
        TBitmap& work = work_->Get();
        if (!LoadImage(t.arg, work)) return;
        switch (t.code) {
            case 'd': {
                int percent = 50;
                if (t.hasArg2 && !TryStrToInt(t.arg2, percent)) percent = 50;
                BlendBitmap(work, nullptr, work, work.Pixel(0, 0), percent);
                break;
            }
            case 'h':
                ApplyBitmapEffect(work, work, BitmapEffect::Highlighted);
                break;
            case 'n':
                ApplyBitmapEffect(work, work, BitmapEffect::Inverted);
                break;
            case 's':
                ApplyBitmapEffect(work, work, BitmapEffect::Tinted);
                break;
            default:
                break;
        }
        if (draw_ && x_ < given_.right)
            DrawBitmapTransparent(canvas_.Handle(), work, {x_, y_, x_ + work.Width(), y_ + work.Height()});
        if (t.code == 'p') GrowLine(work.Height());
        Advance(work.Width());
    }

    // Loads the image into the work bitmap; false (the work bitmap
    // untouched) when there is none of that index or name.
    bool LoadImage(const std::string& arg, TBitmap& work) {
        if (arg.empty()) return false;
        if (images_ && arg[0] >= '0' && arg[0] <= '9') {
            int index = -1;
            if (!TryStrToInt(arg, index) || index < 0 || index >= images_->Count()) return false;
            work.Canvas().Brush().SetColor(canvas_.Brush().Color());
            return images_->GetBitmap(index, &work);
        }
        TBitmap loaded;
        try {
            loaded.LoadFromResourceName(GetModuleHandleA(nullptr), arg);
        } catch (...) {
            return false;
        }
        if (loaded.Empty()) return false;
        work.SetSize(loaded.Width(), loaded.Height());
        BitBlt(work.DC(), 0, 0, loaded.Width(), loaded.Height(), loaded.DC(), 0, 0, SRCCOPY);
        return true;
    }

    void EndLine() {
        total_ = AddClamped(total_, std::max(line_height_, 0));
        widest_ = std::max(widest_, line_width_);
        x_ = given_.left;
        y_ = line_top_ = AddClamped(given_.top, total_);
        line_height_ = 0;
        line_width_ = 0;
        line_empty_ = true;
        placed_ = false;
        trailing_ = 0;
    }

    TCanvas& canvas_;
    std::string_view text_;
    RECT given_;
    bool draw_;
    UINT flags_;
    TImageList* images_;
    bool wrap_ = false;
    int x_ = 0, y_ = 0, line_top_ = 0;
    int line_height_ = 0, line_width_ = 0, total_ = 0, widest_ = 0;
    bool line_empty_ = true;
    bool placed_ = false;  // text or an image stands on the line
    int trailing_ = 0;     // width of the blanks that end the line so far
    std::string start_name_;
    int start_size_ = 8;
    std::optional<SharedWorkBitmap> work_;
};

}  // namespace

POINT DrawStyledText(TCanvas& canvas, const char* text, const RECT& rect, bool draw, UINT flags,
                     TImageList* images) {
    if (!text) return {0, 0};
    const TBrushStyle brushStyle = canvas.Brush().Style();
    canvas.Brush().SetStyle(bsClear);
    POINT extent{0, 0};
    try {
        extent = StyledTextLayout(canvas, text, rect, draw, flags, images).Run();
    } catch (...) {
        canvas.Brush().SetStyle(brushStyle);
        throw;
    }
    canvas.Brush().SetStyle(brushStyle);
    return extent;
}

int TextHeightOnDC(HDC dc, const std::string& text) {
    SIZE s{};
    if (!dc || !GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &s)) return 0;
    return s.cy;
}

int TextHeightFor(TFont& font, const std::string& text, TCanvas* canvas) {
    if (canvas) {
        HDC dc = canvas->Handle();
        ScopedSelect select(dc, font.Handle());
        return TextHeightOnDC(dc, text);
    }
    WindowDC screen;
    ScopedSelect select(screen.Get(), font.Handle());
    return TextHeightOnDC(screen.Get(), text);
}

namespace {
bool ReadMetrics(HWND window, TFont& font, TEXTMETRICA& tm) {
    WindowDC dc(window);
    if (!dc) return false;
    ScopedSelect select(dc.Get(), font.Handle());
    return GetTextMetricsA(dc.Get(), &tm) != 0;
}
}  // namespace

int FontMaxCharWidth(HWND window, TFont& font) {
    TEXTMETRICA tm{};
    return ReadMetrics(window, font, tm) ? tm.tmMaxCharWidth : 0;
}

int FontHeight(HWND window, TFont& font) {
    TEXTMETRICA tm{};
    return ReadMetrics(window, font, tm) ? tm.tmHeight : 0;
}
