// Objects through the bridge: maps the module writes with its own mesh-edit command (driven by
// the host-side ring stand-in) are saved as VMAP chunks that read back to the bit, and only
// the chunks that changed differ from the source.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/ring_stand_in.h"
#include "cli_test_util.h"
#include "files/lwo_io.h"
#include "io/object_files.h"
#include "support/paths.h"

using namespace cli_test;
using sim::app::RingOp;
using sim::app::RingRequest;

namespace {

constexpr sim::LwoId kWght = sim::lwoId("WGHT");
constexpr size_t kRootLayer = 1;  // "RootOfHierarchy", second layer in file order

class cliObjectBridge : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_unique<sim::Host>();
    host->settingsDir = dir.dir();
    std::string error;
    ASSERT_TRUE(host->loadModule(velmora_test::moduleFile(), &error)) << error;
    source = lightwave("assimp/LWO2/hierarchy.lwo");
    sim::FileError fe;
    items = files.load(host->scene, source, fe);
    ASSERT_EQ(items.size(), 4u) << fe.text();
    root = items[kRootLayer];
    host->scene.select(root);
  }

  void ring(const RingRequest& request) {
    std::string error;
    ASSERT_TRUE(sim::app::runRingRequest(*host, request, nullptr, &error)) << error;
  }

  sim::LwoObject saveAndReload(const std::string& name) {
    sim::FileError fe;
    EXPECT_TRUE(files.save(host->scene, root, dir.file(name), fe)) << fe.text();
    sim::LwoObject out;
    EXPECT_TRUE(sim::loadLwo(dir.file(name), out, fe)) << fe.text();
    return out;
  }

  sim::SimMesh& mesh() { return *host->scene.find(root)->mesh; }

  Scratch dir;
  std::unique_ptr<sim::Host> host;
  sim::ObjectFiles files;
  std::string source;
  std::vector<uint64_t> items;
  uint64_t root = 0;
};

// Original chunk bytes of a file, without the chunks `skip` accepts.
template <typename Skip>
std::vector<std::vector<uint8_t>> chunkBytes(const sim::LwoObject& o, Skip skip) {
  std::vector<std::vector<uint8_t>> out;
  for (const auto& c : o.chunks())
    if (!skip(c)) out.push_back(c.original);
  return out;
}

bool isMap(const sim::LwoChunk& c, const std::string& name) {
  auto* m = std::get_if<sim::LwoVertexMap>(&c.data);
  return m && m->name == name;
}

}  // namespace

TEST_F(cliObjectBridge, LoadsEveryLayerAsAnItemWithItsMaps) {
  EXPECT_EQ(host->scene.find(root)->name, "hierarchy:RootOfHierarchy");
  EXPECT_EQ(mesh().numPoints(), 266u);
  EXPECT_EQ(mesh().numPolygons(), 288u);
  const sim::SimVMap* w = mesh().findVMap(sim::kVMapWGHT, "Weight=");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->values.size(), 266u);
  EXPECT_EQ(w->values.at(5), std::vector<float>{1.0f});
  EXPECT_EQ(host->scene.find(items[0])->mesh->numPoints(), 8u);
}

TEST_F(cliObjectBridge, SavingWithoutChangesIsByteIdenticalAndNeverOverwritesTheSource) {
  sim::FileError fe;
  ASSERT_TRUE(files.save(host->scene, root, dir.file("same.lwo"), fe)) << fe.text();
  EXPECT_EQ(readBytes(dir.file("same.lwo")), readBytes(source));
  EXPECT_FALSE(files.save(host->scene, root, source, fe));
  EXPECT_NE(fe.message.find("source"), std::string::npos);
}

TEST_F(cliObjectBridge, AMapTheModuleWritesReadsBackToTheBit) {
  RingRequest paint;
  paint.map = "Painted";
  paint.indices = {0, 7, 100, 265};
  paint.values = {0.1f, 1.0f / 3.0f, 1e-30f, 0.99999994f};
  ring(paint);
  const sim::SimVMap* live = mesh().findVMap(sim::kVMapWGHT, "Painted");
  ASSERT_NE(live, nullptr);
  ASSERT_EQ(live->values.size(), 4u);
  EXPECT_TRUE(host->scene.find(root)->modified);

  sim::LwoObject out = saveAndReload("painted.lwo");
  const sim::LwoVertexMap* saved = out.findVertexMap(kRootLayer, kWght, "Painted");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->dimension, 1);
  EXPECT_EQ(saved->points, std::vector<uint32_t>({0, 7, 100, 265}));
  ASSERT_EQ(saved->values.size(), 4u);
  EXPECT_EQ(std::memcmp(saved->values.data(), paint.values.data(), 4 * sizeof(float)), 0);

  // Every other chunk is the source's, byte for byte and in order.
  sim::LwoObject in;
  sim::FileError fe;
  ASSERT_TRUE(sim::loadLwo(source, in, fe)) << fe.text();
  auto none = [](const sim::LwoChunk&) { return false; };
  EXPECT_EQ(chunkBytes(out, [](const sim::LwoChunk& c) { return isMap(c, "Painted"); }), chunkBytes(in, none));
}

TEST_F(cliObjectBridge, ChangedAndRemovedValuesOfAnExistingMapAreSaved) {
  RingRequest paint;
  paint.map = "Weight0";
  paint.indices = {3, 9};
  paint.values = {0.25f, -100000.0f};  // the second removes point 9 from the map
  ring(paint);
  ASSERT_EQ(mesh().findVMap(sim::kVMapWGHT, "Weight0")->find(9), nullptr);

  sim::LwoObject out = saveAndReload("changed.lwo");
  const sim::LwoVertexMap* m = out.findVertexMap(kRootLayer, kWght, "Weight0");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->numEntries(), 265u);
  EXPECT_EQ(std::find(m->points.begin(), m->points.end(), 9u), m->points.end());
  auto at3 = std::find(m->points.begin(), m->points.end(), 3u) - m->points.begin();
  EXPECT_EQ(m->values[size_t(at3)], 0.25f);
  // The untouched map keeps its bytes.
  sim::LwoObject in;
  sim::FileError fe;
  ASSERT_TRUE(sim::loadLwo(source, in, fe));
  auto other = [](const sim::LwoObject& o) {
    for (const auto& c : o.chunks())
      if (isMap(c, "Weight=")) return c.original;
    return std::vector<uint8_t>();
  };
  EXPECT_EQ(other(out), other(in));
}

TEST_F(cliObjectBridge, DeletingAndRenamingThroughTheModuleAreSaved) {
  RingRequest del;
  del.op = RingOp::DeleteMap;
  del.map = "Weight=";
  ring(del);
  RingRequest rename;
  rename.op = RingOp::RenameMap;
  rename.map = "Weight0";
  rename.newName = "Spine";
  ring(rename);
  ASSERT_EQ(mesh().findVMap(sim::kVMapWGHT, "Weight="), nullptr);
  ASSERT_NE(mesh().findVMap(sim::kVMapWGHT, "Spine"), nullptr);

  sim::LwoObject out = saveAndReload("renamed.lwo");
  EXPECT_EQ(out.findVertexMap(kRootLayer, kWght, "Weight="), nullptr);
  EXPECT_EQ(out.findVertexMap(kRootLayer, kWght, "Weight0"), nullptr);
  const sim::LwoVertexMap* spine = out.findVertexMap(kRootLayer, kWght, "Spine");
  ASSERT_NE(spine, nullptr);
  EXPECT_EQ(spine->numEntries(), 266u);
  // A rename edits the chunk in place: its VMPA stays, the deleted map's went with it.
  sim::LwoObject in;
  sim::FileError fe;
  ASSERT_TRUE(sim::loadLwo(source, in, fe));
  auto count = [](const sim::LwoObject& o, sim::LwoId id) {
    return std::count_if(o.chunks().begin(), o.chunks().end(), [&](const auto& c) { return c.id == id; });
  };
  ASSERT_GE(count(in, sim::lwoId("VMPA")), 2);
  EXPECT_EQ(count(out, sim::lwoId("VMPA")), count(in, sim::lwoId("VMPA")) - 1);
  EXPECT_EQ(count(out, sim::lwoId("VMAP")), count(in, sim::lwoId("VMAP")) - 1);
}

TEST_F(cliObjectBridge, SceneEditsOfTheMeshAreSavedAgainstTheLastSave) {
  // Rename by hand: the values stay, so the chunk is renamed rather than rewritten.
  mesh().findVMap(sim::kVMapWGHT, "Weight0")->name = "Back";
  // A map of another type and dimension is new.
  sim::SimVMap& uv = mesh().addVMap(sim::fourCC('T', 'X', 'U', 'V'), "UV", 2);
  uv.values[1] = {0.5f, 0.25f};
  sim::LwoObject first = saveAndReload("first.lwo");
  EXPECT_NE(first.findVertexMap(kRootLayer, kWght, "Back"), nullptr);
  const sim::LwoVertexMap* savedUv = first.findVertexMap(kRootLayer, sim::lwoId("TXUV"), "UV");
  ASSERT_NE(savedUv, nullptr);
  EXPECT_EQ(savedUv->values, std::vector<float>({0.5f, 0.25f}));

  // Nothing changed since: the next save is the same file.
  saveAndReload("second.lwo");
  EXPECT_EQ(readBytes(dir.file("second.lwo")), readBytes(dir.file("first.lwo")));

  // Removing a map from the mesh deletes it; points the file lacks are reported, not written.
  mesh().removeVMap(sim::fourCC('T', 'X', 'U', 'V'), "UV");
  sim::SimVMap& extra = mesh().addVMap(sim::kVMapWGHT, "Far", 1);
  extra.values[0] = {1.0f};
  extra.values[5000] = {1.0f};
  sim::ObjectSaveReport report;
  sim::FileError fe;
  ASSERT_TRUE(files.save(host->scene, root, dir.file("third.lwo"), fe, &report)) << fe.text();
  sim::LwoObject third;
  ASSERT_TRUE(sim::loadLwo(dir.file("third.lwo"), third, fe));
  EXPECT_EQ(third.findVertexMap(kRootLayer, sim::lwoId("TXUV"), "UV"), nullptr);
  ASSERT_NE(third.findVertexMap(kRootLayer, kWght, "Far"), nullptr);
  EXPECT_EQ(third.findVertexMap(kRootLayer, kWght, "Far")->numEntries(), 1u);
  bool noted = false;
  for (const auto& c : report.changes) noted = noted || c.find("not written") != std::string::npos;
  EXPECT_TRUE(noted);
}

TEST(cliObjectFromMesh, AnObjectBuiltInTheSimIsSavedAndReadsBack) {
  Scratch dir;
  sim::SimScene scene;
  auto mesh = std::make_shared<sim::SimMesh>();
  const float p[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  for (const auto& v : p) mesh->addPoint(v);
  mesh->addPolygon(sim::kTypeFACE, {0, 1, 2, 3}, "Skin");
  mesh->addPolygon(sim::kTypeSUBD, {0, 1, 2}, "Cage");
  mesh->addVMap(sim::kVMapWGHT, "W", 1).values[2] = {0.75f};
  uint64_t id = scene.addObject("Quad", mesh).id;
  sim::ObjectFiles files;
  sim::FileError fe;
  ASSERT_TRUE(files.save(scene, id, dir.file("quad.lwo"), fe)) << fe.text();

  sim::SimScene back;
  auto ids = files.load(back, dir.file("quad.lwo"), fe);
  ASSERT_EQ(ids.size(), 1u) << fe.text();
  const sim::SimMesh& m = *back.find(ids[0])->mesh;
  ASSERT_EQ(m.numPoints(), 4u);
  ASSERT_EQ(m.numPolygons(), 2u);
  EXPECT_EQ(m.polygon(1).type, sim::kTypeSUBD);
  EXPECT_EQ(m.polygon(1).surface, "Cage");
  EXPECT_EQ(m.polygon(0).vertices, std::vector<uint32_t>({0, 1, 2, 3}));
  EXPECT_EQ(m.findVMap(sim::kVMapWGHT, "W")->values.at(2), std::vector<float>{0.75f});
}
