// Scenes through the bridge: items, bones and parents from a real scene file, the content
// directory rules, bone settings and master handlers written back, and nothing else touched.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "cli_test_util.h"
#include "io/scene_files.h"
#include "support/paths.h"

using namespace cli_test;
namespace fs = std::filesystem;

namespace {

const sim::SimItem* byName(sim::Host& host, const std::string& name) { return host.scene.findByName(name); }

std::string selectCommand(const sim::SimItem* item) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "SelectItem %x", unsigned(item->id & 0xFFFFFFFFu));
  return buf;
}

}  // namespace

TEST(cliSceneBridge, LoadsBonesWithRestDataAndParents) {
  sim::Host host;
  sim::ObjectFiles objects;
  sim::LoadedScene scene;
  sim::FileError fe;
  ASSERT_TRUE(sim::loadSceneIntoHost(host, objects, lightwave("lightwave3D-MCP/WeightTest_rig.lws"), scene, fe))
      << fe.text();
  // The object is not shipped: a warning and an empty stand-in item that keeps its bones.
  ASSERT_EQ(scene.warnings.size(), 1u);
  EXPECT_NE(scene.warnings[0].find("WeightTest.lwo"), std::string::npos);
  const sim::SimItem* object = byName(host, "WeightTest");
  const sim::SimItem* lower = byName(host, "WT_Lower");
  const sim::SimItem* upper = byName(host, "WT_Upper");
  ASSERT_TRUE(object && lower && upper);
  EXPECT_EQ(lower->boneObject, object->id);
  EXPECT_EQ(lower->parent, object->id);
  EXPECT_EQ(upper->parent, lower->id);
  EXPECT_NEAR(lower->restRotation[1], -M_PI / 2, 1e-12);
  EXPECT_EQ(lower->restLength, 0.5);
  EXPECT_EQ(upper->restPosition, (sim::Vec3{0, 0, 0.5}));
  EXPECT_TRUE(lower->weightMap.empty());
  EXPECT_TRUE(lower->boneFlags & sim::kBoneScaleStrength);
  EXPECT_NE(byName(host, "Light"), nullptr);
  EXPECT_NE(byName(host, "Camera"), nullptr);
}

TEST(cliSceneBridge, BoneChangesAreWrittenAndAllElseKeepsItsLines) {
  Scratch dir;
  sim::Host host;
  sim::ObjectFiles objects;
  sim::LoadedScene scene;
  sim::FileError fe;
  const std::string source = lightwave("lightwave3D-MCP/WeightTest_rig.lws");
  ASSERT_TRUE(sim::loadSceneIntoHost(host, objects, source, scene, fe)) << fe.text();
  ASSERT_TRUE(sim::saveSceneFromHost(host, scene, dir.file("same.lws"), fe)) << fe.text();
  EXPECT_EQ(readBytes(dir.file("same.lws")), readBytes(source));
  EXPECT_FALSE(sim::saveSceneFromHost(host, scene, source, fe));

  for (const char* c : {"BoneRestLength 0.75", "BoneStrength 2.5", "BoneWeightMapName Arm", "BoneActive",
                        "BoneNormalization"}) {
    host.command(selectCommand(byName(host, "WT_Upper")));
    ASSERT_EQ(host.command(c), 1) << c;
  }
  std::vector<std::string> changes;
  ASSERT_TRUE(sim::saveSceneFromHost(host, scene, dir.file("edited.lws"), fe, &changes)) << fe.text();
  EXPECT_EQ(changes.size(), 5u);
  sim::LwsScene back;
  ASSERT_TRUE(sim::loadLws(dir.file("edited.lws"), back, fe)) << fe.text();
  const sim::LwsBone& b = back.items[size_t(back.findItem(sim::LwsItemType::Bone, "WT_Upper"))].bone;
  EXPECT_EQ(b.restLength, 0.75);
  EXPECT_EQ(b.strength, 2.5);
  EXPECT_EQ(b.weightMapName, "Arm");
  EXPECT_FALSE(b.active);
  EXPECT_TRUE(b.normalization);
  const sim::LwsBone& untouched = back.items[size_t(back.findItem(sim::LwsItemType::Bone, "WT_Lower"))].bone;
  EXPECT_EQ(untouched.restLength, 0.5);
  EXPECT_TRUE(untouched.weightMapName.empty());
}

TEST(cliSceneBridge, ObjectsAreFoundByTheContentDirectoryRules) {
  Scratch dir;
  fs::create_directories(dir.file("Scenes"));
  fs::create_directories(dir.file("Objects"));
  fs::copy_file(examples("Limb.lwo"), dir.file("Objects/Limb.lwo"));
  // The example names "Limb.lwo"; this copy names it under Objects/, as Layout writes it.
  std::string text = readText(examples("limb.lws"));
  const std::string from = "10000000 Limb.lwo";
  ASSERT_NE(text.find(from), std::string::npos);
  text.replace(text.find(from), from.size(), "10000000 Objects\\Limb.lwo");
  writeText(dir.file("Scenes/limb.lws"), text);

  EXPECT_EQ(sim::resolveScenePath(dir.file("Scenes/limb.lws"), "Objects\\Limb.lwo"), dir.file("Objects/Limb.lwo"));
  EXPECT_EQ(sim::resolveScenePath(dir.file("Scenes/limb.lws"), "Objects/Gone.lwo"), "");

  sim::Host host;
  sim::ObjectFiles objects;
  sim::LoadedScene scene;
  sim::FileError fe;
  ASSERT_TRUE(sim::loadSceneIntoHost(host, objects, dir.file("Scenes/limb.lws"), scene, fe)) << fe.text();
  EXPECT_TRUE(scene.warnings.empty());
  const sim::SimItem* limb = byName(host, "Limb");
  ASSERT_NE(limb, nullptr);
  EXPECT_GT(limb->mesh->numPoints(), 0u);
  EXPECT_NE(limb->mesh->findVMap(sim::kVMapWGHT, "Upper"), nullptr);
  EXPECT_EQ(byName(host, "Upper")->weightMap, "Upper");
  EXPECT_EQ(byName(host, "Lower")->parent, byName(host, "Upper")->id);
}

TEST(cliSceneBridge, MasterHandlersFollowTheHost) {
  Scratch dir;
  sim::FileError fe;
  std::string error;
  {
    sim::Host host;
    host.settingsDir = dir.dir();
    ASSERT_TRUE(host.loadModule(velmora_test::moduleFile(), &error)) << error;
    sim::ObjectFiles objects;
    sim::LoadedScene scene;
    ASSERT_TRUE(sim::loadSceneIntoHost(host, objects, examples("limb.lws"), scene, fe)) << fe.text();
    ASSERT_TRUE(host.applyServer("MasterHandler", "MasterControl_vmr"));
    ASSERT_TRUE(sim::saveSceneFromHost(host, scene, dir.file("with.lws"), fe)) << fe.text();
    host.removeServer("MasterHandler", 1);
    ASSERT_TRUE(sim::saveSceneFromHost(host, scene, dir.file("without.lws"), fe)) << fe.text();
  }
  sim::LwsScene with, without;
  ASSERT_TRUE(sim::loadLws(dir.file("with.lws"), with, fe));
  ASSERT_TRUE(sim::loadLws(dir.file("without.lws"), without, fe));
  ASSERT_EQ(with.masterHandlers().size(), 1u);
  EXPECT_EQ(with.plugins[with.masterHandlers()[0]].server, "MasterControl_vmr");
  EXPECT_TRUE(without.masterHandlers().empty());
  EXPECT_EQ(readBytes(dir.file("without.lws")), readBytes(examples("limb.lws")));

  // Loading the saved scene applies the handler again, with its data.
  sim::Host host;
  host.settingsDir = dir.dir();
  ASSERT_TRUE(host.loadModule(velmora_test::moduleFile(), &error)) << error;
  sim::ObjectFiles objects;
  sim::LoadedScene scene;
  fs::copy_file(examples("Limb.lwo"), dir.file("Limb.lwo"));
  ASSERT_TRUE(sim::loadSceneIntoHost(host, objects, dir.file("with.lws"), scene, fe)) << fe.text();
  EXPECT_EQ(host.appliedServers("MasterHandler"), std::vector<std::string>{"MasterControl_vmr"});
  ASSERT_EQ(scene.masters.size(), 1u);
}
