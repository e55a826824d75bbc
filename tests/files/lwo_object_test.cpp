// LWO2/LWOB reading, byte-exact writing, vertex-map edits and error reports, on the real files of
// testdata/lightwave. Expected counts come from that folder's SOURCES.md, not from this reader.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <limits>

#include "file_test_util.h"
#include "files/iff_writer.h"
#include "files/lwo_io.h"

using namespace sim;
using files_test::lightwavePath;

namespace {

constexpr LwoId kWght = lwoId("WGHT");

LwoObject loadOrFail(const std::string& relative) {
  LwoObject object;
  FileError error;
  EXPECT_TRUE(loadLwo(lightwavePath(relative), object, error)) << error.text();
  return object;
}

std::vector<std::uint8_t> writeOrFail(const LwoObject& object) {
  std::vector<std::uint8_t> out;
  FileError error;
  EXPECT_TRUE(writeLwo(object, out, error)) << error.text();
  return out;
}

LwoObject reread(const std::vector<std::uint8_t>& bytes) {
  LwoObject object;
  FileError error;
  EXPECT_TRUE(readLwo(bytes, "written", object, error)) << error.text();
  return object;
}

std::size_t totalPoints(const LwoObject& o) {
  std::size_t n = 0;
  for (std::size_t l = 0; l < o.numLayers(); ++l) n += o.points(l).size();
  return n;
}

std::size_t totalPolygons(const LwoObject& o) {
  std::size_t n = 0;
  for (std::size_t l = 0; l < o.numLayers(); ++l)
    for (const LwoPolygons* p : o.polygons(l)) n += p->numPolygons();
  return n;
}

std::size_t maxCorners(const LwoObject& o) {
  std::size_t n = 0;
  for (std::size_t l = 0; l < o.numLayers(); ++l)
    for (const LwoPolygons* p : o.polygons(l))
      for (std::size_t i = 0; i < p->numPolygons(); ++i) n = std::max(n, p->corners(i).size());
  return n;
}

std::vector<std::string> chunkIds(const LwoObject& o) {
  std::vector<std::string> ids;
  for (const LwoChunk& c : o.chunks()) ids.push_back(lwoIdText(c.id));
  return ids;
}

std::uint32_t bits(float f) { return std::bit_cast<std::uint32_t>(f); }

}  // namespace

// Every file loads, or fails with a message naming it; never a crash.
TEST(LwoRead, EveryObjectLoadsOrFailsWithAClearMessage) {
  std::vector<std::string> files = files_test::objectFiles();
  ASSERT_GE(files.size(), 25u);
  for (const std::string& rel : files) {
    SCOPED_TRACE(rel);
    LwoObject object;
    FileError error;
    bool ok = loadLwo(lightwavePath(rel), object, error);
    std::string folder = files_test::formatFolder(rel);
    if (folder == "LWO3") {
      ASSERT_FALSE(ok);
      EXPECT_NE(error.text().find("LWO3"), std::string::npos) << error.text();
      EXPECT_NE(error.text().find(lightwavePath(rel)), std::string::npos);
    } else if (folder == "invalid") {
      ASSERT_FALSE(ok);
      EXPECT_NE(error.text().find("empty"), std::string::npos) << error.text();
    } else {
      ASSERT_TRUE(ok) << error.text();
      EXPECT_GT(totalPoints(object), 0u);
      EXPECT_GT(totalPolygons(object), 0u);
      EXPECT_EQ(object.needsConversion(), folder == "LWOB" || rel.rfind("java3d", 0) == 0);
    }
  }
}

TEST(LwoRead, CountsAgreeWithTheSourcesTable) {
  struct Case {
    const char* file;
    std::size_t layers, points, polygons, maxCorners;
  };
  const Case cases[] = {
      {"assimp/LWO2/hierarchy.lwo", 4, 266 + 3 * 8, 306, 4},
      {"assimp/LWO2/Subdivision.lwo", 1, 26, 24, 4},
      {"assimp/LWO2/concave_polygon.lwo", 1, 64, 1, 66},
      {"assimp/LWO2/UglyVertexColors.lwo", 1, 1628, 1735, 24},
      {"assimp/LWO2/box_2vc_1unused.lwo", 1, 218, 195, 18},
      {"assimp/LWO2/formatDetection", 1, 24, 1, 24},
      {"blender-import-lwo/LWO2/box3-uv-layers.lwo", 3, 798 + 8 + 554, 1446, 0},
      {"blender-import-lwo/LWO2/box4-uv-layers.lwo", 4, 1535, 1535, 89},
      {"blender-import-lwo/LWO2/ngon0.lwo", 1, 133, 1, 143},
      {"blender-import-lwo/LWO2/ngon2.lwo", 1, 4630, 3492, 143},
      {"assimp/LWOB/ConcavePolygon.lwo", 1, 64, 1, 66},
      {"assimp/LWOB/sphere_with_mat_gloss_10pc.lwo", 1, 266, 288, 4},
      {"blender-import-lwo/LWOB/box3-uv-layers.lwo", 1, 798, 864, 4},
      {"java3d-examples/greenball.lwo", 1, 266, 528, 3},
      {"java3d-examples/redcone.lwo", 1, 26, 48, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    LwoObject o = loadOrFail(c.file);
    EXPECT_EQ(o.numLayers(), c.layers);
    EXPECT_EQ(totalPoints(o), c.points);
    EXPECT_EQ(totalPolygons(o), c.polygons);
    if (c.maxCorners) {
      EXPECT_EQ(maxCorners(o), c.maxCorners);
    }
  }
}

// Layers stored out of order, a parent named before it appears, and two weight maps.
TEST(LwoRead, HierarchyLayersParentsAndWeightMaps) {
  LwoObject o = loadOrFail("assimp/LWO2/hierarchy.lwo");
  ASSERT_EQ(o.numLayers(), 4u);
  const std::uint16_t order[] = {3, 4, 2, 1};
  for (std::size_t l = 0; l < 4; ++l) EXPECT_EQ(o.layerInfo(l).number, order[l]);
  EXPECT_EQ(o.layerInfo(*o.findLayer(3)).parent, std::optional<std::uint16_t>(4));
  EXPECT_EQ(o.layerInfo(*o.findLayer(2)).parent, std::optional<std::uint16_t>(3));
  EXPECT_EQ(o.layerInfo(*o.findLayer(1)).parent, std::optional<std::uint16_t>(4));
  EXPECT_EQ(o.layerInfo(*o.findLayer(4)).name, "RootOfHierarchy");

  std::size_t root = *o.findLayer(4);
  EXPECT_EQ(o.points(root).size(), 266u);
  for (const char* name : {"Weight=", "Weight0"}) {
    SCOPED_TRACE(name);
    const LwoVertexMap* map = o.findVertexMap(root, kWght, name);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->dimension, 1u);
    EXPECT_EQ(map->numEntries(), 266u);
    for (float v : map->values) EXPECT_EQ(v, 1.0f);
  }
  EXPECT_EQ(o.findVertexMap(*o.findLayer(3), kWght, "Weight0"), nullptr);  // maps are per layer

  const LwoObject sub = loadOrFail("assimp/LWO2/Subdivision.lwo");
  ASSERT_EQ(sub.polygons(0).size(), 1u);
  EXPECT_EQ(sub.polygons(0)[0]->type, lwoId("PTCH"));
  const LwoDiscontinuousMap* aps = sub.findDiscontinuousMap(0, lwoId("APSL"), "APS.Level");
  ASSERT_NE(aps, nullptr);
  EXPECT_EQ(aps->numEntries(), 24u);

  const LwoObject ugly = loadOrFail("assimp/LWO2/UglyVertexColors.lwo");
  EXPECT_EQ(ugly.findVertexMap(0, lwoId("RGB "), "MyVColor")->numEntries(), 830u);
  EXPECT_EQ(ugly.findVertexMap(0, lwoId("TXUV"), "Texture")->numEntries(), 266u);
}

TEST(LwoWrite, EveryLwo2FileRoundTripsByteIdentical) {
  files_test::ScratchDir dir;
  for (const std::string& rel : files_test::objectFiles()) {
    LwoObject object;
    FileError error;
    if (!loadLwo(lightwavePath(rel), object, error) || object.needsConversion()) continue;
    SCOPED_TRACE(rel);
    std::vector<std::uint8_t> original = files_test::readBytes(lightwavePath(rel));
    EXPECT_EQ(writeOrFail(object), original);
    std::string out = dir.file("copy.lwo");
    ASSERT_TRUE(saveLwo(object, out, error)) << error.text();
    EXPECT_EQ(files_test::readBytes(out), original);
  }
}

// The values a brush writes must come back exactly, including the awkward ones.
TEST(LwoEdit, WeightMapWrittenAndSavedReadsBackToTheBit) {
  const float awkward[] = {0.0f, -0.0f, 1.0f, 0.1f, 1e-38f, std::numeric_limits<float>::denorm_min(),
                           -3.4e38f, std::bit_cast<float>(0x7FC01234u) /* NaN with payload */};
  files_test::ScratchDir dir;
  for (const char* rel : {"assimp/LWO2/hierarchy.lwo", "blender-import-lwo/LWO2/ngon2.lwo",
                          "assimp/LWS/simple_cube.lwo"}) {
    SCOPED_TRACE(rel);
    LwoObject o = loadOrFail(rel);
    std::size_t layer = o.numLayers() - 1;
    std::size_t n = o.points(layer).size();
    std::vector<std::uint32_t> points;
    std::vector<float> values;
    for (std::size_t p = n; p-- > 0;) {  // reverse order: the file keeps the order given
      points.push_back(static_cast<std::uint32_t>(p));
      values.push_back(p % 3 == 0 ? awkward[p % std::size(awkward)] : static_cast<float>(p) / n);
    }
    std::string error;
    ASSERT_TRUE(o.setVertexMapValues(layer, kWght, "Velmora.L", points, values, error)) << error;
    std::string path = dir.file("painted.lwo");
    FileError fe;
    ASSERT_TRUE(saveLwo(o, path, fe)) << fe.text();

    LwoObject back;
    ASSERT_TRUE(loadLwo(path, back, fe)) << fe.text();
    const LwoVertexMap* map = back.findVertexMap(layer, kWght, "Velmora.L");
    ASSERT_NE(map, nullptr);
    ASSERT_EQ(map->points, points);
    ASSERT_EQ(map->values.size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i) ASSERT_EQ(bits(map->values[i]), bits(values[i])) << i;
  }
}

// A new map goes after the layer's last VMAP, or after PNTS/BBOX when the layer has none.
TEST(LwoEdit, NewMapIsPlacedInsideItsLayer) {
  std::string error;
  const float one = 1.0f;
  LwoObject cube = loadOrFail("assimp/LWS/simple_cube.lwo");
  ASSERT_TRUE(cube.setVertexMapValue(0, kWght, "A", 0, {&one, 1}, error)) << error;
  EXPECT_EQ(chunkIds(cube), (std::vector<std::string>{"TAGS", "LAYR", "PNTS", "BBOX", "VMAP", "POLS", "PTAG",
                                                      "PTAG", "SURF"}));
  LwoObject h = loadOrFail("assimp/LWO2/hierarchy.lwo");
  std::size_t root = *h.findLayer(4);
  std::size_t lastOld = h.layerChunks(root).vmap.back();
  ASSERT_TRUE(h.setVertexMapValue(root, kWght, "B", 7, {&one, 1}, error)) << error;
  EXPECT_EQ(h.layerChunks(root).vmap.back(), lastOld + 1);
  EXPECT_EQ(h.layerChunks(root).vmap.size(), 3u);
  // The layer after it still finds its own geometry.
  std::size_t after = *h.findLayer(2);
  EXPECT_EQ(h.points(after).size(), 8u);
}

// Editing one map rewrites that chunk only; every other chunk keeps its bytes.
TEST(LwoEdit, OnlyTheChangedMapChunkDiffers) {
  const std::string rel = "assimp/LWO2/hierarchy.lwo";
  std::vector<std::uint8_t> original = files_test::readBytes(lightwavePath(rel));
  LwoObject o = loadOrFail(rel);
  std::size_t root = *o.findLayer(4);
  const float quarter = 0.25f;
  std::string error;
  ASSERT_TRUE(o.setVertexMapValue(root, kWght, "Weight0", 5, {&quarter, 1}, error)) << error;
  std::vector<std::uint8_t> written = writeOrFail(o);
  ASSERT_EQ(written.size(), original.size());
  auto a = files_test::splitChunks(original);
  auto b = files_test::splitChunks(written);
  ASSERT_EQ(a.size(), b.size());
  int changed = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].id, b[i].id);
    if (a[i].bytes != b[i].bytes) {
      ++changed;
      EXPECT_EQ(b[i].id, "VMAP");
    }
  }
  EXPECT_EQ(changed, 1);
  const LwoObject back = reread(written);
  const LwoVertexMap* map = back.findVertexMap(root, kWght, "Weight0");
  EXPECT_EQ(map->values[std::find(map->points.begin(), map->points.end(), 5u) - map->points.begin()], 0.25f);
  EXPECT_EQ(map->points, o.findVertexMap(root, kWght, "Weight0")->points);  // entry order kept
}

TEST(LwoEdit, DeleteRenameAndRemoveValueAreSaved) {
  LwoObject o = loadOrFail("assimp/LWO2/hierarchy.lwo");
  std::size_t root = *o.findLayer(4);
  std::size_t before = o.chunks().size();
  std::string error;
  ASSERT_TRUE(o.deleteVertexMap(root, kWght, "Weight=", error)) << error;
  EXPECT_EQ(o.chunks().size(), before - 2);  // the VMAP and the VMPA in front of it
  ASSERT_TRUE(o.renameVertexMap(root, kWght, "Weight0", "Bone.R", error)) << error;
  ASSERT_TRUE(o.removeVertexMapValue(root, kWght, "Bone.R", 10, error)) << error;

  LwoObject back = reread(writeOrFail(o));
  EXPECT_EQ(back.findVertexMap(root, kWght, "Weight="), nullptr);
  EXPECT_EQ(back.findVertexMap(root, kWght, "Weight0"), nullptr);
  const LwoVertexMap* renamed = back.findVertexMap(root, kWght, "Bone.R");
  ASSERT_NE(renamed, nullptr);
  EXPECT_EQ(renamed->numEntries(), 265u);
  EXPECT_EQ(std::count(renamed->points.begin(), renamed->points.end(), 10u), 0);
  EXPECT_EQ(totalPolygons(back), 306u);

  // Maps with a per-polygon part are renamed and deleted as one map.
  LwoObject ugly = loadOrFail("assimp/LWO2/UglyVertexColors.lwo");
  const LwoDiscontinuousMap* vmad = ugly.discontinuousMaps(0).at(0);
  std::string name = vmad->name;
  LwoId type = vmad->type;
  ASSERT_TRUE(ugly.renameVertexMap(0, type, name, "Renamed", error)) << error;
  LwoObject uglyBack = reread(writeOrFail(ugly));
  EXPECT_NE(uglyBack.findDiscontinuousMap(0, type, "Renamed"), nullptr);
  ASSERT_TRUE(ugly.deleteVertexMap(0, type, "Renamed", error)) << error;
  EXPECT_EQ(reread(writeOrFail(ugly)).findDiscontinuousMap(0, type, "Renamed"), nullptr);
}

TEST(LwoEdit, BadRequestsChangeNothing) {
  const std::string rel = "assimp/LWO2/hierarchy.lwo";
  std::vector<std::uint8_t> original = files_test::readBytes(lightwavePath(rel));
  LwoObject o = loadOrFail(rel);
  std::size_t root = *o.findLayer(4);
  const float two[] = {0.5f, 0.5f};
  std::string error;
  EXPECT_FALSE(o.setVertexMapValue(root, kWght, "Weight0", 266, {two, 1}, error));  // no such point
  EXPECT_FALSE(o.setVertexMapValue(root, kWght, "Weight0", 3, {two, 2}, error));    // dimension 1 map
  EXPECT_FALSE(o.setVertexMapValue(9, kWght, "Weight0", 3, {two, 1}, error));       // no such layer
  EXPECT_FALSE(o.renameVertexMap(root, kWght, "Weight0", "Weight=", error));        // name taken
  EXPECT_FALSE(o.renameVertexMap(root, kWght, "Weight0", "", error));
  EXPECT_FALSE(o.deleteVertexMap(root, kWght, "Nope", error));
  EXPECT_FALSE(o.removeVertexMapValue(root, kWght, "Nope", 1, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(writeOrFail(o), original);
}

// Point indices from 0xFF00 on take the 4-byte index form; both reading and writing must use it.
TEST(LwoEdit, IndicesAboveFF00UseTheLongForm) {
  const std::uint32_t numPoints = 0x10005;
  IffWriter w;
  w.begin(lwoId("FORM"));
  w.id4(lwoId("LWO2"));
  w.begin(lwoId("LAYR"));
  w.u2(0);
  w.u2(0);
  for (int i = 0; i < 3; ++i) w.f4(0);
  w.s0("big");
  w.end();
  w.begin(lwoId("PNTS"));
  for (std::uint32_t p = 0; p < numPoints; ++p) {
    w.f4(static_cast<float>(p));
    w.f4(0);
    w.f4(0);
  }
  w.end();
  w.begin(lwoId("POLS"));
  w.id4(lwoId("FACE"));
  w.u2(3);
  for (std::uint32_t p : {0u, 0xFF00u, numPoints - 1}) w.vx(p);
  w.end();
  w.end();
  LwoObject o = reread(w.bytes());
  ASSERT_EQ(o.polygons(0).at(0)->corners(0)[1], 0xFF00u);
  ASSERT_EQ(o.polygons(0).at(0)->corners(0)[2], numPoints - 1);

  std::string error;
  const float v[] = {0.75f, 0.5f};
  const std::uint32_t pts[] = {numPoints - 1, 0xFEFF};
  ASSERT_TRUE(o.setVertexMapValues(0, kWght, "far", pts, v, error)) << error;
  LwoObject back = reread(writeOrFail(o));
  const LwoVertexMap* map = back.findVertexMap(0, kWght, "far");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->points, (std::vector<std::uint32_t>{numPoints - 1, 0xFEFF}));
  EXPECT_EQ(map->values, (std::vector<float>{0.75f, 0.5f}));
}

TEST(LwoConvert, LwobBecomesLwo2WithTheSameGeometry) {
  for (const std::string& rel : files_test::objectFiles()) {
    LwoObject o;
    FileError error;
    if (!loadLwo(lightwavePath(rel), o, error) || !o.needsConversion()) continue;
    SCOPED_TRACE(rel);
    std::vector<std::uint8_t> refused;
    EXPECT_FALSE(writeLwo(o, refused, error));
    o.convertToLwo2();
    LwoObject back = reread(writeOrFail(o));
    EXPECT_FALSE(back.needsConversion());
    ASSERT_EQ(back.numLayers(), 1u);
    EXPECT_TRUE(std::equal(back.points(0).begin(), back.points(0).end(), o.points(0).begin(), o.points(0).end()));
    ASSERT_EQ(back.polygons(0).size(), 1u);
    EXPECT_EQ(back.polygons(0)[0]->indices, o.polygons(0)[0]->indices);
    EXPECT_EQ(back.polygonTags(0).at(0)->tags, o.polygonTags(0).at(0)->tags);
    ASSERT_NE(back.tags(), nullptr);
    std::size_t numSurf = 0;
    for (const LwoChunk& c : back.chunks()) numSurf += c.id == lwoId("SURF");
    EXPECT_EQ(numSurf, back.tags()->names.size());
  }
}

TEST(LwoRead, ErrorsNameTheFileChunkAndOffset) {
  const std::string rel = "blender-import-lwo/LWO2/ngon2.lwo";
  std::vector<std::uint8_t> bytes = files_test::readBytes(lightwavePath(rel));
  auto chunks = files_test::splitChunks(bytes);
  LwoObject o;
  FileError error;

  // Cut exactly at a chunk boundary: the FORM size no longer fits the file.
  std::size_t boundary = 12 + chunks[0].bytes.size() + chunks[1].bytes.size();
  std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + boundary);
  ASSERT_FALSE(readLwo(cut, "cut.lwo", o, error));
  EXPECT_EQ(error.offset, 4);
  EXPECT_NE(error.text().find("cut.lwo"), std::string::npos);

  // Cut inside PNTS, with the FORM size mended: the chunk runs past the end.
  std::size_t pntsAt = boundary;
  ASSERT_EQ(chunks[2].id, "PNTS");
  cut.assign(bytes.begin(), bytes.begin() + pntsAt + 100);
  std::uint32_t form = static_cast<std::uint32_t>(cut.size() - 8);
  for (int i = 0; i < 4; ++i) cut[4 + i] = static_cast<std::uint8_t>(form >> (24 - 8 * i));
  ASSERT_FALSE(readLwo(cut, "cut.lwo", o, error));
  EXPECT_EQ(error.chunk, "PNTS");
  EXPECT_EQ(error.offset, static_cast<std::int64_t>(pntsAt));

  // A polygon corner pointing past the points: reported at that corner's byte.
  std::vector<std::uint8_t> cube = files_test::readBytes(lightwavePath("assimp/LWS/simple_cube.lwo"));
  auto cubeChunks = files_test::splitChunks(cube);
  std::size_t polsAt = 12;
  for (const auto& c : cubeChunks) {
    if (c.id == "POLS") break;
    polsAt += c.bytes.size();
  }
  std::size_t cornerAt = polsAt + 8 + 4 + 2;  // header, type, first corner count
  cube[cornerAt] = 0x00;
  cube[cornerAt + 1] = 0x08;  // point 8 of 8
  ASSERT_FALSE(readLwo(cube, "cube.lwo", o, error));
  EXPECT_EQ(error.chunk, "POLS");
  EXPECT_EQ(error.offset, static_cast<std::int64_t>(cornerAt));
  EXPECT_NE(error.message.find("8"), std::string::npos);

  // Not an object at all.
  const std::string text = "LWSC\n3\n";
  ASSERT_FALSE(readLwo({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "x", o, error));
  EXPECT_EQ(error.offset, 0);
}

TEST(LwoSave, FailedSaveLeavesNothingBehind) {
  files_test::ScratchDir dir;
  LwoObject o = loadOrFail("assimp/LWS/simple_cube.lwo");
  FileError error;
  EXPECT_FALSE(saveLwo(o, dir.file("missing-folder/out.lwo"), error));
  EXPECT_NE(error.text().find("missing-folder/out.lwo"), std::string::npos);

  // Replacing an existing file leaves exactly that file, with the new bytes.
  std::string path = dir.file("out.lwo");
  { std::ofstream(path) << "old contents"; }
  ASSERT_TRUE(saveLwo(o, path, error)) << error.text();
  EXPECT_EQ(files_test::readBytes(path), files_test::readBytes(lightwavePath("assimp/LWS/simple_cube.lwo")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
