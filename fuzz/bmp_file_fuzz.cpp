// Bitmap files read from a stream. Input: the stream's bytes. Properties: an
// accepted file leaves the stream right after its rows, inside the bytes
// given; written back as a 24-bit file its pixels read back unchanged, and
// that file is exactly as long as its header says.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/bmp_file.h"
#include "framework/exceptions.h"
#include "framework/streams.h"
#include "fuzz/fuzz_support.h"

namespace {

std::vector<uint32_t> Pixels(const TBmpImage& image) {
    std::vector<uint32_t> rgb;
    std::vector<TRGBTriple> row(static_cast<size_t>(image.Layout.Width));
    for (int y = 0; y < image.Layout.Height; ++y) {
        ConvertDibRow(image.Layout, image.Bits.data(), y, row.data());
        for (const TRGBTriple& t : row) rgb.push_back((uint32_t{t.Red} << 16) | (uint32_t{t.Green} << 8) | t.Blue);
    }
    return rgb;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<int64_t>(size));
    stream.SetPosition(0);
    TBmpImage image;
    try {
        image = ReadBmp(stream);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    if (image.Empty()) {
        FUZZ_CHECK(size == 0);
        return 0;
    }
    FUZZ_CHECK(image.Bits.size() == image.Layout.BitsNeeded);
    FUZZ_CHECK(stream.Position() <= static_cast<int64_t>(size));
    uint32_t offset = 0;
    std::memcpy(&offset, data + 10, 4);  // little-endian hosts only
    FUZZ_CHECK(stream.Position() == static_cast<int64_t>(offset) + static_cast<int64_t>(image.Bits.size()));

    const std::vector<uint32_t> pixels = Pixels(image);
    TMemoryStream written;
    WriteBmp24(written, image.Layout.Width, image.Layout.Height, pixels.data());
    uint32_t fileSize = 0;
    std::memcpy(&fileSize, written.Memory() + 2, 4);
    FUZZ_CHECK(fileSize == written.Size());
    written.SetPosition(0);
    const TBmpImage again = ReadBmp(written);
    FUZZ_CHECK(written.Position() == written.Size());
    FUZZ_CHECK(again.Layout.BitCount == 24 && !again.Layout.TopDown);
    FUZZ_CHECK(Pixels(again) == pixels);
    return 0;
}
