// The command-line host's run under every host policy: the module file loaded as Layout
// loads it, the tool activated and left, a map written through the module's mesh-edit
// command, the scene saved with the tool active.
#include <gtest/gtest.h>

#include <sstream>

#include "app/script.h"
#include "app/session.h"
#include "host/host_policy.h"
#include "policy/policy_fixture.h"
#include "support/paths.h"
#include "support/scratch_files.h"

namespace {

class CliScenario : public ::testing::TestWithParam<sim::HostPolicy> {};

bool runLines(sim::app::Session& session, const std::string& text, std::string* why) {
  sim::app::ScriptError error;
  if (sim::app::runScript(session, sim::app::parseScript(text), &error)) return true;
  *why = error.text();
  return false;
}

TEST_P(CliScenario, TheDemoPaintsItsMapThroughTheLoadedModule) {
  velmora_test::ScratchDir dir;
  std::ostringstream account;
  sim::app::Session session(dir.file("out"), account);
  std::string why;
  ASSERT_TRUE(session.prepare(&why)) << why;
  session.host().policy = GetParam();
  ASSERT_TRUE(session.loadModule(velmora_test::moduleFile(), &why)) << why;
  session.buildDemo(4, 6);
  const sim::SimItem* limb = session.host().scene.find(session.mainObject());
  ASSERT_NE(limb, nullptr);
  const std::string limbName = limb->name;
  const auto before = limb->mesh->findVMap(sim::kVMapWGHT, "Upper")->values;
  ASSERT_TRUE(runLines(session, sim::app::demoScript(limbName), &why)) << why << account.str();
  limb = session.host().scene.findByName(limbName);
  ASSERT_NE(limb, nullptr);
  const sim::SimVMap* map = limb->mesh->findVMap(sim::kVMapWGHT, "Upper");
  ASSERT_NE(map, nullptr) << account.str();
  EXPECT_NE(map->values, before) << "the stroke changed nothing";
  EXPECT_EQ(session.host().lastToolResult, 0);
  EXPECT_TRUE(session.host().hostFaults.empty());
}

TEST_P(CliScenario, SavingTheSceneWithTheToolActiveLeavesTheDummyOut) {
  velmora_test::ScratchDir dir;
  std::ostringstream account;
  sim::app::Session session(dir.file("out"), account);
  std::string why;
  ASSERT_TRUE(session.prepare(&why)) << why;
  session.host().policy = GetParam();
  ASSERT_TRUE(session.loadModule(velmora_test::moduleFile(), &why)) << why;
  session.buildDemo(4, 6);
  const std::string limbName = session.host().scene.find(session.mainObject())->name;
  ASSERT_TRUE(runLines(session, "SelectItem " + limbName + "\nTool KTQ_VelmoraTool\nSaveScene\n", &why))
      << why << account.str();
  const std::string scene = velmora_test::readText(dir.file("out/demo.lws"));
  ASSERT_FALSE(scene.empty());
  EXPECT_EQ(scene.find("(temporary data)"), std::string::npos);
  // The dummy is back afterwards and the tool still works on the limb.
  EXPECT_NE(session.host().scene.findByName("(temporary data)"), nullptr);
  EXPECT_TRUE(session.host().toolActive());
  EXPECT_EQ(session.host().scene.firstSelected(), session.host().scene.findByName(limbName)->id);
  EXPECT_TRUE(session.host().hostFaults.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryPlausibleHost, CliScenario, ::testing::ValuesIn(sim::plausibleHostPolicies()),
                         policyTestName);

}  // namespace
