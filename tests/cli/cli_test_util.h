// Helpers for the command-line host tests: scratch folders, file bytes, in-process runs.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_files.h"

namespace cli_test {

using Scratch = velmora_test::ScratchDir;
using velmora_test::readBytes;
using velmora_test::readText;
using velmora_test::writeText;
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
