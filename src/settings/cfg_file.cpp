#include "settings/cfg_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

#include "gradient/gradient.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kNumEditCommands = 28;  // custom buttons index the edit command list
constexpr int32_t kNumCustomButtons = 5;

enum class Kind { Version, Int, Float, String, ButtonArray, Gradient };

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

// One persistent field: its key, kind, where it lives and which values are sound.
struct FieldDesc {
  char key[5];
  Kind kind;
  void* (*ref)(ToolSettings&);  // the field; nullptr for "PVer" and "Grad"
  int32_t minValue;             // Int and ButtonArray: accepted range
  int32_t maxValue;
  size_t bufferSize;            // String: buffer size, terminator included
};

using FieldRef = void* (*)(ToolSettings&);
constexpr FieldDesc anyInt(const char (&key)[5], FieldRef ref) {
  return {{key[0], key[1], key[2], key[3], 0}, Kind::Int, ref, kIntMin, kIntMax, 0};
}
// An index into a choice list: other values would index past the list's end.
constexpr FieldDesc indexInt(const char (&key)[5], FieldRef ref, int32_t numChoices) {
  return {{key[0], key[1], key[2], key[3], 0}, Kind::Int, ref, 0, numChoices - 1, 0};
}
// A count or size the panel only ever offers within [lo, hi]; a hand-edited file could
// otherwise ask for a smoothing that never ends or a brush larger than any view.
constexpr FieldDesc rangedInt(const char (&key)[5], FieldRef ref, int32_t lo, int32_t hi) {
  return {{key[0], key[1], key[2], key[3], 0}, Kind::Int, ref, lo, hi, 0};
}
constexpr FieldDesc other(const char (&key)[5], Kind kind, FieldRef ref = nullptr,
                          size_t bufferSize = 0) {
  return {{key[0], key[1], key[2], key[3], 0}, kind, ref, kIntMin, kIntMax, bufferSize};
}

#define VELMORA_FIELD(member) [](ToolSettings& s) -> void* { return &s.member; }

// In saving order; the file holds them reversed.
const FieldDesc kFields[] = {
    other("PVer", Kind::Version),
    other("WNam", Kind::String, VELMORA_FIELD(weightMapName), kMapNameSize),
    indexInt("TIdx", VELMORA_FIELD(toolIndex), 11),
    rangedInt("BSiz", VELMORA_FIELD(brushSize), 4, 1000000),
    indexInt("Foff", VELMORA_FIELD(falloffMode), 2),
    other("Str0", Kind::Float, VELMORA_FIELD(strength[0])),
    other("Str1", Kind::Float, VELMORA_FIELD(strength[1])),
    other("Str2", Kind::Float, VELMORA_FIELD(strength[2])),
    other("Valu", Kind::Float, VELMORA_FIELD(value)),
    anyInt("Eras", VELMORA_FIELD(erase)),
    anyInt("Zero", VELMORA_FIELD(zeroOutline)),
    rangedInt("PSiz", VELMORA_FIELD(pointSize), 0, 200),
    anyInt("PSMV", VELMORA_FIELD(multiplySizeByValue)),
    anyInt("NoDP", VELMORA_FIELD(noDepth)),
    anyInt("ShWt", VELMORA_FIELD(showWeights)),
    anyInt("ASav", VELMORA_FIELD(autoSave)),
    indexInt("Vsbl", VELMORA_FIELD(visibility), 3),
    {{'c', 'B', 't', 'n', 0}, Kind::ButtonArray, VELMORA_FIELD(customButtons), 0,
     kNumEditCommands - 1, 0},
    rangedInt("exSl", VELMORA_FIELD(expandSelectionOption), 1, 10000000),
    anyInt("nmUn", VELMORA_FIELD(normalizeOption)),
    indexInt("smFo", VELMORA_FIELD(smoothFor), 3),
    other("smSt", Kind::Float, VELMORA_FIELD(smoothStrength)),
    rangedInt("smIt", VELMORA_FIELD(smoothIterations), 1, 1024),
    anyInt("clUn", VELMORA_FIELD(clampOption)),
    rangedInt("clNu", VELMORA_FIELD(clampMaxMaps), 1, 65535),
    anyInt("mrAl", VELMORA_FIELD(mirrorAllMaps)),
    indexInt("mrAx", VELMORA_FIELD(mirrorAxis), 3),
    indexInt("mrTp", VELMORA_FIELD(mirrorStringType), 3),
    other("mrSS", Kind::String, VELMORA_FIELD(mirrorSourceString), kMirrorStringSize),
    other("mrTS", Kind::String, VELMORA_FIELD(mirrorTargetString), kMirrorStringSize),
    indexInt("mrDr", VELMORA_FIELD(mirrorDirection), 2),
    other("mrCS", Kind::String, VELMORA_FIELD(mirrorCenterString), kMirrorStringSize),
    anyInt("trAl", VELMORA_FIELD(transferAllMaps)),
    indexInt("biMd", VELMORA_FIELD(bindMethod), 2),
    indexInt("biFo", VELMORA_FIELD(bindFor), 2),
    anyInt("biAc", VELMORA_FIELD(bindActivateBones)),
    anyInt("cbBA", VELMORA_FIELD(boneSettingActive)),
    anyInt("cbWM", VELMORA_FIELD(boneSettingWeightMap)),
    anyInt("cbIf", VELMORA_FIELD(boneSettingInfluence)),
    other("Grad", Kind::Gradient),
};

#undef VELMORA_FIELD

void addStringBlock(CfgMainData& list, const char* key, const char* text, size_t bufferSize) {
  // The buffers hold bufferSize - 1 characters at most; never trust a terminator.
  std::string cut(text, strnlen(text, bufferSize - 1));
  setCStringOfCfgBlock(add1NewCfgBlock(list, key), cut.c_str());
}

void applyField(const FieldDesc& f, const CfgBlock& block, ToolSettings& s, GradientData& g) {
  switch (f.kind) {
    case Kind::Version:
      break;
    case Kind::Int: {
      int32_t v;
      if (intValueWithCfgBlock(block, v) && v >= f.minValue && v <= f.maxValue)
        *static_cast<int32_t*>(f.ref(s)) = v;
      break;
    }
    case Kind::Float: {
      float v;
      if (floatValueWithCfgBlock(block, v) && std::isfinite(v)) *static_cast<float*>(f.ref(s)) = v;
      break;
    }
    case Kind::String:
      cStringWithCfgBlock(block, static_cast<char*>(f.ref(s)), f.bufferSize);
      break;
    case Kind::ButtonArray: {
      std::vector<int32_t> v;
      if (!intArrayWithCfgBlock(block, v)) break;
      for (int32_t b : v)
        if (b < f.minValue || b > f.maxValue) return;
      auto* buttons = static_cast<int32_t*>(f.ref(s));
      for (size_t i = 0; i < v.size() && i < kNumCustomButtons; ++i) buttons[i] = v[i];
      break;
    }
    case Kind::Gradient: {
      std::vector<float> v;
      if (floatArrayWithCfgBlock(block, v) && setInitGradientsWithFloatArray(g, v))
        clampGradientSegs(g, kMaxGradientKeys);
      break;
    }
  }
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytesOut) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytesOut.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool writeWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool flushed = std::fflush(f) == 0;
  const bool closed = std::fclose(f) == 0;
  return written && flushed && closed;
}

}  // namespace

std::string makeCfgFilePath(const std::string& settingsDir) {
  if (settingsDir.empty()) return {};
  return settingsDir + platform::pathSeparator() + "VelmoraKTQ.cfg";
}

void buildCfgMainData(const ToolSettings& settings, const GradientData& gradient,
                      CfgMainData& listOut) {
  destroyCfgMainData(listOut);
  ToolSettings s = settings;  // the field accessors take a mutable record
  for (const FieldDesc& f : kFields) {
    switch (f.kind) {
      case Kind::Version:
        setFloatValueOfCfgBlock(add1NewCfgBlock(listOut, f.key), kCfgFileVersion);
        break;
      case Kind::Int:
        setIntValueOfCfgBlock(add1NewCfgBlock(listOut, f.key), *static_cast<int32_t*>(f.ref(s)));
        break;
      case Kind::Float:
        setFloatValueOfCfgBlock(add1NewCfgBlock(listOut, f.key), *static_cast<float*>(f.ref(s)));
        break;
      case Kind::String:
        addStringBlock(listOut, f.key, static_cast<const char*>(f.ref(s)), f.bufferSize);
        break;
      case Kind::ButtonArray:
        setIntArrayOfCfgBlock(add1NewCfgBlock(listOut, f.key),
                              std::span<const int32_t>(settings.customButtons));
        break;
      case Kind::Gradient: {
        const std::vector<float> values = getFloatArrayWithGradients(gradient);
        CfgBlock block;
        // A gradient too large for one block is left out rather than written cut.
        if (!values.empty() && setFloatArrayOfCfgBlock(block, values)) {
          CfgBlock& added = add1NewCfgBlock(listOut, f.key);
          added.data = std::move(block.data);
          added.size = block.size;
        }
        break;
      }
    }
  }
}

void applyCfgMainData(const CfgMainData& list, ToolSettings& settings, GradientData& gradient) {
  for (const FieldDesc& f : kFields)
    if (const CfgBlock* block = searchCfgBlockByName(list, f.key))
      applyField(f, *block, settings, gradient);
}

bool applyCfgFileBytes(std::span<const uint8_t> bytes, ToolSettings& settings,
                       GradientData& gradient) {
  CfgMainData list;
  if (!decodeCfgFile(bytes, list)) return false;
  applyCfgMainData(list, settings, gradient);
  return true;
}

bool saveCfgFile(const ToolSettings& settings, const GradientData& gradient,
                 const std::string& path) {
  if (path.empty()) return false;
  CfgMainData list;
  buildCfgMainData(settings, gradient, list);
  const std::vector<uint8_t> bytes = encodeCfgFile(list);

  const std::string temporary = path + ".tmp";
  if (!writeWholeFile(temporary, bytes)) {
    std::remove(temporary.c_str());
    return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);  // replaces path in one step
  if (error) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool loadCfgFile(ToolSettings& settings, GradientData& gradient, const std::string& path) {
  if (path.empty()) return false;
  std::vector<uint8_t> bytes;
  if (!readWholeFile(path, bytes)) return false;
  return applyCfgFileBytes(bytes, settings, gradient);
}
