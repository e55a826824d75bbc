// Viewport pictures of the demo scene: objects land where the viewport's projection puts
// their frozen points, a tool's drawing lands on top with its own depth handling and
// coordinate systems, perspective texturing is correct, and the script's Picture action
// writes decodable files into the output folder.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>

#include "app/script.h"
#include "app/session.h"
#include "host/host.h"
#include "png_decode.h"
#include "render/view_painter.h"
#include "render/viewport_render.h"
#include "scene/demo_scene.h"
#include "support/scratch_files.h"

extern "C" {
#include <lwcustobj.h>
#include <lwlaytool.h>
#include <lwmodule.h>
#include <lwrender.h>
}

namespace {

// --- a tool that draws what the test asks --------------------------------------------

std::function<void(LWCustomObjAccess*)> stDraw;
int stToolInstance = 0;
void toolDraw(LWInstance, LWCustomObjAccess* access) {
  if (stDraw) stDraw(access);
}
int toolActivate(int, GlobalFunc*, void* local, void*) {
  auto* tool = static_cast<LWLayoutTool*>(local);
  tool->instance = &stToolInstance;
  tool->tool->draw = toolDraw;
  return AFUNC_OK;
}
ServerRecord stServers[] = {{LWLAYOUTTOOL_CLASS, "DrawTool", toolActivate, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
ModuleDescriptor stDescriptor = {MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE, nullptr, nullptr, stServers};

// Background and grid are bluish greys (blue above red); the lit surface is a warm grey
// (red above blue) at any shade; wires are near black.
bool surface(const sim::Rgba8& p) { return p[0] == p[1] && p[0] > p[2]; }
bool wire(const sim::Rgba8& p) { return p[0] < 40 && p[1] < 40 && p[2] < 40; }

class ViewportRender : public ::testing::Test {
 protected:
  void SetUp() override {
    stDraw = nullptr;
    demo = sim::buildDemoScene(host.scene, true, 12, 16);
    // A right view: the demo's bend (a pitch of the middle bone) shows in the picture plane.
    sim::SimViewport& v = host.viewports[0];
    v.type = 5;
    v.center = {0, 1.5, 0};
    v.zoom = 2;
    v.width = 320;
    v.height = 240;
  }
  sim::Image render(int viewport = 0) {
    sim::Image image;
    EXPECT_TRUE(sim::renderViewport(host, viewport, image));
    return image;
  }
  std::vector<std::array<double, 2>> projectedLimb() const {
    std::vector<std::array<double, 2>> out;
    const auto& frozen = *host.scene.frozenIfComputed(demo.limb);
    for (size_t i = frozen.extraPoints; i < frozen.otherPos.size(); ++i) {
      const auto& p = frozen.otherPos[i];
      double x, y;
      EXPECT_TRUE(host.viewports[0].project({p[0], p[1], p[2]}, &x, &y, nullptr));
      out.push_back({x, y});
    }
    return out;
  }
  sim::Host host;
  sim::DemoScene demo;
};

TEST_F(ViewportRender, PointsLandWhereTheViewportProjectsTheFrozenPositions) {
  host.scene.find(demo.limb)->visibility = LWOVIS_VERTICES;
  for (uint64_t bone : demo.bones) host.scene.find(bone)->visibility = 0;  // hidden bones draw nothing
  const sim::Image image = render();
  ASSERT_EQ(image.width, 320);
  ASSERT_EQ(image.height, 240);
  const auto points = projectedLimb();
  std::vector<char> near(size_t(image.width) * size_t(image.height), 0);
  for (const auto& p : points) {
    const int x = int(std::floor(p[0])), y = int(std::floor(p[1]));
    ASSERT_TRUE(image.inside(x, y));
    EXPECT_TRUE(wire(image.at(x, y))) << "no point drawn at " << x << "," << y;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (image.inside(x + dx, y + dy)) near[size_t(y + dy) * size_t(image.width) + size_t(x + dx)] = 1;
  }
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (wire(image.at(x, y))) {
        EXPECT_TRUE(near[size_t(y) * size_t(image.width) + size_t(x)]) << "stray " << x << "," << y;
      }
  // The test has teeth only if the bend moved points far from their rest places.
  double rx, ry, fx, fy;
  const auto& mesh = *host.scene.find(demo.limb)->mesh;
  const float* top = mesh.point(mesh.numPoints() - 1).pos;
  host.viewports[0].project({top[0], top[1], top[2]}, &rx, &ry, nullptr);
  fx = points.back()[0];
  fy = points.back()[1];
  EXPECT_GT(std::hypot(rx - fx, ry - fy), 20.0);
}

TEST_F(ViewportRender, ShadedLimbFillsTheOutlineOfItsProjectedPoints) {
  const sim::Image image = render();  // the demo's default visibility: shaded
  double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
  for (const auto& p : projectedLimb()) {
    x0 = std::min(x0, p[0]);
    x1 = std::max(x1, p[0]);
    y0 = std::min(y0, p[1]);
    y1 = std::max(y1, p[1]);
  }
  int sx0 = 9999, sx1 = -1, sy0 = 9999, sy1 = -1;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (surface(image.at(x, y))) {
        sx0 = std::min(sx0, x);
        sx1 = std::max(sx1, x);
        sy0 = std::min(sy0, y);
        sy1 = std::max(sy1, y);
      }
  EXPECT_NEAR(sx0, x0, 1.0);
  EXPECT_NEAR(sx1, x1, 1.0);
  EXPECT_NEAR(sy0, y0, 1.0);
  EXPECT_NEAR(sy1, y1, 1.0);
  // Hiding the object leaves only background and grid.
  host.scene.find(demo.limb)->visibility = LWOVIS_HIDDEN;
  const sim::Image empty = render();
  for (size_t i = 0; i < empty.rgba.size(); i += 4) ASSERT_LT(empty.rgba[i], empty.rgba[i + 2]);
  sim::Image none;
  EXPECT_FALSE(sim::renderViewport(host, 1, none));  // no such viewport
}

TEST_F(ViewportRender, TheToolsDrawingLandsOnTopInEachCoordinateSystem) {
  sim::SimItem& target = host.scene.addNull("Target");
  target.position = {0, 2.5, 1.0};
  target.iconScale = 2.0f;
  const uint64_t targetId = target.id;
  bool depthTested = true;
  stDraw = [&](LWCustomObjAccess* a) {
    float red[4] = {1, 0, 0, 1}, green[4] = {0, 1, 0, 1}, blue[4] = {0, 0, 1, 1}, magenta[4] = {1, 0, 1, 1};
    // A world line behind the limb (the right view looks toward -x): depth-tested by the
    // host's default mode, or drawn with mode 0.
    if (!depthTested) a->setDrawMode(a->dispData, 0);
    a->setColor(a->dispData, green);
    double l0[3] = {-1, 1.0, -1.5}, l1[3] = {-1, 1.0, 1.5};
    a->line(a->dispData, l0, l1, LWCSYS_WORLD);
    // Viewport pixels, no depth test: over the limb.
    a->setDrawMode(a->dispData, 0);
    a->setColor(a->dispData, red);
    double q[4][3] = {{150, 180, 0.5}, {170, 180, 0.5}, {170, 200, 0.5}, {150, 200, 0.5}};
    a->quad(a->dispData, q[0], q[1], q[2], q[3], LWCSYS_VIEWPORT);
    // Points in the null's space, plain and scaled by its icon size.
    a->setCSysItem(a->dispData, reinterpret_cast<LWItemID>(uintptr_t(targetId)));
    a->setColor(a->dispData, blue);
    double p[3] = {0, 0, 0.5};
    a->point(a->dispData, p, LWCSYS_OBJECT);
    a->setColor(a->dispData, magenta);
    double ip[3] = {0, 0.25, 0};
    a->point(a->dispData, ip, LWCSYS_ICON);
  };
  std::string error;
  ASSERT_TRUE(host.addModule(&stDescriptor, "draw tool", &error)) << error;
  ASSERT_EQ(host.activateTool("DrawTool"), AFUNC_OK);

  auto pixelOf = [&](sim::Vec3 world) {
    double x, y;
    host.viewports[0].project(world, &x, &y, nullptr);
    return std::array<int, 2>{int(std::floor(x)), int(std::floor(y))};
  };
  const auto lineOnLimb = pixelOf({0, 1.0, 0}), lineBeside = pixelOf({-1, 1.0, 1.2});
  for (bool tested : {true, false}) {
    SCOPED_TRACE(tested ? "depth-tested line" : "untested line");
    depthTested = tested;
    host.redrawViewports();
    const sim::Image image = render();
    EXPECT_EQ(image.at(160, 190), (sim::Rgba8{255, 0, 0, 255}));
    EXPECT_EQ(image.at(lineBeside[0], lineBeside[1]), (sim::Rgba8{0, 255, 0, 255}));
    EXPECT_EQ(image.at(lineOnLimb[0], lineOnLimb[1]) == (sim::Rgba8{0, 255, 0, 255}), !tested);
    const auto obj = pixelOf({0, 2.5, 1.5}), icon = pixelOf({0, 3.0, 1.0});
    EXPECT_EQ(image.at(obj[0], obj[1]), (sim::Rgba8{0, 0, 255, 255}));
    EXPECT_EQ(image.at(icon[0], icon[1]), (sim::Rgba8{255, 0, 255, 255}));
  }
  // Once the tool is gone, a redraw leaves nothing of its drawing.
  host.leaveTool();
  host.redrawViewports();
  EXPECT_NE(render().at(160, 190), (sim::Rgba8{255, 0, 0, 255}));
}

TEST_F(ViewportRender, TexturesFollowThePerspectiveNotTheScreen) {
  // A floor quad receding from a perspective eye, half red (u < 0.5) and half blue along its
  // depth: the colour change must sit at the projection of the quad's middle, which lies
  // well above the screen midpoint between its near and far edges.
  sim::SimViewport v;
  v.type = 7;
  v.center = {0, 0, 0};
  v.rotation = {0, 0.4, 0};
  v.zoom = 3;
  v.width = 200;
  v.height = 200;
  sim::Image image(v.width, v.height, {0, 0, 0, 255});
  sim::Rasteriser raster(image);
  sim::ViewPainter painter(v, raster);
  const uint8_t texture[4 * 4] = {255, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 0, 255, 255};  // 2x2: u < 0.5 red
  sim::RasterState s;
  s.texture = texture;
  s.textureSize = 2;
  const sim::Vec3 nearL = {-1, -1, -1}, nearR = {1, -1, -1}, farR = {1, -1, 3}, farL = {-1, -1, 3};
  sim::ViewVertex q[4] = {{painter.toView(nearL), 0, 0}, {painter.toView(farL), 1, 0},
                          {painter.toView(farR), 1, 1}, {painter.toView(nearR), 0, 1}};
  painter.polygon(q, s);
  double xn, yn, xf, yf, xm, ym;
  v.project({0, -1, -1}, &xn, &yn, nullptr);
  v.project({0, -1, 3}, &xf, &yf, nullptr);
  v.project({0, -1, 1}, &xm, &ym, nullptr);
  ASSERT_GT(yn - ym, ym - yf + 10);  // the perspective is strong enough to tell
  const int x = int(xm);
  EXPECT_EQ(image.at(x, int(ym) + 2), (sim::Rgba8{255, 0, 0, 255}));
  EXPECT_EQ(image.at(x, int(ym) - 2), (sim::Rgba8{0, 0, 255, 255}));
}

TEST(PictureAction, WritesViewportPicturesIntoTheOutputFolder) {
  velmora_test::ScratchDir dir;
  std::ostringstream out;
  sim::app::Session session(dir.dir(), out);
  std::string why;
  ASSERT_TRUE(session.prepare(&why)) << why;
  session.buildDemo(6, 8);
  const auto script = sim::app::parseScript(
      "Viewport 0 type=front center=0,1.5,0 size=64x48\n"
      "Viewport 1 type=top size=32x24\n"
      "Picture\n"
      "Picture 1 \"sub dir/top.png\"\n");
  sim::app::ScriptError error;
  ASSERT_TRUE(sim::app::runScript(session, script, &error)) << error.text();
  const std::pair<const char*, int> files[] = {{"view0.png", 64}, {"sub dir/top.png", 32}};
  for (auto [name, width] : files) {
    SCOPED_TRACE(name);
    sim::Image image;
    ASSERT_TRUE(velmora_test::decodePng(velmora_test::readBytes(dir.file(name)), image, why)) << why;
    EXPECT_EQ(image.width, width);
    const auto& written = session.written();
    EXPECT_NE(std::find(written.begin(), written.end(), dir.file(name)), written.end());
  }
  for (const char* bad : {"Picture 2", "Picture 0 ../escape.png", "Picture 0 /tmp/abs.png", "Picture 0 a.png b.png"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(sim::app::runScript(session, sim::app::parseScript(bad), &error));
  }
  // The end of a run writes every viewport.
  ASSERT_TRUE(session.writePictures(&why)) << why;
  EXPECT_TRUE(std::filesystem::exists(dir.file("view1.png")));
}

}  // namespace
