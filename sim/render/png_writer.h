// Saving an Image as a PNG file without a compression library: 8-bit RGBA, one IDAT chunk
// holding a zlib stream of "stored" (uncompressed) deflate blocks.
#pragma once
#include <string>
#include <vector>

#include "files/file_error.h"
#include "render/image.h"

namespace sim {

// The PNG file's bytes: signature, IHDR (colour type 6, bit depth 8, no interlace), IDAT
// (every row prefixed with filter 0), IEND. Cost O(width x height), one allocation.
std::vector<char> encodePng(const Image& image);

// Writes encodePng(image) to `path` through a temporary file and a rename, so a failed
// write leaves no half-written picture. False with `error` filled on failure, or for an
// empty image.
bool writePng(const Image& image, const std::string& path, FileError& error);

}  // namespace sim
