#include "files/iff_writer.h"

#include <cassert>
#include <cstring>
#include <stdexcept>

namespace sim {

void IffWriter::u2(std::uint16_t v) {
  bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
  bytes_.push_back(static_cast<std::uint8_t>(v));
}

void IffWriter::u4(std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(v >> shift));
}

void IffWriter::f4(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  u4(bits);
}

void IffWriter::vx(std::uint32_t index) {
  if (index < 0xFF00u) {
    u2(static_cast<std::uint16_t>(index));
  } else {
    u4(0xFF000000u | (index & 0x00FFFFFFu));
  }
}

void IffWriter::s0(const std::string& s) {
  bytes_.insert(bytes_.end(), s.begin(), s.end());
  bytes_.push_back(0);
  if ((s.size() + 1) & 1u) bytes_.push_back(0);
}

void IffWriter::begin(std::uint32_t id, bool shortSize) {
  u4(id);
  stack_.push_back({bytes_.size(), shortSize});
  if (shortSize) {
    u2(0);
  } else {
    u4(0);
  }
}

void IffWriter::end(bool pad) {
  assert(!stack_.empty());
  Open open = stack_.back();
  stack_.pop_back();
  std::size_t bodyStart = open.sizeAt + (open.shortSize ? 2 : 4);
  std::size_t size = bytes_.size() - bodyStart;
  if (open.shortSize ? size > 0xFFFFu : size > 0xFFFFFFFFu)
    throw std::length_error("IFF chunk too large for its size field");
  std::uint8_t* at = bytes_.data() + open.sizeAt;
  if (open.shortSize) {
    at[0] = static_cast<std::uint8_t>(size >> 8);
    at[1] = static_cast<std::uint8_t>(size);
  } else {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
  }
  if (pad && (size & 1u)) bytes_.push_back(0);
}

std::vector<std::uint8_t> IffWriter::take() {
  assert(stack_.empty());
  stack_.clear();
  return std::move(bytes_);
}

}  // namespace sim
