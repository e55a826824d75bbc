// Host configuration: version decoding, Layout's configuration file, the machine.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/platform.h"
#include "settings/host_config.h"
#include "shell/inst_data.h"
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

// On Windows Layout names its file LW<version>-64.CFG, separated by a backslash; the
// rule of which versions are tried is the same.
TEST(LayoutConfigNames, WindowsNamesCarryTheSixtyFourBitSuffix) {
  const auto& win = platform::kWindowsConfigNames;
  EXPECT_EQ(layoutConfigFileNames("C:\\LW\\2020.0.2", 3227, 2020, 0, win),
            (std::vector<std::string>{"C:\\LW\\2020.0.2\\LW2020.0.2-64.CFG", "C:\\LW\\2020.0.2\\LW2020.0-64.CFG",
                                      "C:\\LW\\2020.0.2\\LW2020-64.CFG"}));
  EXPECT_EQ(layoutConfigFileNames("C:\\Cfg", 2739, 9, 6, win), std::vector<std::string>{"C:\\Cfg\\LW9-64.CFG"});
  EXPECT_EQ(layoutConfigFileNames("C:\\Cfg", 3000, 15, 0, win),
            (std::vector<std::string>{"C:\\Cfg\\LW15.0-64.CFG", "C:\\Cfg\\LW15-64.CFG"}));
}

// The edges of the two rules: the directory-named file from build 3064, the
// major.minor name below it only from major 15.
TEST(LayoutConfigNames, TheBuildAndMajorThresholds) {
  EXPECT_EQ(layoutConfigFileNames("/s", 3063, 14, 2), std::vector<std::string>{"/s/Layout 14"});
  EXPECT_EQ(layoutConfigFileNames("/s", 3063, 15, 2).size(), 2u);
  EXPECT_EQ(layoutConfigFileNames("/s", 3064, 11, 6),
            (std::vector<std::string>{"/s/Layout s", "/s/Layout 11.6", "/s/Layout 11"}));
}

TEST(LayoutConfigNames, ThisSystemUsesItsOwnForms) {
  EXPECT_EQ(platform::configNameForms().separator, '/');
  EXPECT_EQ(layoutConfigFileNames("/s", 2739, 9, 6),
            layoutConfigFileNames("/s", 2739, 9, 6, platform::kUnixConfigNames));
}

// Free memory through the platform seam: unreadable, and readable near the limits.
class FreeMemory : public ::testing::Test {
 protected:
  void TearDown() override { platform::setFreeMemoryQuery(nullptr); }
  static inline unsigned long long stBytes = 0;
  static bool unreadable(unsigned long long*) { return false; }
  static bool fixed(unsigned long long* bytes) {
    *bytes = stBytes;
    return true;
  }
};

TEST_F(FreeMemory, UnreadableReportsFailureAndZero) {
  platform::setFreeMemoryQuery(unreadable);
  int failed = 0;
  EXPECT_EQ(getFreeMemSizeIn100Bytes(&failed), 0);
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(getFreeMemSizeIn100Bytes(nullptr), 0);  // no flag to set is fine
}

TEST_F(FreeMemory, ReadableIsCountedInHundredsOfBytesRoundingDown) {
  platform::setFreeMemoryQuery(fixed);
  int failed = 1;
  stBytes = 199;
  EXPECT_EQ(getFreeMemSizeIn100Bytes(&failed), 1);
  EXPECT_EQ(failed, 0);
  stBytes = 64ull << 30;  // 64 GiB: beyond 32 bits
  EXPECT_EQ(getFreeMemSizeIn100Bytes(&failed), (long long)((64ull << 30) / 100));
  platform::setFreeMemoryQuery(nullptr);
  getFreeMemSizeIn100Bytes(&failed);
  EXPECT_EQ(failed, 0);  // this machine can say
}

// The undo budget of an activation: the default unless the free memory could be read
// and exceeds 2,560,001 units, then half of it.
class UndoBudget : public ModuleFixture {
 protected:
  void TearDown() override {
    platform::setFreeMemoryQuery(nullptr);
    ModuleFixture::TearDown();
  }
  static inline unsigned long long stBytes = 0;
  static bool unreadable(unsigned long long*) { return false; }
  static bool fixed(unsigned long long* bytes) {
    *bytes = stBytes;
    return true;
  }
  long long budgetWith(unsigned long long bytes) {
    stBytes = bytes;
    platform::setFreeMemoryQuery(fixed);
    EXPECT_EQ(activateOn(demo.limb), AFUNC_OK);
    return stInstData.undo.costBudget;
  }
};

TEST_F(UndoBudget, UnreadableFreeMemoryKeepsTheDefault) {
  platform::setFreeMemoryQuery(unreadable);
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_EQ(stInstData.undo.costBudget, 1280000);
}

TEST_F(UndoBudget, HalfTheFreeMemoryOnlyAboveTheThreshold) {
  EXPECT_EQ(budgetWith(2560001ull * 100), 1280000);
  EXPECT_EQ(budgetWith(2560002ull * 100), 1280001);
  EXPECT_EQ(budgetWith(1000ull * 100), 1280000);
  EXPECT_EQ(budgetWith(16ull << 30), (long long)((16ull << 30) / 100 / 2));
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
