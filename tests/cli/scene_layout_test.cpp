// Scenes as Layout writes them, loaded into the simulated host: item pivots and pivot
// rotations (objects placed and bones oriented by them), LoadObjectLayer's layer numbers
// against the objects' LAYR numbers, and where a scene's objects are looked for. Every scene
// and object here is written by the test.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "cli_test_util.h"
#include "io/scene_files.h"

using namespace cli_test;
namespace fs = std::filesystem;

namespace {

constexpr double kTol = 1e-5;

// An item's motion: one key per channel, position and rotation (radians) at frame 0.
std::string motion(const char* keyword, sim::Vec3 position, sim::Vec3 rotation = {0, 0, 0}) {
  const double v[9] = {position[0], position[1], position[2], rotation[0], rotation[1], rotation[2], 1, 1, 1};
  std::string m = std::string(keyword) + "\nNumChannels 9\n";
  for (int c = 0; c < 9; ++c)
    m += "Channel " + std::to_string(c) + "\n{ Envelope\n  1\n  Key " + std::to_string(v[c]) +
         " 0 0 0 0 0 0 0 0\n  Behaviors 1 1\n}\n";
  return m;
}

struct Loaded {
  sim::Host host;
  sim::ObjectFiles objects;
  sim::LoadedScene scene;
};

void load(Loaded& l, const std::string& path) {
  sim::FileError fe;
  ASSERT_TRUE(sim::loadSceneIntoHost(l.host, l.objects, path, l.scene, fe)) << fe.text();
}

// World position of point `i` of the named object, as the host's frozen mesh has it.
sim::Vec3 worldPoint(Loaded& l, const std::string& name, size_t i) {
  const sim::SimItem* item = l.host.scene.findByName(name);
  EXPECT_NE(item, nullptr) << name;
  if (!item) return {};
  const auto& frozen = l.host.scene.frozen(item->id);
  const auto& p = frozen.otherPos[frozen.extraPoints + i];
  return {p[0], p[1], p[2]};
}

void expectNear(const sim::Vec3& a, const sim::Vec3& b) {
  for (size_t k = 0; k < 3; ++k) EXPECT_NEAR(a[k], b[k], kTol) << "coordinate " << k;
}

const std::vector<std::array<float, 3>> kTriangle = {{0, 0, 0}, {0.2f, 0, 0}, {0, 0.2f, 0}};

}  // namespace

TEST(cliSceneLayout, PivotPositionsKeepEveryPartWhereTheModelHasIt) {
  // A car body and a wheel, modelled in place; Layout moved the wheel's pivot to its hub and
  // keyed the wheel there. Both the current keyword and the older PivotPoint are read.
  Scratch dir;
  writeLayeredObject(dir.file("Body.lwo"), {{0, {0, 0, 0}, {{-2, 0.5f, 0}, {2, 0.5f, 0}, {2, 1.5f, 0}}}});
  writeLayeredObject(dir.file("Wheel.lwo"), {{0, {0, 0, 0}, {{1.5f, 0.3f, 0}, {1.7f, 0.3f, 0}, {1.5f, 0.5f, 0}}}});
  writeLayeredObject(dir.file("Spare.lwo"), {{0, {0, 0, 0}, {{-1.5f, 0.3f, 0}, {-1.3f, 0.3f, 0}, {-1.5f, 0.5f, 0}}}});
  writeText(dir.file("car.lws"),
            sceneText("LoadObjectLayer 1 10000000 Body.lwo\nShowObject 6 7\n" + motion("ObjectMotion", {0, 0, 0}) +
                      "\nLoadObjectLayer 1 10000001 Wheel.lwo\nShowObject 6 7\n" +
                      motion("ObjectMotion", {1.5, 0.3, 0}) + "PivotPosition 1.5 0.3 0\nPivotRotation 0 0 0\n" +
                      "\nLoadObjectLayer 1 10000002 Spare.lwo\nShowObject 6 7\n" +
                      motion("ObjectMotion", {-1.5, 0.3, 0}) + "PivotPoint -1.5 0.3 0\n"));
  Loaded l;
  load(l, dir.file("car.lws"));
  EXPECT_TRUE(l.scene.warnings.empty());
  expectNear(worldPoint(l, "Body", 0), {-2, 0.5, 0});
  expectNear(worldPoint(l, "Wheel", 1), {1.7, 0.3, 0});
  expectNear(worldPoint(l, "Spare", 2), {-1.5, 0.5, 0});
  EXPECT_EQ(l.host.scene.findByName("Wheel")->pivot, (sim::Vec3{1.5, 0.3, 0}));

  // A scene written from the host keeps the pivot.
  const sim::LoadedScene written = sim::sceneFromHost(l.host, l.scene.objectPaths);
  const int wheelItem = written.file.findItem(sim::LwsItemType::Object, "Wheel.lwo");
  ASSERT_GE(wheelItem, 0);
  ASSERT_TRUE(written.file.items[size_t(wheelItem)].pivot);
  EXPECT_EQ(*written.file.items[size_t(wheelItem)].pivot, (std::array<double, 3>{1.5, 0.3, 0}));

  // Turning the wheel turns it about its hub: the hub stays put.
  sim::SimItem* wheel = l.host.scene.findByName("Wheel");
  wheel->rotation = {0, 0, M_PI / 2};
  l.host.scene.refreshFrozen();
  expectNear(worldPoint(l, "Wheel", 0), {1.5, 0.3, 0});
  expectNear(worldPoint(l, "Wheel", 1), {1.5, 0.5, 0});
}

TEST(cliSceneLayout, PivotRotationOrientsBonesAndTheirDeformation) {
  // A bone saved by Layout: rest direction 0 0 0, its orientation (pitch -90: along +Y) in
  // the pivot rotation, as Record Pivot Rotation leaves it.
  Scratch dir;
  writeLayeredObject(dir.file("Post.lwo"), {{0, {0, 0, 0}, {{0, 0.5f, 0.5f}, {0, 1, 0.5f}, {0, 0.5f, 0.6f}}}});
  writeText(dir.file("post.lws"),
            sceneText("LoadObjectLayer 1 10000000 Post.lwo\nShowObject 6 7\n" + motion("ObjectMotion", {0, 0, 0}) +
                      "\nAddBone 40000000\nBoneName Spine\nShowBone 1 -1\nBoneActive 1\n"
                      "BoneRestPosition 0 0 0\nBoneRestDirection 0 0 0\nBoneRestLength 1\n" +
                      motion("BoneMotion", {0, 0, 0}) + "PivotPosition 0 0 0\nPivotRotation 0 -90 0\n" +
                      "ParentItem 10000000\n"));
  Loaded l;
  load(l, dir.file("post.lws"));
  sim::SimItem* bone = l.host.scene.findByName("Spine");
  ASSERT_NE(bone, nullptr);
  EXPECT_NEAR(bone->pivotRotation[1], -M_PI / 2, 1e-12);
  // The bone points up in the world, at rest and now; at rest it moves nothing.
  expectNear(l.host.scene.worldFrame(bone->id).axis[2], {0, 1, 0});
  expectNear(l.host.scene.restWorldFrame(bone->id).axis[2], {0, 1, 0});
  expectNear(worldPoint(l, "Post", 0), {0, 0.5, 0.5});

  // A scene written from the host keeps the orientation in the pivot rotation, in degrees.
  const sim::LoadedScene written = sim::sceneFromHost(l.host, l.scene.objectPaths);
  const int spine = written.file.findItem(sim::LwsItemType::Bone, "Spine");
  ASSERT_GE(spine, 0);
  ASSERT_TRUE(written.file.items[size_t(spine)].pivotRotation);
  EXPECT_NEAR((*written.file.items[size_t(spine)].pivotRotation)[1], -90.0, 1e-9);
  EXPECT_EQ(written.file.items[size_t(spine)].bone.restDirection, (std::array<double, 3>{0, 0, 0}));

  // Banking the bone turns the mesh about the bone's own axis, the world's Y: heights stay.
  bone->rotation = {0, 0, M_PI / 2};
  l.host.scene.refreshFrozen();
  const sim::Vec3 p = worldPoint(l, "Post", 0);
  EXPECT_NEAR(p[1], 0.5, kTol);
  EXPECT_NEAR(std::hypot(p[0], p[2]), 0.5, kTol);
  EXPECT_NEAR(p[2], 0.0, kTol);
}

TEST(cliSceneLayout, LoadObjectLayerCountsFromOneWhereLayrCountsFromZero) {
  Scratch dir;
  // Modeler's layers 1 and 2 are LAYR 0 and 1; a second object starts its LAYR numbers at 1.
  writeLayeredObject(dir.file("Two.lwo"), {{0, {0, 0, 0}, kTriangle},
                                           {1, {0, 0, 0}, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}}});
  writeLayeredObject(dir.file("Late.lwo"), {{1, {0, 0, 0}, kTriangle},
                                            {2, {0, 0, 0}, {{0, 0, 2}, {1, 0, 2}, {1, 1, 2}, {0, 1, 2}, {0, 2, 2}}}});
  writeText(dir.file("layers.lws"),
            sceneText("LoadObjectLayer 1 10000000 Two.lwo\nShowObject 6 7\n"
                      "LoadObjectLayer 2 10000001 Two.lwo\nShowObject 6 7\n"));
  Loaded l;
  load(l, dir.file("layers.lws"));
  EXPECT_TRUE(l.scene.warnings.empty()) << l.scene.warnings.front();
  const sim::SimItem* first = l.host.scene.find(l.scene.itemIds[0]);
  const sim::SimItem* second = l.host.scene.find(l.scene.itemIds[1]);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->mesh->numPoints(), 3u);
  EXPECT_EQ(second->mesh->numPoints(), 4u);
  EXPECT_EQ(first->name, "Two:Layer1");
  EXPECT_EQ(second->name, "Two:Layer2");

  // A scene written for objects loaded on their own names the layers so they load back.
  sim::Host host;
  sim::ObjectFiles objects;
  sim::FileError fe;
  ASSERT_EQ(objects.load(host.scene, dir.file("Late.lwo"), fe).size(), 2u) << fe.text();
  std::map<uint64_t, std::string> paths;
  for (const auto& it : host.scene.items()) paths[it->id] = "Late.lwo";
  sim::LoadedScene built = sim::sceneFromHost(host, paths);
  ASSERT_TRUE(sim::saveLws(built.file, dir.file("late.lws"), fe)) << fe.text();
  ASSERT_EQ(built.file.items.size(), 2u);
  EXPECT_EQ(built.file.items[0].layer, 2);
  EXPECT_EQ(built.file.items[1].layer, 3);
  Loaded back;
  load(back, dir.file("late.lws"));
  EXPECT_TRUE(back.scene.warnings.empty());
  EXPECT_EQ(back.host.scene.find(back.scene.itemIds[1])->mesh->numPoints(), 5u);

  // A layer the object does not have is reported, not loaded from another layer.
  writeText(dir.file("missing.lws"), sceneText("LoadObjectLayer 3 10000000 Two.lwo\nShowObject 6 7\n"));
  Loaded missing;
  load(missing, dir.file("missing.lws"));
  ASSERT_EQ(missing.scene.warnings.size(), 1u);
  EXPECT_NE(missing.scene.warnings[0].find("no layer 3"), std::string::npos) << missing.scene.warnings[0];
}

TEST(cliSceneLayout, TheScenesOwnFolderWinsOverTheCurrentDirectory) {
  Scratch dir;
  fs::create_directories(dir.file("work"));
  fs::create_directories(dir.file("project/Scenes"));
  fs::create_directories(dir.file("project/Objects"));
  // The same name three times: the scene's folder, its content folder, and the current directory.
  writeLayeredObject(dir.file("project/Scenes/Prop.lwo"), {{0, {0, 0, 0}, kTriangle}});
  writeLayeredObject(dir.file("project/Objects/Rig.lwo"), {{0, {0, 0, 0}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}});
  writeLayeredObject(dir.file("work/Prop.lwo"), {{0, {0, 0, 0}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 2, 0}}}});
  fs::create_directories(dir.file("work/Objects"));
  writeLayeredObject(dir.file("work/Objects/Rig.lwo"), {{0, {0, 0, 0}, kTriangle}});
  writeText(dir.file("project/Scenes/shot.lws"),
            sceneText("LoadObjectLayer 1 10000000 Prop.lwo\nShowObject 6 7\n"
                      "LoadObjectLayer 1 10000001 Objects/Rig.lwo\nShowObject 6 7\n"));

  const fs::path before = fs::current_path();
  fs::current_path(dir.file("work"));
  Loaded l;
  load(l, dir.file("project/Scenes/shot.lws"));
  fs::current_path(before);
  EXPECT_EQ(l.host.scene.find(l.scene.itemIds[0])->mesh->numPoints(), 3u);
  EXPECT_EQ(l.host.scene.find(l.scene.itemIds[1])->mesh->numPoints(), 4u);
  EXPECT_EQ(fs::path(l.host.scene.find(l.scene.itemIds[0])->filename), fs::path(dir.file("project/Scenes/Prop.lwo")));
}
