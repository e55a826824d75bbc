#include "render/png_writer.h"

#include <span>

#include "files/atomic_write.h"

// The encoder lives in this one file. It is third-party C: its own warnings are not ours.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wold-style-cast"
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wcast-qual"
#if __has_include(<stb/stb_image_write.h>)
#include <stb/stb_image_write.h>
#else
#include <stb_image_write.h>  // cross builds see the folder itself (cmake/toolchain-mingw64.cmake)
#endif
#pragma GCC diagnostic pop

namespace sim {
namespace {

void appendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<char>*>(context);
  const char* bytes = static_cast<const char*>(data);
  if (size > 0) out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<char> encodePng(const Image& image) {
  std::vector<char> png;
  if (image.width <= 0 || image.height <= 0 || image.rgba.size() < size_t(image.width) * size_t(image.height) * 4)
    return png;
  png.reserve(image.rgba.size() / 4 + 1024);
  if (!stbi_write_png_to_func(appendBytes, &png, image.width, image.height, 4, image.rgba.data(), image.width * 4))
    png.clear();
  return png;
}

bool writePng(const Image& image, const std::string& path, FileError& error) {
  const std::vector<char> png = encodePng(image);
  if (png.empty()) {
    error = FileError{};
    error.file = path;
    error.message = image.width <= 0 || image.height <= 0 ? "cannot write an empty picture" : "PNG encoding failed";
    return false;
  }
  return writeFileAtomically(path, std::span<const char>(png.data(), png.size()), error);
}

}  // namespace sim
