#include "settings/host_config.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "settings/c_strings.h"

extern "C" {
#include <lwhost.h>
}

namespace {
GlobalFunc* stGlobalForFunc = nullptr;

unsigned integerGlobal(GlobalFunc* global, const char* name) {
  if (!global) return 0;
  return unsigned(reinterpret_cast<uintptr_t>(global(name, GFUSE_TRANSIENT)));
}
}  // namespace

void setGlobalForFunc(GlobalFunc* global) { stGlobalForFunc = global; }
GlobalFunc* getGlobalForFunc() { return stGlobalForFunc; }

int getBuildNumber(GlobalFunc* global) {
  return int(LWINF_GETBUILD(integerGlobal(global, LWPRODUCTINFO_GLOBAL)));
}

void getLWVersionNumber(GlobalFunc* global, int* build, int* major, int* minor) {
  unsigned v = integerGlobal(global, LWPRODUCTINFO_GLOBAL);
  int mj = int(LWINF_GETMAJOR(v));
  if (mj == 15) mj = int((v >> 24) & 0x3F) + 2015;
  if (build) *build = int(LWINF_GETBUILD(v));
  if (major) *major = mj;
  if (minor) *minor = int(LWINF_GETMINOR(v));
}

int getLangIDForLW(GlobalFunc* global) {
  return int(integerGlobal(global, LWLOCALEINFO_GLOBAL) & LWLOC_LANGID);
}

int getNumberOfProcessors() {
  long n = sysconf(_SC_NPROCESSORS_CONF);
  return n > 0 ? int(n) : 1;
}

long long getFreeMemSizeIn100Bytes(int* failed) {
  long pages = sysconf(_SC_AVPHYS_PAGES);
  long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) {
    if (failed) *failed = 1;
    return 0;
  }
  if (failed) *failed = 0;
  return (long long)pages * (long long)pageSize / 100;
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
                                               int minor) {
  std::vector<std::string> names;
  char buf[1024];
  if (build >= 3064) {
    char last[512];
    lastPathCStringComponent(dir.c_str(), last, int(sizeof last));
    std::snprintf(buf, sizeof buf, "%s%cLayout %s", dir.c_str(), '/', last);
    names.push_back(buf);
    std::snprintf(buf, sizeof buf, "%s%cLayout %d.%d", dir.c_str(), '/', major, minor);
    names.push_back(buf);
  } else if (major > 14) {
    std::snprintf(buf, sizeof buf, "%s%cLayout %d.%d", dir.c_str(), '/', major, minor);
    names.push_back(buf);
  }
  std::snprintf(buf, sizeof buf, "%s%cLayout %d", dir.c_str(), '/', major);
  names.push_back(buf);
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
  auto* dirInfo = global ? reinterpret_cast<LWDirInfoFunc*>(global(LWDIRINFOFUNC_GLOBAL, GFUSE_TRANSIENT)) : nullptr;
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
