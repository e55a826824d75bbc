#include "platform/platform.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#elif defined(__APPLE__)
#include <mach/mach.h>
#include <unistd.h>
#else
#include <unistd.h>
#endif

namespace platform {

namespace {

#if defined(_WIN32)

int systemProcessorCount() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return int(info.dwNumberOfProcessors);
}

bool systemFreePhysicalMemory(unsigned long long* bytes) {
  MEMORYSTATUSEX status;
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return false;
  *bytes = status.ullAvailPhys;
  return true;
}

#elif defined(__APPLE__)

int systemProcessorCount() { return int(sysconf(_SC_NPROCESSORS_CONF)); }

// The host's virtual-memory statistics: free pages times the page size.
bool systemFreePhysicalMemory(unsigned long long* bytes) {
  mach_port_t host = mach_host_self();
  vm_size_t pageSize = 0;
  vm_statistics64_data_t stats;
  mach_msg_type_number_t count = HOST_VM_INFO64_COUNT;
  if (host_page_size(host, &pageSize) != KERN_SUCCESS ||
      host_statistics64(host, HOST_VM_INFO64, reinterpret_cast<host_info64_t>(&stats), &count) !=
          KERN_SUCCESS)
    return false;
  *bytes = (unsigned long long)stats.free_count * (unsigned long long)pageSize;
  return true;
}

#else

int systemProcessorCount() { return int(sysconf(_SC_NPROCESSORS_CONF)); }

bool systemFreePhysicalMemory(unsigned long long* bytes) {
  long pages = sysconf(_SC_AVPHYS_PAGES);
  long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return false;
  *bytes = (unsigned long long)pages * (unsigned long long)pageSize;
  return true;
}

#endif

FreeMemoryQuery stFreeMemoryQuery = nullptr;

}  // namespace

int processorCount() {
  int n = systemProcessorCount();
  return n > 0 ? n : 1;
}

bool freePhysicalMemory(unsigned long long* bytes) {
  if (!bytes) return false;
  *bytes = 0;
  FreeMemoryQuery query = stFreeMemoryQuery ? stFreeMemoryQuery : systemFreePhysicalMemory;
  return query(bytes);
}

void setFreeMemoryQuery(FreeMemoryQuery query) { stFreeMemoryQuery = query; }

char pathSeparator() { return configNameForms().separator; }

const ConfigNameForms& configNameForms() {
#if defined(_WIN32)
  return kWindowsConfigNames;
#else
  return kUnixConfigNames;
#endif
}

}  // namespace platform
