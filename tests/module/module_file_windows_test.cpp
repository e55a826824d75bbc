// The Windows module file as the host sees it: its export table names the descriptor
// alone and it needs no DLL beyond the system's. Read from the file's own PE headers,
// so the check needs no tool of the build machine.
#if defined(_WIN32)
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/paths.h"

namespace {

// The parts of a PE32+ image the checks read; every offset is bounds-checked, so a
// malformed file gives empty lists rather than a crash.
class PeImage {
 public:
  explicit PeImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    parseHeaders();
  }
  bool valid() const { return valid_; }

  std::vector<std::string> exportedNames() const {
    std::vector<std::string> names;
    uint32_t dir = 0;
    if (!directory(0, dir)) return names;
    const uint32_t count = u32(dir + 24), nameTable = offsetOf(u32(dir + 32));
    for (uint32_t i = 0; i < count && nameTable; ++i) names.push_back(stringAt(offsetOf(u32(nameTable + 4 * i))));
    return names;
  }

  std::vector<std::string> importedLibraries() const {
    std::vector<std::string> names;
    uint32_t dir = 0;
    if (!directory(1, dir)) return names;
    for (uint32_t entry = dir; entry + 20 <= bytes_.size(); entry += 20) {
      const uint32_t nameRva = u32(entry + 12);
      if (nameRva == 0 && u32(entry) == 0) break;
      std::string name = stringAt(offsetOf(nameRva));
      std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
      names.push_back(name);
    }
    return names;
  }

 private:
  uint32_t u16(size_t at) const { return at + 2 <= bytes_.size() ? bytes_[at] | bytes_[at + 1] << 8 : 0; }
  uint32_t u32(size_t at) const { return at + 4 <= bytes_.size() ? u16(at) | u16(at + 2) << 16 : 0; }
  std::string stringAt(size_t at) const {
    std::string s;
    while (at && at < bytes_.size() && bytes_[at]) s.push_back(char(bytes_[at++]));
    return s;
  }

  void parseHeaders() {
    const uint32_t pe = u32(0x3C);
    if (bytes_.size() < 0x40 || bytes_[0] != 'M' || bytes_[1] != 'Z' || u32(pe) != 0x4550) return;
    sections_ = u16(pe + 6);
    optional_ = pe + 24;
    sectionTable_ = optional_ + u16(pe + 20);
    valid_ = u16(optional_) == 0x20B;  // PE32+: a 64-bit image
  }

  // File offset of the data directory entry index; false when the image has none.
  bool directory(int index, uint32_t& offset) const {
    if (!valid_ || u32(optional_ + 108) <= uint32_t(index)) return false;
    const uint32_t rva = u32(optional_ + 112 + 8 * index);
    offset = offsetOf(rva);
    return rva != 0 && offset != 0;
  }

  // File offset of a relative virtual address; 0 when no section holds it.
  uint32_t offsetOf(uint32_t rva) const {
    for (uint32_t s = 0; s < sections_; ++s) {
      const size_t header = sectionTable_ + 40 * s;
      const uint32_t start = u32(header + 12), size = std::max(u32(header + 8), u32(header + 16));
      if (rva >= start && rva < start + size) return rva - start + u32(header + 20);
    }
    return 0;
  }

  std::vector<uint8_t> bytes_;
  bool valid_ = false;
  uint32_t sections_ = 0;
  size_t optional_ = 0, sectionTable_ = 0;
};

TEST(ModuleFileWindows, ExportsTheDescriptorAndNothingElse) {
  PeImage image(velmora_test::moduleFile());
  ASSERT_TRUE(image.valid()) << velmora_test::moduleFile() << " is not a 64-bit Windows image";
  EXPECT_EQ(image.exportedNames(), std::vector<std::string>{"_mod_descrip"});
}

// The C and C++ runtimes are linked in: the host's folder need hold nothing else.
TEST(ModuleFileWindows, NeedsOnlyTheSystemsLibraries) {
  PeImage image(velmora_test::moduleFile());
  ASSERT_TRUE(image.valid());
  std::vector<std::string> imports = image.importedLibraries();
  ASSERT_FALSE(imports.empty());
  for (const std::string& name : imports)
    EXPECT_TRUE(name == "kernel32.dll" || name == "msvcrt.dll") << "velmora.p needs " << name;
}

}  // namespace
#endif  // defined(_WIN32)
