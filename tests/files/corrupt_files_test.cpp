// Seeded random damage to the real test files: the readers must answer with an error or a
// model, never crash or read out of bounds (run this once under -fsanitize=address,undefined).
// Any damaged file that is still accepted must also write back unchanged.
#include <gtest/gtest.h>

#include <random>

#include "file_test_util.h"
#include "files/lwo_io.h"
#include "files/lws_scene.h"

using namespace sim;
using files_test::lightwavePath;

namespace {

constexpr int kObjectMutationsPerFile = 150;
constexpr int kSceneMutationsPerFile = 120;

void flipBits(std::vector<std::uint8_t>& b, std::mt19937& rng) {
  if (b.empty()) return;
  int flips = 1 + static_cast<int>(rng() % 8);
  for (int f = 0; f < flips; ++f) b[rng() % b.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
}

void truncate(std::vector<std::uint8_t>& b, std::mt19937& rng) {
  if (!b.empty()) b.resize(rng() % b.size());
}

void putU4(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4 && at + i < b.size(); ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// Rewrites the size field of the FORM or of one chunk with a nearby or absurd value.
void corruptLength(std::vector<std::uint8_t>& b, std::mt19937& rng) {
  if (b.size() < 12) return;
  std::vector<std::size_t> sizeFields{4};
  std::size_t pos = 12;
  for (const auto& c : files_test::splitChunks(b)) {
    sizeFields.push_back(pos + 4);
    pos += c.bytes.size();
  }
  std::size_t at = sizeFields[rng() % sizeFields.size()];
  std::uint32_t old = (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) |
                      (std::uint32_t(b[at + 2]) << 8) | b[at + 3];
  const std::uint32_t choices[] = {0, 1, old - 1, old + 1, old + 2, old / 2, 0xFFFFFFFFu, 0x7FFFFFFFu,
                                   static_cast<std::uint32_t>(rng())};
  putU4(b, at, choices[rng() % std::size(choices)]);
}

// Overwrites two bytes anywhere: corner counts, dimensions, indices, string terminators.
void corruptField(std::vector<std::uint8_t>& b, std::mt19937& rng) {
  if (b.size() < 2) return;
  std::size_t at = rng() % (b.size() - 1);
  const std::uint16_t choices[] = {0, 0xFFFF, 0xFF00, 0x03FF, static_cast<std::uint16_t>(rng())};
  std::uint16_t v = choices[rng() % std::size(choices)];
  b[at] = static_cast<std::uint8_t>(v >> 8);
  b[at + 1] = static_cast<std::uint8_t>(v);
}

}  // namespace

TEST(FileCorruption, ObjectReaderSurvivesSeededDamage) {
  std::mt19937 rng(0x5eed0001u);
  int accepted = 0, rejected = 0;
  for (const std::string& rel : files_test::objectFiles()) {
    const std::vector<std::uint8_t> original = files_test::readBytes(lightwavePath(rel));
    for (int k = 0; k < kObjectMutationsPerFile; ++k) {
      std::vector<std::uint8_t> bytes = original;
      switch (k % 4) {
        case 0: flipBits(bytes, rng); break;
        case 1: truncate(bytes, rng); break;
        case 2: corruptLength(bytes, rng); break;
        default: corruptField(bytes, rng); break;
      }
      SCOPED_TRACE(testing::Message() << rel << " mutation " << k);
      LwoObject object;
      FileError error;
      if (!readLwo(bytes, rel, object, error)) {
        ++rejected;
        ASSERT_FALSE(error.message.empty());
        ASSERT_GE(error.offset, 0);
        ASSERT_LE(error.offset, static_cast<std::int64_t>(bytes.size()));
        continue;
      }
      ++accepted;
      const bool wasLwo2 = !object.needsConversion();
      if (!wasLwo2) object.convertToLwo2();
      std::vector<std::uint8_t> written;
      ASSERT_TRUE(writeLwo(object, written, error)) << error.text();
      if (wasLwo2) {
        ASSERT_EQ(written, bytes);
      }
      LwoObject again;
      ASSERT_TRUE(readLwo(written, "rewritten", again, error)) << error.text();
    }
  }
  EXPECT_GT(accepted, 0);
  EXPECT_GT(rejected, 0);
}

TEST(FileCorruption, SceneReaderSurvivesSeededDamage) {
  std::mt19937 rng(0x5eed0002u);
  for (const std::string& rel : files_test::sceneFiles()) {
    const std::string original = files_test::readText(lightwavePath(rel));
    LwsScene clean;
    FileError error;
    ASSERT_TRUE(readLws(original, rel, clean, error));
    for (int k = 0; k < kSceneMutationsPerFile; ++k) {
      std::string text = original;
      switch (k % 4) {
        case 0:
          for (int f = 0; f < 4; ++f) text[rng() % text.size()] ^= static_cast<char>(1u << (rng() % 7));
          break;
        case 1: text.resize(rng() % text.size()); break;
        case 2: {  // a count or number made absurd
          LwsLine& line = clean.lines[rng() % clean.lines.size()];
          std::string saved = line.text;
          const char* junk[] = {"99999999", "-1", "1e308", "nan", "", "{", "}", "Key 1", "NumChannels 70"};
          line.text = (rng() % 2 ? saved.substr(0, saved.find(' ') + 1) : std::string()) + junk[rng() % 9];
          text = writeLws(clean);
          line.text = saved;
          break;
        }
        default: {  // a line dropped
          std::size_t drop = rng() % clean.lines.size();
          LwsScene copy = clean;
          copy.lines.erase(copy.lines.begin() + static_cast<std::ptrdiff_t>(drop));
          text = writeLws(copy);
          break;
        }
      }
      SCOPED_TRACE(testing::Message() << rel << " mutation " << k);
      LwsScene scene;
      if (!readLws(text, rel, scene, error)) {
        ASSERT_FALSE(error.message.empty());
        ASSERT_GE(error.line, 1);
        continue;
      }
      ASSERT_EQ(writeLws(scene), text);
      for (const LwsItem& item : scene.items) {
        ASSERT_LE(item.firstLine, item.endLine);
        ASSERT_LE(item.endLine, scene.lines.size());
        ASSERT_LT(item.parent, static_cast<int>(scene.items.size()));
        itemTransformAt(item, 0.5);
      }
    }
  }
}
