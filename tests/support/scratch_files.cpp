#include "support/scratch_files.h"

#include <fstream>
#include <iterator>

#include "support/module_fixture.h"

namespace velmora_test {

ScratchDir::ScratchDir() : path_(makeTempDir()) {}
ScratchDir::~ScratchDir() { removeTempDir(path_.string()); }

std::vector<std::uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

}  // namespace velmora_test
