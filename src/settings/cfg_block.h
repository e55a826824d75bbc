// The settings file's tagged blocks in memory, and their byte form.
//
// File: magic "VMrCFG", then blocks of 0x1F 0xA0, uint16 size, 4-byte key, size data
// bytes, then the terminator 0x1F 0xA0 0xFF 0xFF. All numbers little-endian.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

// One block: a four-character key (not terminated) and its data bytes.
struct CfgBlock {
  char key[4] = {};
  uint16_t size = 0;          // number of data bytes; always data.size()
  std::vector<uint8_t> data;  // int, float, vectors and arrays little-endian
};

// The block list, newest block first (add1NewCfgBlock puts blocks at the head), which
// is also the order in which they are written.
struct CfgMainData {
  std::deque<CfgBlock> blocks;
};

// Largest data a block can hold (0xFFFF marks the terminator).
constexpr size_t kMaxCfgBlockSize = 0xFFFE;

// Puts an empty block with key at the head of list and returns it. The reference stays
// valid while blocks are only added.
CfgBlock& add1NewCfgBlock(CfgMainData& list, const char key[4]);

// The first block (from the head) whose four key bytes equal key, or nullptr.
const CfgBlock* searchCfgBlockByName(const CfgMainData& list, const char key[4]);

// Setters: store the data in the block and set its size. Array and string setters
// return false, leaving the block unchanged, when the data would exceed kMaxCfgBlockSize.
void setIntValueOfCfgBlock(CfgBlock& block, int32_t value);
void setFloatValueOfCfgBlock(CfgBlock& block, float value);
void setIntVector3OfCfgBlock(CfgBlock& block, std::span<const int32_t, 3> values);
void setFloatVector3OfCfgBlock(CfgBlock& block, std::span<const float, 3> values);
// uint32 count, then the values.
bool setIntArrayOfCfgBlock(CfgBlock& block, std::span<const int32_t> values);
bool setFloatArrayOfCfgBlock(CfgBlock& block, std::span<const float> values);
// The characters and one terminating zero (an empty string has size 1).
bool setCStringOfCfgBlock(CfgBlock& block, const char* text);

// Getters: return false, leaving the output alone, when the block is too small for
// the kind (4 bytes for a value, 12 for a vector, 5 for an array).
bool intValueWithCfgBlock(const CfgBlock& block, int32_t& valueOut);
bool floatValueWithCfgBlock(const CfgBlock& block, float& valueOut);
bool intVector3WithCfgBlock(const CfgBlock& block, std::span<int32_t, 3> valuesOut);
bool floatVector3WithCfgBlock(const CfgBlock& block, std::span<float, 3> valuesOut);
// Copies min(stored count, values present) values into valuesOut (replacing it).
bool intArrayWithCfgBlock(const CfgBlock& block, std::vector<int32_t>& valuesOut);
bool floatArrayWithCfgBlock(const CfgBlock& block, std::vector<float>& valuesOut);
// Copies the text up to its first zero or the block's end, cut to bufferSize - 1 bytes,
// and terminates it. bufferSize must be at least 1. Returns the bytes copied.
size_t cStringWithCfgBlock(const CfgBlock& block, char* bufferOut, size_t bufferSize);

// Frees every block; safe twice.
void destroyCfgMainData(CfgMainData& list);

// The file bytes of list: magic, blocks from the head, terminator.
std::vector<uint8_t> encodeCfgFile(const CfgMainData& list);

// Parses file bytes into listOut (replacing it). Returns false, with listOut empty, on
// a wrong magic, a short block, a wrong marker, a repeated key or a missing terminator.
// Bytes after the terminator are ignored. O(n log n) in the number of blocks.
bool decodeCfgFile(std::span<const uint8_t> bytes, CfgMainData& listOut);
