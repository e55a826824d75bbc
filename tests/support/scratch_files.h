// Scratch folders and whole-file reads and writes for tests.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora_test {

// A fresh empty folder for one test, removed with the object.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  std::string dir() const { return path_.string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text);

}  // namespace velmora_test
