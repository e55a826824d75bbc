// Everything the operating system answers for the module: the processors, the free
// physical memory and how the host names its configuration files. The only file of
// the module that calls the operating system.
#pragma once

namespace platform {

// Processors configured on this machine; at least 1.
int processorCount();

// Free physical memory in bytes; false when the system cannot say.
bool freePhysicalMemory(unsigned long long* bytes);

// Replaces the free-memory query (null restores the system's), so the path where the
// system cannot say can be exercised.
using FreeMemoryQuery = bool (*)(unsigned long long* bytes);
void setFreeMemoryQuery(FreeMemoryQuery query);

// Between a folder and a file name in the paths the module builds ('\\' on Windows).
char pathSeparator();

// How the host names its configuration file in its settings directory on this system.
struct ConfigNameForms {
  char separator;            // between the settings directory and the file name
  const char* byDirName;     // (dir, separator, last component of dir, suffix)
  const char* byMajorMinor;  // (dir, separator, major, minor, suffix)
  const char* byMajor;       // (dir, separator, major, suffix)
  const char* suffix;
};

// Layout's names on Windows (LW9.6-64.CFG), and everywhere else (Layout 9.6).
inline constexpr ConfigNameForms kWindowsConfigNames = {'\\', "%s%cLW%s%s.CFG", "%s%cLW%d.%d%s.CFG",
                                                        "%s%cLW%d%s.CFG", "-64"};
inline constexpr ConfigNameForms kUnixConfigNames = {'/', "%s%cLayout %s%s", "%s%cLayout %d.%d%s",
                                                     "%s%cLayout %d%s", ""};

// The forms of the system the module runs on.
const ConfigNameForms& configNameForms();

}  // namespace platform
