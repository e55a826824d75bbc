// The custom-object access as the host implements it for a plug-in's drawing: each shape
// keeps the texture in force when it was drawn, and textures are filtered as the policy
// says.
#include <gtest/gtest.h>

#include "host/draw_recorder.h"
#include "render/draw_list_render.h"
#include "render/view_painter.h"
#include "scene/sim_scene.h"

namespace {

// A front view 100 x 100 pixels, 1 m from the centre to the top edge.
sim::SimViewport frontView() {
  sim::SimViewport v;
  v.type = LVVIEWT_FRONT;
  v.zoom = 1;
  v.width = v.height = 100;
  return v;
}

void quadAt(const LWCustomObjAccess& a, double x0, double x1) {
  double p[4][3] = {{x0, -0.5, 0}, {x1, -0.5, 0}, {x1, 0.5, 0}, {x0, 0.5, 0}};
  double uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  a.setUVs(a.dispData, uv[0], uv[1], uv[2], uv[3]);
  a.quad(a.dispData, p[0], p[1], p[2], p[3], LWCSYS_WORLD);
}

// The pixel the view shows world (x, 0, 0) in.
sim::Rgba8 at(const sim::Image& image, const sim::SimViewport& v, double x) {
  double px = 0, py = 0;
  v.project({x, 0, 0}, &px, &py, nullptr);
  return image.at(int(px), int(py));
}

}  // namespace

TEST(DrawAccess, EachQuadKeepsTheTextureInForceWhenItWasDrawn) {
  sim::DrawList list;
  LWCustomObjAccess access;
  const double pos[3] = {0, 0, -10}, dir[3] = {0, 0, 1};
  sim::beginRecording(access, list, LWVIEW_XY, pos, dir);
  unsigned char red[2 * 2 * 4], green[2 * 2 * 4];
  for (int i = 0; i < 4; ++i) {
    red[i * 4 + 0] = 255, red[i * 4 + 1] = 0, red[i * 4 + 2] = 0, red[i * 4 + 3] = 255;
    green[i * 4 + 0] = 0, green[i * 4 + 1] = 255, green[i * 4 + 2] = 0, green[i * 4 + 3] = 255;
  }
  access.setTexture(access.dispData, 2, red);
  quadAt(access, -0.9, -0.1);
  red[0] = 7;  // the host took a copy at the call
  access.setTexture(access.dispData, 2, green);
  quadAt(access, 0.1, 0.9);
  access.setTexture(access.dispData, 16, nullptr);
  quadAt(access, 0.95, 0.99);  // untextured
  ASSERT_EQ(list.primitives.size(), 3u);
  EXPECT_EQ(list.primitives[0].textureIndex, 0);
  EXPECT_EQ(list.primitives[1].textureIndex, 1);
  EXPECT_EQ(list.primitives[2].textureIndex, -1);
  EXPECT_EQ(list.textures[0][0], 255);

  const sim::SimViewport v = frontView();
  sim::Image image(100, 100, {0, 0, 0, 255});
  sim::Rasteriser raster(image);
  sim::ViewPainter painter(v, raster);
  sim::SimScene scene;
  sim::renderDrawList(list, scene, painter);
  EXPECT_EQ(at(image, v, -0.5), (sim::Rgba8{255, 0, 0, 255}));
  EXPECT_EQ(at(image, v, 0.5), (sim::Rgba8{0, 255, 0, 255}));
}

TEST(DrawAccess, TextureFilterPolicies) {
  // A 2 x 2 texture, black on the left and white on the right, over a quad 80 pixels wide:
  // nearest gives two flat halves, linear a ramp between the texel centres.
  sim::DrawList list;
  LWCustomObjAccess access;
  const double pos[3] = {0, 0, -10}, dir[3] = {0, 0, 1};
  sim::beginRecording(access, list, LWVIEW_XY, pos, dir);
  unsigned char tex[2 * 2 * 4] = {0, 0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255};
  access.setTexture(access.dispData, 2, tex);
  quadAt(access, -0.8, 0.8);
  const sim::SimViewport v = frontView();
  for (auto filter : {sim::DrawAccessPolicy::TextureFilter::Nearest, sim::DrawAccessPolicy::TextureFilter::Linear}) {
    sim::Image image(100, 100, {0, 0, 0, 255});
    sim::Rasteriser raster(image);
    sim::ViewPainter painter(v, raster);
    sim::SimScene scene;
    sim::DrawAccessPolicy policy;
    policy.textureFilter = filter;
    sim::renderDrawList(list, scene, painter, policy);
    // Texel centres at x = -0.4 and 0.4.
    const int left = at(image, v, -0.6)[0], quarter = at(image, v, -0.2)[0], right = at(image, v, 0.6)[0];
    if (filter == sim::DrawAccessPolicy::TextureFilter::Nearest) {
      EXPECT_EQ(left, 0);
      EXPECT_EQ(quarter, 0);
      EXPECT_EQ(right, 255);
    } else {
      EXPECT_EQ(left, 0);      // left of the first texel centre: clamped
      EXPECT_GT(quarter, 60);  // between the centres: blended
      EXPECT_LT(quarter, 200);
      EXPECT_EQ(right, 255);
    }
  }
}
