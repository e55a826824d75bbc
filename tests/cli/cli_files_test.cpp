// velmora-sim convert and info on the real files of testdata/lightwave (counts from its
// SOURCES.md).
#include <gtest/gtest.h>

#include "cli_test_util.h"
#include "files/lwo_io.h"

using namespace cli_test;

TEST(cliConvert, RoundTripsObjectsAndScenesByteForByte) {
  Scratch dir;
  for (const char* file : {"assimp/LWO2/hierarchy.lwo", "assimp/LWO2/Subdivision.lwo",
                           "lightwave3D-MCP/WeightTest_rig.lws", "assimp/LWS/move_x_oldformat_6.lws"}) {
    const std::string out = dir.file("copy");
    CliResult r = runCli({"convert", lightwave(file), out});
    ASSERT_EQ(r.code, 0) << file << ": " << r.err;
    EXPECT_EQ(readBytes(out), readBytes(lightwave(file))) << file;
  }
}

TEST(cliConvert, TurnsLwobIntoLwo2WithTheSameGeometry) {
  Scratch dir;
  CliResult r = runCli({"convert", lightwave("assimp/LWOB/ConcavePolygon.lwo"), dir.file("c.lwo")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("LWOB converted to LWO2"), std::string::npos);
  const auto bytes = readBytes(dir.file("c.lwo"));
  ASSERT_GE(bytes.size(), 12u);
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "LWO2");
  sim::LwoObject converted;
  sim::FileError error;
  ASSERT_TRUE(sim::loadLwo(dir.file("c.lwo"), converted, error)) << error.text();
  EXPECT_FALSE(converted.needsConversion());
  EXPECT_EQ(converted.points(0).size(), 64u);
  ASSERT_EQ(converted.polygons(0).size(), 1u);
  EXPECT_EQ(converted.polygons(0)[0]->numPolygons(), 1u);
}

TEST(cliConvert, SaysWhichLwobSurfaceSettingsLwo2CannotHold) {
  Scratch dir;
  CliResult r = runCli({"convert", lightwave("assimp/LWOB/bluewithcylindrictexz.lwo"), dir.file("t.lwo")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("not carried over to LWO2:"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("colour texture \"Cylindrical Image Map\""), std::string::npos) << r.out;
  // A surface with nothing left behind gets no such list.
  CliResult plain = runCli({"convert", lightwave("java3d-examples/redcone.lwo"), dir.file("c.lwo")});
  ASSERT_EQ(plain.code, 0) << plain.err;
  EXPECT_EQ(plain.out.find("not carried over"), std::string::npos) << plain.out;
}

TEST(cliConvert, RefusesToWriteOverItsInputAndRejectsOtherFiles) {
  Scratch dir;
  writeText(dir.file("a.lwo"), "not an object");
  EXPECT_EQ(runCli({"convert", dir.file("a.lwo"), dir.file("a.lwo")}).code, 1);
  CliResult r = runCli({"convert", dir.file("a.lwo"), dir.file("b.lwo")});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("not a LightWave object"), std::string::npos) << r.err;
}

TEST(cliInfo, DescribesLayersPolygonsAndMaps) {
  CliResult r = runCli({"info", lightwave("assimp/LWO2/hierarchy.lwo")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("layers: 4"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("number 4 \"RootOfHierarchy\", 266 points"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("number 3 \"ChildOfRoot0\" parent 4"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("VMAP WGHT/1 \"Weight=\" 266 points"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("VMAP WGHT/1 \"Weight0\" 266 points"), std::string::npos) << r.out;
  // 306 FACE polygons in all: 288 in the root layer and 6 in each of the other three.
  EXPECT_NE(r.out.find("polygons: FACE 288"), std::string::npos) << r.out;

  CliResult subd = runCli({"info", lightwave("assimp/LWO2/Subdivision.lwo")});
  EXPECT_NE(subd.out.find("26 points"), std::string::npos) << subd.out;
  EXPECT_NE(subd.out.find("polygons: PTCH 24"), std::string::npos) << subd.out;
  EXPECT_NE(subd.out.find("VMAD APSL/1 \"APS.Level\" 24 entries"), std::string::npos) << subd.out;
}

TEST(cliInfo, DescribesSceneItemsAndBones) {
  CliResult r = runCli({"info", lightwave("lightwave3D-MCP/WeightTest_rig.lws")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Bone 40000000 \"WT_Lower\" parent \"WeightTest.lwo\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Bone 40010000 \"WT_Upper\" parent \"WT_Lower\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("rotation 0 -90 0 deg, length 0.5"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("weight map (none)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Light 20000000"), std::string::npos) << r.out;
  EXPECT_EQ(runCli({"info", lightwave("missing.lwo")}).code, 1);
}
