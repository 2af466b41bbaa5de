#include "controls/html/html_engine.h"

#include <algorithm>
#include <utility>

#include "controls/html/html_text.h"
#include "framework/ansi_text.h"

namespace {

constexpr TColor kHighlight = 0x8000000D;      // clHighlight
constexpr TColor kHighlightText = 0x8000000E;  // clHighlightText
constexpr TColor kErrorMark = 0x0000FF;        // red
constexpr int kListStep = 12;
// Numbers in tags beyond these are taken as the limit (sizes) or ignored
// (points), so that sums of positions stay far from overflowing.
constexpr int kMaxPixels = 1 << 20;
constexpr int kMaxPoints = 1000;
// Widths and heights that add up (many wide images, many tall lines) stop
// here instead of overflowing.
constexpr int kMaxExtent = 1 << 28;
// Every drawn line starts from a copy of the state, so what the state holds
// stays small: nested FONT, HI and R tags keep this many levels to restore
// (deeper ones still apply, their closing tags restore the deepest level
// kept), face names are no longer than GDI's, links live outside the state.
constexpr size_t kMaxNesting = 32;
constexpr size_t kMaxFaceName = 31;

int Grow(int a, int b) { return static_cast<int>(std::min<long long>(static_cast<long long>(a) + b, kMaxExtent)); }

enum class TagKind { None, A, B, BR, Blink, Body, E, Font, HI, HR, I, Ind, Img, LI, P, R, S, SH, Sub, Sup, U, UL, Z };
enum class Flow { Go, BreakBefore, BreakAfter };

// Tags are told apart by their first letter and, where two share it, by the
// second (SUB and SUP by the third).
TagKind Classify(std::string_view upper) {
    if (upper.empty()) return TagKind::None;
    char c1 = upper.size() > 1 ? upper[1] : '\0';
    char c2 = upper.size() > 2 ? upper[2] : '\0';
    switch (upper[0]) {
        case 'A': return TagKind::A;
        case 'B': return c1 == 'R' ? TagKind::BR : c1 == 'L' ? TagKind::Blink : c1 == 'O' ? TagKind::Body : TagKind::B;
        case 'E': return TagKind::E;
        case 'F': return TagKind::Font;
        case 'H': return c1 == 'I' ? TagKind::HI : c1 == 'R' ? TagKind::HR : TagKind::None;
        case 'I': return c1 == 'N' ? TagKind::Ind : c1 == 'M' ? TagKind::Img : TagKind::I;
        case 'L': return c1 == 'I' ? TagKind::LI : TagKind::None;
        case 'P': return TagKind::P;
        case 'R': return TagKind::R;
        case 'S':
            if (c1 == 'H') return TagKind::SH;
            if (c1 == 'U') return c2 == 'P' ? TagKind::Sup : TagKind::Sub;
            return TagKind::S;
        case 'U': return c1 == 'L' ? TagKind::UL : TagKind::U;
        case 'Z': return TagKind::Z;
        default: return TagKind::None;
    }
}

bool IsNameChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// An attribute named Name (upper case); a longer name that begins with it
// (BGCOLORTO for BGCOLOR) is not taken for it.
bool Attribute(std::string_view tag, std::string_view upper, std::string_view name, std::string& value) {
    size_t from = 0;
    while (true) {
        size_t at = upper.find(name, from);
        if (at == std::string_view::npos) return false;
        size_t after = at + name.size();
        if (after >= upper.size() || !IsNameChar(upper[after]))
            return HTMLTagAttribute(tag.substr(at), upper.substr(at), name, value);
        from = at + 1;
    }
}

bool IntAttribute(std::string_view tag, std::string_view upper, std::string_view name, int& value) {
    std::string v;
    return Attribute(tag, upper, name, v) && HTMLParseInt(v, value);
}

struct FontSave {
    std::string name;
    int size;
    TColor color, bk;
};

// Everything a tag can change. The first pass of a line works on a copy, so
// that the second pass starts from the same state.
struct State {
    HTMLFontDesc font;
    TColor color = 0;
    TColor bk = clNone;
    int align = 0;  // 0 left, 1 right, 2 centre
    int indent = 0;
    int listLevel = 0;
    bool shadow = false, error = false, hidden = false, sub = false, sup = false;
    bool inAnchor = false;
    int anchor = -1;
    unsigned savedStyle = 0;
    TColor savedColor = 0, savedBk = clNone;
    int anchorCount = 0;
    std::vector<FontSave> fonts;
    std::vector<std::pair<TColor, TColor>> highlights;
    std::vector<int> angles;
    TColor pBg = clNone, pBgTo = clNone;
};

// A background a tag paints behind a line: the first pass collects them,
// the second paints them before the line's text, so that no background
// hides text of its own line.
struct Backdrop {
    enum Kind { BodyColor, BodyPicture, Band } kind;
    TColor from = clNone, to = clNone;
    HTMLImageRef picture;
};

struct Line {
    std::vector<Backdrop> backdrops;  // only when drawing
    size_t end = 0;
    int width = 0;
    int height = 0;
    int above = 0;      // superscript room
    int below = 0;      // subscript room
    int textAlign = 0;  // 0 bottom, 1 top, 2 middle (IMG ALIGN)
    bool content = false;
    bool explicitBreak = false;
    int Advance() const { return above + height + below; }
};

class Engine {
public:
    Engine(HTMLDevice& device, const HTMLDrawParams& params) : dev_(device), p_(params) {}

    HTMLDrawResult Run() {
        text_ = HTMLPrepareText(p_.Text);
        st_.font = p_.Font;
        st_.color = p_.FontColor;
        const bool output = p_.Mode != HTMLMode::Measure;
        int y = p_.Rect.Top;
        size_t pos = 0;
        while (pos < text_.size()) {
            State saved;
            if (output) saved = st_;
            Line m = Pass(pos, text_.size(), false);
            if (m.end <= pos) m.end = text_.size();  // never stand still
            bool onlyTags = !m.content && !m.explicitBreak && m.end >= text_.size();
            if (onlyTags)
                m.height = 0;
            else if (m.height == 0)
                m.height = dev_.TextExtent(st_.font, "gh").cy;
            int startX = p_.Rect.Left;
            if (st_.align == 1 && p_.Rect.Right - m.width > p_.Rect.Left) startX = p_.Rect.Right - m.width;
            if (st_.align == 2 && (p_.Rect.Width() - m.width) / 2 > 0) startX = p_.Rect.Left + (p_.Rect.Width() - m.width) / 2;
            startX += st_.indent;
            res_.Width = std::max(res_.Width, st_.indent + m.width);

            if (output) {
                // Measuring keeps the state the first pass left; the second
                // pass replays the same tags from the line's start.
                st_ = std::move(saved);
                originX_ = startX;
                lineTop_ = y;
                cur_ = m;
                Pass(pos, m.end, true);
            }
            pos = m.end;
            if (onlyTags) break;
            res_.Height = Grow(res_.Height, m.Advance());
            ++res_.LineCount;
            y = Grow(y, m.Advance());
            if (output && Grow(y, m.Advance()) > p_.Rect.Bottom) break;
        }
        if (res_.LineCount == 0) res_.Height = dev_.TextExtent(p_.Font, "gh").cy;
        res_.AnchorCount = st_.anchorCount;
        return res_;
    }

private:
    bool Drawing() const { return p_.Mode == HTMLMode::Draw; }
    int Avail() const { return p_.Rect.Width() - st_.indent; }

    // Lays out one line from pos. The first pass decides where the line
    // ends and measures it; the second places (and draws) exactly that text.
    Line Pass(size_t pos, size_t limit, bool second) {
        second_ = second && p_.Mode != HTMLMode::Measure;
        Line line;
        int x = 0;
        int items = 0;
        bool endsSpace = true;
        listItems_ = 0;
        if (!second) extents_.clear();
        nextExtent_ = 0;
        if (second_ && Drawing()) PaintBackdrops();
        size_t i = pos;
        while (i < limit) {
            if (text_[i] == '<') {
                size_t gt = text_.find('>', i);
                if (gt == std::string::npos) {  // an unclosed tag ends the text
                    i = text_.size();
                    break;
                }
                std::string_view tag = std::string_view(text_).substr(i + 1, gt - i - 1);
                if (tag.find('&') != std::string_view::npos) {
                    tagScratch_ = HTMLDecodeEntities(tag);
                    tag = tagScratch_;
                }
                Flow f = Tag(tag, line, x, items, endsSpace, second);
                if (f == Flow::BreakBefore) break;
                i = gt + 1;
                if (f == Flow::BreakAfter) {
                    line.explicitBreak = true;
                    break;
                }
                continue;
            }
            size_t segEnd = std::min(NextTag(i), limit);
            if (p_.WordWrap) {
                size_t sp = std::string_view(text_).substr(i, segEnd - i).find(' ');
                if (sp != std::string_view::npos) segEnd = i + sp + 1;
            }
            std::string_view seg = std::string_view(text_).substr(i, segEnd - i);
            if (seg.find('&') != std::string_view::npos) {
                scratch_ = HTMLSegmentText(seg);
                seg = scratch_;
            }
            HTMLSize sz = st_.hidden ? HTMLSize{} : SegmentExtent(seg, second, i, segEnd);
            if (!second && p_.WordWrap && items > 0 && x + sz.cx > Avail() && endsSpace) break;
            if (!st_.hidden) {
                line.height = std::max(line.height, sz.cy);
                if (st_.sub) line.below = std::max(line.below, sz.cy / 4);
                if (st_.sup) line.above = std::max(line.above, sz.cy / 4);
                line.content = true;
            }
            if (second_) TextSegment(seg, x, sz);
            x = Grow(x, sz.cx);
            ++items;
            endsSpace = !seg.empty() && seg.back() == ' ';
            i = segEnd;
        }
        line.end = i;
        line.width = x;
        return line;
    }

    // The second pass places the same segments in the same order as the
    // first: it takes their extents from there instead of measuring again.
    HTMLSize SegmentExtent(std::string_view seg, bool second, size_t from, size_t to) {
        if (!second) {
            HTMLSize sz;
            if (!RunExtent(from, to, sz)) sz = dev_.TextExtent(st_.font, seg);
            extents_.push_back(sz);
            return sz;
        }
        if (nextExtent_ < extents_.size()) return extents_[nextExtent_++];
        return dev_.TextExtent(st_.font, seg);
    }

    // Where the next tag begins at or after from (the text's end when none
    // does). Remembers the stretch it searched, so that the words between
    // two tags do not search the same text again and again.
    size_t NextTag(size_t from) {
        if (from < tagFrom_ || from > tagAt_) {
            tagFrom_ = from;
            tagAt_ = std::min(text_.find('<', from), text_.size());
        }
        return tagAt_;
    }

    // Wrapped text is cut into words; the words between two tags are
    // measured with one device call when the device can. The run is decoded
    // once; runMap_ takes a text position to its place in the decoded run.
    // A run the device cannot measure at once is remembered as such.
    bool RunExtent(size_t from, size_t to, HTMLSize& sz) {
        if (!p_.WordWrap) return false;
        if (!(runKnown_ && from >= runStart_ && to <= runEnd_ && runFont_ == st_.font)) {
            runStart_ = from;
            runEnd_ = NextTag(from);
            runFont_ = st_.font;
            runKnown_ = true;
            std::string_view run = std::string_view(text_).substr(runStart_, runEnd_ - runStart_);
            runMap_.clear();
            std::string_view measured = run;
            if (run.find('&') != std::string_view::npos) {
                runText_ = HTMLSegmentText(run, &runMap_);
                measured = runText_;
            }
            runValid_ = dev_.CharExtents(st_.font, measured, runRight_) && runRight_.size() == measured.size();
            if (runValid_) runHeight_ = LineHeightOf(st_.font);
        }
        if (!runValid_ || to <= from) return false;
        size_t a = from - runStart_, b = to - runStart_;
        if (!runMap_.empty()) {
            a = runMap_[a];
            b = runMap_[b];
        }
        if (b <= a) return false;
        int left = a > 0 ? runRight_[a - 1] : 0;
        sz = HTMLSize{runRight_[b - 1] - left, runHeight_};
        return true;
    }

    // The height of a font's text, asked once per font and run.
    int LineHeightOf(const HTMLFontDesc& font) {
        for (const auto& h : heights_)
            if (h.first == font) return h.second;
        int cy = dev_.TextExtent(font, std::string_view()).cy;
        if (heights_.size() < 16) heights_.emplace_back(font, cy);
        return cy;
    }

    void TextSegment(std::string_view seg, int x, HTMLSize sz) {
        int left = originX_ + x;
        int top = lineTop_ + cur_.above;
        int bottom = top + cur_.height;
        if (cur_.textAlign == 1) bottom = top + sz.cy;
        if (cur_.textAlign == 2) bottom = top + (cur_.height + sz.cy) / 2;
        if (st_.sup) bottom -= sz.cy / 4;
        if (st_.sub) bottom += sz.cy / 4;
        HTMLRect box{left, bottom - sz.cy, left + sz.cx, bottom};
        if (st_.inAnchor) TrackAnchor(box);
        if (!Drawing() || st_.hidden) return;
        // Text that fits is always drawn: only a cut piece at the edge may go.
        if (p_.Variant.NeedRoomForW && left + sz.cx > p_.Rect.Right && p_.Rect.Right - left <= WWidth()) return;
        HTMLRect clip{left, box.Top, p_.Rect.Right, bottom};
        bool ellipsis = !p_.WordWrap;
        if (st_.shadow) {
            HTMLRect s{clip.Left + p_.ShadowOffset, clip.Top + p_.ShadowOffset, clip.Right + p_.ShadowOffset,
                       clip.Bottom + p_.ShadowOffset};
            dev_.DrawText(st_.font, s, seg, p_.ShadowColor, clNone, ellipsis);
        }
        dev_.DrawText(st_.font, clip, seg, st_.color, st_.bk, ellipsis);
        if (st_.error) Zigzag(left, std::min(left + sz.cx, p_.Rect.Right), bottom);
    }

    // A red line under the text that goes up and down one pixel every two.
    void Zigzag(int from, int to, int y) {
        std::vector<std::pair<int, int>> pts;
        for (int x = from, k = 0; x <= to; x += 2, ++k) pts.emplace_back(x, y - (k & 1));
        if (pts.size() > 1) dev_.Polyline(pts, kErrorMark);
    }

    int WWidth() {
        if (!(wFont_ == st_.font)) {
            wFont_ = st_.font;
            wWidth_ = dev_.TextExtent(st_.font, "W").cx;
        }
        return wWidth_;
    }

    void TrackAnchor(const HTMLRect& r) {
        if (!anchorBoxSet_) {
            anchorBox_ = r;
            anchorBoxSet_ = true;
        } else {
            anchorBox_.Left = std::min(anchorBox_.Left, r.Left);
            anchorBox_.Top = std::min(anchorBox_.Top, r.Top);
            anchorBox_.Right = std::max(anchorBox_.Right, r.Right);
            anchorBox_.Bottom = std::max(anchorBox_.Bottom, r.Bottom);
        }
        if (!res_.OnAnchor && r.Contains(p_.X, p_.Y)) {
            res_.OnAnchor = true;
            res_.Anchor = hrefs_[static_cast<size_t>(st_.anchor)];
            res_.AnchorIndex = st_.anchor;
        }
        if (res_.OnAnchor && res_.AnchorIndex == st_.anchor) res_.AnchorRect = anchorBox_;
    }

    // The band of a paragraph that goes on from the line before, then the
    // backgrounds the line's own tags asked for, in their order.
    void PaintBackdrops() {
        if (st_.pBg != clNone) FillBand(st_.pBg, st_.pBgTo);
        for (const Backdrop& b : cur_.backdrops) {
            switch (b.kind) {
                case Backdrop::BodyColor: dev_.FillRect(p_.Rect, b.from); break;
                case Backdrop::BodyPicture: dev_.TileImage(b.picture, p_.Rect); break;
                case Backdrop::Band: FillBand(b.from, b.to); break;
            }
        }
    }

    void FillBand(TColor from, TColor to) {
        HTMLRect band{p_.Rect.Left, lineTop_, p_.Rect.Right, lineTop_ + cur_.Advance()};
        if (p_.Variant.GradientBands && to != clNone)
            dev_.GradientRect(band, from, to);
        else
            dev_.FillRect(band, from);
    }

    // Backgrounds are collected by the first pass of a drawn line.
    bool Collecting(bool second) const { return !second && Drawing(); }

    void OpenAnchor(std::string_view tag) {
        if (st_.inAnchor) CloseAnchor();
        st_.inAnchor = true;
        st_.anchor = st_.anchorCount++;
        // The first pass of the anchor's line reads its link; the second
        // finds it under the same number.
        if (static_cast<size_t>(st_.anchor) == hrefs_.size()) {
            hrefs_.emplace_back();
            HTMLFirstQuoted(tag, hrefs_.back());
        }
        st_.savedStyle = st_.font.Style;
        st_.savedColor = st_.color;
        st_.savedBk = st_.bk;
        bool hovered = p_.Hover && st_.anchor == p_.HoverIndex;
        if (!p_.Hover || hovered) st_.font.Style |= htmlUnderline;
        st_.color = hovered && p_.HoverFontColor != clNone ? p_.HoverFontColor : p_.URLColor;
        if (hovered && p_.HoverColor != clNone) st_.bk = p_.HoverColor;
        // The box grows over the lines of the anchor as they are placed; the
        // first pass of the next line must not start it anew.
        if (second_) anchorBoxSet_ = false;
    }

    void CloseAnchor() {
        if (!st_.inAnchor) return;
        st_.font.Style = st_.savedStyle;
        st_.color = st_.savedColor;
        st_.bk = st_.savedBk;
        if (second_ && Drawing() && anchorBoxSet_ && st_.anchor == p_.FocusAnchor)
            dev_.FocusRect(HTMLRect{anchorBox_.Left - 1, anchorBox_.Top, anchorBox_.Right + 1, anchorBox_.Bottom});
        st_.inAnchor = false;
        if (second_) anchorBoxSet_ = false;
    }

    Flow Image(std::string_view tag, std::string_view upper, Line& line, int& x, int& items, bool second) {
        std::string src;
        if (!Attribute(tag, upper, "SRC", src) || st_.hidden) return Flow::Go;
        HTMLImageRef ref;
        ref.Source = src;
        if (AnsiStartsText("IDX:", src)) {
            if (!p_.Variant.ImageListImages || !HTMLParseInt(std::string_view(src).substr(4), ref.Index))
                return Flow::Go;
            ref.Kind = HTMLImageKind::ImageList;
        } else if (AnsiStartsText("SSYS:", src) || AnsiStartsText("LSYS:", src)) {
            ref.Kind = (src[0] == 'S' || src[0] == 's') ? HTMLImageKind::SmallSystemIcon : HTMLImageKind::LargeSystemIcon;
            ref.Source = src.substr(5);
        } else if (src.find("://") != std::string::npos) {
            if (!p_.Variant.Pictures) return Flow::Go;
            ref.Kind = HTMLImageKind::URLPicture;
        } else if (src.find(':') == std::string::npos) {
            if (!p_.Variant.Pictures) return Flow::Go;
            ref.Kind = HTMLImageKind::ContainerPicture;
        } else {
            return Flow::Go;
        }
        HTMLSize sz = dev_.ImageSize(ref);
        bool picture = ref.Kind == HTMLImageKind::ContainerPicture || ref.Kind == HTMLImageKind::URLPicture;
        int w = 0, h = 0;
        if (picture && sz.cx > 0 && IntAttribute(tag, upper, "WIDTH", w) && IntAttribute(tag, upper, "HEIGHT", h) &&
            w > 0 && h > 0)
            sz = HTMLSize{std::min(w, kMaxPixels), std::min(h, kMaxPixels)};
        if (sz.cx <= 0 || sz.cy <= 0) return Flow::Go;
        if (!second && p_.WordWrap && items > 0 && x + sz.cx > Avail()) return Flow::BreakBefore;
        line.height = std::max(line.height, sz.cy);
        line.content = true;
        if (upper.find("\"TOP") != std::string_view::npos) line.textAlign = 1;
        else if (upper.find("\"MIDDLE") != std::string_view::npos) line.textAlign = 2;
        if (second_) {
            int bottom = lineTop_ + cur_.above + cur_.height;
            HTMLRect box{originX_ + x, bottom - sz.cy, originX_ + x + sz.cx, bottom};
            if (st_.inAnchor) TrackAnchor(box);
            if (Drawing()) dev_.DrawImage(ref, box, p_.Background);
        }
        x = Grow(x, sz.cx);
        ++items;
        return Flow::Go;
    }

    Flow ListItem(Line& line, int& x, int& items, int& listItems, bool second) {
        if (!second && listItems > 0) return Flow::BreakBefore;
        ++listItems;
        int level = std::max(1, st_.listLevel);
        int bulletX = (level - 1) * kListStep;
        HTMLFontDesc bulletFont{"Symbol", st_.font.Size, 0, 0};
        std::string bullet = (level & 1) ? "\xB7" : "o";
        HTMLSize sz = st_.hidden ? HTMLSize{} : dev_.TextExtent(bulletFont, bullet);
        if (!st_.hidden) {
            line.height = std::max(line.height, sz.cy);
            line.content = true;
        }
        if (second_ && Drawing() && !st_.hidden) {
            int bottom = lineTop_ + cur_.above + cur_.height;
            dev_.DrawText(bulletFont, HTMLRect{originX_ + bulletX, bottom - sz.cy, p_.Rect.Right, bottom}, bullet,
                          st_.color, clNone, false);
        }
        x = std::max(x, bulletX + kListStep);
        ++items;
        return Flow::Go;
    }

    Flow Tag(std::string_view tag, Line& line, int& x, int& items, bool& endsSpace, bool second) {
        bool closing = !tag.empty() && tag[0] == '/';
        std::string upper = AnsiUpperCase(std::string(tag));
        std::string_view name = std::string_view(upper).substr(closing ? 1 : 0);
        TagKind kind = Classify(name);
        if (closing) return CloseTag(kind, line);
        std::string v;
        int n = 0;
        switch (kind) {
            case TagKind::A: OpenAnchor(tag); break;
            case TagKind::B: st_.font.Style |= htmlBold; break;
            case TagKind::BR: return Flow::BreakAfter;
            case TagKind::Blink:
                if (p_.BlinkHidden && p_.Background != clNone) st_.color = p_.Background;
                break;
            case TagKind::Body:
                if (Attribute(tag, upper, "BGCOLOR", v) && Collecting(second)) {
                    TColor c = AnsiContainsText(v, "CL") ? HTMLColorByName(v) : HTMLHexColor(AnsiUpperCase(v));
                    line.backdrops.push_back(Backdrop{Backdrop::BodyColor, c, clNone, {}});
                }
                if (Attribute(tag, upper, "BACKGROUND", v) && p_.Variant.BodyBackground && Collecting(second)) {
                    HTMLImageRef ref{v.find("://") != std::string::npos ? HTMLImageKind::URLPicture
                                                                       : HTMLImageKind::ContainerPicture,
                                     v, 0};
                    line.backdrops.push_back(Backdrop{Backdrop::BodyPicture, clNone, clNone, ref});
                }
                break;
            case TagKind::E: st_.error = true; break;
            case TagKind::Font:
                if (st_.fonts.size() < kMaxNesting)
                    st_.fonts.push_back(FontSave{st_.font.Name, st_.font.Size, st_.color, st_.bk});
                if (Attribute(tag, upper, "FACE", v)) st_.font.Name = v.substr(0, kMaxFaceName);
                if (Attribute(tag, upper, " COLOR", v)) st_.color = HTMLColorValue(v);
                if (Attribute(tag, upper, "BGCOLOR", v)) st_.bk = HTMLColorValue(v);
                if (IntAttribute(tag, upper, "SIZE", n) && n > 0 && n <= kMaxPoints) {
                    static constexpr int kSizes[] = {8, 10, 12, 14, 16};
                    st_.font.Size = n <= 5 ? kSizes[n - 1] : n;
                }
                break;
            case TagKind::HI:
                if (st_.highlights.size() < kMaxNesting) st_.highlights.emplace_back(st_.color, st_.bk);
                st_.bk = kHighlight;
                st_.color = kHighlightText;
                break;
            case TagKind::HR:
                if (second_ && Drawing()) {
                    int yLine = lineTop_ + cur_.Advance() - 1;
                    dev_.Polyline({{p_.Rect.Left, yLine}, {p_.Rect.Right, yLine}}, 0);
                }
                return Flow::BreakAfter;
            case TagKind::I: st_.font.Style |= htmlItalic; break;
            case TagKind::Ind:
                if (IntAttribute(tag, upper, "X", n) && n > x) x = std::min(n, kMaxPixels);
                break;
            case TagKind::Img: {
                Flow f = Image(tag, upper, line, x, items, second);
                if (f == Flow::Go && x > 0) endsSpace = true;
                return f;
            }
            case TagKind::LI: {
                Flow f = ListItem(line, x, items, listItems_, second);
                if (f == Flow::Go) endsSpace = true;
                return f;
            }
            case TagKind::P:
                if (Attribute(tag, upper, "ALIGN", v)) {
                    std::string a = AnsiUpperCase(v);
                    st_.align = a == "RIGHT" ? 1 : a == "CENTER" ? 2 : a == "LEFT" ? 0 : st_.align;
                }
                if (IntAttribute(tag, upper, "INDENT", n)) st_.indent = std::clamp(n, -kMaxPixels, kMaxPixels);
                if (Attribute(tag, upper, "BGCOLOR", v)) {
                    st_.pBg = HTMLColorValue(v);
                    st_.pBgTo = clNone;
                    if (p_.Variant.GradientBands && Attribute(tag, upper, "BGCOLORTO", v)) st_.pBgTo = HTMLColorValue(v);
                    if (Collecting(second)) line.backdrops.push_back(Backdrop{Backdrop::Band, st_.pBg, st_.pBgTo, {}});
                }
                break;
            case TagKind::R:
                if (st_.angles.size() < kMaxNesting) st_.angles.push_back(st_.font.Angle);
                if (IntAttribute(tag, upper, "A", n)) st_.font.Angle = (n % 360) * 10;
                break;
            case TagKind::S: st_.font.Style |= htmlStrikeOut; break;
            case TagKind::SH: st_.shadow = true; break;
            case TagKind::Sub: st_.sub = true; break;
            case TagKind::Sup: st_.sup = true; break;
            case TagKind::U: st_.font.Style |= htmlUnderline; break;
            case TagKind::UL: ++st_.listLevel; break;
            case TagKind::Z: st_.hidden = true; break;
            case TagKind::None: break;
        }
        return Flow::Go;
    }

    Flow CloseTag(TagKind kind, Line&) {
        switch (kind) {
            case TagKind::A: CloseAnchor(); break;
            case TagKind::B: st_.font.Style &= ~htmlBold; break;
            case TagKind::Blink: st_.color = p_.FontColor; break;
            case TagKind::E: st_.error = false; break;
            case TagKind::Font:
                st_.font.Name = p_.Font.Name;
                st_.font.Size = p_.Font.Size;
                if (!st_.fonts.empty()) {
                    st_.color = st_.fonts.back().color;
                    st_.bk = st_.fonts.back().bk;
                    st_.fonts.pop_back();
                } else {
                    st_.color = p_.FontColor;
                    st_.bk = clNone;
                }
                break;
            case TagKind::HI:
                if (!st_.highlights.empty()) {
                    st_.color = st_.highlights.back().first;
                    st_.bk = st_.highlights.back().second;
                    st_.highlights.pop_back();
                }
                break;
            case TagKind::I: st_.font.Style &= ~htmlItalic; break;
            case TagKind::LI:
                if (p_.Variant.ClosingLIEndsLine) return Flow::BreakAfter;
                break;
            case TagKind::P:
                st_.pBg = clNone;
                st_.pBgTo = clNone;
                return Flow::BreakAfter;
            case TagKind::R:
                // A stray closing tag changes nothing; nested ones unwind in order.
                if (!st_.angles.empty()) {
                    st_.font.Angle = st_.angles.back();
                    st_.angles.pop_back();
                }
                break;
            case TagKind::S: st_.font.Style &= ~htmlStrikeOut; break;
            case TagKind::SH: st_.shadow = false; break;
            case TagKind::Sub:
            case TagKind::Sup:
                st_.sub = false;
                st_.sup = false;
                break;
            case TagKind::U: st_.font.Style &= ~htmlUnderline; break;
            case TagKind::UL:
                if (st_.listLevel > 0)
                    --st_.listLevel;
                else
                    st_.font.Style &= ~htmlUnderline;
                break;
            case TagKind::Z: st_.hidden = false; break;
            default: break;
        }
        return Flow::Go;
    }

    HTMLDevice& dev_;
    const HTMLDrawParams& p_;
    std::string text_;
    State st_;
    HTMLDrawResult res_;
    std::vector<std::string> hrefs_;  // the link of each anchor, by number
    bool second_ = false;  // placing the line's text (not measuring it)
    int originX_ = 0;
    int lineTop_ = 0;
    Line cur_;
    int listItems_ = 0;
    std::string scratch_, tagScratch_;
    size_t tagFrom_ = 1, tagAt_ = 0;  // no '<' in [tagFrom_, tagAt_)
    std::vector<HTMLSize> extents_;
    size_t runStart_ = 0, runEnd_ = 0;
    HTMLFontDesc runFont_;
    bool runKnown_ = false, runValid_ = false;
    std::string runText_;
    std::vector<size_t> runMap_;
    std::vector<int> runRight_;
    int runHeight_ = 0;
    std::vector<std::pair<HTMLFontDesc, int>> heights_;
    size_t nextExtent_ = 0;
    HTMLRect anchorBox_;
    bool anchorBoxSet_ = false;
    HTMLFontDesc wFont_{"", -1, 0, 0};
    int wWidth_ = 0;
};

}  // namespace

HTMLDrawResult HTMLRender(HTMLDevice& Device, const HTMLDrawParams& Params) { return Engine(Device, Params).Run(); }
