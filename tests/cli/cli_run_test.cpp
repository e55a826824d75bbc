// velmora-sim run, in-process: the demo end to end with the module file loaded as Layout
// would, the example scene and script, and how failures are reported.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_util.h"
#include "files/lwo_io.h"
#include "files/lws_scene.h"

using namespace cli_test;

namespace {

constexpr sim::LwoId kWght = sim::lwoId("WGHT");

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(cliRun, DemoPaintsAStrokeThroughTheModule) {
  Scratch out;
  CliResult r = runCli({"--out", out.dir()});
  ASSERT_EQ(r.code, 0) << r.err << r.out;
  EXPECT_TRUE(contains(r.out, "server LayoutTool KTQ_VelmoraTool")) << r.out;
  EXPECT_TRUE(contains(r.out, "tool KTQ_VelmoraTool activation result 0")) << r.out;
  EXPECT_TRUE(contains(r.out, "ModCommand_MEAccess_vmr")) << r.out;
  EXPECT_TRUE(contains(r.out, "Files written:")) << r.out;

  // The stroke went to the limb's current map, "Upper", through the module's command.
  sim::LwoObject saved;
  sim::FileError error;
  ASSERT_TRUE(sim::loadLwo(out.file("Limb.lwo"), saved, error)) << error.text();
  const sim::LwoVertexMap* painted = saved.findVertexMap(0, kWght, "Upper");
  ASSERT_NE(painted, nullptr);
  EXPECT_TRUE(contains(r.out, "WGHT \"Upper\"")) << r.out;
  for (float v : painted->values) {
    EXPECT_GE(v, 0.0f);
    EXPECT_LE(v, 1.0f);
  }

  sim::LwsScene scene;
  ASSERT_TRUE(sim::loadLws(out.file("demo.lws"), scene, error)) << error.text();
  int upper = scene.findItem(sim::LwsItemType::Bone, "Upper");
  ASSERT_GE(upper, 0);
  EXPECT_EQ(scene.items[size_t(upper)].bone.weightMapName, "Upper");
  EXPECT_TRUE(contains(readText(out.file("report.txt")), "activation result 0"));
}

TEST(cliRun, ExampleSceneAndScriptRunAndSaveTheirEdits) {
  Scratch out;
  CliResult r = runCli({"run", examples("limb.lws"), "--script", examples("limb_session.txt"), "--out", out.dir()});
  ASSERT_EQ(r.code, 0) << r.err << r.out;
  sim::LwsScene scene;
  sim::FileError error;
  ASSERT_TRUE(sim::loadLws(out.file("limb.lws"), scene, error)) << error.text();
  int lower = scene.findItem(sim::LwsItemType::Bone, "Lower");
  ASSERT_GE(lower, 0);
  EXPECT_EQ(scene.items[size_t(lower)].bone.strength, 0.8);
  sim::LwoObject object;
  ASSERT_TRUE(sim::loadLwo(out.file("Limb.lwo"), object, error)) << error.text();
  EXPECT_NE(object.findVertexMap(0, kWght, "ElbowBlend"), nullptr);
  EXPECT_EQ(object.findVertexMap(0, kWght, "Elbow"), nullptr);
}

TEST(cliRun, ASceneSavedWhileTheToolIsActiveLeavesTheDummyObjectOut) {
  Scratch dir;
  writeText(dir.file("script.txt"), "SelectItem Limb\nTool KTQ_VelmoraTool\nSaveScene\n");
  CliResult r = runCli({"run", "--demo-size", "4x6", "--script", dir.file("script.txt"), "--out", dir.file("out")});
  ASSERT_EQ(r.code, 0) << r.err;
  std::string scene = readText(dir.file("out/demo.lws"));
  ASSERT_FALSE(scene.empty());
  EXPECT_EQ(scene.find("(temporary data)"), std::string::npos);
  // The module took the dummy out for the save and put it back afterwards.
  size_t first = r.out.find("AddNull (temporary data)");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(r.out.find("AddNull (temporary data)", first + 1), std::string::npos);
}

TEST(cliRun, ScriptErrorsNameTheirLineAndStopTheRun) {
  Scratch dir;
  struct Case {
    std::string script;
    int line;
    std::string says;
  };
  const Case cases[] = {
      {"# comment\nSelectItem Limb\n\nNoSuchCommand 1\nSaveObjects\n", 4, "unknown command"},
      {"SelectItem Nobody\n", 1, "no item named"},
      {"SelectItem Limb\nPress 10 10\n", 2, "no active tool"},
      {"Tool KTQ_VelmoraTool\nDrag 1 2 3\n", 2, "pairs"},
      {"Viewport 0 type=sideways\n", 1, "bad viewport setting"},
      {"SelectItem Limb\nTool KTQ_VelmoraTool\nStoreWeights Demo 0=1\n", 3, "leave it first"},
      {"Answer maybe\n", 1, "Answer takes"},
      {"Tool KTQ_VelmoraTool\nPanel \"No such control\" 3\n", 2, "no open panel"},
  };
  for (const Case& c : cases) {
    writeText(dir.file("script.txt"), c.script);
    CliResult r = runCli({"run", "--demo-size", "4x6", "--script", dir.file("script.txt"), "--out", dir.file("out")});
    EXPECT_EQ(r.code, 1) << c.script;
    EXPECT_TRUE(contains(r.err, "script line " + std::to_string(c.line) + ":")) << c.script << "\n" << r.err;
    EXPECT_TRUE(contains(r.err, c.says)) << r.err;
  }
  // The failing line stops the run: the SaveObjects after it never happened.
  writeText(dir.file("script.txt"), cases[0].script);
  Scratch fresh;
  runCli({"run", "--demo-size", "4x6", "--script", dir.file("script.txt"), "--out", fresh.dir()});
  EXPECT_FALSE(std::filesystem::exists(fresh.file("Limb.lwo")));
}

TEST(cliRun, FailuresGiveAClearMessageAndNonZeroExit) {
  Scratch dir;
  CliResult noModule = runCli({"run", "--module", dir.file("missing.p"), "--out", dir.file("o")});
  EXPECT_EQ(noModule.code, 1);
  EXPECT_TRUE(contains(noModule.err, "module file not found")) << noModule.err;

  // A broken object reports the reader's error text.
  auto bytes = readBytes(lightwave("assimp/LWO2/hierarchy.lwo"));
  bytes.resize(100);
  writeText(dir.file("broken.lwo"), std::string(bytes.begin(), bytes.end()));
  CliResult broken = runCli({"run", dir.file("broken.lwo"), "--out", dir.file("o")});
  EXPECT_EQ(broken.code, 1);
  EXPECT_TRUE(contains(broken.err, "broken.lwo:")) << broken.err;

  CliResult noScript = runCli({"run", "--script", dir.file("none.txt"), "--out", dir.file("o")});
  EXPECT_EQ(noScript.code, 1);
  EXPECT_TRUE(contains(noScript.err, "cannot read the script")) << noScript.err;

  EXPECT_EQ(runCli({"run", "--bogus"}).code, 2);
  EXPECT_EQ(runCli({"convert", "only-one"}).code, 2);
}

TEST(cliRun, OutputsNeverReplaceTheInputs) {
  Scratch dir;
  std::filesystem::copy_file(lightwave("assimp/LWO2/hierarchy.lwo"), dir.file("hierarchy.lwo"));
  const auto before = readBytes(dir.file("hierarchy.lwo"));
  CliResult r = runCli({"run", dir.file("hierarchy.lwo"), "--out", dir.dir()});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(contains(r.err, "source file")) << r.err;
  EXPECT_EQ(readBytes(dir.file("hierarchy.lwo")), before);
}

TEST(cliRun, HelpDocumentsEveryScriptAction) {
  CliResult r = runCli({"run", "--help"});
  EXPECT_EQ(r.code, 0);
  for (const char* action : {"SelectItem", "Tool", "ChangeTool", "Viewport", "Press", "Drag", "Release", "Panel",
                             "Menu", "Answer", "CancelMonitorAfter", "SaveObjects", "SaveScene", "Redraw",
                             "StoreWeights", "DeleteWeightMap", "RenameWeightMap", "PanelPicture"})
    EXPECT_TRUE(contains(r.out, std::string("\n  ") + action)) << action;
  EXPECT_TRUE(contains(r.out, "--language en|ja"));
  EXPECT_EQ(runCli({"convert", "--help"}).code, 0);
  EXPECT_EQ(runCli({"info", "--help"}).code, 0);
}
