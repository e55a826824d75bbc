// Helpers for the command-line host tests: scratch folders, file bytes, in-process runs.
#pragma once
#include <array>
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

// One layer of a small object written by a test: its LAYR number and pivot, and points that
// one polygon runs through.
struct TestLayer {
  int number = 0;
  std::array<float, 3> pivot{0, 0, 0};
  std::vector<std::array<float, 3>> points;
};
// Writes an LWO2 object with these layers, in this order, to `path`.
void writeLayeredObject(const std::string& path, const std::vector<TestLayer>& layers);

// A version 5 scene: `body` is pasted between the header and the end.
std::string sceneText(const std::string& body);

struct CliResult {
  int code = 0;
  std::string out, err;
};
// Runs velmora-sim with these arguments in-process, with the module built alongside.
CliResult runCli(const std::vector<std::string>& args);

}  // namespace cli_test
