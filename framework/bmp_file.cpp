#include "framework/bmp_file.h"

#include <string>

#include "framework/exceptions.h"
#include "framework/streams.h"

namespace {

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

[[noreturn]] void Refuse(const std::string& Text) { throw EInvalidGraphic(Text); }

constexpr size_t kInfoHeader = 40;

}  // namespace

TBmpImage ReadBmp(TStream& Stream) {
    const int64_t position = Stream.Position();
    const int64_t size = Stream.Size();
    const uint64_t left = size > position ? static_cast<uint64_t>(size - position) : 0;
    TBmpImage image;
    if (left == 0) return image;
    if (left < kBmpFileHeaderSize)
        Refuse("Bitmap-Datei ist zu kurz (" + std::to_string(left) + " Bytes)");
    uint8_t head[kBmpFileHeaderSize];
    Stream.ReadBuffer(head, sizeof head);
    if (head[0] != 'B' || head[1] != 'M') Refuse("Keine Bitmap-Datei (die Kennung \"BM\" fehlt)");
    // The rows start at this offset; between the file header and them lie
    // the bitmap header, its masks and its colour table.
    const uint64_t offset = Le32(head + 10);
    if (offset < kBmpFileHeaderSize + 4)
        Refuse("Bitmap-Datei: die Bildzeilen beginnen bei Byte " + std::to_string(offset) + " im Dateikopf");
    if (offset > left)
        Refuse("Bitmap-Datei ist zu kurz (" + std::to_string(left) + " Bytes, die Bildzeilen beginnen bei Byte " +
               std::to_string(offset) + ")");
    std::vector<uint8_t> info(static_cast<size_t>(offset - kBmpFileHeaderSize));
    Stream.ReadBuffer(info.data(), static_cast<int64_t>(info.size()));
    image.Layout = ReadDibHeader(info.data(), info.size(), static_cast<size_t>(left - offset));
    image.Bits.resize(image.Layout.BitsNeeded);
    Stream.ReadBuffer(image.Bits.data(), static_cast<int64_t>(image.Bits.size()));
    return image;
}

void WriteBmp24(TStream& Stream, int Width, int Height, const uint32_t* Pixels) {
    if (Width <= 0 || Height <= 0 || !Pixels) return;
    const size_t rowSize = static_cast<size_t>(RowSize24(Width));
    const uint64_t imageSize = static_cast<uint64_t>(rowSize) * static_cast<uint64_t>(Height);
    const uint64_t fileSize = kBmpFileHeaderSize + kInfoHeader + imageSize;
    if (fileSize > 0xFFFFFFFFu)
        Refuse("Bitmap mit " + std::to_string(Width) + " x " + std::to_string(Height) +
               " Pixeln ist zu gro\xDF f\xFCr eine Bitmap-Datei");
    std::vector<uint8_t> head;
    head.reserve(kBmpFileHeaderSize + kInfoHeader);
    head.push_back('B');
    head.push_back('M');
    Put32(head, static_cast<uint32_t>(fileSize));
    Put32(head, 0);  // two reserved words
    Put32(head, static_cast<uint32_t>(kBmpFileHeaderSize + kInfoHeader));
    Put32(head, kInfoHeader);
    Put32(head, static_cast<uint32_t>(Width));
    Put32(head, static_cast<uint32_t>(Height));  // positive: bottom row first
    Put16(head, 1);                              // planes
    Put16(head, 24);
    Put32(head, kDibRgb);
    Put32(head, static_cast<uint32_t>(imageSize));
    Put32(head, 0);  // resolution unknown
    Put32(head, 0);
    Put32(head, 0);  // no colour table
    Put32(head, 0);
    Stream.Reserve(static_cast<int64_t>(fileSize));
    Stream.WriteBuffer(head.data(), static_cast<int64_t>(head.size()));
    std::vector<uint8_t> row(rowSize, 0);
    for (int y = Height - 1; y >= 0; --y) {
        const uint32_t* source = Pixels + static_cast<size_t>(y) * static_cast<size_t>(Width);
        for (int x = 0; x < Width; ++x) {
            row[static_cast<size_t>(x) * 3] = static_cast<uint8_t>(source[x]);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<uint8_t>(source[x] >> 8);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<uint8_t>(source[x] >> 16);
        }
        Stream.WriteBuffer(row.data(), static_cast<int64_t>(rowSize));
    }
}
