// LWSC reading (versions 1, 2, 3, 5, 8), byte-exact writing, motions, bone and master-handler
// edits. Expected values are read off the test files by eye (see SOURCES.md), not computed here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "file_test_util.h"
#include "files/lws_scene.h"

using namespace sim;
using files_test::lightwavePath;

namespace {

constexpr double kTol = 1e-6;
const std::string kRig = "lightwave3D-MCP/WeightTest_rig.lws";

LwsScene loadOrFail(const std::string& relative) {
  LwsScene scene;
  FileError error;
  EXPECT_TRUE(loadLws(lightwavePath(relative), scene, error)) << error.text();
  return scene;
}

LwsScene reread(const std::string& text) {
  LwsScene scene;
  FileError error;
  EXPECT_TRUE(readLws(text, "written", scene, error)) << error.text();
  return scene;
}

// Line diff of two scenes: "-old" for lines only in `a`, "+new" for lines only in `b`, in order.
// Common head and tail are skipped, and the small middle is diffed by longest common subsequence.
std::vector<std::string> changedLines(const LwsScene& a, const LwsScene& b) {
  std::size_t head = 0;
  while (head < a.lines.size() && head < b.lines.size() && a.lines[head].text == b.lines[head].text) ++head;
  std::size_t tail = 0;
  while (tail < a.lines.size() - head && tail < b.lines.size() - head &&
         a.lines[a.lines.size() - 1 - tail].text == b.lines[b.lines.size() - 1 - tail].text)
    ++tail;
  std::size_t n = a.lines.size() - head - tail, m = b.lines.size() - head - tail;
  auto A = [&](std::size_t i) { return a.lines[head + i].text; };
  auto B = [&](std::size_t j) { return b.lines[head + j].text; };
  std::vector<std::vector<int>> lcs(n + 1, std::vector<int>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;)
    for (std::size_t j = m; j-- > 0;)
      lcs[i][j] = A(i) == B(j) ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
  std::vector<std::string> out;
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && A(i) == B(j)) {
      ++i;
      ++j;
    } else if (j == m || (i < n && lcs[i + 1][j] >= lcs[i][j + 1])) {
      out.push_back("-" + A(i++));
    } else {
      out.push_back("+" + B(j++));
    }
  }
  return out;
}

int bone(const LwsScene& s, const char* name) { return s.findItem(LwsItemType::Bone, name); }

}  // namespace

TEST(LwsRead, EverySceneLoadsAndRoundTripsByteIdentical) {
  std::vector<std::string> scenes = files_test::sceneFiles();
  ASSERT_EQ(scenes.size(), 16u);
  files_test::ScratchDir dir;
  for (const std::string& rel : scenes) {
    SCOPED_TRACE(rel);
    LwsScene scene = loadOrFail(rel);
    std::string original = files_test::readText(lightwavePath(rel));
    EXPECT_EQ(writeLws(scene), original);
    FileError error;
    ASSERT_TRUE(saveLws(scene, dir.file("copy.lws"), error)) << error.text();
    EXPECT_EQ(files_test::readText(dir.file("copy.lws")), original);
    EXPECT_GE(scene.items.size(), 3u);  // every scene has an object, a light and a camera
    EXPECT_GE(scene.findItem(LwsItemType::Light, "Light"), 0);
  }
}

TEST(LwsRead, RigBonesParentsAndSettings) {
  LwsScene s = loadOrFail(kRig);
  EXPECT_EQ(s.version, 8);
  ASSERT_EQ(s.items.size(), 5u);
  EXPECT_EQ(s.items[0].type, LwsItemType::Object);
  EXPECT_EQ(s.items[0].name, "WeightTest.lwo");
  EXPECT_EQ(s.items[0].layer, 1);
  EXPECT_EQ(s.items[0].boneFalloffType, 5);
  int lower = bone(s, "WT_Lower"), upper = bone(s, "WT_Upper");
  ASSERT_GE(lower, 0);
  ASSERT_GE(upper, 0);
  EXPECT_EQ(s.items[lower].id, 0x40000000u);
  EXPECT_EQ(s.items[upper].id, 0x40010000u);
  EXPECT_EQ(s.items[lower].parent, 0);  // parented to the object
  EXPECT_EQ(s.items[upper].parent, lower);
  EXPECT_EQ(s.items[upper].owner, 0);
  const LwsBone& b = s.items[lower].bone;
  EXPECT_EQ(b.restDirection, (std::array<double, 3>{0, -90, 0}));
  EXPECT_EQ(s.items[upper].bone.restPosition, (std::array<double, 3>{0, 0, 0.5}));
  EXPECT_DOUBLE_EQ(b.restLength, 0.5);
  EXPECT_TRUE(b.weightMapName.empty());
  EXPECT_TRUE(b.active);
  EXPECT_TRUE(b.strengthMultiply);
  // The rest direction (degrees) and the pitch key of the motion (radians) describe the same pose.
  LwsTransform t = itemTransformAt(s.items[lower], 0.0);
  EXPECT_NEAR(t.rotation[1], b.restDirection[1] * std::numbers::pi / 180.0, kTol);
  EXPECT_EQ(s.items[3].type, LwsItemType::Light);
  EXPECT_EQ(s.items[4].type, LwsItemType::Camera);
  EXPECT_EQ(s.plugins.size(), 17u);
  EXPECT_TRUE(s.masterHandlers().empty());
}

// Versions 2, 3 and 5 store the same animation in three key formats; they must agree.
TEST(LwsMotion, OldAndNewKeyFormatsAgree) {
  LwsScene v2 = loadOrFail("assimp/LWS/move_x_oldformat_56.lws");
  LwsScene v3 = loadOrFail("assimp/LWS/move_x_oldformat_6.lws");
  LwsScene v5 = loadOrFail("assimp/LWS/move_x.lws");
  ASSERT_EQ(v2.version, 2);
  ASSERT_EQ(v3.version, 3);
  ASSERT_EQ(v5.version, 5);
  for (std::size_t item = 0; item < 3; ++item) {
    for (double t : {0.0, 0.3, 2.0 / 3.0, 1.0, 4.0 / 3.0, 5.0}) {
      SCOPED_TRACE(testing::Message() << "item " << item << " t " << t);
      LwsTransform a = itemTransformAt(v2.items[item], t);
      LwsTransform b = itemTransformAt(v3.items[item], t);
      LwsTransform c = itemTransformAt(v5.items[item], t);
      for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(a.position[k], c.position[k], 1e-5);
        EXPECT_NEAR(b.position[k], c.position[k], 1e-5);
        EXPECT_NEAR(a.rotation[k], c.rotation[k], 1e-5);  // v2 degrees, v5 radians
        EXPECT_NEAR(a.scale[k], c.scale[k], 1e-5);
      }
    }
  }
  // Light heading is 45 degrees in every version.
  EXPECT_NEAR(itemTransformAt(v2.items[1], 0).rotation[0], std::numbers::pi / 4, kTol);
}

TEST(LwsMotion, KeysInterpolateLinearlyAndSteppedKeysHold) {
  LwsScene s = loadOrFail("assimp/LWS/move_x.lws");
  const LwsChannel& x = s.items[0].motion.channels.at(0);
  ASSERT_EQ(x.keys.size(), 3u);
  // Keys (from the file): 0 at 0 s, 2.0691125392913818 at 2/3 s, -2.3748657703399658 at 4/3 s.
  EXPECT_DOUBLE_EQ(x.valueAt(-1.0), 0.0);
  EXPECT_NEAR(x.valueAt(1.0 / 3.0), 2.0691125392913818 / 2, kTol);
  EXPECT_NEAR(x.valueAt(1.0), (2.0691125392913818 - 2.3748657703399658) / 2, kTol);
  EXPECT_NEAR(x.valueAt(10.0), -2.3748657703399658, kTol);

  LwsScene stepped = loadOrFail("assimp/LWS/move_xz_stepped.lws");
  const LwsChannel& sx = stepped.items[0].motion.channels.at(0);
  EXPECT_NEAR(sx.valueAt(1.0), 1.924918483918713, kTol);  // held until the key at 2 s
  EXPECT_NEAR(sx.valueAt(0.5), 0.0, kTol);

  // Version 1: frame numbers and degrees; redcone's second key is at frame 30 = 1 s at 30 fps.
  LwsScene v1 = loadOrFail("java3d-examples/ballcone.lws");
  ASSERT_EQ(v1.version, 1);
  LwsTransform cone = itemTransformAt(v1.items[1], 1.0);
  EXPECT_NEAR(cone.position[0], 18.11593, kTol);
  EXPECT_NEAR(cone.position[1], 72.5, kTol);
  EXPECT_NEAR(cone.rotation[1], 78.10001 * std::numbers::pi / 180.0, kTol);
  EXPECT_EQ(v1.items[3].type, LwsItemType::Camera);  // version 1 cameras have no AddCamera line
}

TEST(LwsEdit, BoneSettingsAreWrittenWhereLightWaveKeepsThem) {
  const LwsScene original = loadOrFail(kRig);
  LwsScene s = original;
  int lower = bone(s, "WT_Lower");
  std::string error;
  ASSERT_TRUE(setBoneRestLength(s, lower, 0.75, error)) << error;
  ASSERT_TRUE(setBoneStrength(s, lower, 0.125, error)) << error;
  ASSERT_TRUE(setBoneWeightMapName(s, lower, "Lower Leg", error)) << error;
  ASSERT_TRUE(setBoneFlag(s, lower, LwsBoneFlag::WeightMapOnly, true, error)) << error;
  ASSERT_TRUE(setBoneFlag(s, lower, LwsBoneFlag::Normalization, true, error)) << error;
  ASSERT_TRUE(setBoneFlag(s, lower, LwsBoneFlag::StrengthMultiply, false, error)) << error;
  ASSERT_TRUE(setBoneFlag(s, lower, LwsBoneFlag::Active, false, error)) << error;
  // The bone's block reads as LightWave writes it, and nothing else in the file changed.
  const LwsItem& edited = s.items[lower];
  std::vector<std::string> block;
  for (std::size_t i = edited.firstLine; i < edited.endLine && block.size() < 14; ++i) block.push_back(s.lines[i].text);
  EXPECT_EQ(block, (std::vector<std::string>{"AddBone 40000000", "BoneName WT_Lower", "ShowBone 1 3", "BoneActive 0",
                                             "BoneRestPosition 0 0 0", "BoneRestDirection 0 -90 0",
                                             "BoneRestLength 0.75", "BoneWeightMapName Lower Leg",
                                             "BoneWeightMapOnly 1", "BoneNormalization 1", "BoneStrength 0.125",
                                             "ScaleBoneStrength 0", "BoneType 0", "BoneMotion"}));
  std::vector<std::string> diff = changedLines(original, s);
  EXPECT_EQ(std::count_if(diff.begin(), diff.end(), [](const std::string& d) { return d[0] == '-'; }), 4);
  EXPECT_EQ(std::count_if(diff.begin(), diff.end(), [](const std::string& d) { return d[0] == '+'; }), 7);

  LwsScene back = reread(writeLws(s));
  const LwsBone& b = back.items[bone(back, "WT_Lower")].bone;
  EXPECT_DOUBLE_EQ(b.restLength, 0.75);
  EXPECT_DOUBLE_EQ(b.strength, 0.125);
  EXPECT_EQ(b.weightMapName, "Lower Leg");
  EXPECT_TRUE(b.weightMapOnly);
  EXPECT_TRUE(b.normalization);
  EXPECT_FALSE(b.strengthMultiply);
  EXPECT_FALSE(b.active);
  // The other bone and the parent links are untouched.
  EXPECT_EQ(back.items[bone(back, "WT_Upper")].bone.weightMapName, "");
  EXPECT_EQ(back.items[bone(back, "WT_Upper")].parent, bone(back, "WT_Lower"));

  // Clearing what was added brings back the inserted lines' absence.
  ASSERT_TRUE(setBoneWeightMapName(s, lower, "", error)) << error;
  EXPECT_TRUE(reread(writeLws(s)).items[lower].bone.weightMapName.empty());
}

TEST(LwsEdit, SettingAndClearingAWeightMapGivesTheOriginalBytesBack) {
  const std::string original = files_test::readText(lightwavePath(kRig));
  LwsScene s = loadOrFail(kRig);
  std::string error;
  for (const char* name : {"WT_Lower", "WT_Upper"}) {
    ASSERT_TRUE(setBoneWeightMapName(s, bone(s, name), name, error)) << error;
    ASSERT_TRUE(setBoneFlag(s, bone(s, name), LwsBoneFlag::LimitedRange, false, error)) << error;  // default: no line
  }
  EXPECT_NE(writeLws(s), original);
  for (const char* name : {"WT_Lower", "WT_Upper"}) ASSERT_TRUE(setBoneWeightMapName(s, bone(s, name), "", error));
  EXPECT_EQ(writeLws(s), original);
}

TEST(LwsEdit, BadBoneEditsChangeNothing) {
  LwsScene s = loadOrFail(kRig);
  const std::string before = writeLws(s);
  std::string error;
  EXPECT_FALSE(setBoneRestLength(s, 0, 1.0, error));  // the object, not a bone
  EXPECT_FALSE(setBoneStrength(s, 99, 1.0, error));
  EXPECT_FALSE(setBoneWeightMapName(s, bone(s, "WT_Lower"), "two\nlines", error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(writeLws(s), before);
}

TEST(LwsEdit, MasterHandlersAreAddedRenumberedAndRemoved) {
  for (const std::string rel : {"assimp/LWS/move_x.lws", "java3d-examples/ballcone.lws", kRig.c_str()}) {
    SCOPED_TRACE(rel);
    const std::string original = files_test::readText(lightwavePath(rel));
    LwsScene s = loadOrFail(rel);
    std::string error;
    ASSERT_TRUE(addMasterHandler(s, "MasterControl_vmr", {}, error)) << error;
    ASSERT_TRUE(addMasterHandler(s, "Other Master", {"{ Data", "  7", "}"}, error)) << error;
    LwsScene back = reread(writeLws(s));
    auto masters = back.masterHandlers();
    ASSERT_EQ(masters.size(), 2u);
    EXPECT_EQ(back.plugins[masters[0]].server, "MasterControl_vmr");
    EXPECT_EQ(back.plugins[masters[1]].server, "Other Master");
    EXPECT_EQ(back.plugins[masters[1]].index, 2);
    EXPECT_EQ(back.plugins[masters[1]].data, (std::vector<std::string>{"{ Data", "  7", "}"}));
    EXPECT_EQ(back.plugins[masters[0]].owner, -1);  // scene level, before the first item
    EXPECT_EQ(back.items.size(), loadOrFail(rel).items.size());

    ASSERT_TRUE(removeMasterHandler(s, 0, error)) << error;
    back = reread(writeLws(s));
    ASSERT_EQ(back.masterHandlers().size(), 1u);
    EXPECT_EQ(back.plugins[back.masterHandlers()[0]].index, 1);  // renumbered
    EXPECT_FALSE(removeMasterHandler(s, 1, error));
    ASSERT_TRUE(removeMasterHandler(s, 0, error)) << error;
    EXPECT_EQ(writeLws(s), original);
  }
}

TEST(LwsRead, ErrorsNameTheFileAndLine) {
  struct Case {
    const char* what;
    std::string text;
    int line;
  };
  const std::string rig = files_test::readText(lightwavePath(kRig));
  LwsScene good = loadOrFail(kRig);
  int lower = bone(good, "WT_Lower");
  std::size_t restLine = 0;
  for (std::size_t i = good.items[lower].firstLine; i < good.items[lower].endLine; ++i)
    if (good.lines[i].text.rfind("BoneRestLength", 0) == 0) restLine = i;
  ASSERT_GT(restLine, 0u);
  LwsScene broken = good;
  broken.lines[restLine].text = "BoneRestLength half";
  // Cut inside the first envelope of the object's motion.
  std::size_t motion = good.items[0].motion.line;
  LwsScene cut = good;
  cut.lines.resize(motion + 6);

  const Case cases[] = {
      {"empty", "", 1},
      {"not a scene", "LWOB\n3\n", 1},
      {"bad version", "LWSC\nthree\n", 2},
      {"bad number", writeLws(broken), static_cast<int>(restLine) + 1},
      {"cut envelope", writeLws(cut), static_cast<int>(cut.lines.size())},
      {"unclosed plugin", "LWSC\n3\nPlugin MasterHandler 1 X\ndata\n", 3},
      {"stray brace", "LWSC\n3\n}\n", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LwsScene s;
    FileError error;
    ASSERT_FALSE(readLws(c.text, "bad.lws", s, error));
    EXPECT_EQ(error.line, c.line) << error.text();
    EXPECT_EQ(error.text().rfind("bad.lws: line " + std::to_string(c.line) + ": ", 0), 0u) << error.text();
  }
}
