// What velmora-sim run leaves in its output folder: a saved scene that reopens with the
// saved objects and their maps wherever the source scene kept its objects, objects written
// once unless they changed again, and a default picture that shows the loaded scene.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_util.h"
#include "files/lwo_io.h"
#include "io/scene_files.h"

using namespace cli_test;
namespace fs = std::filesystem;

namespace {

size_t count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The example limb scene with its object named by `objectPath`, written to `scenePath`.
void writeLimbScene(const std::string& scenePath, const std::string& objectPath) {
  std::string text = readText(examples("limb.lws"));
  const std::string from = "10000000 Limb.lwo";
  ASSERT_NE(text.find(from), std::string::npos);
  text.replace(text.find(from), from.size(), "10000000 " + objectPath);
  writeText(scenePath, text);
}

}  // namespace

TEST(cliRunOutputs, ASavedSceneReopensWithTheSavedObjectsWhereverTheSourceKeptThem) {
  Scratch dir;
  fs::create_directories(dir.file("project/Scenes"));
  fs::create_directories(dir.file("project/Objects"));
  fs::copy_file(examples("Limb.lwo"), dir.file("project/Objects/Limb.lwo"));
  writeText(dir.file("paint.txt"), "SelectItem Limb\nStoreWeights Elbow gradient 12\nSaveObjects\nSaveScene\n");
  // A path that climbs out of the scene's folder, and an absolute one.
  const std::vector<std::string> paths = {"../Objects/Limb.lwo", dir.file("project/Objects/Limb.lwo")};
  for (size_t k = 0; k < paths.size(); ++k) {
    SCOPED_TRACE(paths[k]);
    const std::string scene = dir.file("project/Scenes/limb" + std::to_string(k) + ".lws");
    const std::string out = dir.file("out" + std::to_string(k));
    writeLimbScene(scene, paths[k]);
    CliResult r = runCli({"run", scene, "--script", dir.file("paint.txt"), "--out", out});
    ASSERT_EQ(r.code, 0) << r.err << r.out;

    sim::Host host;
    sim::ObjectFiles objects;
    sim::LoadedScene reopened;
    sim::FileError fe;
    ASSERT_TRUE(sim::loadSceneIntoHost(host, objects, out + "/limb" + std::to_string(k) + ".lws", reopened, fe))
        << fe.text();
    EXPECT_TRUE(reopened.warnings.empty()) << reopened.warnings.front();
    const sim::SimItem* limb = host.scene.findByName("Limb");
    ASSERT_NE(limb, nullptr);
    // The saved object, not the source: it holds the map the run wrote.
    EXPECT_TRUE(fs::equivalent(limb->filename, out + "/Limb.lwo")) << limb->filename;
    const sim::SimVMap* elbow = limb->mesh->findVMap(sim::kVMapWGHT, "Elbow");
    ASSERT_NE(elbow, nullptr);
    EXPECT_EQ(elbow->values.size(), 12u);
    for (const char* bone : {"Upper", "Lower", "Hand"}) {
      const sim::SimItem* b = host.scene.findByName(bone);
      ASSERT_NE(b, nullptr) << bone;
      EXPECT_EQ(b->boneObject, limb->id);
    }
    EXPECT_EQ(reopened.file.items.size(), 6u);
  }
}

TEST(cliRunOutputs, ASceneWhoseObjectPathsAlreadyFitIsSavedUnchanged) {
  Scratch dir;
  fs::create_directories(dir.file("Objects"));
  fs::copy_file(examples("Limb.lwo"), dir.file("Objects/Limb.lwo"));
  writeLimbScene(dir.file("limb.lws"), "Objects\\Limb.lwo");
  writeText(dir.file("save.txt"), "SaveScene\n");
  CliResult r = runCli({"run", dir.file("limb.lws"), "--script", dir.file("save.txt"), "--out", dir.file("out")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(readBytes(dir.file("out/limb.lws")), readBytes(dir.file("limb.lws")));
  EXPECT_TRUE(fs::exists(dir.file("out/Objects/Limb.lwo")));
}

TEST(cliRunOutputs, ObjectsAreSavedOnceUnlessTheyChangeAgain) {
  Scratch dir;
  writeText(dir.file("once.txt"), "SelectItem Limb\nStoreWeights Elbow gradient 12\nSaveObjects\n");
  CliResult once = runCli({"run", examples("limb.lws"), "--script", dir.file("once.txt"), "--out", dir.file("a")});
  ASSERT_EQ(once.code, 0) << once.err;
  EXPECT_EQ(count(once.out, "saved object"), 1u) << once.out;

  writeText(dir.file("twice.txt"),
            "SelectItem Limb\nStoreWeights Elbow gradient 12\nSaveObjects\nStoreWeights Wrist gradient 6\n");
  CliResult twice = runCli({"run", examples("limb.lws"), "--script", dir.file("twice.txt"), "--out", dir.file("b")});
  ASSERT_EQ(twice.code, 0) << twice.err;
  EXPECT_EQ(count(twice.out, "saved object"), 2u) << twice.out;
  sim::LwoObject saved;
  sim::FileError fe;
  ASSERT_TRUE(sim::loadLwo(dir.file("b/Limb.lwo"), saved, fe)) << fe.text();
  EXPECT_NE(saved.findVertexMap(0, sim::lwoId("WGHT"), "Wrist"), nullptr);

  // Never saved by the script: written once at the end.
  writeText(dir.file("none.txt"), "SelectItem Limb\n");
  CliResult none = runCli({"run", examples("limb.lws"), "--script", dir.file("none.txt"), "--out", dir.file("c")});
  ASSERT_EQ(none.code, 0) << none.err;
  EXPECT_EQ(count(none.out, "saved object"), 1u) << none.out;
}
