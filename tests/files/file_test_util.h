// Helpers shared by the file-format tests: test data lists, byte files, scratch folders.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_files.h"

namespace files_test {

// Absolute path of a file under testdata/lightwave.
std::string lightwavePath(const std::string& relative);

// Every object file (anything not .lws/.md/.txt, LICENSES excluded) and every scene, sorted,
// as paths relative to testdata/lightwave.
std::vector<std::string> objectFiles();
std::vector<std::string> sceneFiles();

// Folder part of a relative path: "assimp/LWO2/x.lwo" -> "LWO2"; used to know what to expect.
std::string formatFolder(const std::string& relative);

using velmora_test::readBytes;
using velmora_test::readText;
using velmora_test::ScratchDir;

// Top-level chunks of an IFF FORM as (id, bytes with header and pad), for chunk-wise diffs.
struct RawChunk {
  std::string id;
  std::vector<std::uint8_t> bytes;
};
std::vector<RawChunk> splitChunks(const std::vector<std::uint8_t>& form);

}  // namespace files_test
