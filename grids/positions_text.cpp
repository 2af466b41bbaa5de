#include "grids/positions_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "framework/ansi_text.h"
#include "framework/format_settings.h"
#include "framework/streams.h"

namespace {

constexpr std::string_view kStartMarker = "@@DATADEF START@@";
constexpr std::string_view kEndMarker = "@@DATADEF END@@";
constexpr std::string_view kSecondField = "SecondField";
constexpr size_t kReadBufferSize = 8192;
// Map entry of the stored "SecondField" position.
constexpr int kSecondFieldColumn = -100;

std::string CutAtNul(std::string s) {
    size_t nul = s.find('\0');
    if (nul != std::string::npos) s.resize(nul);
    return s;
}

// Bytes the writer has to change inside a quoted value: 1 quote only,
// 2 also the cell escape.
constexpr std::array<unsigned char, 256> MakeSpecialTable() {
    std::array<unsigned char, 256> t{};
    t['"'] = 1;
    t['%'] = 2;
    t[0] = 2;
    t['\n'] = 2;
    t['\r'] = 2;
    return t;
}
constexpr std::array<unsigned char, 256> kSpecial = MakeSpecialTable();

// Eight bytes at a time: the scans below look for a few byte values in
// long runs of ordinary text.
constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr uint64_t Repeat(unsigned char c) { return 0x0101010101010101ULL * c; }

uint64_t LoadWord(const char* p) {
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// The high bit of every byte of w that equals the byte repeated in c, and
// no other bit (exact, no carries between bytes).
uint64_t MatchBytes(uint64_t w, uint64_t c) {
    const uint64_t x = w ^ c;
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// Index of the byte a mask from MatchBytes marks first (the words are read
// little-endian).
static_assert(std::endian::native == std::endian::little);
size_t FirstMarked(uint64_t mask) { return static_cast<size_t>(__builtin_ctzll(mask)) / 8; }

// Builds the text in a buffer of about 64 KiB and hands it to the stream
// whenever that is full, always after a whole line and always with the
// checked write.
class LineWriter {
public:
    explicit LineWriter(TStream& stream) : stream_(stream), capacity_(kFlushSize * 2), buffer_(new char[capacity_]) {}

    void Append(std::string_view bytes) {
        char* p = Reserve(bytes.size());
        std::memcpy(p, bytes.data(), bytes.size());
        used_ += bytes.size();
    }
    void Append(char c) { *Reserve(1) = c; ++used_; }

    // The value quoted, quotes doubled; with escape also the cell escape.
    // Eight bytes at a time: a word without a byte to change is copied whole
    // (the room reserved covers the bytes written past a change).
    // Separator: a byte written before the value (0 for none).
    void AppendQuoted(std::string_view value, bool escape, char separator = 0) {
        char* p = Reserve(value.size() * 2 + 3);
        if (separator) *p++ = separator;
        *p++ = '"';
        const char* s = value.data();
        const char* const end = s + value.size();
        while (end - s >= 8) {
            const uint64_t w = LoadWord(s);
            uint64_t m = MatchBytes(w, Repeat('"'));
            if (escape)
                m |= MatchBytes(w, Repeat('%')) | MatchBytes(w, 0) | MatchBytes(w, Repeat('\n')) |
                     MatchBytes(w, Repeat('\r'));
            std::memcpy(p, &w, 8);
            if (!m) {
                p += 8;
                s += 8;
                continue;
            }
            const size_t n = FirstMarked(m);
            p = Escaped(p + n, s[n]);
            s += n + 1;
        }
        for (; s < end; ++s) {
            const unsigned char kind = kSpecial[static_cast<unsigned char>(*s)];
            if (kind == 0 || (kind == 2 && !escape))
                *p++ = *s;
            else
                p = Escaped(p, *s);
        }
        *p++ = '"';
        used_ = static_cast<size_t>(p - buffer_.get());
    }

    void EndLine() {
        Append(std::string_view("\r\n", 2));
        if (used_ >= kFlushSize) Flush();
    }
    // Bytes not yet handed to the stream.
    size_t Pending() const { return used_; }
    void Flush() {
        if (used_ > 0) stream_.WriteBuffer(buffer_.get(), static_cast<int64_t>(used_));
        used_ = 0;
    }

private:
    static constexpr size_t kFlushSize = 65536;

    // The two bytes that stand for c inside a quoted value.
    static char* Escaped(char* p, char c) {
        switch (c) {
            case '"': *p++ = '"'; *p++ = '"'; break;
            case '%': *p++ = '%'; *p++ = '%'; break;
            case '\0': *p++ = '%'; *p++ = '0'; break;
            case '\n': *p++ = '%'; *p++ = 'n'; break;
            default: *p++ = '%'; *p++ = 'c'; break;
        }
        return p;
    }

    // Room for n more bytes; a line longer than the buffer makes it grow.
    char* Reserve(size_t n) {
        if (capacity_ - used_ < n) {
            size_t grown = std::max(capacity_ * 2, used_ + n);
            std::unique_ptr<char[]> bigger(new char[grown]);
            std::memcpy(bigger.get(), buffer_.get(), used_);
            buffer_ = std::move(bigger);
            capacity_ = grown;
        }
        return buffer_.get() + used_;
    }

    TStream& stream_;
    size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    size_t used_ = 0;
};

#if defined(__SSE2__)
// Sixteen bytes at a time where the processor has SSE2 (every x86-64): one
// bit per byte of the 16 at p that equals c.
inline __m128i Load16(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline unsigned Bits16(__m128i bytes, char c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
}
#endif

// First position in [from, end) holding CR, LF or NUL; end when none.
size_t FindLineBreak(const char* data, size_t from, size_t end) {
#if defined(__SSE2__)
    while (end - from >= 16) {
        const __m128i v = Load16(data + from);
        const unsigned m = Bits16(v, 0) | Bits16(v, '\r') | Bits16(v, '\n');
        if (m) return from + static_cast<size_t>(__builtin_ctz(m));
        from += 16;
    }
#endif
    while (end - from >= 8) {
        const uint64_t w = LoadWord(data + from);
        const uint64_t m = MatchBytes(w, 0) | MatchBytes(w, Repeat('\r')) | MatchBytes(w, Repeat('\n'));
        if (m) return from + FirstMarked(m);
        from += 8;
    }
    while (from < end && data[from] != '\r' && data[from] != '\n' && data[from] != 0) ++from;
    return from;
}

// First double quote in [from, end), end when none; percent becomes true
// when a "%" comes before it.
size_t FindQuote(const char* data, size_t from, size_t end, bool& percent) {
#if defined(__SSE2__)
    while (end - from >= 16) {
        const __m128i v = Load16(data + from);
        const unsigned quotes = Bits16(v, '"');
        const unsigned percents = Bits16(v, '%');
        if (quotes) {
            // Percent signs in front of the quote only.
            if (percents & ((quotes & (0u - quotes)) - 1)) percent = true;
            return from + static_cast<size_t>(__builtin_ctz(quotes));
        }
        if (percents) percent = true;
        from += 16;
    }
#endif
    while (end - from >= 8) {
        const uint64_t w = LoadWord(data + from);
        const uint64_t quotes = MatchBytes(w, Repeat('"'));
        const uint64_t percents = MatchBytes(w, Repeat('%'));
        if (quotes) {
            // Percent signs in front of the quote only.
            if (percents & ((quotes & (0 - quotes)) - 1)) percent = true;
            return from + FirstMarked(quotes);
        }
        if (percents) percent = true;
        from += 8;
    }
    while (from < end && data[from] != '"') percent |= data[from++] == '%';
    return from;
}

constexpr std::array<bool, 256> MakeBreakTable() {
    std::array<bool, 256> t{};
    t['\r'] = t['\n'] = t[0] = true;
    return t;
}
constexpr std::array<bool, 256> kLineBreak = MakeBreakTable();

// Lines of the text, read through one fixed buffer. A run of CR, LF and NUL
// bytes of any length is one line break; the last line needs none. A line
// that lies inside the buffer is handed out as a view of it; only lines that
// span fills are assembled. A memory stream's bytes are read where they lie
// (no copy into the buffer), and its position is moved to the end.
class LineReader {
public:
    explicit LineReader(TStream& stream) : stream_(stream) {
        if (auto* memory = dynamic_cast<TMemoryStream*>(&stream)) {
            const int64_t at = memory->Position(), size = memory->Size();
            if (at < size) {
                direct_ = memory->Memory() + at;
                fill_ = static_cast<size_t>(size - at);
            }
            memory->SetPosition(std::max(at, size));
            at_end_ = true;
            data_ = direct_;
        } else {
            buffer_ = std::make_unique<char[]>(kReadBufferSize);
            data_ = buffer_.get();
        }
    }

    // The next line without its break; empty at the end of the text. The view
    // stays valid until the next call.
    std::string_view ReadLine() {
        // The break after the previous line is skipped only now, so that a
        // fill never moves the bytes of a line still in use.
        if (skip_break_) {
            skip_break_ = false;
            for (;;) {
                while (pos_ < fill_ && kLineBreak[static_cast<unsigned char>(data_[pos_])]) ++pos_;
                if (pos_ < fill_ || !Fill()) break;
            }
        }
        if (pos_ >= fill_ && !Fill()) return {};
        size_t start = pos_;
        pos_ = FindLineBreak(data_, pos_, fill_);
        if (pos_ < fill_ || direct_) {
            skip_break_ = true;
            return std::string_view(data_ + start, pos_ - start);
        }
        // The line goes on in the next fill.
        assembled_.assign(data_ + start, pos_ - start);
        while (Fill()) {
            start = pos_;
            pos_ = FindLineBreak(data_, pos_, fill_);
            assembled_.append(data_ + start, pos_ - start);
            if (pos_ < fill_) {
                skip_break_ = true;
                break;
            }
        }
        return assembled_;
    }

private:
    bool Fill() {
        if (direct_) return false;  // the whole text was there from the start
        pos_ = fill_ = 0;
        if (at_end_) return false;
        int64_t got = stream_.Read(buffer_.get(), static_cast<int64_t>(kReadBufferSize));
        if (got <= 0) {
            at_end_ = true;
            return false;
        }
        fill_ = static_cast<size_t>(got) < kReadBufferSize ? static_cast<size_t>(got) : kReadBufferSize;
        return true;
    }

    TStream& stream_;
    std::unique_ptr<char[]> buffer_;
    const char* direct_ = nullptr;  // a memory stream's bytes from its position on
    const char* data_ = nullptr;    // the bytes lines are cut from
    std::string assembled_;
    size_t fill_ = 0;
    size_t pos_ = 0;
    bool at_end_ = false;
    bool skip_break_ = false;
};

// Undoes the cell escape in place; unknown sequences stay as they are.
void UnescapeInPlace(std::string& text) {
    size_t i = text.find('%');
    if (i == std::string::npos) return;
    size_t out = i;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 1 < text.size()) {
            char decoded;
            switch (text[i + 1]) {
                case '%': decoded = '%'; break;
                case '0': decoded = '\0'; break;
                case 'c': decoded = '\r'; break;
                case 'n': decoded = '\n'; break;
                default: text[out++] = c; continue;
            }
            text[out++] = decoded;
            ++i;
            continue;
        }
        text[out++] = c;
    }
    text.resize(out);
}

// Token cursor over one line. The cursor never reads a token that starts on
// the line's last byte; that is why every written line ends in a comma.
class TokenCursor {
public:
    explicit TokenCursor(std::string_view line) : line_(line) {}

    bool BeforeEnd() const { return !line_.empty() && pos_ < line_.size() - 1; }

    // The next token: a view of the line, or of Scratch when it held doubled
    // quotes. Percent tells whether it may hold a cell escape (a "%"), so
    // that plain values skip the unescape.
    std::string_view Next(std::string& Scratch, bool& Percent) {
        Percent = false;
        if (line_.empty()) return {};
        const char* const data = line_.data();
        const size_t size = line_.size();
        const size_t last = size - 1;
        while (pos_ < last && data[pos_] != '"' && data[pos_] != ',') ++pos_;
        if (pos_ >= last) return {};
        if (data[pos_] == ',') {
            ++pos_;
            return {};
        }
        size_t from = pos_ + 1;
        const size_t start = from;
        bool doubled = false;
        for (;;) {
            const size_t quote = FindQuote(data, from, size, Percent);
            if (quote == size) {
                // Unterminated: only what was complete before the last
                // doubled quote is kept.
                pos_ = size;
                return doubled ? std::string_view(Scratch) : std::string_view();
            }
            if (quote + 1 < size && data[quote + 1] == '"') {
                if (!doubled) Scratch.clear();
                doubled = true;
                Scratch.append(data + from, quote - from + 1);
                from = quote + 2;
                continue;
            }
            // The closing quote and the byte after it (the separator).
            pos_ = quote + 2;
            if (!doubled) return std::string_view(data + start, quote - start);
            Scratch.append(data + from, quote - from);
            return Scratch;
        }
    }

private:
    std::string_view line_;
    size_t pos_ = 0;
};

// A value of a line in the shape every written row has.
struct PlainToken {
    std::string_view text;
    bool percent;  // holds a "%" (may hold a cell escape)
};

// The first Limit values of a line in the shape the writer gives every row,
// "v","v",...,"v": exactly what TokenCursor would give, with far fewer steps
// per value. Tokens has room for Limit values; a value with doubled quotes
// is joined in Unquoted at its position (room for Limit strings). Returns
// how many values were read, or -1 for a line of any other shape, which
// TokenCursor then reads.
ptrdiff_t SplitPlainLine(std::string_view line, size_t Limit, PlainToken* Tokens, std::string* Unquoted) {
    const char* const data = line.data();
    const size_t size = line.size();
    if (size < 3 || data[0] != '"' || data[size - 1] != ',') return -1;
    size_t pos = 0;  // at an opening quote
    size_t n = 0;
    while (n < Limit) {
        bool percent = false;
        size_t from = pos + 1;
        size_t quote = FindQuote(data, from, size, percent);
        std::string* joined = nullptr;
        while (quote + 1 < size && data[quote + 1] == '"') {
            // A doubled quote: one is kept and the value goes on.
            if (!joined) {
                joined = &Unquoted[n];
                joined->clear();
            }
            joined->append(data + from, quote - from + 1);
            from = quote + 2;
            quote = FindQuote(data, from, size, percent);
        }
        if (quote + 1 >= size || data[quote + 1] != ',') return -1;
        if (joined) {
            joined->append(data + from, quote - from);
            Tokens[n++] = PlainToken{*joined, percent};
        } else {
            Tokens[n++] = PlainToken{std::string_view(data + pos + 1, quote - pos - 1), percent};
        }
        pos = quote + 2;
        if (pos == size) break;
        if (data[pos] != '"') return -1;
    }
    return static_cast<ptrdiff_t>(n);
}

// The values of one row until they are handed to the table, in a buffer
// sized once for the longest row (no growth check per value).
class RowValues {
public:
    explicit RowValues(size_t Room) : items_(Room) {}
    void Add(int Col, std::string_view Text) { items_[size_++] = PositionsTextTable::RowValue(Col, Text); }
    void HandTo(PositionsTextTable& Table, int Row) {
        if (size_ == 0) return;
        Table.SetRowTexts(Row, items_.data(), size_);
        size_ = 0;
    }

private:
    std::vector<PositionsTextTable::RowValue> items_;
    size_t size_ = 0;
};

}  // namespace

std::string EscapeCellText(const std::string& Text) {
    if (Text.find_first_of(std::string_view("%\0\r\n", 4)) == std::string::npos) return Text;
    std::string out;
    out.reserve(Text.size() + 8);
    for (char c : Text) {
        switch (c) {
            case '%': out += "%%"; break;
            case '\0': out += "%0"; break;
            case '\n': out += "%n"; break;
            case '\r': out += "%c"; break;
            default: out += c;
        }
    }
    return out;
}

std::string UnescapeCellText(const std::string& Text) {
    std::string out = Text;
    UnescapeInPlace(out);
    return out;
}

void WritePositionsText(PositionsTextTable& Table, TStream& Stream) {
    const int cols = Table.ColCount();
    LineWriter out(Stream);

    out.AppendQuoted(kStartMarker, false);
    out.EndLine();
    for (int c = 0; c < cols; ++c) {
        out.AppendQuoted(CutAtNul(Table.FieldName(c)), false);
        out.EndLine();
    }
    out.AppendQuoted(kSecondField, false);
    out.EndLine();
    out.AppendQuoted(kEndMarker, false);
    out.EndLine();

    // Display names: checked like every other line, so that a short write
    // never passes as success.
    for (int c = 0; c < cols; ++c) {
        if (c > 0) out.Append(',');
        out.AppendQuoted(CutAtNul(Table.DisplayName(c)), false);
    }
    out.Append(',');
    out.AppendQuoted(kSecondField, false);
    out.Append(',');
    out.EndLine();

    // Each column writes the cell of the first column with its field name.
    std::vector<int> source(static_cast<size_t>(cols > 0 ? cols : 0));
    for (int c = 0; c < cols; ++c) source[c] = Table.FindColumnByFieldName(Table.FieldName(c));

    const int rows = Table.RowCount();
    std::string scratch;
    std::vector<std::string> scratches(source.size());
    std::vector<std::string_view> texts(source.size());
    // Once the first rows are written, the stream hears about how much the
    // rest will take (their size so far, extrapolated, and an eighth more):
    // a stream in memory then grows once instead of a dozen times, each time
    // copying everything written so far. Rows unlike the first ones only
    // make it grow as it would anyway.
    const int first = Table.FixedRows();
    const int sample_end = first + std::max(256, (rows - first) / 32);
    const int64_t rows_start = Stream.Position() + static_cast<int64_t>(out.Pending());
    for (int r = Table.FixedRows(); r < rows; ++r) {
        Table.RowTexts(r, source.data(), source.size(), texts.data(), scratches.data());
        for (int c = 0; c < cols; ++c) out.AppendQuoted(texts[static_cast<size_t>(c)], true, c > 0 ? ',' : 0);
        out.AppendQuoted(Table.SecondLineText(r, scratch), true, cols > 0 ? ',' : 0);
        out.Append(',');
        out.EndLine();
        if (r + 1 == sample_end && r + 1 < rows) {
            const int64_t written = Stream.Position() + static_cast<int64_t>(out.Pending()) - rows_start;
            const int64_t left = rows - (r + 1);
            Stream.Reserve(written / (r + 1 - first) * left * 9 / 8 + static_cast<int64_t>(out.Pending()));
        }
    }
    out.Flush();
}

int ReadPositionsText(PositionsTextTable& Table, TStream& Stream) {
    LineReader reader(Stream);
    std::string_view line;
    std::string token;    // a value being changed (escape, separator)
    std::string scratch;  // a value with doubled quotes
    std::string_view value;
    // The row's values are views of the line, or of the owned copy of their
    // stored position.
    std::vector<std::string> owned;

    // Header: the stored field names between the two markers. Any other first
    // token outside the markers ends it, and that line (the display names)
    // is dropped. Each stored name is mapped to its grid column at once, so
    // a long header costs a few bytes per name.
    std::vector<int> map;          // stored position -> column, -1 none
    std::vector<unsigned char> decimal;  // the column takes the decimal separator (vector<bool> is slow here)
    int second_field_pos = -1;     // the last stored "SecondField"
    bool in_header = false;
    for (;;) {
        line = reader.ReadLine();
        if (line.empty()) break;
        TokenCursor cursor(line);
        bool percent = false;
        const std::string_view first = cursor.Next(scratch, percent);
        if (first == kStartMarker) {
            in_header = true;
        } else if (first == kEndMarker) {
            in_header = false;
        } else if (in_header) {
            int column = Table.FindColumnByFieldName(std::string(first));
            if (first == kSecondField) {
                column = kSecondFieldColumn;
                second_field_pos = static_cast<int>(map.size());
            }
            map.push_back(column);
            decimal.push_back(column >= 0 && Table.IsDecimalColumn(column));
        } else {
            break;
        }
    }
    const std::string separator(1, FormatSettings.DecimalSeparator);
    const bool separator_differs = separator != ",";
    // Positions whose values may need the separator change.
    std::vector<unsigned char> comma_check(map.size());
    for (size_t i = 0; i < map.size(); ++i) comma_check[i] = decimal[i] && separator_differs;
    // At most one value per stored position is kept for a row.
    std::vector<PlainToken> plain(map.size());
    std::vector<std::string> unquoted(map.size());
    RowValues pending(map.size());

    int row = Table.FixedRows();
    // Rows are added in steps rather than one per line (each new count costs
    // the grid a resize and a report); what is left over is taken back at the
    // end, also when a table exception ends the read. A table that does not
    // grow as asked gets its last row written again, as one row at a time.
    const int rows_before = Table.RowCount();
    int rows_needed = 0;  // the highest row written, plus one
    bool grown = false;
    auto ensure_row = [&] {
        const int count = Table.RowCount();
        if (count - 1 < row) {
            Table.SetRowCount(count + std::max(256, count / 4));
            grown = true;
            if (Table.RowCount() - 1 < row) row = Table.RowCount() - 1;
        }
        rows_needed = std::max(rows_needed, row + 1);
    };
    auto give_back_rows = [&] {
        const int keep = std::max(rows_before, rows_needed);
        if (grown && Table.RowCount() > keep) Table.SetRowCount(keep);
    };
    bool escaped = false;  // the value may hold a cell escape
    owned.resize(map.size());
    auto flush = [&] { pending.HandTo(Table, row); };
    auto store_value = [&](size_t pos) {
        // Only a comma starts the separator change; most values have none,
        // and with the comma as the separator nothing can change.
        const bool comma = decimal[pos] && separator_differs && value.find(',') != std::string_view::npos;
        if (!escaped && !comma && value.data() != scratch.data()) {
            pending.Add(map[pos], value);
            return;
        }
        std::string& text = owned[pos];
        text.assign(value);
        if (escaped) UnescapeInPlace(text);
        if (comma && AnsiReplaceTextInPlace(text, ",", separator)) AnsiReplaceTextInPlace(text, ".", separator);
        pending.Add(map[pos], text);
    };
    auto store_second_line = [&] {
        flush();  // the cells before it are written first
        token.assign(value);
        if (escaped) UnescapeInPlace(token);
        Table.SetSecondLine(row, token);
    };

    try {
        ensure_row();
        const int cols = Table.ColCount();
        for (;;) {
            line = reader.ReadLine();
            if (line.empty()) break;
            ensure_row();
            const ptrdiff_t plain_count =
                second_field_pos >= 0 ? SplitPlainLine(line, map.size(), plain.data(), unquoted.data()) : -1;
            if (plain_count >= 0) {
                // Most rows: values of the line, stored without a copy (but
                // those with doubled quotes).
                for (size_t i = 0; i < static_cast<size_t>(plain_count); ++i) {
                    value = plain[i].text;
                    escaped = plain[i].percent;
                    if (static_cast<int>(i) == second_field_pos)
                        store_second_line();
                    else if (map[i] >= 0 && !escaped && !comma_check[i])
                        pending.Add(map[i], value);
                    else if (map[i] >= 0)
                        store_value(i);
                }
                flush();
                ++row;
                continue;
            }
            TokenCursor cursor(line);
            if (second_field_pos >= 0) {
                // The header says where the second line is; every stored position
                // is read, so differing column sets keep their second lines.
                for (size_t i = 0; i < map.size() && cursor.BeforeEnd(); ++i) {
                    value = cursor.Next(scratch, escaped);
                    if (static_cast<int>(i) == second_field_pos)
                        store_second_line();
                    else if (map[i] >= 0)
                        store_value(i);
                }
                flush();
            } else {
                // No stored "SecondField": the token after the grid's columns.
                // A text without any stored name (no header, or one that starts
                // with a line break) matches nothing, its second lines included.
                for (int i = 0; i < cols && cursor.BeforeEnd(); ++i) {
                    value = cursor.Next(scratch, escaped);
                    if (static_cast<size_t>(i) < map.size() && map[i] >= 0) store_value(static_cast<size_t>(i));
                }
                flush();
                if (!map.empty() && cursor.BeforeEnd()) {
                    value = cursor.Next(scratch, escaped);
                    store_second_line();
                }
            }
            ++row;
        }
    } catch (...) {
        try {
            give_back_rows();
        } catch (...) {
            // The table's own exception is the one that counts.
        }
        throw;
    }
    give_back_rows();
    return row;
}
