// Item lines a scene model reads beside motions (pivot position and rotation, in both
// spellings Layout has used) and the object-path edit that points a scene at other files.
// The scenes are written here.
#include <gtest/gtest.h>

#include "files/lws_scene.h"

using namespace sim;

namespace {

LwsScene read(const std::string& text) {
  LwsScene scene;
  FileError error;
  EXPECT_TRUE(readLws(text, "test", scene, error)) << error.text();
  return scene;
}

const std::string kScene =
    "LWSC\n5\n\n"
    "LoadObjectLayer 2 10000000   Objects\\Car Body.lwo\nShowObject 6 7\nPivotPosition 1 0.5 -2\n"
    "PivotRotation 0 -90 12.5\n\n"
    "LoadObject Objects/Old.lwo\nPivotPoint 0 1 0\n\n"
    "AddNullObject 10000002 Target\n\n"
    "AddBone 40000002\nBoneName Root\nPivotRotation 90 0 0\n";

}  // namespace

TEST(LwsObjectLines, PivotPositionAndRotationAreReadInEitherSpelling) {
  const LwsScene scene = read(kScene);
  ASSERT_EQ(scene.items.size(), 4u);
  const LwsItem& body = scene.items[0];
  ASSERT_TRUE(body.pivot && body.pivotRotation);
  EXPECT_EQ(*body.pivot, (std::array<double, 3>{1, 0.5, -2}));
  EXPECT_EQ(*body.pivotRotation, (std::array<double, 3>{0, -90, 12.5}));
  ASSERT_TRUE(scene.items[1].pivot);
  EXPECT_EQ(*scene.items[1].pivot, (std::array<double, 3>{0, 1, 0}));
  EXPECT_FALSE(scene.items[1].pivotRotation);
  EXPECT_FALSE(scene.items[2].pivot);  // no line: the item keeps the pivot it has
  ASSERT_TRUE(scene.items[3].pivotRotation);
  EXPECT_EQ((*scene.items[3].pivotRotation)[0], 90);

  FileError error;
  LwsScene broken;
  EXPECT_FALSE(readLws("LWSC\n5\nLoadObject a.lwo\nPivotPosition 1 2\n", "short", broken, error));
  EXPECT_EQ(error.line, 4);
}

TEST(LwsObjectLines, AnObjectPathIsReplacedKeepingLayerIdAndEveryOtherLine) {
  LwsScene scene = read(kScene);
  std::string error;
  ASSERT_TRUE(setObjectPath(scene, 0, "Body/Car Body.lwo", error)) << error;
  EXPECT_EQ(scene.lines[3].text, "LoadObjectLayer 2 10000000 Body/Car Body.lwo");
  EXPECT_EQ(scene.items[0].name, "Body/Car Body.lwo");
  EXPECT_EQ(scene.items[0].layer, 2);
  EXPECT_EQ(scene.items[0].id, 0x10000000u);
  ASSERT_TRUE(setObjectPath(scene, 1, "New.lwo", error)) << error;
  EXPECT_EQ(scene.lines[8].text, "LoadObject New.lwo");
  LwsScene original = read(kScene);
  ASSERT_EQ(scene.lines.size(), original.lines.size());
  for (size_t i = 0; i < scene.lines.size(); ++i)
    if (i != 3 && i != 8) {
      EXPECT_EQ(scene.lines[i].text, original.lines[i].text) << i;
    }

  // Refusals change nothing.
  const std::string before = writeLws(scene);
  EXPECT_FALSE(setObjectPath(scene, 2, "Null.lwo", error));  // a null has no file
  EXPECT_FALSE(setObjectPath(scene, 3, "Bone.lwo", error));
  EXPECT_FALSE(setObjectPath(scene, 9, "None.lwo", error));
  EXPECT_FALSE(setObjectPath(scene, 0, "", error));
  EXPECT_FALSE(setObjectPath(scene, 0, "two\nlines.lwo", error));
  EXPECT_EQ(writeLws(scene), before);
}
