// The settings file is the same on every system: a record saved here has the bytes of
// the file kept beside this test, that file loads here into the same record, and (when
// VELMORA_SETTINGS_EXCHANGE names a folder) files written by the other system's build
// load here too. scripts/test-windows.sh runs the Linux and the Windows program on one
// folder in turn.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gradient/gradient.h"
#include "settings/cfg_file.h"
#include "support/module_fixture.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

#if defined(_WIN32)
constexpr const char* kThisSystem = "windows";
#else
constexpr const char* kThisSystem = "linux";
#endif

// Every saved field away from its default, strings of several lengths, negative and
// fractional values, and a gradient with unsorted keys.
ToolSettings exchangedSettings() {
  ToolSettings s;
  std::strcpy(s.weightMapName, "Forearm_L.weights");
  s.toolIndex = 7;
  s.brushSize = 57;
  s.falloffMode = 0;
  s.strength[0] = 0.0625f;
  s.strength[1] = 0.8f;
  s.strength[2] = 0.1f;
  s.value = -0.375f;
  s.erase = 1;
  s.zeroOutline = 0;
  s.pointSize = 3;
  s.multiplySizeByValue = 0;
  s.noDepth = 1;
  s.showWeights = 1;
  s.autoSave = 1;
  s.visibility = 1;
  const int32_t buttons[5] = {27, 0, 14, 2, 8};
  std::memcpy(s.customButtons, buttons, sizeof buttons);
  s.expandSelectionOption = 4;
  s.normalizeOption = 0;
  s.smoothFor = 1;
  s.smoothStrength = 0.45f;
  s.smoothIterations = 6;
  s.clampOption = 0;
  s.clampMaxMaps = 3;
  s.mirrorAllMaps = 0;
  s.mirrorAxis = 1;
  s.mirrorStringType = 2;
  std::strcpy(s.mirrorSourceString, "Left");
  std::strcpy(s.mirrorTargetString, "Right_side");
  s.mirrorDirection = 1;
  std::strcpy(s.mirrorCenterString, "");
  s.transferAllMaps = 0;
  s.bindMethod = 0;
  s.bindFor = 1;
  s.bindActivateBones = 0;
  s.boneSettingActive = 1;
  s.boneSettingWeightMap = 1;
  s.boneSettingInfluence = 0;
  return s;
}

void exchangedGradient(GradientData& g) {
  const std::vector<float> keys = {0.75f, 0.9f, 0.1f, 0.2f, -0.5f, 0.0f, 0.25f, 1.0f,
                                   1.5f,  1.0f, 1.0f, 0.0f, 0.0f,  0.3f, 0.3f,  0.3f};
  ASSERT_TRUE(setInitGradientsWithFloatArray(g, keys));
}

Bytes readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path goldenFile() { return fs::path(__FILE__).parent_path() / "exchange_settings.cfg"; }

// Loads a file into a record that starts from the defaults, then saves that record:
// the bytes equal the golden file's exactly when every saved field and the gradient
// came through.
Bytes loadAndSaveAgain(const fs::path& file, const std::string& scratch, ToolSettings& loaded) {
  GradientData gradient;
  setInitGradients(gradient, 0);
  loaded = ToolSettings{};
  EXPECT_TRUE(loadCfgFile(loaded, gradient, file.string())) << file;
  const std::string again = makeCfgFilePath(scratch);
  EXPECT_TRUE(saveCfgFile(loaded, gradient, again));
  return readBytes(again);
}

class SettingsExchange : public ::testing::Test {
 protected:
  void SetUp() override { dir = makeTempDir(); }
  void TearDown() override { removeTempDir(dir); }
  std::string dir;
};

TEST_F(SettingsExchange, SavingGivesTheBytesOfTheKeptFile) {
  const Bytes golden = readBytes(goldenFile());
  ASSERT_FALSE(golden.empty()) << goldenFile();
  GradientData gradient;
  exchangedGradient(gradient);
  const std::string path = makeCfgFilePath(dir);
  ASSERT_TRUE(saveCfgFile(exchangedSettings(), gradient, path));
  EXPECT_EQ(readBytes(path), golden);
}

TEST_F(SettingsExchange, TheKeptFileLoadsIntoTheSameRecord) {
  ToolSettings loaded;
  EXPECT_EQ(loadAndSaveAgain(goldenFile(), dir, loaded), readBytes(goldenFile()));
  EXPECT_STREQ(loaded.weightMapName, "Forearm_L.weights");
  EXPECT_STREQ(loaded.mirrorTargetString, "Right_side");
  EXPECT_EQ(loaded.value, -0.375f);
  EXPECT_EQ(loaded.customButtons[0], 27);
  EXPECT_EQ(loaded.bindMethod, 0);
}

// Writes this system's file into the exchange folder and loads every file another
// system left there.
TEST_F(SettingsExchange, FilesOfTheOtherSystemLoadHere) {
  const char* exchange = std::getenv("VELMORA_SETTINGS_EXCHANGE");
  if (!exchange || !*exchange) GTEST_SKIP() << "VELMORA_SETTINGS_EXCHANGE not set";
  const fs::path folder(exchange);
  fs::create_directories(folder);
  GradientData gradient;
  exchangedGradient(gradient);
  const fs::path own = folder / (std::string("written-on-") + kThisSystem);
  fs::create_directories(own);
  ASSERT_TRUE(saveCfgFile(exchangedSettings(), gradient, makeCfgFilePath(own.string())));

  const Bytes golden = readBytes(goldenFile());
  int others = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!entry.is_directory() || entry.path() == own) continue;
    const fs::path file = entry.path() / "VelmoraKTQ.cfg";
    if (!fs::exists(file)) continue;
    ++others;
    ToolSettings loaded;
    EXPECT_EQ(loadAndSaveAgain(file, dir, loaded), golden) << file;
    EXPECT_STREQ(loaded.weightMapName, "Forearm_L.weights") << file;
  }
  RecordProperty("filesFromOtherSystems", others);
  std::printf("settings files from other systems loaded: %d\n", others);
}

}  // namespace
