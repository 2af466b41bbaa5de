// Device-independent bitmaps from outside: header block and bits block.
// Input: two bytes (little-endian) giving the header block's length, the
// header block, then the bits. Properties: an accepted bitmap's rows lie
// inside the bits given; its pixels are table colours (or black) for 8 bits
// or less; written back as a 24-bit bitmap they read back unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/dib_reader.h"
#include "framework/pixels24.h"
#include "framework/exceptions.h"
#include "fuzz/fuzz_support.h"

namespace {

void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::vector<uint8_t> Rows24(const TDibLayout& L, const uint8_t* Bits) {
    std::vector<uint8_t> out(static_cast<size_t>(RowSize24(L.Width)) * static_cast<size_t>(L.Height));
    ConvertDibBits(L, Bits, TPixels24{out.data(), L.Width, L.Height, RowSize24(L.Width)});
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t infoSize = std::min<size_t>(data[0] | (data[1] << 8), size - 2);
    // Blocks of exactly their size, so a read past either one is caught.
    const std::vector<uint8_t> info(data + 2, data + 2 + infoSize);
    const std::vector<uint8_t> bits(data + 2 + infoSize, data + size);
    TDibLayout layout;
    try {
        layout = ReadDibHeader(info.data(), info.size(), bits.size());
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    FUZZ_CHECK(layout.Width > 0 && layout.Height > 0);
    FUZZ_CHECK(layout.BitsNeeded == layout.RowSize * static_cast<size_t>(layout.Height));
    FUZZ_CHECK(layout.BitsNeeded <= bits.size());
    FUZZ_CHECK(layout.BitCount > 8 ? layout.Colors.empty()
                                   : !layout.Colors.empty() && layout.Colors.size() <= (1u << layout.BitCount));
    const std::vector<uint8_t> rows = Rows24(layout, bits.data());
    const int rowSize = RowSize24(layout.Width);
    if (layout.BitCount <= 8) {
        for (int y = 0; y < layout.Height; ++y)
            for (int x = 0; x < layout.Width; ++x) {
                const uint8_t* p = rows.data() + static_cast<size_t>(y) * rowSize + static_cast<size_t>(x) * 3;
                const TRGBTriple t{p[0], p[1], p[2]};
                FUZZ_CHECK(t == TRGBTriple{} ||
                           std::find(layout.Colors.begin(), layout.Colors.end(), t) != layout.Colors.end());
            }
    }
    // Written back as a top-down 24-bit bitmap, the rows read back unchanged.
    std::vector<uint8_t> header;
    Put32(header, 40);
    Put32(header, static_cast<uint32_t>(layout.Width));
    Put32(header, static_cast<uint32_t>(-layout.Height));
    Put32(header, 1 | (24u << 16));
    for (int i = 0; i < 6; ++i) Put32(header, 0);
    const TDibLayout again = ReadDibHeader(header.data(), header.size(), rows.size());
    FUZZ_CHECK(again.Width == layout.Width && again.Height == layout.Height && again.TopDown);
    std::vector<uint8_t> back = Rows24(again, rows.data());
    // Padding bytes are the writer's zeros on both sides.
    FUZZ_CHECK(back == rows);
    return 0;
}
