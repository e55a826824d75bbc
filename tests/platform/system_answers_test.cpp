// What the running system answers the module: processors, free memory, the separator
// and the names of Layout's configuration file. Built and run on Linux and, under
// Wine, on Windows, so each system's own branch is the one exercised.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/platform.h"
#include "settings/cfg_file.h"
#include "settings/host_config.h"
#include "support/module_fixture.h"

extern "C" {
#include <lwhost.h>
}

namespace {

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// The file name Layout itself gives its configuration for a version string, written
// out literally for each system rather than taken from the module's tables.
std::string layoutConfigName(const std::string& version) {
#if defined(_WIN32)
  return "LW" + version + "-64.CFG";
#else
  return "Layout " + version;
#endif
}

TEST(SystemAnswers, ProcessorsAreCountedAndAtLeastOne) {
  const int n = getNumberOfProcessors();
  EXPECT_GE(n, 1);
  EXPECT_LE(n, 65536);
  EXPECT_EQ(n, platform::processorCount());
}

// The machine running the tests has free memory and the system says how much.
TEST(SystemAnswers, FreeMemoryIsKnownAndBelowTheAddressSpace) {
  unsigned long long bytes = 0;
  ASSERT_TRUE(platform::freePhysicalMemory(&bytes));
  EXPECT_GT(bytes, 1ull << 20);
  EXPECT_LT(bytes, 1ull << 52);
  int failed = -1;
  const long long hundreds = getFreeMemSizeIn100Bytes(&failed);
  EXPECT_EQ(failed, 0);
  EXPECT_GT(hundreds, 0);
  EXPECT_FALSE(platform::freePhysicalMemory(nullptr));
}

TEST(SystemAnswers, PathsUseTheSystemsSeparator) {
  EXPECT_EQ(platform::pathSeparator(), kSeparator);
  EXPECT_EQ(platform::configNameForms().separator, kSeparator);
  EXPECT_EQ(makeCfgFilePath("Settings"), std::string("Settings") + kSeparator + "VelmoraKTQ.cfg");
  EXPECT_EQ(makeCfgFilePath(""), "");
}

// A host that answers "Product Info" and the "Settings" folder of "Directory Info".
unsigned stProduct = 0;
std::string stSettings;

const char* settingsDirInfo(const char* type) {
  return std::string(type) == LWFTYPE_SETTING ? stSettings.c_str() : nullptr;
}

void* versionedGlobal(const char* name, int) {
  const std::string n = name;
  if (n == LWPRODUCTINFO_GLOBAL) return reinterpret_cast<void*>(uintptr_t(stProduct));
  if (n == LWDIRINFOFUNC_GLOBAL) return reinterpret_cast<void*>(&settingsDirInfo);
  return nullptr;
}

unsigned productInfo(unsigned build, unsigned major, unsigned minor, unsigned year = 0) {
  return 1u | (build << 4) | (minor << 16) | (major << 20) | (year << 24);
}

// Layout's own configuration file in a real folder of this system, found under the
// name Layout gives it here, with this system's separator.
class SystemLayoutConfig : public ::testing::Test {
 protected:
  void SetUp() override {
    root = makeTempDir();
    ASSERT_FALSE(root.empty());
    settings = root + kSeparator + "2020.0.2";
    std::filesystem::create_directories(settings);
    stSettings = settings;
  }
  void TearDown() override { removeTempDir(root); }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(settings + kSeparator + name, std::ios::binary) << text;
  }
  ConfigRequest read(std::string* path) {
    ConfigRequest r = makeBoneHandleRequest();
    *path = getIntValueFromLayoutConfigFile(versionedGlobal, r);
    return r;
  }
  std::string root, settings;
};

TEST_F(SystemLayoutConfig, AYearNumberedHostReadsTheFileNamedForItsFolder) {
  stProduct = productInfo(3227, 15, 0, 5);  // 2020.0
  write(layoutConfigName("2020.0.2"), "LayoutViewBoneHandleSize 96\r\nLayoutViewBoneHandleFill 0\r\n");
  write(layoutConfigName("2020"), "LayoutViewBoneHandleSize 11\n");
  std::string path;
  ConfigRequest r = read(&path);
  EXPECT_EQ(path, settings + kSeparator + layoutConfigName("2020.0.2"));
  EXPECT_EQ(r[0].value, 96);
  EXPECT_EQ(r[1].value, 1);
  EXPECT_EQ(r[1].found, 0);
  EXPECT_EQ(r[2].value, 0);
}

TEST_F(SystemLayoutConfig, AnOlderHostReadsTheFileNamedForItsMajorVersion) {
  stProduct = productInfo(2739, 9, 6);
  write(layoutConfigName("9.6"), "LayoutViewBoneHandleSize 40\n");  // not tried below build 3064
  write(layoutConfigName("9"), "LayoutViewBoneHandleAutoSize 0\n");
  std::string path;
  ConfigRequest r = read(&path);
  EXPECT_EQ(path, settings + kSeparator + layoutConfigName("9"));
  EXPECT_EQ(r[0].value, 72);
  EXPECT_EQ(r[1].value, 0);
}

}  // namespace
