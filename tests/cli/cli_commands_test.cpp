// The commands example from the command line: dialogs filled by the script, the object
// and the scene saved with what the commands did.
#include <gtest/gtest.h>

#include "cli_test_util.h"

namespace {

using cli_test::CliResult;
using cli_test::runCli;

TEST(cliCommands, TheExampleRunsEveryCommandAndSavesTheResult) {
  cli_test::Scratch out;
  CliResult r = runCli({"run", cli_test::examples("limb.lws"), "--script", cli_test::examples("limb_commands.txt"),
                        "--out", out.dir()});
  ASSERT_EQ(r.code, 0) << r.err << r.out;
  const std::string scene = cli_test::readText(out.file("limb.lws"));
  EXPECT_NE(scene.find("BoneWeightMapOnly 1\n"), std::string::npos);
  EXPECT_NE(scene.find("BoneStrength 0.9\n"), std::string::npos);
  const std::vector<uint8_t> object = cli_test::readBytes(out.file("Limb.lwo"));
  const std::string bytes(object.begin(), object.end());
  EXPECT_EQ(bytes.find("Scratch"), std::string::npos) << "deleted from the c5 button";
  EXPECT_NE(bytes.find("Upper"), std::string::npos);
}

TEST(cliCommands, ADialogWithoutTheNamedControlStopsTheRun) {
  cli_test::Scratch out;
  const std::string script = out.file("bad.txt");
  cli_test::writeText(script,
                      "SelectItem Limb\nTool KTQ_VelmoraTool\nDialog \"No Such Control\" 1 ok\n"
                      "Menu \"Edit\" \"Normalize Weights\"\n");
  CliResult r = runCli({"run", cli_test::examples("limb.lws"), "--script", script, "--out", out.dir()});
  EXPECT_NE(r.code, 0);
  EXPECT_NE(r.err.find("has no control \"No Such Control\""), std::string::npos) << r.err;
}

}  // namespace
