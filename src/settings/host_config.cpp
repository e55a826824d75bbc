#include "settings/host_config.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "settings/c_strings.h"
#include "settings/host_global_names.h"

extern "C" {
#include <lwhost.h>
}

namespace {
GlobalFunc* stGlobalForFunc = nullptr;

unsigned integerGlobal(GlobalFunc* global, const char* name) {
  if (!global) return 0;
  return unsigned(reinterpret_cast<uintptr_t>(global(name, GFUSE_TRANSIENT)));
}

// Fields of the "Product Info" value.
int buildField(unsigned v) { return int((v >> 4) & 0xFFF); }
int minorField(unsigned v) { return int((v >> 16) & 0xF); }
int majorField(unsigned v) { return int((v >> 20) & 0xF); }
int yearOffsetField(unsigned v) { return int((v >> 24) & 0x3F); }
constexpr int kYearNumberedMajor = 15;
}  // namespace

void setGlobalForFunc(GlobalFunc* global) { stGlobalForFunc = global; }
GlobalFunc* getGlobalForFunc() { return stGlobalForFunc; }

int getBuildNumber(GlobalFunc* global) {
  return buildField(integerGlobal(global, hostapi::kProductInfo));
}

void getLWVersionNumber(GlobalFunc* global, int* build, int* major, int* minor) {
  unsigned v = integerGlobal(global, hostapi::kProductInfo);
  int mj = majorField(v);
  if (mj == kYearNumberedMajor) mj = yearOffsetField(v) + 2015;
  if (build) *build = buildField(v);
  if (major) *major = mj;
  if (minor) *minor = minorField(v);
}

int getLangIDForLW(GlobalFunc* global) {
  return int(integerGlobal(global, hostapi::kLocaleInfo) & 0xFFFF);
}

int getNumberOfProcessors() { return platform::processorCount(); }

long long getFreeMemSizeIn100Bytes(int* failed) {
  unsigned long long bytes = 0;
  const bool known = platform::freePhysicalMemory(&bytes);
  if (failed) *failed = known ? 0 : 1;
  return known ? (long long)(bytes / 100) : 0;
}

ConfigRequest makeBoneHandleRequest() {
  ConfigRequest r(3);
  r[0].key = "LayoutViewBoneHandleSize";
  r[0].value = 72;
  r[1].key = "LayoutViewBoneHandleAutoSize";
  r[1].value = 1;
  r[2].key = "LayoutViewBoneHandleFill";
  r[2].value = 1;
  for (auto& e : r) e.format = e.key + " %d";
  return r;
}

std::vector<std::string> layoutConfigFileNames(const std::string& dir, int build, int major,
                                               int minor, const platform::ConfigNameForms& forms) {
  std::vector<std::string> names;
  char buf[1024];
  const char* d = dir.c_str();
  // The formats come from a fixed table of the platform file, never from input.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  if (build >= 3064) {
    char last[512];
    lastPathCStringComponent(d, last, int(sizeof last));
    std::snprintf(buf, sizeof buf, forms.byDirName, d, forms.separator, last, forms.suffix);
    names.push_back(buf);
    std::snprintf(buf, sizeof buf, forms.byMajorMinor, d, forms.separator, major, minor, forms.suffix);
    names.push_back(buf);
  } else if (major >= kYearNumberedMajor) {
    std::snprintf(buf, sizeof buf, forms.byMajorMinor, d, forms.separator, major, minor, forms.suffix);
    names.push_back(buf);
  }
  std::snprintf(buf, sizeof buf, forms.byMajor, d, forms.separator, major, forms.suffix);
  names.push_back(buf);
#pragma GCC diagnostic pop
  return names;
}

namespace {

// A line matches an entry when it begins with the key and the format scans one integer.
bool matchEntry(const char* line, ConfigRequestEntry& e) {
  if (std::strncmp(line, e.key.c_str(), e.key.size()) != 0) return false;
  int value = 0;
  if (std::sscanf(line, e.format.c_str(), &value) != 1) return false;
  e.found = 1;
  e.value = value;
  return true;
}

}  // namespace

std::string getIntValueFromLayoutConfigFile(GlobalFunc* global, ConfigRequest& request) {
  int build = 0, major = 0, minor = 0;
  getLWVersionNumber(global, &build, &major, &minor);
  auto* dirInfo = global ? reinterpret_cast<LWDirInfoFunc*>(global(hostapi::kDirInfo, GFUSE_TRANSIENT)) : nullptr;
  const char* dir = dirInfo ? dirInfo(LWFTYPE_SETTING) : nullptr;
  if (!dir) return {};
  for (const std::string& name : layoutConfigFileNames(dir, build, major, minor)) {
    FILE* f = std::fopen(name.c_str(), "r");
    if (!f) continue;
    // Lines longer than the buffer arrive in pieces; a piece that does not begin with
    // a key matches nothing.
    char line[1024];
    size_t pending = 0;
    for (const auto& e : request) pending += e.found ? 0 : 1;
    while (pending > 0 && std::fgets(line, sizeof line, f)) {
      for (auto& e : request) {
        if (e.found) continue;
        if (matchEntry(line, e)) {
          --pending;
          break;
        }
      }
    }
    std::fclose(f);
    return name;
  }
  return {};
}
