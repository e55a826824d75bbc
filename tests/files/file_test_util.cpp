#include "file_test_util.h"

#include <algorithm>

#include "support/paths.h"

namespace files_test {

namespace fs = std::filesystem;

std::string lightwavePath(const std::string& relative) {
  return velmora_test::testdataPath("lightwave/" + relative);
}

namespace {
std::vector<std::string> listFiles(bool scenes) {
  std::vector<std::string> out;
  fs::path root = lightwavePath("");
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::string rel = fs::relative(entry.path(), root).generic_string();
    std::string ext = entry.path().extension().string();
    if (rel.rfind("LICENSES/", 0) == 0 || ext == ".md" || ext == ".txt") continue;
    if ((ext == ".lws") == scenes) out.push_back(rel);
  }
  std::sort(out.begin(), out.end());
  return out;
}
}  // namespace

std::vector<std::string> objectFiles() { return listFiles(false); }
std::vector<std::string> sceneFiles() { return listFiles(true); }

std::string formatFolder(const std::string& relative) {
  fs::path parent = fs::path(relative).parent_path();
  return parent.filename().string();
}

std::vector<RawChunk> splitChunks(const std::vector<std::uint8_t>& form) {
  std::vector<RawChunk> out;
  auto u4 = [&](std::size_t at) {
    return (std::uint32_t(form[at]) << 24) | (std::uint32_t(form[at + 1]) << 16) |
           (std::uint32_t(form[at + 2]) << 8) | form[at + 3];
  };
  std::size_t pos = 12;
  while (pos + 8 <= form.size()) {
    std::size_t size = u4(pos + 4);
    std::size_t stored = std::min(form.size() - pos, 8 + size + (size & 1));
    out.push_back({std::string(form.begin() + pos, form.begin() + pos + 4),
                   std::vector<std::uint8_t>(form.begin() + pos, form.begin() + pos + stored)});
    pos += stored;
  }
  return out;
}

}  // namespace files_test
