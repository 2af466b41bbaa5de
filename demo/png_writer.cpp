#include "demo/png_writer.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <vector>

namespace {

// Largest deflate stored block.
constexpr size_t kStoredBlockMax = 65535;
// Image data is split into IDAT chunks of at most this size.
constexpr size_t kIdatChunkMax = 1 << 20;
// Larger images would need more than 2^31 bytes in one zlib stream; the
// gallery's screenshots are far below.
constexpr uint64_t kMaxRawBytes = uint64_t(1) << 30;

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> t{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[n] = c;
  }
  return t;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t UpdateCrc(uint32_t crc, const uint8_t* data, size_t size) {
  for (size_t i = 0; i < size; ++i) crc = kCrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

struct Adler32 {
  uint32_t a = 1, b = 0;
  void Update(const uint8_t* data, size_t size) {
    // 5552 bytes is the most that can be summed before b may overflow.
    while (size > 0) {
      size_t n = size < 5552 ? size : 5552;
      for (size_t i = 0; i < n; ++i) {
        a += data[i];
        b += a;
      }
      a %= 65521;
      b %= 65521;
      data += n;
      size -= n;
    }
  }
  uint32_t Value() const { return (b << 16) | a; }
};

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v >> 24));
  out.push_back(uint8_t(v >> 16));
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}

void AppendChunk(std::vector<uint8_t>& out, const char type[4], const uint8_t* data, size_t size) {
  PutBe32(out, uint32_t(size));
  const size_t type_at = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + size);
  uint32_t crc = UpdateCrc(0xFFFFFFFFu, out.data() + type_at, size + 4);
  PutBe32(out, crc ^ 0xFFFFFFFFu);
}

// The scanlines: a filter byte (0, none) and R, G, B per pixel.
std::vector<uint8_t> Scanlines(int width, int height, const uint32_t* pixels) {
  const size_t row_bytes = 1 + size_t(width) * 3;
  std::vector<uint8_t> raw(row_bytes * size_t(height));
  uint8_t* p = raw.data();
  for (int y = 0; y < height; ++y) {
    *p++ = 0;
    const uint32_t* row = pixels + size_t(y) * size_t(width);
    for (int x = 0; x < width; ++x) {
      const uint32_t v = row[x];
      *p++ = uint8_t(v >> 16);
      *p++ = uint8_t(v >> 8);
      *p++ = uint8_t(v);
    }
  }
  return raw;
}

// zlib header, stored deflate blocks, Adler-32 of the uncompressed data.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> z;
  const size_t blocks = raw.empty() ? 1 : (raw.size() + kStoredBlockMax - 1) / kStoredBlockMax;
  z.reserve(2 + raw.size() + blocks * 5 + 4);
  z.push_back(0x78);  // deflate, 32K window
  z.push_back(0x01);  // no dictionary, fastest; (0x78 * 256 + 0x01) % 31 == 0
  size_t at = 0;
  do {
    const size_t n = raw.size() - at < kStoredBlockMax ? raw.size() - at : kStoredBlockMax;
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored); byte-aligned from here
    z.push_back(uint8_t(n));
    z.push_back(uint8_t(n >> 8));
    z.push_back(uint8_t(~n));
    z.push_back(uint8_t(~n >> 8));
    z.insert(z.end(), raw.begin() + std::ptrdiff_t(at), raw.begin() + std::ptrdiff_t(at + n));
    at += n;
  } while (at < raw.size());
  Adler32 adler;
  adler.Update(raw.data(), raw.size());
  PutBe32(z, adler.Value());
  return z;
}

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const uint32_t* bgra_top_down_pixels,
              std::string* error) {
  if (width <= 0 || height <= 0) return Fail(error, "PNG: width and height must be positive");
  if (!bgra_top_down_pixels) return Fail(error, "PNG: no pixels");
  if ((uint64_t(width) * 3 + 1) * uint64_t(height) > kMaxRawBytes)
    return Fail(error, "PNG: image too large");

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  std::vector<uint8_t> ihdr;
  PutBe32(ihdr, uint32_t(width));
  PutBe32(ihdr, uint32_t(height));
  ihdr.push_back(8);  // bits per sample
  ihdr.push_back(2);  // colour type: RGB
  ihdr.push_back(0);  // compression: deflate
  ihdr.push_back(0);  // filter method 0
  ihdr.push_back(0);  // no interlace
  AppendChunk(png, "IHDR", ihdr.data(), ihdr.size());

  const std::vector<uint8_t> z = StoredZlib(Scanlines(width, height, bgra_top_down_pixels));
  for (size_t at = 0; at < z.size(); at += kIdatChunkMax) {
    const size_t n = z.size() - at < kIdatChunkMax ? z.size() - at : kIdatChunkMax;
    AppendChunk(png, "IDAT", z.data() + at, n);
  }
  AppendChunk(png, "IEND", nullptr, 0);

  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return Fail(error, "PNG: cannot create " + path);
  const bool written = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    std::remove(path.c_str());
    return Fail(error, "PNG: cannot write " + path);
  }
  if (error) error->clear();
  return true;
}
