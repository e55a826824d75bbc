#include "settings/cfg_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <bit>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "gradient/gradient.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

// Every field of ToolSettings, saved or not, so a load that touches too much shows.
void expectSameSettings(const ToolSettings& a, const ToolSettings& b) {
  EXPECT_STREQ(a.weightMapName, b.weightMapName);
  EXPECT_STREQ(a.newWeightMapName, b.newWeightMapName);
  EXPECT_EQ(a.weightMapIndex, b.weightMapIndex);
  EXPECT_EQ(a.toolIndex, b.toolIndex);
  EXPECT_EQ(a.brushSize, b.brushSize);
  EXPECT_EQ(a.brushSizeAtPress, b.brushSizeAtPress);
  EXPECT_EQ(a.brushSizeMax, b.brushSizeMax);
  EXPECT_EQ(a.falloffMode, b.falloffMode);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(a.strength[i], b.strength[i]);
  EXPECT_EQ(a.value, b.value);
  EXPECT_EQ(a.erase, b.erase);
  EXPECT_EQ(a.zeroOutline, b.zeroOutline);
  EXPECT_EQ(a.pointSize, b.pointSize);
  EXPECT_EQ(a.multiplySizeByValue, b.multiplySizeByValue);
  EXPECT_EQ(a.noDepth, b.noDepth);
  EXPECT_EQ(a.showWeights, b.showWeights);
  EXPECT_EQ(a.autoSave, b.autoSave);
  EXPECT_EQ(a.subPatchLevel, b.subPatchLevel);
  EXPECT_EQ(a.deformationsEnabled, b.deformationsEnabled);
  EXPECT_EQ(a.visibility, b.visibility);
  EXPECT_EQ(a.boneFollowsMap, b.boneFollowsMap);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(a.customButtons[i], b.customButtons[i]);
  EXPECT_EQ(a.expandSelectionOption, b.expandSelectionOption);
  EXPECT_EQ(a.normalizeOption, b.normalizeOption);
  EXPECT_EQ(a.smoothFor, b.smoothFor);
  EXPECT_EQ(a.smoothStrength, b.smoothStrength);
  EXPECT_EQ(a.smoothIterations, b.smoothIterations);
  EXPECT_EQ(a.clampOption, b.clampOption);
  EXPECT_EQ(a.clampMaxMaps, b.clampMaxMaps);
  EXPECT_EQ(a.mirrorAllMaps, b.mirrorAllMaps);
  EXPECT_EQ(a.mirrorAxis, b.mirrorAxis);
  EXPECT_EQ(a.mirrorStringType, b.mirrorStringType);
  EXPECT_STREQ(a.mirrorSourceString, b.mirrorSourceString);
  EXPECT_STREQ(a.mirrorTargetString, b.mirrorTargetString);
  EXPECT_EQ(a.mirrorDirection, b.mirrorDirection);
  EXPECT_STREQ(a.mirrorCenterString, b.mirrorCenterString);
  EXPECT_EQ(a.transferSource, b.transferSource);
  EXPECT_EQ(a.transferSourceID, b.transferSourceID);
  EXPECT_EQ(a.transferAllMaps, b.transferAllMaps);
  EXPECT_EQ(a.bindMethod, b.bindMethod);
  EXPECT_EQ(a.bindFor, b.bindFor);
  EXPECT_EQ(a.bindActivateBones, b.bindActivateBones);
  EXPECT_EQ(a.boneSettingActive, b.boneSettingActive);
  EXPECT_EQ(a.boneSettingWeightMap, b.boneSettingWeightMap);
  EXPECT_EQ(a.boneSettingInfluence, b.boneSettingInfluence);
}

// Keys, colours (alpha included), unweighted colour, range and the current key.
void expectSameGradient(const GradientData& a, const GradientData& b) {
  ASSERT_EQ(a.count, b.count);
  const GradientSeg* y = b.first;
  int index = 0, currentA = -1, currentB = -1;
  for (const GradientSeg* x = a.first; x; x = x->next, y = y->next, ++index) {
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(x->position, y->position);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(x->colour[c], y->colour[c]);
    if (x == a.current) currentA = index;
    if (y == b.current) currentB = index;
  }
  for (int c = 0; c < 4; ++c) EXPECT_EQ(a.unweightedColour[c], b.unweightedColour[c]);
  EXPECT_EQ(a.rangeMin, b.rangeMin);
  EXPECT_EQ(a.rangeMax, b.rangeMax);
  EXPECT_EQ(currentA, currentB);
}

void appendU16(Bytes& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void appendU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Hand-built file pieces, independent of the writer.
Bytes magic() { return {'V', 'M', 'r', 'C', 'F', 'G'}; }
void appendBlock(Bytes& out, const char* key, const Bytes& data) {
  out.push_back(0x1F);
  out.push_back(0xA0);
  appendU16(out, static_cast<uint16_t>(data.size()));
  out.insert(out.end(), key, key + 4);
  out.insert(out.end(), data.begin(), data.end());
}
void appendEnd(Bytes& out) { out.insert(out.end(), {0x1F, 0xA0, 0xFF, 0xFF}); }
Bytes intData(uint32_t v) {
  Bytes b;
  appendU32(b, v);
  return b;
}

class CfgFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / (std::string("velmora_cfg_") + info->name() + "_" +
                                        std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = makeCfgFilePath(dir_.string());
    setInitGradients(defaultGradient_, 0);
    setInitGradients(gradient_, 0);
  }
  void TearDown() override { fs::remove_all(dir_); }

  void writeFile(const Bytes& bytes) {
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  Bytes readFile() {
    std::ifstream in(path_, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void expectUnchanged() {
    expectSameSettings(settings_, ToolSettings{});
    expectSameGradient(gradient_, defaultGradient_);
  }

  fs::path dir_;
  std::string path_;
  ToolSettings settings_;
  GradientData gradient_, defaultGradient_;
};

// A settings set with every saved field away from its default.
ToolSettings changedSettings() {
  ToolSettings s;
  std::strcpy(s.weightMapName, "arm_L");
  s.toolIndex = 10;
  s.brushSize = 33;
  s.falloffMode = 0;
  s.strength[0] = 0.125f;
  s.strength[1] = 0.7f;
  s.strength[2] = 0.01f;
  s.value = -0.25f;
  s.erase = 1;
  s.zeroOutline = 0;
  s.pointSize = 12;
  s.multiplySizeByValue = 0;
  s.noDepth = 1;
  s.showWeights = 1;
  s.autoSave = 1;
  s.visibility = 2;
  const int32_t buttons[5] = {0, 27, 1, 12, 3};
  std::memcpy(s.customButtons, buttons, sizeof buttons);
  s.expandSelectionOption = 7;
  s.normalizeOption = 0;
  s.smoothFor = 2;
  s.smoothStrength = 0.3f;
  s.smoothIterations = 9;
  s.clampOption = 0;
  s.clampMaxMaps = 8;
  s.mirrorAllMaps = 0;
  s.mirrorAxis = 2;
  s.mirrorStringType = 1;
  std::strcpy(s.mirrorSourceString, "Left.");
  std::strcpy(s.mirrorTargetString, "Right.");
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

}  // namespace

TEST(CfgPath, JoinsWithSlashAndRefusesEmptyFolder) {
  EXPECT_EQ(makeCfgFilePath("/home/u/.NewTek"), "/home/u/.NewTek/VelmoraKTQ.cfg");
  EXPECT_EQ(makeCfgFilePath(""), "");
}

TEST(CfgBytes, GoldenSmallList) {
  CfgMainData list;
  setIntValueOfCfgBlock(add1NewCfgBlock(list, "TIdx"), 4);
  setCStringOfCfgBlock(add1NewCfgBlock(list, "WNam"), "ab");
  setFloatValueOfCfgBlock(add1NewCfgBlock(list, "Valu"), -1.0f);
  const Bytes expected = {
      'V', 'M', 'r', 'C', 'F', 'G',                                   // magic
      0x1F, 0xA0, 0x04, 0x00, 'V', 'a', 'l', 'u', 0x00, 0x00, 0x80, 0xBF,  // newest first
      0x1F, 0xA0, 0x03, 0x00, 'W', 'N', 'a', 'm', 'a', 'b', 0x00,
      0x1F, 0xA0, 0x04, 0x00, 'T', 'I', 'd', 'x', 0x04, 0x00, 0x00, 0x00,
      0x1F, 0xA0, 0xFF, 0xFF};
  EXPECT_EQ(encodeCfgFile(list), expected);
}

TEST(CfgBytes, ArrayGettersTrustNeitherCountNorSize) {
  CfgBlock b;
  std::vector<int32_t> ints;
  b.data = {0x05, 0, 0, 0, 0x07, 0, 0, 0, 0x09, 0, 0, 0, 0x0B};  // says 5, holds 2 and a byte
  b.size = static_cast<uint16_t>(b.data.size());
  ASSERT_TRUE(intArrayWithCfgBlock(b, ints));
  EXPECT_EQ(ints, (std::vector<int32_t>{7, 9}));
  b.data = {0x01, 0, 0, 0, 0x07, 0, 0, 0, 0x09, 0, 0, 0};  // says 1, holds 2
  ASSERT_TRUE(intArrayWithCfgBlock(b, ints));
  EXPECT_EQ(ints, (std::vector<int32_t>{7}));
  b.data = {0x01, 0, 0, 0};
  EXPECT_FALSE(intArrayWithCfgBlock(b, ints));

  char name[8];
  b.data = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j'};  // no terminator
  EXPECT_EQ(cStringWithCfgBlock(b, name, sizeof name), 7u);
  EXPECT_STREQ(name, "abcdefg");
  b.data = {'x', 0, 'y'};
  cStringWithCfgBlock(b, name, sizeof name);
  EXPECT_STREQ(name, "x");
  int32_t v = 42;
  b.data = {1, 2};
  EXPECT_FALSE(intValueWithCfgBlock(b, v));
  EXPECT_EQ(v, 42);
}

TEST_F(CfgFileTest, DefaultFileLayout) {
  ASSERT_TRUE(saveCfgFile(settings_, gradient_, path_));
  const Bytes file = readFile();
  ASSERT_GT(file.size(), 20u);
  const Bytes head(file.begin(), file.begin() + 18);
  const Bytes expectedHead = {'V', 'M', 'r', 'C', 'F', 'G', 0x1F, 0xA0, 100, 0x00, 'G', 'r', 'a', 'd',
                              24, 0, 0, 0};  // 5 keys: 24 floats after the count
  EXPECT_EQ(head, expectedHead);
  const Bytes firstKey(file.begin() + 18, file.begin() + 34);  // -1.0, 0.0, 0.25, 1.0
  EXPECT_EQ(firstKey, (Bytes{0, 0, 0x80, 0xBF, 0, 0, 0, 0, 0, 0, 0x80, 0x3E, 0, 0, 0x80, 0x3F}));
  const Bytes tail(file.end() - 16, file.end());
  EXPECT_EQ(tail, (Bytes{0x1F, 0xA0, 4, 0, 'P', 'V', 'e', 'r', 0xC3, 0xF5, 0x88, 0x3F,  // 1.07f
                         0x1F, 0xA0, 0xFF, 0xFF}));

  // Walk the blocks by hand: their keys in file order.
  std::vector<std::string> keys;
  size_t at = 6;
  while (at + 4 <= file.size() && !(file[at + 2] == 0xFF && file[at + 3] == 0xFF)) {
    const size_t size = file[at + 2] | file[at + 3] << 8;
    keys.emplace_back(reinterpret_cast<const char*>(&file[at + 4]), 4);
    at += 8 + size;
  }
  EXPECT_EQ(at + 4, file.size());
  const std::vector<std::string> expectedKeys = {
      "Grad", "cbIf", "cbWM", "cbBA", "biAc", "biFo", "biMd", "trAl", "mrCS", "mrDr", "mrTS",
      "mrSS", "mrTp", "mrAx", "mrAl", "clNu", "clUn", "smIt", "smSt", "smFo", "nmUn", "exSl",
      "cBtn", "Vsbl", "ASav", "ShWt", "NoDP", "PSMV", "PSiz", "Zero", "Eras", "Valu", "Str2",
      "Str1", "Str0", "Foff", "BSiz", "TIdx", "WNam", "PVer"};
  EXPECT_EQ(keys, expectedKeys);
}

TEST_F(CfgFileTest, SaveThenLoadReproducesEverything) {
  const ToolSettings saved = changedSettings();
  GradientData savedGradient;
  const std::vector<float> keys = {0.3f, 0.1f, 0.2f, 0.9f, -0.7f, 1, 0, 0.5f, 0.3f, 0, 1, 0.25f,
                                   0, 0.05f, 0.06f, 0.07f};
  ASSERT_TRUE(setInitGradientsWithFloatArray(savedGradient, keys));
  ASSERT_TRUE(saveCfgFile(saved, savedGradient, path_));

  // Fields that are not saved keep the loading instance's values.
  settings_.weightMapIndex = 3;
  settings_.subPatchLevel = 2;
  settings_.transferSourceID = 0x1000000A;
  ToolSettings expected = saved;
  expected.weightMapIndex = 3;
  expected.subPatchLevel = 2;
  expected.transferSourceID = 0x1000000A;
  ASSERT_TRUE(loadCfgFile(settings_, gradient_, path_));
  expectSameSettings(settings_, expected);
  expectSameGradient(gradient_, savedGradient);

  // Saving again over the file gives the same bytes.
  const Bytes first = readFile();
  ASSERT_TRUE(saveCfgFile(settings_, gradient_, path_));
  EXPECT_EQ(readFile(), first);
  EXPECT_FALSE(fs::exists(path_ + ".tmp"));
}

TEST_F(CfgFileTest, LongNamesAreCut) {
  std::string name(600, 'n');
  Bytes file = magic();
  Bytes data(name.begin(), name.end());
  data.push_back(0);
  appendBlock(file, "WNam", data);
  appendBlock(file, "mrSS", Bytes(40, 's'));  // no terminator at all
  appendEnd(file);
  writeFile(file);
  ASSERT_TRUE(loadCfgFile(settings_, gradient_, path_));
  EXPECT_EQ(std::string(settings_.weightMapName), std::string(511, 'n'));
  EXPECT_EQ(std::string(settings_.mirrorSourceString), std::string(31, 's'));

  // A full buffer without a terminator is saved as its first 511 characters.
  std::memset(settings_.weightMapName, 'm', sizeof settings_.weightMapName);
  ASSERT_TRUE(saveCfgFile(settings_, gradient_, path_));
  ToolSettings reloaded;
  ASSERT_TRUE(loadCfgFile(reloaded, gradient_, path_));
  EXPECT_EQ(std::string(reloaded.weightMapName), std::string(511, 'm'));
}

TEST_F(CfgFileTest, OnlyToolIndexChangesOnlyToolIndex) {
  Bytes file = magic();
  appendBlock(file, "TIdx", intData(4));
  appendEnd(file);
  file.push_back(0x55);  // bytes after the terminator are not read
  writeFile(file);
  ASSERT_TRUE(loadCfgFile(settings_, gradient_, path_));
  ToolSettings expected;
  expected.toolIndex = 4;
  expectSameSettings(settings_, expected);
  expectSameGradient(gradient_, defaultGradient_);
}

TEST_F(CfgFileTest, BrokenFilesChangeNothing) {
  Bytes good = magic();
  appendBlock(good, "TIdx", intData(4));
  appendBlock(good, "WNam", {'x', 0});
  appendEnd(good);

  struct Case {
    const char* name;
    Bytes bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"magic only", magic()});
  Bytes wrongMagic = good;
  wrongMagic[2] = 'R';
  cases.push_back({"wrong magic", wrongMagic});
  Bytes wrongMarker = good;
  wrongMarker[7] = 0xA1;
  cases.push_back({"wrong marker", wrongMarker});
  Bytes repeated = magic();
  appendBlock(repeated, "TIdx", intData(4));
  appendBlock(repeated, "TIdx", intData(5));
  appendEnd(repeated);
  cases.push_back({"repeated key", repeated});
  Bytes oversize = magic();
  appendBlock(oversize, "TIdx", intData(4));
  oversize[8] = 0x40;  // size 64 with 4 bytes present
  appendEnd(oversize);
  cases.push_back({"size past the end", oversize});
  for (size_t n = 7; n < good.size(); ++n) {
    cases.push_back({"truncated", Bytes(good.begin(), good.begin() + static_cast<long>(n))});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(c.bytes.size()) + " bytes");
    writeFile(c.bytes);
    EXPECT_FALSE(loadCfgFile(settings_, gradient_, path_));
    expectUnchanged();
  }
  fs::remove(path_);
  EXPECT_FALSE(loadCfgFile(settings_, gradient_, path_));
  expectUnchanged();
}

TEST_F(CfgFileTest, ImpossibleValuesAreSkipped) {
  Bytes file = magic();
  appendBlock(file, "TIdx", intData(11));       // 11 tools: 0..10
  appendBlock(file, "Vsbl", intData(0xFFFFFFFF));
  Bytes buttons;
  appendU32(buttons, 5);
  for (uint32_t b : {1u, 2u, 28u, 4u, 5u}) appendU32(buttons, b);  // 28 entries: 0..27
  appendBlock(file, "cBtn", buttons);
  appendBlock(file, "Valu", intData(0x7FC00000));  // NaN
  appendBlock(file, "Str0", intData(0x7F800000));  // infinity
  appendBlock(file, "BSiz", {1, 0});               // too short for an int
  appendBlock(file, "PSiz", intData(33));          // fine
  appendBlock(file, "Zzzz", intData(1));           // unknown key
  appendEnd(file);
  writeFile(file);
  ASSERT_TRUE(loadCfgFile(settings_, gradient_, path_));
  ToolSettings expected;
  expected.pointSize = 33;
  expectSameSettings(settings_, expected);
}

TEST_F(CfgFileTest, GradientBlockIsClampedAndChecked) {
  {
    SCOPED_TRACE("600 keys keep the first and the last 511");
    Bytes data;
    appendU32(data, 600 * 4 + 4);
    for (int i = 0; i < 600; ++i)
      for (float v : {static_cast<float>(i), 0.5f, 0.5f, 0.5f}) appendU32(data, std::bit_cast<uint32_t>(v));
    for (int i = 0; i < 4; ++i) appendU32(data, 0);
    Bytes file = magic();
    appendBlock(file, "Grad", data);
    appendEnd(file);
    writeFile(file);
    ASSERT_TRUE(loadCfgFile(settings_, gradient_, path_));
    ASSERT_EQ(gradient_.count, 512);
    EXPECT_EQ(gradient_.first->position, 0.0f);
    EXPECT_EQ(gradient_.first->next->position, 89.0f);
    EXPECT_EQ(gradient_.last->position, 599.0f);
  }
  {
    SCOPED_TRACE("one key short of a gradient leaves it alone");
    setInitGradients(gradient_, 0);
    Bytes data;
    appendU32(data, 4);
    for (int i = 0; i < 4; ++i) appendU32(data, 0);
    Bytes file = magic();
    appendBlock(file, "Grad", data);
    appendEnd(file);
    writeFile(file);
    ASSERT_TRUE(loadCfgFile(settings_, gradient_, path_));
    expectSameGradient(gradient_, defaultGradient_);
  }
}

TEST_F(CfgFileTest, FailedSaveKeepsThePreviousFile) {
  ASSERT_TRUE(saveCfgFile(changedSettings(), gradient_, path_));
  const Bytes before = readFile();
  fs::create_directory(path_ + ".tmp");  // the temporary file cannot be made
  EXPECT_FALSE(saveCfgFile(settings_, gradient_, path_));
  EXPECT_EQ(readFile(), before);
  EXPECT_FALSE(saveCfgFile(settings_, gradient_, (dir_ / "missing" / "VelmoraKTQ.cfg").string()));
  EXPECT_FALSE(saveCfgFile(settings_, gradient_, ""));
}

// Random and mutated files: the loader must never crash or read out of bounds (run it
// under the sanitizers), a refused file must change nothing, and an accepted one must
// leave a well-formed gradient.
TEST(CfgFuzz, RandomAndMutatedFiles) {
  GradientData seedGradient;
  setInitGradients(seedGradient, 1);
  CfgMainData list;
  buildCfgMainData(changedSettings(), seedGradient, list);
  const Bytes valid = encodeCfgFile(list);
  GradientData reference;
  setInitGradients(reference, 0);

  std::mt19937 rng(20240611);
  auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
  int accepted = 0;
  for (int round = 0; round < 4000; ++round) {
    Bytes bytes;
    switch (round % 4) {
      case 0: {  // noise behind a good magic
        bytes = magic();
        const size_t n = pick(300);
        for (size_t i = 0; i < n; ++i) bytes.push_back(static_cast<uint8_t>(rng()));
        break;
      }
      case 1: {  // byte flips
        bytes = valid;
        for (int k = 0, n = 1 + static_cast<int>(pick(6)); k < n; ++k)
          bytes[6 + pick(bytes.size() - 6)] ^= static_cast<uint8_t>(1 + pick(255));
        break;
      }
      case 2: {  // truncation
        bytes.assign(valid.begin(), valid.begin() + static_cast<long>(pick(valid.size())));
        break;
      }
      default: {  // a spliced range, then random size fields
        bytes = valid;
        const size_t from = pick(bytes.size()), len = pick(64);
        const size_t to = 6 + pick(bytes.size() - 6);
        Bytes piece(bytes.begin() + static_cast<long>(from),
                    bytes.begin() + static_cast<long>(std::min(bytes.size(), from + len)));
        bytes.insert(bytes.begin() + static_cast<long>(to), piece.begin(), piece.end());
        bytes[6 + pick(bytes.size() - 6)] = static_cast<uint8_t>(rng());
        break;
      }
    }
    ToolSettings settings;
    GradientData gradient;
    setInitGradients(gradient, 0);
    if (!applyCfgFileBytes(bytes, settings, gradient)) {
      SCOPED_TRACE(round);
      expectSameSettings(settings, ToolSettings{});
      expectSameGradient(gradient, reference);
    } else {
      ++accepted;
      ASSERT_LE(gradient.count, kMaxGradientKeys);
      int32_t n = 0;
      for (const GradientSeg* key = gradient.first; key; key = key->next, ++n) {
        ASSERT_TRUE(std::isfinite(key->position));
        if (key->next) {
          ASSERT_LE(key->position, key->next->position);
        }
      }
      ASSERT_EQ(n, gradient.count);
      ASSERT_GE(settings.toolIndex, 0);
      ASSERT_LE(settings.toolIndex, 10);
      ASSERT_LT(std::strlen(settings.weightMapName), static_cast<size_t>(kMapNameSize));
    }
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(accepted, 200);  // the apply path must be reached often, not just the parser
}

// The default file, byte for byte, assembled from the table of keys and defaults rather
// than from the writer: a swapped field, a wrong default or a reordered block shows here.
TEST_F(CfgFileTest, GoldenDefaultFile) {
  auto f32 = [](float v) { return intData(std::bit_cast<uint32_t>(v)); };
  auto text = [](const char* s) { return Bytes(s, s + std::strlen(s) + 1); };
  Bytes grad;
  appendU32(grad, 24);
  const float keys[] = {-1.0f, 0.0f, 0.25f, 1.0f,  -0.5f, 0.2f, 0.8f, 1.0f,  0.0f, 0.8f, 0.8f, 0.8f,
                        0.5f,  1.0f, 0.8f,  0.25f, 1.0f,  1.0f, 0.15f, 0.0f, 0.0f, 0.15f, 0.15f, 0.15f};
  for (float v : keys) appendU32(grad, std::bit_cast<uint32_t>(v));
  Bytes buttons;
  appendU32(buttons, 5);
  for (uint32_t b : {5u, 9u, 13u, 24u, 26u}) appendU32(buttons, b);

  Bytes expected = magic();
  appendBlock(expected, "Grad", grad);
  const std::pair<const char*, Bytes> blocks[] = {
      {"cbIf", intData(1)}, {"cbWM", intData(0)}, {"cbBA", intData(0)}, {"biAc", intData(1)},
      {"biFo", intData(0)}, {"biMd", intData(1)}, {"trAl", intData(1)}, {"mrCS", text("_C")},
      {"mrDr", intData(0)}, {"mrTS", text("_R")}, {"mrSS", text("_L")}, {"mrTp", intData(0)},
      {"mrAx", intData(0)}, {"mrAl", intData(1)}, {"clNu", intData(4)}, {"clUn", intData(1)},
      {"smIt", intData(2)}, {"smSt", f32(1.0f)},  {"smFo", intData(0)}, {"nmUn", intData(1)},
      {"exSl", intData(1)}, {"cBtn", buttons},    {"Vsbl", intData(0)}, {"ASav", intData(0)},
      {"ShWt", intData(0)}, {"NoDP", intData(0)}, {"PSMV", intData(1)}, {"PSiz", intData(80)},
      {"Zero", intData(1)}, {"Eras", intData(0)}, {"Valu", f32(1.0f)},  {"Str2", f32(0.5f)},
      {"Str1", f32(1.0f)},  {"Str0", f32(0.3f)},  {"Foff", intData(1)}, {"BSiz", intData(160)},
      {"TIdx", intData(1)}, {"WNam", text("Weight")}, {"PVer", f32(1.07f)}};
  for (const auto& [key, data] : blocks) appendBlock(expected, key, data);
  appendEnd(expected);

  ASSERT_TRUE(saveCfgFile(settings_, gradient_, path_));
  EXPECT_EQ(readFile(), expected);
}

// Each numeric field accepts exactly the values its control can hold: the bounds load,
// one step past either bound leaves the field alone.
TEST_F(CfgFileTest, NumericFieldsAcceptTheirWholeRangeAndNothingMore) {
  struct Range {
    const char* key;
    int32_t ToolSettings::*field;
    int32_t lo, hi;
  };
  const Range ranges[] = {
      {"TIdx", &ToolSettings::toolIndex, 0, 10},
      {"BSiz", &ToolSettings::brushSize, 4, 1000000},
      {"Foff", &ToolSettings::falloffMode, 0, 1},
      {"PSiz", &ToolSettings::pointSize, 0, 200},
      {"Vsbl", &ToolSettings::visibility, 0, 2},
      {"exSl", &ToolSettings::expandSelectionOption, 1, 10000000},
      {"smFo", &ToolSettings::smoothFor, 0, 2},
      {"smIt", &ToolSettings::smoothIterations, 1, 1024},
      {"clNu", &ToolSettings::clampMaxMaps, 1, 65535},
      {"mrAx", &ToolSettings::mirrorAxis, 0, 2},
      {"mrTp", &ToolSettings::mirrorStringType, 0, 2},
      {"mrDr", &ToolSettings::mirrorDirection, 0, 1},
      {"biMd", &ToolSettings::bindMethod, 0, 1},
      {"biFo", &ToolSettings::bindFor, 0, 1},
  };
  for (const Range& r : ranges) {
    SCOPED_TRACE(r.key);
    const int32_t fallback = ToolSettings{}.*r.field;
    const std::pair<int64_t, bool> cases[] = {
        {r.lo, true}, {r.hi, true}, {int64_t(r.lo) - 1, false}, {int64_t(r.hi) + 1, false},
        {INT32_MAX, r.hi == INT32_MAX}};
    for (const auto& [value, accepted] : cases) {
      SCOPED_TRACE(value);
      Bytes file = magic();
      appendBlock(file, r.key, intData(static_cast<uint32_t>(value)));
      appendEnd(file);
      writeFile(file);
      ToolSettings s;
      ASSERT_TRUE(loadCfgFile(s, gradient_, path_));
      EXPECT_EQ(s.*r.field, accepted ? static_cast<int32_t>(value) : fallback);
    }
  }
}
