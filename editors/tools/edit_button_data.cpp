#include "editors/tools/edit_button_data.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

constexpr size_t kMaxStoredString = 0xFFFE;  // length + 1 must fit 16 bits
// Count, size and length words plus the record and one terminating zero.
constexpr size_t kSmallestButton = 4 + 4 + kEditButtonRecordSize + 1;

void Put8(std::vector<uint8_t>& out, int v) { out.push_back(static_cast<uint8_t>(v)); }
void Put16(std::vector<uint8_t>& out, int v) {
    auto u = static_cast<uint16_t>(v);
    out.push_back(static_cast<uint8_t>(u & 0xFF));
    out.push_back(static_cast<uint8_t>(u >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
int ClampCoordinate(int v) {
    return std::clamp(v, static_cast<int>(std::numeric_limits<int16_t>::min()),
                      static_cast<int>(std::numeric_limits<int16_t>::max()));
}
std::string_view Stored(const std::string& s) {
    return std::string_view(s).substr(0, kMaxStoredString);
}

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t Remaining() const { return size_ - pos_; }
    bool Has(size_t n) const { return n <= Remaining(); }
    uint32_t U32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(data_[pos_ + i]) << (8 * i);
        pos_ += 4;
        return v;
    }
    const uint8_t* Take(size_t n) {
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

uint16_t U16At(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
int32_t I32At(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}
int Signed16At(const uint8_t* p) { return static_cast<int16_t>(U16At(p)); }

// A zero-terminated string of `length` bytes (terminator included).
std::optional<std::string> TakeString(Reader& r, size_t length) {
    if (length < 1 || !r.Has(length)) return std::nullopt;
    const uint8_t* p = r.Take(length);
    if (p[length - 1] != 0) return std::nullopt;
    const char* s = reinterpret_cast<const char*>(p);
    return std::string(s, std::find(s, s + length - 1, '\0'));
}

}  // namespace

std::vector<uint8_t> EncodeEditButtonData(const std::vector<EditButtonRecord>& buttons) {
    std::vector<uint8_t> out;
    Put32(out, static_cast<uint32_t>(buttons.size()));
    for (const EditButtonRecord& b : buttons) {
        std::string_view caption = Stored(b.caption), text = Stored(b.text);
        uint32_t lengths = static_cast<uint32_t>(caption.size() + 1);
        if (!text.empty()) lengths |= static_cast<uint32_t>(text.size() + 1) << 16;
        Put32(out, kEditButtonRecordSize);
        Put32(out, lengths);
        Put8(out, b.layout);
        Put8(out, 0);
        Put32(out, static_cast<uint32_t>(b.tag));
        Put16(out, b.kind);
        Put16(out, b.toggle ? 1 : 0);
        Put16(out, ClampCoordinate(b.top));
        Put16(out, ClampCoordinate(b.left));
        Put16(out, ClampCoordinate(b.height));
        Put16(out, ClampCoordinate(b.width));
        Put32(out, static_cast<uint32_t>(b.image_index));
        Put8(out, b.enabled ? 1 : 0);
        Put8(out, b.collection_member ? 1 : 0);
        Put8(out, b.anchor);
        Put8(out, 0);
        Put8(out, b.disabled_look);
        Put8(out, 0);
        Put8(out, b.coordinate_mode ? 1 : 0);
        Put8(out, b.auto_reset ? 1 : 0);
        out.insert(out.end(), caption.begin(), caption.end());
        out.push_back(0);
        if (!text.empty()) {
            out.insert(out.end(), text.begin(), text.end());
            out.push_back(0);
        }
    }
    return out;
}

std::optional<std::vector<EditButtonRecord>> DecodeEditButtonData(const uint8_t* data, size_t size) {
    if (!data && size) return std::nullopt;
    Reader r(data, size);
    if (!r.Has(4)) return std::nullopt;
    uint32_t count = r.U32();
    if (count > r.Remaining() / kSmallestButton) return std::nullopt;
    std::vector<EditButtonRecord> buttons;
    buttons.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        if (!r.Has(8)) return std::nullopt;
        uint32_t record_size = r.U32();
        uint32_t lengths = r.U32();
        if (record_size < kEditButtonRecordSize || !r.Has(record_size)) return std::nullopt;
        const uint8_t* p = r.Take(record_size);  // a longer record's surplus is skipped
        EditButtonRecord b;
        b.layout = p[0] <= 4 ? p[0] : 2;
        b.tag = I32At(p + 2);
        b.kind = U16At(p + 6) <= 6 ? U16At(p + 6) : 1;
        b.toggle = U16At(p + 8) != 0;
        b.top = Signed16At(p + 10);
        b.left = Signed16At(p + 12);
        b.height = Signed16At(p + 14);
        b.width = Signed16At(p + 16);
        b.image_index = I32At(p + 18);
        b.enabled = p[22] != 0;
        b.collection_member = p[23] != 0;
        b.anchor = p[24] <= 10 ? p[24] : 0;
        b.disabled_look = p[26] <= 2 ? p[26] : 1;
        b.coordinate_mode = p[28] != 0;
        b.auto_reset = p[29] != 0;
        auto caption = TakeString(r, lengths & 0xFFFF);
        if (!caption) return std::nullopt;
        b.caption = std::move(*caption);
        if (size_t text_length = lengths >> 16) {
            auto text = TakeString(r, text_length);
            if (!text) return std::nullopt;
            b.text = std::move(*text);
        }
        buttons.push_back(std::move(b));
    }
    return buttons;
}
