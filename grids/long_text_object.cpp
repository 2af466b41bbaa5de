#include "grids/long_text_object.h"

namespace {
int g_live_long_text_objects = 0;
}

TLongTextObject2::TLongTextObject2(TObject* Grid, TCustomL2DataClass DataClass) : grid_(Grid) {
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
        if (!text_.empty()) lines->SetText(text_);
        lines_ = std::move(lines);
        std::string().swap(text_);
    }
    return *lines_;
}

void TLongTextObject2::SetText(const std::string& Value) {
    if (lines_) {
        lines_->SetText(Value);
        return;
    }
    // The list's own rule: split at CR, LF and CR LF, every line ended by
    // CR LF, no line for a final line end.
    std::string text;
    text.reserve(Value.size() + 2);
    size_t start = 0;
    const size_t n = Value.size();
    for (size_t i = 0; i < n;) {
        const char c = Value[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        text.append(Value, start, i - start).append("\r\n", 2);
        ++i;
        if (c == '\r' && i < n && Value[i] == '\n') ++i;
        start = i;
    }
    if (start < n) text.append(Value, start, n - start).append("\r\n", 2);
    text_.swap(text);
}

int TLongTextObject2::LiveCount() { return g_live_long_text_objects; }
