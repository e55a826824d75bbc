// Writer of big-endian IFF data with nested chunks whose sizes are patched when they close.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sim {

// Builds IFF bytes in memory. Invariant: every begun chunk is ended in reverse order; end()
// patches the chunk's size field and adds the pad byte an odd-sized chunk needs.
class IffWriter {
 public:
  // Opens a chunk with a 4-byte id and a 4-byte size (top-level chunks, FORM) or a 2-byte size
  // (the subchunks inside SURF, CLIP, ENVL).
  void begin(std::uint32_t id, bool shortSize = false);
  // `pad` false leaves an odd chunk unpadded: for a FORM whose last chunk was stored unpadded.
  void end(bool pad = true);
  std::size_t depth() const { return stack_.size(); }

  void u1(std::uint8_t v) { bytes_.push_back(v); }
  void u2(std::uint16_t v);
  void u4(std::uint32_t v);
  void f4(float v);
  void id4(std::uint32_t id) { u4(id); }
  void vx(std::uint32_t index);  // 2 bytes below 0xFF00, else 0xFF and 3 bytes
  void s0(const std::string& s);  // NUL-terminated, padded to an even length
  void raw(std::span<const std::uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }

  // The finished bytes; all chunks must be closed.
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::vector<std::uint8_t> take();

 private:
  struct Open {
    std::size_t sizeAt;  // where the size field starts
    bool shortSize;
  };
  std::vector<std::uint8_t> bytes_;
  std::vector<Open> stack_;
};

}  // namespace sim
