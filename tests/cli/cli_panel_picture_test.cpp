// The panel-picture example run from the command line in both languages: one script,
// two pictures named by --language.
#include <gtest/gtest.h>

#include "cli_test_util.h"

namespace {

using cli_test::CliResult;
using cli_test::runCli;

const std::vector<uint8_t> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool isPng(const std::vector<uint8_t>& bytes) {
  return bytes.size() > kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin());
}

TEST(cliPanelPicture, TheExampleWritesOnePicturePerLanguage) {
  cli_test::Scratch out;
  const std::vector<std::string> common = {"run", cli_test::examples("limb.lws"), "--script",
                                           cli_test::examples("panel_picture.txt"), "--out", out.dir()};
  CliResult en = runCli(common);
  ASSERT_EQ(en.code, 0) << en.err << en.out;
  std::vector<std::string> ja = common;
  ja.insert(ja.end(), {"--language", "ja"});
  CliResult jr = runCli(ja);
  ASSERT_EQ(jr.code, 0) << jr.err << jr.out;
  EXPECT_TRUE(isPng(cli_test::readBytes(out.file("panel_en.png"))));
  EXPECT_TRUE(isPng(cli_test::readBytes(out.file("panel_ja.png"))));
  EXPECT_NE(cli_test::readBytes(out.file("panel_en.png")), cli_test::readBytes(out.file("panel_ja.png")));
  EXPECT_NE(jr.out.find("panel_ja.png"), std::string::npos) << jr.out;
}

TEST(cliPanelPicture, OnlyEnglishAndJapaneseAreLanguages) {
  for (const char* bad : {"de", "JA", ""}) {
    CliResult r = runCli({"run", "--language", bad});
    EXPECT_EQ(r.code, 2) << bad;
    EXPECT_NE(r.err.find("--language wants en or ja"), std::string::npos) << r.err;
  }
  EXPECT_EQ(runCli({"run", "--language"}).code, 2);
}

}  // namespace
