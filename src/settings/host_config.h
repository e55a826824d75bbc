// What the module learns about its surroundings: the host's version and language, the
// machine's processors and free memory, and integer preferences from Layout's own
// configuration file. Plain functions; the host's global function is passed in or taken
// from the one stored by setGlobalForFunc.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"

extern "C" {
#include <lwserver.h>
}

// Stores the host's global function for the module's functions that look up globals
// by themselves; getGlobalForFunc returns it (null before the first activation).
void setGlobalForFunc(GlobalFunc* global);
GlobalFunc* getGlobalForFunc();

// Host build number: bits 4-15 of "Product Info"; 0 when the global is missing.
int getBuildNumber(GlobalFunc* global);
// Build, major and minor version. A major field of 15 marks a year-numbered host:
// major = bits 24-29 + 2015.
void getLWVersionNumber(GlobalFunc* global, int* build, int* major, int* minor);
// Low 16 bits of "Locale Info" (1041 selects the Japanese texts).
int getLangIDForLW(GlobalFunc* global);
// Processors configured on this machine (at least 1).
int getNumberOfProcessors();
// Free physical memory in units of 100 bytes; failed = 1 and 0 when the system cannot
// say.
long long getFreeMemSizeIn100Bytes(int* failed);

// One integer preference to read from Layout's configuration file.
struct ConfigRequestEntry {
  unsigned char found = 0;  // 1 once read
  int value = 0;            // the default on entry, the read value on exit
  std::string key;
  std::string format;       // a scan format holding the key and one "%d"
};
using ConfigRequest = std::vector<ConfigRequestEntry>;

// The bone-handle preferences: "LayoutViewBoneHandleSize" 72,
// "LayoutViewBoneHandleAutoSize" 1, "LayoutViewBoneHandleFill" 1.
ConfigRequest makeBoneHandleRequest();

// Fills the request from Layout's configuration file in the host's settings directory;
// entries not found keep their default. Returns the path read, empty when none opened.
std::string getIntValueFromLayoutConfigFile(GlobalFunc* global, ConfigRequest& request);

// The configuration file names tried, in order, for a settings directory and version,
// as the host names them on the system given by forms (this one by default).
std::vector<std::string> layoutConfigFileNames(
    const std::string& dir, int build, int major, int minor,
    const platform::ConfigNameForms& forms = platform::configNameForms());
