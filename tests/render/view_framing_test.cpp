// Viewports that follow what they show: a perspective view close to a model millimetres
// across keeps it in front of the near plane (the script's Viewport action and the host's
// clip report agree), and a loaded scene or object gets a first picture framed on it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/script.h"
#include "app/session.h"
#include "files/lwo_io.h"
#include "io/object_files.h"
#include "render/view_framing.h"
#include "render/viewport_render.h"
#include "support/scratch_files.h"

namespace {

// A box of `size` around `centre`, each face listed both ways round so one side always
// faces the eye.
std::shared_ptr<sim::SimMesh> box(sim::Vec3 centre, double size) {
  auto mesh = std::make_shared<sim::SimMesh>();
  for (int i = 0; i < 8; ++i) {
    const float p[3] = {float(centre[0] + ((i & 1) ? 0.5 : -0.5) * size),
                        float(centre[1] + ((i & 2) ? 0.5 : -0.5) * size),
                        float(centre[2] + ((i & 4) ? 0.5 : -0.5) * size)};
    mesh->addPoint(p);
  }
  const std::vector<std::vector<uint32_t>> faces = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                                    {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
  for (const auto& f : faces) {
    mesh->addPolygon(sim::kTypeFACE, f, "Default");
    mesh->addPolygon(sim::kTypeFACE, {f[3], f[2], f[1], f[0]}, "Default");
  }
  return mesh;
}

// Pixels the object covers: lit surface is a warm grey (red above blue), unlike the bluish
// background and grid.
size_t objectPixels(const sim::Image& image) {
  size_t n = 0;
  for (size_t i = 0; i < image.rgba.size(); i += 4)
    n += image.rgba[i] == image.rgba[i + 1] && image.rgba[i] > image.rgba[i + 2];
  return n;
}

bool play(sim::app::Session& session, const std::string& script) {
  sim::app::ScriptError error;
  const bool ok = sim::app::runScript(session, sim::app::parseScript(script), &error);
  EXPECT_TRUE(ok) << error.text();
  return ok;
}

}  // namespace

TEST(ViewFraming, AModelMillimetresAcrossStaysInFrontOfTheNearPlane) {
  velmora_test::ScratchDir dir;
  std::ostringstream log;
  sim::app::Session session(dir.dir(), log);
  session.host().scene.addObject("Bead", box({0, 0.00125, 0}, 0.0025));
  // The eye 5 mm from the bead's centre.
  ASSERT_TRUE(play(session, "Viewport 0 type=persp center=0,0.00125,0 rotation=20,10,0 zoom=0.005 size=80x60\n"));
  const sim::SimViewport& view = session.host().viewports[0];
  EXPECT_LT(view.hither, 0.005 - 0.0025);
  sim::Image image;
  ASSERT_TRUE(sim::renderViewport(session.host(), 0, image));
  EXPECT_GT(objectPixels(image), 400u);

  // The same view of a 2.5 m box from 5 m away looks the same: the planes scale with it.
  velmora_test::ScratchDir dir2;
  sim::app::Session large(dir2.dir(), log);
  large.host().scene.addObject("Crate", box({0, 1.25, 0}, 2.5));
  ASSERT_TRUE(play(large, "Viewport 0 type=persp center=0,1.25,0 rotation=20,10,0 zoom=5 size=80x60\n"));
  EXPECT_NEAR(large.host().viewports[0].hither / view.hither, 1000.0, 1e-6);
  sim::Image big;
  ASSERT_TRUE(sim::renderViewport(large.host(), 0, big));
  EXPECT_NEAR(double(objectPixels(big)), double(objectPixels(image)), 0.02 * double(objectPixels(image)));
}

TEST(ViewFraming, ALoadedObjectIsInTheFirstPictureWhereverAndHoweverLargeItIs) {
  for (double size : {0.0025, 1.0, 400.0}) {
    SCOPED_TRACE(size);
    velmora_test::ScratchDir dir;
    const sim::Vec3 centre = {40 * size, 10 * size, -30 * size};
    sim::FileError fe;
    ASSERT_TRUE(sim::saveLwo(sim::lwoFromMesh(*box(centre, size)), dir.file("Far.lwo"), fe)) << fe.text();
    std::ofstream(dir.file("far.lws")) << "LWSC\n5\n\nLoadObjectLayer 1 10000000 Far.lwo\nShowObject 6 7\n";
    // The object on its own, and a scene holding it.
    for (const char* input : {"Far.lwo", "far.lws"}) {
      SCOPED_TRACE(input);
      std::ostringstream log;
      sim::app::Session session(dir.file("out"), log);
      std::string why;
      ASSERT_TRUE(session.loadInput(dir.file(input), &why)) << why;
      const sim::SimViewport& view = session.host().viewports[0];
      for (size_t a = 0; a < 3; ++a) EXPECT_NEAR(view.center[a], centre[a], 1e-6 * size);
      sim::Image image;
      ASSERT_TRUE(sim::renderViewport(session.host(), 0, image));
      // Framed with a margin: the box fills a good part of the picture, not all of it.
      const double covered = double(objectPixels(image)) / double(image.width * image.height);
      EXPECT_GT(covered, 0.05);
      EXPECT_LT(covered, 0.9);
    }
  }
}

TEST(ViewFraming, OrthographicViewsFitTheBoxAcrossAndUp) {
  sim::SimViewport front;
  front.type = 4;
  front.width = 200;
  front.height = 100;
  sim::frameViewport(front, {-4, 0, -1}, {4, 1, 1});  // 8 wide, 1 high: the width decides
  EXPECT_NEAR(front.zoom, 4.0 * 100 / 200 * 1.15, 1e-9);
  EXPECT_EQ(front.center, (sim::Vec3{0, 0.5, 0}));
  const double hither = front.hither;
  sim::scaleClipPlanes(front);
  EXPECT_EQ(front.hither, hither);  // orthographic views keep their planes
}
