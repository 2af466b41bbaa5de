#include "editors/tools/styled_text_codes.h"

namespace {

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    std::vector<StyledToken> Run() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n' || c == '\r') {
                Flush();
                Push(c == '\n' ? StyledTokenKind::LineFeed : StyledTokenKind::CarriageReturn);
                ++pos_;
                continue;
            }
            if (c == '/' && pos_ + 1 < text_.size() && Code()) continue;
            Plain(1);
        }
        Flush();
        return std::move(tokens_);
    }

private:
    // Reads the code at pos_ ("/" and at least one more character). False
    // when it is no code: nothing is consumed then.
    bool Code() {
        const char letter = text_[pos_ + 1];
        if (!codes_on_) {
            if (letter != '}') return false;
            Flush();
            codes_on_ = true;
            pos_ += 2;
            return true;
        }
        StyledToken t;
        size_t p = pos_ + 2;
        switch (letter) {
            case '{':
            case '}':
                Flush();
                codes_on_ = letter == '}';
                pos_ = p;
                return true;
            case '#':
                t.kind = StyledTokenKind::LineBreak;
                break;
            case 'b':
            case 'u':
                t.kind = StyledTokenKind::Style;
                t.code = letter;
                t.off = At(p) == '0';
                if (t.off) ++p;
                break;
            case 's':
                if (IsOpener(At(p))) {
                    t.kind = StyledTokenKind::FontSize;
                    t.arg = Argument(p);
                } else {
                    t.kind = StyledTokenKind::Style;
                    t.code = 's';
                    t.off = At(p) == '0';
                    if (t.off) ++p;
                }
                break;
            case 'c':
                t.kind = StyledTokenKind::FontColor;
                t.arg = Argument(p);
                break;
            case 'l':
                t.kind = StyledTokenKind::Line;
                t.arg = Argument(p);
                break;
            case 'f':
                t.kind = StyledTokenKind::FontName;
                t.off = At(p) == '0';
                if (t.off)
                    ++p;
                else
                    t.arg = Argument(p);
                break;
            case 'o': {
                const char which = At(p);
                if (which != 'H' && which != 'h' && which != 'W' && which != 'w') return false;
                ++p;
                t.kind = StyledTokenKind::Offset;
                t.code = which;
                t.arg = Argument(p);
                break;
            }
            case 'i': {
                const char which = At(p);
                const bool image = which == 'p' || which == 'm' || which == 'd' || which == 'h' || which == 'n' ||
                                   which == 's';
                if (image && IsOpener(At(p + 1))) {
                    ++p;
                    t.kind = StyledTokenKind::Image;
                    t.code = which;
                    t.arg = Argument(p);
                    if (which == 'd' && IsOpener(At(p))) {
                        t.arg2 = Argument(p);
                        t.hasArg2 = true;
                    }
                } else {
                    // "/i", "/i0"; an image letter without argument stays text.
                    t.kind = StyledTokenKind::Style;
                    t.code = 'i';
                    t.off = which == '0';
                    if (t.off) ++p;
                }
                break;
            }
            case '\n':
            case '\r':
                return false;
            default:
                // "/" and the character after it are plain text.
                Plain(2);
                return true;
        }
        Flush();
        tokens_.push_back(std::move(t));
        pos_ = p;
        return true;
    }

    static bool IsOpener(char c) { return c == '{' || c == ','; }
    char At(size_t p) const { return p < text_.size() ? text_[p] : '\0'; }

    // The argument at p (after its opener) up to "}" (consumed), "," (left)
    // or the end; empty without an opener.
    std::string Argument(size_t& p) const {
        if (!IsOpener(At(p))) return {};
        ++p;
        const size_t begin = p;
        while (p < text_.size() && text_[p] != '}' && text_[p] != ',') ++p;
        std::string arg(text_.substr(begin, p - begin));
        if (p < text_.size() && text_[p] == '}') ++p;
        return arg;
    }

    void Plain(size_t count) {
        if (pending_length_ == 0) pending_start_ = pos_;
        pending_length_ += count;
        pos_ += count;
    }

    void Flush() {
        if (pending_length_ == 0) return;
        StyledToken t;
        t.kind = StyledTokenKind::Text;
        t.start = pending_start_;
        t.length = pending_length_;
        tokens_.push_back(std::move(t));
        pending_length_ = 0;
    }

    void Push(StyledTokenKind kind) {
        StyledToken t;
        t.kind = kind;
        tokens_.push_back(std::move(t));
    }

    std::string_view text_;
    size_t pos_ = 0;
    size_t pending_start_ = 0;
    size_t pending_length_ = 0;
    bool codes_on_ = true;
    std::vector<StyledToken> tokens_;
};

}  // namespace

std::vector<StyledToken> TokenizeStyledText(std::string_view text) { return Scanner(text).Run(); }
