// The PNG writer against an independent decoder: structure, checksums and pixels at sizes
// from one pixel to a full viewport, and the atomic file write.
#include <gtest/gtest.h>

#include <filesystem>

#include "png_decode.h"
#include "render/png_writer.h"
#include "support/scratch_files.h"

namespace {

sim::Image patterned(int w, int h) {
  sim::Image image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = image.pixel(x, y);
      p[0] = uint8_t(x * 7 + y);
      p[1] = uint8_t(y * 13);
      p[2] = uint8_t(x ^ y);
      p[3] = uint8_t(255 - x);
    }
  return image;
}

TEST(PngWriter, DecodesToTheSamePixelsAtEverySize) {
  // 1x1; odd sizes; single rows and columns; rows long enough for every filter choice.
  const std::pair<int, int> sizes[] = {{1, 1}, {3, 2}, {17, 5}, {16383, 1}, {1, 65535 / 5}, {200, 100}, {640, 480}};
  for (auto [w, h] : sizes) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    const sim::Image image = patterned(w, h);
    const std::vector<char> png = sim::encodePng(image);
    sim::Image back;
    std::string why;
    ASSERT_TRUE(velmora_test::decodePng(std::vector<uint8_t>(png.begin(), png.end()), back, why)) << why;
    EXPECT_EQ(back.width, w);
    EXPECT_EQ(back.height, h);
    EXPECT_TRUE(back.rgba == image.rgba);
  }
}

TEST(PngWriter, WritesTheFileAtomicallyAndRefusesEmptyPictures) {
  velmora_test::ScratchDir dir;
  const sim::Image image = patterned(5, 3);
  sim::FileError error;
  ASSERT_TRUE(sim::writePng(image, dir.file("a.png"), error)) << error.text();
  sim::Image back;
  std::string why;
  ASSERT_TRUE(velmora_test::decodePng(velmora_test::readBytes(dir.file("a.png")), back, why)) << why;
  EXPECT_TRUE(back.rgba == image.rgba);

  EXPECT_FALSE(sim::writePng(sim::Image(), dir.file("empty.png"), error));
  EXPECT_FALSE(std::filesystem::exists(dir.file("empty.png")));
  EXPECT_FALSE(sim::writePng(image, dir.file("missing/b.png"), error));
  EXPECT_FALSE(error.message.empty());
  // Nothing but the one good picture is left in the folder (no temporary files).
  size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1u);
}

}  // namespace

TEST(PngWriter, CompressesFlatPicturesAndRefusesShortPixelData) {
  const sim::Image flat(640, 480, {40, 40, 44, 255});
  const std::vector<char> png = sim::encodePng(flat);
  EXPECT_LT(png.size(), flat.rgba.size() / 50);  // deflated, not stored
  sim::Image back;
  std::string why;
  ASSERT_TRUE(velmora_test::decodePng(std::vector<uint8_t>(png.begin(), png.end()), back, why)) << why;
  EXPECT_TRUE(back.rgba == flat.rgba);
  sim::Image broken(4, 4);
  broken.rgba.resize(10);  // fewer bytes than its size says
  EXPECT_TRUE(sim::encodePng(broken).empty());
}
