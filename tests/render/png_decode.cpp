#include "png_decode.h"

#include <cstring>

namespace velmora_test {
namespace {

// Bit by bit, so the check shares nothing with the writer's table.
uint32_t slowCrc(const uint8_t* p, size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}

uint32_t be32(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3]; }

}  // namespace

bool decodeStoredPng(const std::vector<uint8_t>& b, sim::Image& out, std::string& why) {
  static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() < 8 || std::memcmp(b.data(), sig, 8) != 0) return why = "bad signature", false;
  size_t at = 8;
  std::vector<uint8_t> zdata;
  uint32_t width = 0, height = 0;
  std::vector<std::string> order;
  while (at + 12 <= b.size()) {
    const uint32_t len = be32(&b[at]);
    if (at + 12 + len > b.size()) return why = "chunk runs past the end", false;
    const std::string type(reinterpret_cast<const char*>(&b[at + 4]), 4);
    if (slowCrc(&b[at + 4], len + 4) != be32(&b[at + 8 + len])) return why = "bad CRC in " + type, false;
    const uint8_t* data = &b[at + 8];
    order.push_back(type);
    if (type == "IHDR") {
      if (len != 13) return why = "IHDR length", false;
      width = be32(data);
      height = be32(data + 4);
      if (data[8] != 8 || data[9] != 6 || data[10] != 0 || data[11] != 0 || data[12] != 0)
        return why = "IHDR: not 8-bit RGBA, deflate, filter 0, no interlace", false;
    } else if (type == "IDAT") {
      zdata.insert(zdata.end(), data, data + len);
    }
    at += 12 + len;
  }
  if (at != b.size()) return why = "bytes after the last chunk", false;
  if (order.size() < 3 || order.front() != "IHDR" || order.back() != "IEND") return why = "chunk order", false;
  if (zdata.size() < 6 || zdata[0] != 0x78 || ((zdata[0] << 8) | zdata[1]) % 31 != 0 || (zdata[1] & 0x20))
    return why = "zlib header", false;
  std::vector<uint8_t> raw;
  size_t z = 2;
  for (bool last = false; !last;) {
    if (z + 5 > zdata.size()) return why = "truncated deflate block", false;
    if ((zdata[z] >> 1) & 3) return why = "not a stored block", false;
    last = zdata[z] & 1;
    const unsigned len = zdata[z + 1] | (zdata[z + 2] << 8), nlen = zdata[z + 3] | (zdata[z + 4] << 8);
    if ((len ^ 0xFFFFu) != nlen) return why = "LEN/NLEN disagree", false;
    z += 5;
    if (z + len > zdata.size()) return why = "block runs past the data", false;
    raw.insert(raw.end(), zdata.begin() + long(z), zdata.begin() + long(z + len));
    z += len;
  }
  if (z + 4 != zdata.size()) return why = "Adler-32 missing or data after it", false;
  uint32_t a = 1, s = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    s = (s + a) % 65521;
  }
  if (((s << 16) | a) != be32(&zdata[z])) return why = "bad Adler-32", false;
  const size_t row = size_t(width) * 4 + 1;
  if (raw.size() != row * height) return why = "pixel data size", false;
  out = sim::Image(int(width), int(height));
  for (uint32_t y = 0; y < height; ++y) {
    if (raw[y * row] != 0) return why = "row filter not None", false;
    std::memcpy(out.pixel(0, int(y)), &raw[y * row + 1], row - 1);
  }
  return true;
}

}  // namespace velmora_test
