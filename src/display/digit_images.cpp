#include "display/digit_images.h"

#include <array>
#include <cstddef>

namespace {

// Glyph artwork, rows top first, '#' inked. A 3 x 5 face for the small cells and a
// 5 x 7 face for the others (each doubled in the larger image of its kind).
constexpr const char* kSmallFace[11][5] = {
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"}, {"###", "..#", "###", "#..", "###"},
    {"###", "..#", "###", "..#", "###"}, {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", ".#.", ".#."}, {"###", "#.#", "###", "#.#", "###"},
    {"###", "#.#", "###", "..#", "###"}, {"...", "...", "###", "...", "..."}};
constexpr const char* kLargeFace[11][7] = {
    {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"####.", "....#", "....#", ".###.", "....#", "....#", "####."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
    {".....", ".....", ".....", "#####", ".....", ".....", "....."}};

template <int W, int H>
constexpr bool inked(const char* const (&glyph)[H], int x, int y) {
  return x >= 0 && y >= 0 && x < W && y < H && glyph[y][x] == '#';
}

// The texture of one image: each glyph's ink scaled by `scale`, framed by a one-pixel
// rim, left-aligned and vertically centred in its cell.
template <int Size, int Cell, int W, int H, int Scale>
constexpr std::array<uint8_t, std::size_t(Size) * Size * 4> makeImage(const char* const (&face)[11][H]) {
  std::array<uint8_t, std::size_t(Size) * Size * 4> image{};
  constexpr int inkW = W * Scale, inkH = H * Scale;
  constexpr int top = (Cell - inkH - 2) / 2;
  for (int g = 0; g < 11; ++g) {
    const int cellX = (g % 4) * Cell, cellY = (g / 4) * Cell;
    for (int y = 0; y < inkH + 2; ++y)
      for (int x = 0; x < inkW + 2; ++x) {
        const int gx = x - 1, gy = y - 1;
        const bool ink = gx >= 0 && gy >= 0 && gx < inkW && gy < inkH && inked<W, H>(face[g], gx / Scale, gy / Scale);
        bool rim = false;
        for (int dy = -1; dy <= 1 && !ink; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = gx + dx, ny = gy + dy;
            if (nx >= 0 && ny >= 0 && nx < inkW && ny < inkH && inked<W, H>(face[g], nx / Scale, ny / Scale)) rim = true;
          }
        if (!ink && !rim) continue;
        const std::size_t at = (std::size_t(cellY + top + y) * Size + std::size_t(cellX + x)) * 4;
        const uint8_t level = ink ? 255 : 0;
        image[at] = image[at + 1] = image[at + 2] = level;
        image[at + 3] = 255;
      }
  }
  return image;
}

constexpr auto kDigits32 = makeImage<32, 8, 3, 5, 1>(kSmallFace);
constexpr auto kDigits40 = makeImage<64, 10, 5, 7, 1>(kLargeFace);
constexpr auto kDigits48 = makeImage<64, 12, 3, 5, 2>(kSmallFace);
constexpr auto kDigits64 = makeImage<64, 16, 5, 7, 2>(kLargeFace);

const DigitImage digits32RGBA = {32, 8, 0.25, 0.75, kDigits32.data()};
const DigitImage digits40RGBA = {64, 10, 0.15625, 0.8, kDigits40.data()};
const DigitImage digits48RGBA = {64, 12, 0.1875, 5.0 / 6.0, kDigits48.data()};
const DigitImage digits64RGBA = {64, 16, 0.25, 0.75, kDigits64.data()};

}  // namespace

const DigitImage& digitImageForPointSize(int32_t pointSize) {
  if (pointSize < 100) return digits32RGBA;
  if (pointSize < 140) return digits40RGBA;
  if (pointSize < 180) return digits48RGBA;
  return digits64RGBA;
}
