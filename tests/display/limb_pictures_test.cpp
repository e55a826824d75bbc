// Reference pictures of the example limb in every display choice, in a front and a
// perspective view, so that any change to what the tool draws shows up. The pictures are
// rendered by the sim's software rasteriser from what the module drew through the
// custom-object access, and compared with the stored ones with a small tolerance for
// rounding. To accept an intended change, run the test with VELMORA_UPDATE_PICTURES=1 and
// look at the new files in tests/display/pictures/ before committing them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "display/display_frame.h"
#include "io/scene_files.h"
#include "render/png_writer.h"
#include "render/viewport_render.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = fs::path(__FILE__).parent_path();
const fs::path kExamples = kSourceDir / ".." / ".." / "examples";
const fs::path kPictures = kSourceDir / "pictures";

constexpr int kChannelTolerance = 2;     // rounding between compilers and libm versions
constexpr double kShareTolerance = 0.002;  // of the pixels

struct Difference {
  bool sameSize = false;
  double share = 1.0;  // pixels differing by more than the channel tolerance
};

Difference compare(const sim::Image& a, const sim::Image& b) {
  Difference d;
  d.sameSize = a.width == b.width && a.height == b.height;
  if (!d.sameSize || a.width == 0) return d;
  size_t differing = 0;
  for (size_t i = 0; i < a.rgba.size(); i += 4)
    for (size_t c = 0; c < 4; ++c)
      if (std::abs(int(a.rgba[i + c]) - int(b.rgba[i + c])) > kChannelTolerance) {
        ++differing;
        break;
      }
  d.share = double(differing) / double(size_t(a.width) * size_t(a.height));
  return d;
}

bool readPicture(const fs::path& path, sim::Image& out) {
  int w = 0, h = 0, n = 0;
  unsigned char* data = stbi_load(path.string().c_str(), &w, &h, &n, 4);
  if (!data) return false;
  out = sim::Image(w, h);
  std::copy(data, data + size_t(w) * size_t(h) * 4, out.rgba.begin());
  stbi_image_free(data);
  return true;
}

class LimbPictures : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsDir = makeTempDir();
    host = std::make_unique<sim::Host>();
    host->settingsDir = settingsDir;
    std::string why;
    ASSERT_TRUE(host->addModule(&_mod_descrip, "velmora (in-process)", &why)) << why;
    sim::FileError error;
    ASSERT_TRUE(sim::loadSceneIntoHost(*host, objects, (kExamples / "limb.lws").string(), loaded, error)) << error.text();
    host->viewports.assign(2, sim::SimViewport{});
    sim::SimViewport& front = host->viewports[0];
    front.type = LVVIEWT_FRONT;
    front.center = {0, 1.5, 0};
    front.zoom = 2;
    front.width = 240, front.height = 180;
    sim::SimViewport& persp = host->viewports[1];
    persp.type = LVVIEWT_PERSPECTIVE;
    persp.center = {0, 1.5, 0};
    persp.rotation = {30 * M_PI / 180, 15 * M_PI / 180, 0};
    persp.zoom = 6;
    persp.width = 240, persp.height = 180;
    uint64_t limb = 0;
    for (uint64_t id : loaded.itemIds) {
      const sim::SimItem* item = host->scene.find(id);
      if (item && item->name == "Limb") limb = id;
    }
    ASSERT_NE(limb, 0u);
    host->scene.select(limb);
    ASSERT_EQ(host->activateTool("KTQ_VelmoraTool"), AFUNC_OK);
  }
  void TearDown() override {
    host.reset();
    removeTempDir(settingsDir);
  }

  // Draws the frame in the display settings given and checks both viewports' pictures.
  void checkPictures(const std::string& name) {
    stInstData.redrawRequest = 3;
    host->redrawViewports();
    const bool update = std::getenv("VELMORA_UPDATE_PICTURES") != nullptr;
    for (int v = 0; v < 2; ++v) {
      const std::string file = name + (v == 0 ? "_front.png" : "_persp.png");
      SCOPED_TRACE(file);
      sim::Image picture;
      ASSERT_TRUE(sim::renderViewport(*host, v, picture));
      const fs::path path = kPictures / file;
      if (update) {
        sim::FileError error;
        ASSERT_TRUE(sim::writePng(picture, path.string(), error)) << error.text();
        continue;
      }
      sim::Image reference;
      ASSERT_TRUE(readPicture(path, reference)) << "no reference picture " << path
                                                << " (run with VELMORA_UPDATE_PICTURES=1 to make it)";
      const Difference d = compare(picture, reference);
      EXPECT_TRUE(d.sameSize);
      EXPECT_LE(d.share, kShareTolerance);
    }
  }

  std::unique_ptr<sim::Host> host;
  sim::ObjectFiles objects;
  sim::LoadedScene loaded;
  std::string settingsDir;
};

}  // namespace

TEST_F(LimbPictures, WireframedPoints) {
  stInstData.visibility = kWireframedPoints;
  checkPictures("wireframed_points");
}

TEST_F(LimbPictures, WireframedPointsWithValuesAndFixedSizes) {
  stInstData.visibility = kWireframedPoints;
  stInstData.showWeights = 1;
  stInstData.multiplySizeByValue = 0;
  checkPictures("wireframed_points_labels");
}

TEST_F(LimbPictures, WeightShadedSolid) {
  stInstData.visibility = kShadedSolid;
  checkPictures("shaded_solid");
}

TEST_F(LimbPictures, WeightShadedSolidWire) {
  stInstData.visibility = kShadedSolidWire;
  checkPictures("shaded_solid_wire");
}

TEST_F(LimbPictures, WeightShadedSolidWithoutDepth) {
  stInstData.visibility = kShadedSolid;
  stInstData.noDepth = 1;
  checkPictures("shaded_solid_no_depth");
}

TEST(PictureComparison, ToleratesRoundingButNotAChangedDrawing) {
  sim::Image a(100, 100, {10, 20, 30, 255});
  sim::Image b = a;
  for (int x = 0; x < 100; ++x) b.pixel(x, 50)[0] = 12;  // within the channel tolerance
  EXPECT_EQ(compare(a, b).share, 0.0);
  b.pixel(3, 3)[1] = 200;  // one pixel in 10000: within the share
  EXPECT_LE(compare(a, b).share, kShareTolerance);
  for (int x = 0; x < 100; ++x) b.pixel(x, 60)[2] = 90;  // a changed line of pixels
  EXPECT_GT(compare(a, b).share, kShareTolerance);
  EXPECT_FALSE(compare(a, sim::Image(100, 99)).sameSize);
}
