// Host configuration: version decoding, Layout's configuration file, the machine.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "settings/host_config.h"
#include "support/module_fixture.h"

extern "C" {
#include <lwhost.h>
}

namespace {

// A minimal host: "Product Info", "Locale Info" and "Directory Info".
unsigned stProduct = 0;
unsigned stLocale = 0;
std::string stDir;

const char* fakeDirInfo(const char* type) {
  return std::string(type) == LWFTYPE_SETTING ? stDir.c_str() : nullptr;
}

void* fakeGlobal(const char* name, int) {
  std::string n = name;
  if (n == LWPRODUCTINFO_GLOBAL) return reinterpret_cast<void*>(uintptr_t(stProduct));
  if (n == LWLOCALEINFO_GLOBAL) return reinterpret_cast<void*>(uintptr_t(stLocale));
  if (n == LWDIRINFOFUNC_GLOBAL) return reinterpret_cast<void*>(&fakeDirInfo);
  return nullptr;
}

unsigned product(unsigned build, unsigned major, unsigned minor, unsigned year = 0) {
  return 1u | (build << 4) | (minor << 16) | (major << 20) | (year << 24);
}

TEST(HostVersion, DecodesBuildMajorAndMinor) {
  int build, major, minor;
  stProduct = product(2739, 9, 6);
  getLWVersionNumber(fakeGlobal, &build, &major, &minor);
  EXPECT_EQ(build, 2739);
  EXPECT_EQ(major, 9);
  EXPECT_EQ(minor, 6);
  EXPECT_EQ(getBuildNumber(fakeGlobal), 2739);
  // A year-numbered host keeps 15 in the major field and the year offset above it.
  stProduct = product(3107, 15, 0, 3);
  getLWVersionNumber(fakeGlobal, &build, &major, &minor);
  EXPECT_EQ(major, 2018);
  EXPECT_EQ(build, 3107);
  stProduct = product(4095, 15, 15, 63);
  getLWVersionNumber(fakeGlobal, &build, &major, &minor);
  EXPECT_EQ(build, 4095);
  EXPECT_EQ(major, 2078);
  EXPECT_EQ(minor, 15);
}

TEST(HostVersion, MissingGlobalsReadAsZero) {
  int build = -1, major = -1, minor = -1;
  getLWVersionNumber(nullptr, &build, &major, &minor);
  EXPECT_EQ(build, 0);
  EXPECT_EQ(major, 0);
  EXPECT_EQ(getLangIDForLW(nullptr), 0);
}

TEST(HostVersion, TheLanguageIsTheLowWordOfTheLocale) {
  stLocale = 0xABCD0411;
  EXPECT_EQ(getLangIDForLW(fakeGlobal), 1041);
}

class LayoutConfigFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = makeTempDir() + "/LW2020";
    std::filesystem::create_directories(dir);
    stDir = dir;
    stProduct = product(3227, 15, 0, 5);  // LightWave 2020.0
  }
  void TearDown() override { removeTempDir(std::filesystem::path(dir).parent_path().string()); }
  void write(const std::string& name, const std::string& text) { std::ofstream(dir + "/" + name) << text; }
  ConfigRequest read() {
    ConfigRequest r = makeBoneHandleRequest();
    lastPath = getIntValueFromLayoutConfigFile(fakeGlobal, r);
    return r;
  }
  std::string dir, lastPath;
};

TEST_F(LayoutConfigFile, OnlyTheHandleSizeSetGives96_1_1) {
  write("Layout 2020.0", "Whatever 3\nLayoutViewBoneHandleSize 96\n");
  ConfigRequest r = read();
  EXPECT_EQ(r[0].value, 96);
  EXPECT_EQ(r[0].found, 1);
  EXPECT_EQ(r[1].value, 1);
  EXPECT_EQ(r[1].found, 0);
  EXPECT_EQ(r[2].value, 1);
}

TEST_F(LayoutConfigFile, AKeyFollowedByALetterSetsNothing) {
  write("Layout 2020.0", "LayoutViewBoneHandleSize x96\nLayoutViewBoneHandleSizeX 40\nLayoutViewBoneHandleFill 0\n");
  ConfigRequest r = read();
  EXPECT_EQ(r[0].value, 72);
  EXPECT_EQ(r[0].found, 0);
  EXPECT_EQ(r[2].value, 0);
}

TEST_F(LayoutConfigFile, NamesAreTriedInOrderAndTheFirstThatOpensIsRead) {
  write("Layout 2020", "LayoutViewBoneHandleSize 10\n");
  EXPECT_EQ(read()[0].value, 10);
  write("Layout 2020.0", "LayoutViewBoneHandleSize 20\n");
  EXPECT_EQ(read()[0].value, 20);
  write("Layout LW2020", "LayoutViewBoneHandleSize 30\n");
  EXPECT_EQ(read()[0].value, 30);
  EXPECT_EQ(lastPath, dir + "/Layout LW2020");
}

TEST_F(LayoutConfigFile, NoFileLeavesTheDefaults) {
  ConfigRequest r = read();
  EXPECT_TRUE(lastPath.empty());
  EXPECT_EQ(r[0].value, 72);
  EXPECT_EQ(r[1].value, 1);
  EXPECT_EQ(r[2].value, 1);
}

TEST_F(LayoutConfigFile, AVeryLongLineIsReadInPiecesAndMatchesNothing) {
  std::string junk(3000, 'a');
  write("Layout 2020.0", junk + "LayoutViewBoneHandleSize 5\nLayoutViewBoneHandleAutoSize 0\n");
  ConfigRequest r = read();
  EXPECT_EQ(r[0].value, 72);
  EXPECT_EQ(r[1].value, 0);
}

TEST(LayoutConfigNames, FollowTheHostBuildAndVersion) {
  EXPECT_EQ(layoutConfigFileNames("/s/LW9", 2739, 9, 6), std::vector<std::string>{"/s/LW9/Layout 9"});
  EXPECT_EQ(layoutConfigFileNames("/s", 3000, 15, 0),
            (std::vector<std::string>{"/s/Layout 15.0", "/s/Layout 15"}));
  EXPECT_EQ(layoutConfigFileNames("/s/Cfg/", 3064, 2020, 1),
            (std::vector<std::string>{"/s/Cfg//Layout Cfg", "/s/Cfg//Layout 2020.1", "/s/Cfg//Layout 2020"}));
}

TEST(Machine, ReportsProcessorsAndFreeMemory) {
  EXPECT_EQ(getNumberOfProcessors(), int(sysconf(_SC_NPROCESSORS_CONF)));
  EXPECT_GE(getNumberOfProcessors(), 1);
  int failed = 1;
  long long free = getFreeMemSizeIn100Bytes(&failed);
  EXPECT_EQ(failed, 0);
  EXPECT_GT(free, 0);
  // Within the machine's physical memory.
  EXPECT_LT(free, (long long)sysconf(_SC_PHYS_PAGES) * sysconf(_SC_PAGESIZE) / 100 + 1);
}

}  // namespace
