// The host's records of a loaded module file, the active Layout tool and each applied
// master handler.
#pragma once
#include <string>

#include "host/host.h"

extern "C" {
#include <lwlaytool.h>
#include <lwmaster.h>
}

namespace sim {

class ModuleFile {
 public:
  ~ModuleFile();
  void* handle = nullptr;              // dlopen handle; null for an in-process module
  ModuleDescriptor* descriptor = nullptr;
  void* serverData = nullptr;
  std::string path;
};

struct ToolSlot {
  LWLayoutTool local{};
  LWLayoutToolFuncs funcs{};
  std::string name;
  bool active = false;
};

struct MasterSlot {
  LWMasterHandler local{};
  LWInstanceFuncs inst{};
  LWItemFuncs item{};
  LWInstance instance = nullptr;
  std::string name;
};


}  // namespace sim
