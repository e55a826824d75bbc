#include "support/paths.h"

namespace velmora_test {

std::string moduleFile() { return VELMORA_MODULE_FILE; }

std::string testdataPath(const std::string& relative) {
  std::string path = VELMORA_TESTDATA;
  if (!relative.empty()) path += "/" + relative;
  return path;
}

}  // namespace velmora_test
