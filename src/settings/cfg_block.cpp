#include "settings/cfg_block.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <set>

namespace {

constexpr uint8_t kMagic[6] = {'V', 'M', 'r', 'C', 'F', 'G'};
constexpr uint8_t kMarker0 = 0x1F;
constexpr uint8_t kMarker1 = 0xA0;
constexpr uint16_t kEndSize = 0xFFFF;

// Written byte by byte so the file is little-endian whatever the machine.
void putU32(uint8_t* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t getU32(const uint8_t* in) {
  return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

template <typename T>
uint32_t toBits(T v) {
  return std::bit_cast<uint32_t>(v);
}

template <typename T>
void setWords(CfgBlock& block, std::span<const T> values) {
  block.data.resize(values.size() * 4);
  for (size_t i = 0; i < values.size(); ++i) putU32(&block.data[4 * i], toBits(values[i]));
  block.size = static_cast<uint16_t>(block.data.size());
}

template <typename T>
bool setArray(CfgBlock& block, std::span<const T> values) {
  if (values.size() > (kMaxCfgBlockSize - 4) / 4) return false;
  block.data.resize(4 + values.size() * 4);
  putU32(block.data.data(), static_cast<uint32_t>(values.size()));
  for (size_t i = 0; i < values.size(); ++i) putU32(&block.data[4 + 4 * i], toBits(values[i]));
  block.size = static_cast<uint16_t>(block.data.size());
  return true;
}

template <typename T>
T wordAt(const CfgBlock& block, size_t offset) {
  return std::bit_cast<T>(getU32(&block.data[offset]));
}

template <typename T>
bool getArray(const CfgBlock& block, std::vector<T>& out) {
  if (block.data.size() < 5) return false;
  const size_t present = (block.data.size() - 4) / 4;
  const size_t n = std::min<size_t>(getU32(block.data.data()), present);
  out.resize(n);
  for (size_t i = 0; i < n; ++i) out[i] = wordAt<T>(block, 4 + 4 * i);
  return true;
}

uint32_t keyCode(const char key[4]) {
  uint8_t bytes[4];
  std::memcpy(bytes, key, 4);
  return getU32(bytes);
}

}  // namespace

CfgBlock& add1NewCfgBlock(CfgMainData& list, const char key[4]) {
  CfgBlock& block = list.blocks.emplace_front();
  std::memcpy(block.key, key, 4);
  return block;
}

const CfgBlock* searchCfgBlockByName(const CfgMainData& list, const char key[4]) {
  for (const CfgBlock& block : list.blocks)
    if (std::memcmp(block.key, key, 4) == 0) return &block;
  return nullptr;
}

void setIntValueOfCfgBlock(CfgBlock& block, int32_t value) {
  setWords<int32_t>(block, std::span<const int32_t>(&value, 1));
}

void setFloatValueOfCfgBlock(CfgBlock& block, float value) {
  setWords<float>(block, std::span<const float>(&value, 1));
}

void setIntVector3OfCfgBlock(CfgBlock& block, std::span<const int32_t, 3> values) {
  setWords<int32_t>(block, values);
}

void setFloatVector3OfCfgBlock(CfgBlock& block, std::span<const float, 3> values) {
  setWords<float>(block, values);
}

bool setIntArrayOfCfgBlock(CfgBlock& block, std::span<const int32_t> values) {
  return setArray(block, values);
}

bool setFloatArrayOfCfgBlock(CfgBlock& block, std::span<const float> values) {
  return setArray(block, values);
}

bool setCStringOfCfgBlock(CfgBlock& block, const char* text) {
  const size_t length = std::strlen(text);
  if (length + 1 > kMaxCfgBlockSize) return false;
  block.data.assign(text, text + length + 1);
  block.size = static_cast<uint16_t>(block.data.size());
  return true;
}

bool intValueWithCfgBlock(const CfgBlock& block, int32_t& valueOut) {
  if (block.data.size() < 4) return false;
  valueOut = wordAt<int32_t>(block, 0);
  return true;
}

bool floatValueWithCfgBlock(const CfgBlock& block, float& valueOut) {
  if (block.data.size() < 4) return false;
  valueOut = wordAt<float>(block, 0);
  return true;
}

bool intVector3WithCfgBlock(const CfgBlock& block, std::span<int32_t, 3> valuesOut) {
  if (block.data.size() < 12) return false;
  for (size_t i = 0; i < 3; ++i) valuesOut[i] = wordAt<int32_t>(block, 4 * i);
  return true;
}

bool floatVector3WithCfgBlock(const CfgBlock& block, std::span<float, 3> valuesOut) {
  if (block.data.size() < 12) return false;
  for (size_t i = 0; i < 3; ++i) valuesOut[i] = wordAt<float>(block, 4 * i);
  return true;
}

bool intArrayWithCfgBlock(const CfgBlock& block, std::vector<int32_t>& valuesOut) {
  return getArray(block, valuesOut);
}

bool floatArrayWithCfgBlock(const CfgBlock& block, std::vector<float>& valuesOut) {
  return getArray(block, valuesOut);
}

size_t cStringWithCfgBlock(const CfgBlock& block, char* bufferOut, size_t bufferSize) {
  if (bufferSize == 0) return 0;
  const auto* begin = block.data.data();
  const auto* end = begin + std::min(block.data.size(), bufferSize - 1);
  const auto* stop = std::find(begin, end, uint8_t{0});
  const size_t n = static_cast<size_t>(stop - begin);
  if (n) std::memcpy(bufferOut, begin, n);
  bufferOut[n] = '\0';
  return n;
}

void destroyCfgMainData(CfgMainData& list) {
  list.blocks.clear();
  list.blocks.shrink_to_fit();
}

std::vector<uint8_t> encodeCfgFile(const CfgMainData& list) {
  size_t total = sizeof kMagic + 4;
  for (const CfgBlock& block : list.blocks) total += 8 + block.data.size();
  // Sized once and filled through a cursor: the bytes are laid out exactly as counted.
  std::vector<uint8_t> out(total);
  uint8_t* cursor = out.data();
  auto put = [&cursor](const void* bytes, size_t n) {
    if (n) std::memcpy(cursor, bytes, n);
    cursor += n;
  };
  put(kMagic, sizeof kMagic);
  for (const CfgBlock& block : list.blocks) {
    const auto size = static_cast<uint16_t>(block.data.size());
    const uint8_t header[4] = {kMarker0, kMarker1, static_cast<uint8_t>(size & 0xFF),
                               static_cast<uint8_t>(size >> 8)};
    put(header, sizeof header);
    put(block.key, 4);
    put(block.data.data(), block.data.size());
  }
  const uint8_t terminator[4] = {kMarker0, kMarker1, 0xFF, 0xFF};
  put(terminator, sizeof terminator);
  return out;
}

bool decodeCfgFile(std::span<const uint8_t> bytes, CfgMainData& listOut) {
  destroyCfgMainData(listOut);
  if (bytes.size() < sizeof kMagic || !std::equal(kMagic, kMagic + sizeof kMagic, bytes.begin()))
    return false;
  CfgMainData list;
  std::set<uint32_t> seen;  // a set, not a list walk: a hostile file may hold many blocks
  size_t at = sizeof kMagic;
  for (;;) {
    if (bytes.size() - at < 4 || bytes[at] != kMarker0 || bytes[at + 1] != kMarker1)
      return false;
    const uint16_t size = static_cast<uint16_t>(bytes[at + 2] | bytes[at + 3] << 8);
    at += 4;
    if (size == kEndSize) break;
    if (bytes.size() - at < 4) return false;
    char key[4];
    std::memcpy(key, &bytes[at], 4);
    at += 4;
    if (!seen.insert(keyCode(key)).second) return false;
    if (bytes.size() - at < size) return false;
    CfgBlock& block = add1NewCfgBlock(list, key);
    block.data.assign(bytes.begin() + at, bytes.begin() + at + size);
    block.size = size;
    at += size;
  }
  listOut = std::move(list);
  return true;
}
