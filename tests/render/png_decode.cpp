#include "png_decode.h"

#include <cstdlib>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#if __has_include(<stb/stb_image.h>)
#include <stb/stb_image.h>
#else
#include <stb_image.h>
#endif
#pragma GCC diagnostic pop

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

int paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

// Undoes one row's filter in place (RFC 2083 section 6); prior is the row above, already
// unfiltered (zeros for the first row). False for an unknown filter type.
bool unfilter(uint8_t type, uint8_t* row, const uint8_t* prior, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const int a = i >= 4 ? row[i - 4] : 0, b = prior[i], c = i >= 4 ? prior[i - 4] : 0;
    switch (type) {
      case 0: break;
      case 1: row[i] = uint8_t(row[i] + a); break;
      case 2: row[i] = uint8_t(row[i] + b); break;
      case 3: row[i] = uint8_t(row[i] + (a + b) / 2); break;
      case 4: row[i] = uint8_t(row[i] + paeth(a, b, c)); break;
      default: return false;
    }
  }
  return true;
}

}  // namespace

bool decodePng(const std::vector<uint8_t>& b, sim::Image& out, std::string& why) {
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
  // The zlib stream: header checked above, deflate inflated by stb, Adler-32 checked here.
  int inflatedSize = 0;
  char* inflated = stbi_zlib_decode_malloc_guesssize_headerflag(reinterpret_cast<const char*>(zdata.data()),
                                                                int(zdata.size()), 1 << 20, &inflatedSize, 1);
  if (!inflated) return why = "deflate stream does not inflate", false;
  std::vector<uint8_t> raw(reinterpret_cast<uint8_t*>(inflated), reinterpret_cast<uint8_t*>(inflated) + inflatedSize);
  std::free(inflated);
  const size_t z = zdata.size() - 4;
  uint32_t a = 1, s = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    s = (s + a) % 65521;
  }
  if (((s << 16) | a) != be32(&zdata[z])) return why = "bad Adler-32", false;
  const size_t row = size_t(width) * 4 + 1;
  if (raw.size() != row * height) return why = "pixel data size", false;
  out = sim::Image(int(width), int(height));
  std::vector<uint8_t> prior(row - 1, 0);
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* line = &raw[y * row + 1];
    if (!unfilter(raw[y * row], line, prior.data(), row - 1)) return why = "unknown row filter", false;
    std::memcpy(out.pixel(0, int(y)), line, row - 1);
    std::memcpy(prior.data(), line, row - 1);
  }
  return true;
}

}  // namespace velmora_test
