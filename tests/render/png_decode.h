// An independent reader for the PNGs the writer makes (8-bit RGBA, no interlace),
// checking every structural field on the way so tests can compare pixels. The deflate
// stream is inflated by stb_image's zlib decoder; chunk CRCs, the Adler-32 and the five
// row filters are checked and undone here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/image.h"

namespace velmora_test {

// Decodes `bytes`; false with `why` on the first check that fails (signature, chunk CRC,
// IHDR field, zlib header, Adler-32, row filter, size).
bool decodePng(const std::vector<uint8_t>& bytes, sim::Image& out, std::string& why);

}  // namespace velmora_test
