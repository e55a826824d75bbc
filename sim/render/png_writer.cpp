#include "render/png_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "files/atomic_write.h"

namespace sim {
namespace {

// CRC-32 as PNG and zlib define it (reflected polynomial 0xEDB88320), table built once.
constexpr std::array<uint32_t, 256> makeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = makeCrcTable();

uint32_t crc32(const char* data, size_t size) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) c = kCrcTable[(c ^ uint8_t(data[i])) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void put32(std::vector<char>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((v >> shift) & 0xFF));
}

// Appends a chunk: length, type, data, CRC over type and data.
void putChunk(std::vector<char>& out, const char type[4], const std::vector<char>& data) {
  put32(out, uint32_t(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

}  // namespace

std::vector<char> encodePng(const Image& image) {
  const size_t rowBytes = size_t(image.width) * 4 + 1;  // filter byte + pixels
  const size_t raw = rowBytes * size_t(image.height);
  constexpr size_t kBlock = 65535;  // the largest stored deflate block
  const size_t blocks = raw == 0 ? 1 : (raw + kBlock - 1) / kBlock;

  std::vector<char> idat;
  idat.reserve(2 + raw + blocks * 5 + 4);
  idat.push_back(char(0x78));  // deflate, 32 KiB window
  idat.push_back(char(0x01));  // no preset dictionary; 0x7801 is a multiple of 31
  // Adler-32 of the uncompressed stream (RFC 1950), summed as the bytes are emitted.
  uint32_t s1 = 1, s2 = 0;
  size_t emitted = 0, inBlock = 0;
  auto startBlock = [&] {
    const size_t len = std::min(kBlock, raw - emitted);
    const bool last = emitted + len == raw;
    idat.push_back(char(last ? 1 : 0));  // BFINAL, BTYPE 00; the rest of the byte is padding
    idat.push_back(char(len & 0xFF));
    idat.push_back(char(len >> 8));
    idat.push_back(char(~len & 0xFF));
    idat.push_back(char((~len >> 8) & 0xFF));
    inBlock = len;
  };
  auto emit = [&](uint8_t byte) {
    if (inBlock == 0) startBlock();
    idat.push_back(char(byte));
    --inBlock;
    ++emitted;
    s1 = (s1 + byte) % 65521u;
    s2 = (s2 + s1) % 65521u;
  };
  if (raw == 0) startBlock();
  for (int y = 0; y < image.height; ++y) {
    emit(0);  // filter type None
    const uint8_t* row = image.pixel(0, y);
    for (size_t i = 0; i + 1 < rowBytes; ++i) emit(row[i]);
  }
  put32(idat, (s2 << 16) | s1);

  std::vector<char> ihdr;
  put32(ihdr, uint32_t(image.width));
  put32(ihdr, uint32_t(image.height));
  for (char b : {char(8), char(6), char(0), char(0), char(0)}) ihdr.push_back(b);  // depth, RGBA, deflate, filter, no interlace

  std::vector<char> png = {char(0x89), 'P', 'N', 'G', '\r', '\n', char(0x1A), '\n'};
  png.reserve(idat.size() + 64);
  putChunk(png, "IHDR", ihdr);
  putChunk(png, "IDAT", idat);
  putChunk(png, "IEND", {});
  return png;
}

bool writePng(const Image& image, const std::string& path, FileError& error) {
  if (image.width <= 0 || image.height <= 0) {
    error = FileError{};
    error.file = path;
    error.message = "cannot write an empty picture";
    return false;
  }
  const std::vector<char> png = encodePng(image);
  return writeFileAtomically(path, std::span<const char>(png.data(), png.size()), error);
}

}  // namespace sim
