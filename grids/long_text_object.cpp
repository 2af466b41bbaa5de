#include "grids/long_text_object.h"

#include <cstring>
#include <stdexcept>

namespace {
int g_live_long_text_objects = 0;
static_assert(alignof(TLongTextObject2) <= T_BlockArena::kAlignment);
}

TLongTextObject2::TLongTextObject2(TObject* Grid, TCustomL2DataClass DataClass, T_BlockArena* TextArena)
    : grid_(Grid), text_arena_(TextArena) {
    if (DataClass) {
        data_.reset(DataClass());
        if (!data_) data_.reset(new TCustomL2Data());
    }
    ++g_live_long_text_objects;
}

TLongTextObject2::~TLongTextObject2() { --g_live_long_text_objects; }

TCustomL2Data& TLongTextObject2::Data() {
    if (!data_) data_.reset(new TCustomL2Data());
    return *data_;
}

TStringList& TLongTextObject2::Lines() {
    return const_cast<TStringList&>(static_cast<const TLongTextObject2*>(this)->Lines());
}

const TStringList& TLongTextObject2::Lines() const {
    if (!lines_) {
        auto lines = std::make_unique<TStringList>();
        if (text_size_ > 0) lines->SetText(std::string(text_.get(), text_size_));
        lines_ = std::move(lines);
        text_.reset();
        text_size_ = 0;
    }
    return *lines_;
}

void TLongTextObject2::SetText(const std::string& Value) {
    if (lines_) {
        lines_->SetText(Value);
        return;
    }
    // The list's own rule: split at CR, LF and CR LF, every line ended by
    // CR LF, no line for a final line end. A first pass sizes the block.
    const size_t n = Value.size();
    if (n > 0 && n <= UINT32_MAX - 2 && !std::memchr(Value.data(), '\n', n) && !std::memchr(Value.data(), '\r', n)) {
        // One line (most second lines): the text and a line end.
        std::unique_ptr<char[], FreeTextBlock> text(static_cast<char*>(T_BlockArena::NewBlock(n + 2, text_arena_)));
        std::memcpy(text.get(), Value.data(), n);
        text[n] = '\r';
        text[n + 1] = '\n';
        text_ = std::move(text);
        text_size_ = static_cast<uint32_t>(n + 2);
        return;
    }
    auto for_each_line = [&](auto&& Line) {
        size_t start = 0;
        for (size_t i = 0; i < n;) {
            const char c = Value[i];
            if (c != '\r' && c != '\n') {
                ++i;
                continue;
            }
            Line(start, i - start);
            ++i;
            if (c == '\r' && i < n && Value[i] == '\n') ++i;
            start = i;
        }
        if (start < n) Line(start, n - start);
    };
    size_t size = 0;
    for_each_line([&](size_t, size_t length) { size += length + 2; });
    if (size > UINT32_MAX) throw std::length_error("TLongTextObject2: text too long");
    std::unique_ptr<char[], FreeTextBlock> text(
        size > 0 ? static_cast<char*>(T_BlockArena::NewBlock(size, text_arena_)) : nullptr);
    size_t used = 0;
    for_each_line([&](size_t from, size_t length) {
        std::memcpy(text.get() + used, Value.data() + from, length);
        used += length;
        text[used++] = '\r';
        text[used++] = '\n';
    });
    text_ = std::move(text);
    text_size_ = static_cast<uint32_t>(size);
}

int TLongTextObject2::LiveCount() { return g_live_long_text_objects; }
