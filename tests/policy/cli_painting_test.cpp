// Painting real LightWave objects through the command-line host, as a user would: the
// module file loaded, a stroke dragged in a top and in a perspective view, the object
// saved, and the weight map read back from the saved file.
#include <gtest/gtest.h>

#include <sstream>

#include "app/script.h"
#include "app/session.h"
#include "files/lwo_io.h"
#include "host/host_policy.h"
#include "policy/policy_fixture.h"
#include "support/paths.h"
#include "support/scratch_files.h"

namespace {

class CliPainting : public ::testing::TestWithParam<sim::HostPolicy> {
 protected:
  // Runs the script on a copy-free load of the testdata object and returns the saved
  // object's "Weight" map as point -> value (empty when there is none).
  std::map<uint32_t, float> paint(const std::string& object, const std::string& name, const std::string& actions,
                                  sim::LwoObject* saved) {
    velmora_test::ScratchDir dir;
    std::ostringstream account;
    sim::app::Session session(dir.file("out"), account);
    std::string why;
    EXPECT_TRUE(session.prepare(&why)) << why;
    session.host().policy = GetParam();
    EXPECT_TRUE(session.loadModule(velmora_test::moduleFile(), &why)) << why;
    EXPECT_TRUE(session.loadInput(velmora_test::testdataPath("lightwave/" + object), &why)) << why;
    sim::app::ScriptError error;
    const std::string script = "SelectItem " + name + "\nTool KTQ_VelmoraTool\n" + actions + "ChangeTool\nSaveObjects\n";
    EXPECT_TRUE(sim::app::runScript(session, sim::app::parseScript(script), &error)) << error.text() << account.str();
    EXPECT_TRUE(session.host().hostFaults.empty());
    sim::FileError fileError;
    EXPECT_TRUE(sim::loadLwo(dir.file("out/" + name + ".lwo"), *saved, fileError)) << account.str();
    std::map<uint32_t, float> out;
    for (const auto& chunk : saved->chunks())
      if (const auto* map = std::get_if<sim::LwoVertexMap>(&chunk.data))
        if (map->type == sim::lwoId("WGHT") && map->name == "Weight")
          for (size_t i = 0; i < map->numEntries(); ++i) out[map->points[i]] = map->values[i];
    return out;
  }
  static std::vector<sim::LwoPoint> pointsOf(const sim::LwoObject& object) {
    for (const auto& chunk : object.chunks())
      if (const auto* p = std::get_if<sim::LwoPoints>(&chunk.data)) return p->points;
    return {};
  }
};

// The sphere (radius about 2 around the origin, LWOB): a stroke across its top seen from
// above paints only the upper half; the far side is never touched.
TEST_P(CliPainting, ATopViewStrokeOnASpherePaintsOnlyWhatFacesTheView) {
  sim::LwoObject saved;
  const auto map = paint("assimp/LWOB/sphere_with_mat_gloss_10pc.lwo", "sphere_with_mat_gloss_10pc",
                         "Viewport 0 type=top center=0,0,0 zoom=1.5 size=600x600\n"
                         "Stroke 200 300 400 300 steps=12\n",
                         &saved);
  ASSERT_FALSE(map.empty());
  const auto points = pointsOf(saved);
  for (const auto& [index, value] : map) {
    ASSERT_LT(index, points.size());
    EXPECT_GT(points[index][1], -0.05f) << "point " << index << " is on the far side";
    EXPECT_GE(value, 0.0f);  // zeros close the painted region ("0-Weighted Outline Points")
    EXPECT_LE(value, 1.0f);
  }
}

// A ball 72 units across, far from the origin: the brush works at any model scale.
TEST_P(CliPainting, APerspectiveStrokeOnALargeBallLandsInItsFile) {
  sim::LwoObject saved;
  const auto map = paint("java3d-examples/greenball.lwo", "greenball",
                         "Viewport 0 type=persp center=-36,0,44 rotation=30,20,0 zoom=150 size=640x480\n"
                         "Stroke 300 240 340 240 steps=6\n",
                         &saved);
  EXPECT_FALSE(map.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryPlausibleHost, CliPainting, ::testing::ValuesIn(sim::plausibleHostPolicies()),
                         policyTestName);

}  // namespace
