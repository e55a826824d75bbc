// An independent reader for the PNGs the writer makes (8-bit RGBA, stored deflate blocks,
// filter 0), checking every structural field on the way so tests can compare pixels.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/image.h"

namespace velmora_test {

// Decodes `bytes`; false with `why` on the first check that fails (signature, chunk CRC,
// IHDR field, zlib header, block lengths, Adler-32, row filter, size).
bool decodeStoredPng(const std::vector<uint8_t>& bytes, sim::Image& out, std::string& why);

}  // namespace velmora_test
