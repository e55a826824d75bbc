// Saving an Image as a PNG file: 8-bit RGBA, compressed by stb_image_write (Debian's
// libstb-dev), which picks a row filter per row and deflates the rows.
#pragma once
#include <string>
#include <vector>

#include "files/file_error.h"
#include "render/image.h"

namespace sim {

// The PNG file's bytes: signature, IHDR (colour type 6, bit depth 8, no interlace), IDAT,
// IEND. Empty for an empty image or when the encoder fails. Cost O(width x height).
std::vector<char> encodePng(const Image& image);

// Writes encodePng(image) to `path` through a temporary file and a rename, so a failed
// write leaves no half-written picture. False with `error` filled on failure, or for an
// empty image.
bool writePng(const Image& image, const std::string& path, FileError& error);

}  // namespace sim
