#include "controls/html/gif_frames.h"

namespace {

uint8_t Byte(std::string_view b, size_t i) { return static_cast<uint8_t>(b[i]); }
int Word(std::string_view b, size_t i) { return Byte(b, i) | (Byte(b, i + 1) << 8); }

// Skips data sub-blocks from pos up to and including the zero terminator.
bool SkipSubBlocks(std::string_view b, size_t& pos) {
    while (true) {
        if (pos >= b.size()) return false;
        size_t len = Byte(b, pos);
        ++pos;
        if (len == 0) return true;
        if (len > b.size() - pos) return false;
        pos += len;
    }
}

size_t ColorTableSize(uint8_t flags) { return (flags & 0x80) ? 3u * (1u << ((flags & 7) + 1)) : 0u; }

}  // namespace

bool IsGifData(std::string_view Bytes) { return Bytes.size() >= 4 && Bytes.substr(0, 4) == "GIF8"; }

bool ParseGif(std::string_view b, GifLayout& Layout) {
    Layout = GifLayout{};
    if (b.size() < 13 || !IsGifData(b)) return false;
    Layout.ScreenWidth = Word(b, 6);
    Layout.ScreenHeight = Word(b, 8);
    size_t pos = 13 + ColorTableSize(Byte(b, 10));
    if (pos > b.size()) return false;
    Layout.HeaderEnd = pos;
    size_t pendingControl = std::string_view::npos;
    while (pos < b.size()) {
        uint8_t kind = Byte(b, pos);
        if (kind == 0x3B) break;
        if (kind == 0x21) {
            if (b.size() - pos < 2) return false;
            if (Byte(b, pos + 1) == 0xF9) pendingControl = pos;
            size_t p = pos + 2;
            if (!SkipSubBlocks(b, p)) return false;
            if (Layout.Frames.empty() && pendingControl == std::string_view::npos) Layout.HeaderEnd = p;
            pos = p;
            continue;
        }
        if (kind != 0x2C || b.size() - pos < 11) return false;
        GifFrame f;
        f.Start = pendingControl != std::string_view::npos ? pendingControl : pos;
        f.Left = Word(b, pos + 1);
        f.Top = Word(b, pos + 3);
        f.Width = Word(b, pos + 5);
        f.Height = Word(b, pos + 7);
        size_t p = pos + 10 + ColorTableSize(Byte(b, pos + 9));
        if (p >= b.size()) return false;
        ++p;  // LZW minimum code size
        if (!SkipSubBlocks(b, p)) return false;
        f.End = p;
        Layout.Frames.push_back(f);
        pendingControl = std::string_view::npos;
        pos = p;
    }
    return !Layout.Frames.empty();
}

std::string GifSingleFrame(std::string_view b, const GifLayout& Layout, size_t Index) {
    const GifFrame& f = Layout.Frames.at(Index);
    std::string out;
    out.reserve(Layout.HeaderEnd + (f.End - f.Start) + 1);
    out.append(b.substr(0, Layout.HeaderEnd));
    out.append(b.substr(f.Start, f.End - f.Start));
    out.push_back('\x3B');
    return out;
}
