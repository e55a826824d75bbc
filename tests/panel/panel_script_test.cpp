// velmora-sim scripts drive the edit panel by its labels: a tool chosen with its button
// and a value typed into "Value" decide what the next stroke paints.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "app/script.h"
#include "app/session.h"
#include "support/paths.h"
#include "support/scratch_files.h"

namespace {

class PanelScript : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(session.prepare(&error)) << error;
    ASSERT_TRUE(session.loadModule(velmora_test::moduleFile(), &error)) << error;
    session.buildDemo(8, 12);
  }
  std::string run(const std::string& text) {
    sim::app::ScriptError error;
    return sim::app::runScript(session, sim::app::parseScript(text), &error) ? "" : error.text();
  }
  // The values of a map of the limb, by point index.
  std::vector<float> mapValues(const std::string& name) {
    std::vector<float> out;
    for (const auto& item : session.host().scene.items())
      if (item->name == "Limb")
        if (const sim::SimVMap* m = item->mesh->findVMap(sim::kVMapWGHT, name))
          for (const auto& [index, values] : m->values) out.push_back(values.empty() ? 0.0f : values[0]);
    return out;
  }

  velmora_test::ScratchDir dir;
  std::ostringstream out;
  sim::app::Session session{dir.dir(), out};
};

const char* kSetUp =
    "SelectItem Limb\n"
    "Viewport 0 type=front center=0,1.5,0 zoom=2 size=800x600\n"
    "Tool KTQ_VelmoraTool\n";

}  // namespace

TEST_F(PanelScript, APenChosenOnThePanelPaintsTheTypedValue) {
  ASSERT_EQ(run(std::string(kSetUp) +
                "Panel \"Name\" \"Painted\"\n"
                "Press \"Pen\"\n"
                "Panel \"Value\" 40\n"
                "Stroke 400 300 402 290 404 280 steps=6\n"),
            "");
  const std::vector<float> values = mapValues("Painted");
  ASSERT_FALSE(values.empty());
  // The pen sets every point it reaches to the value itself (no strength, no blending);
  // the zero-weighted outline closes the region with 0.
  int painted = 0;
  for (float v : values) {
    EXPECT_TRUE(v == 0.0f || std::abs(v - 0.4f) < 1e-6f) << v;
    painted += v > 0.0f;
  }
  EXPECT_GT(painted, 0);
}

TEST_F(PanelScript, ASelectionToolPaintsNothing) {
  ASSERT_EQ(run(std::string(kSetUp) +
                "Panel \"Name\" \"Untouched\"\n"
                "Press \"Pen Sel\"\n"
                "Stroke 400 300 402 290 404 280 steps=6\n"),
            "");
  EXPECT_TRUE(mapValues("Untouched").empty());
}
