// Helpers for the command-line host tests: scratch folders, file bytes, in-process runs.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace cli_test {

// A fresh folder removed with the object.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  std::string dir() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text);
// testdata/lightwave/<relative>
std::string lightwave(const std::string& relative);
// The repository's examples folder.
std::string examples(const std::string& relative);

struct CliResult {
  int code = 0;
  std::string out, err;
};
// Runs velmora-sim with these arguments in-process, with the module built alongside.
CliResult runCli(const std::vector<std::string>& args);

}  // namespace cli_test
