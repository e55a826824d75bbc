// Bounds-checked big-endian reading of IFF data: every read checks the bytes left first.
#pragma once
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>

namespace sim {

// Thrown by ByteReader when data run out or are malformed; `offset` is the absolute file offset
// of the read that failed. Caught at the public entry points and turned into a FileError.
struct ByteReadFault : std::runtime_error {
  std::int64_t offset;
  ByteReadFault(std::int64_t at, const std::string& why) : std::runtime_error(why), offset(at) {}
};

// A cursor over a window of a file. Invariant: pos_ <= data_.size(), so no read leaves the window.
class ByteReader {
 public:
  // `base` is the absolute file offset of data[0], used only for messages.
  ByteReader(std::span<const std::uint8_t> data, std::int64_t base) : data_(data), base_(base) {}

  std::size_t left() const { return data_.size() - pos_; }
  bool atEnd() const { return pos_ == data_.size(); }
  std::size_t pos() const { return pos_; }
  std::int64_t fileOffset() const { return base_ + static_cast<std::int64_t>(pos_); }

  void need(std::size_t n, const char* what) const {
    if (n > left())
      throw ByteReadFault(fileOffset(), std::string(what) + " needs " + std::to_string(n) +
                                            " bytes but only " + std::to_string(left()) + " remain");
  }
  std::uint8_t u1(const char* what) {
    need(1, what);
    return data_[pos_++];
  }
  std::uint16_t u2(const char* what) {
    need(2, what);
    std::uint16_t v = static_cast<std::uint16_t>((data_[pos_] << 8) | data_[pos_ + 1]);
    pos_ += 2;
    return v;
  }
  std::uint32_t u4(const char* what) {
    need(4, what);
    std::uint32_t v = (std::uint32_t(data_[pos_]) << 24) | (std::uint32_t(data_[pos_ + 1]) << 16) |
                      (std::uint32_t(data_[pos_ + 2]) << 8) | std::uint32_t(data_[pos_ + 3]);
    pos_ += 4;
    return v;
  }
  // Bit pattern kept as is, so values written back are identical to the bit (NaNs included).
  float f4(const char* what) {
    std::uint32_t bits = u4(what);
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
  }
  // Variable-length index: 2 bytes below 0xFF00, else 4 bytes whose first byte is 0xFF.
  std::uint32_t vx(const char* what) {
    need(1, what);
    if (data_[pos_] != 0xFF) return u2(what);
    return u4(what) & 0x00FFFFFFu;
  }
  // NUL-terminated string padded to an even length (the pad counts from the string's start).
  std::string s0(const char* what) {
    std::size_t start = pos_;
    const void* nul = std::memchr(data_.data() + pos_, 0, left());
    if (nul == nullptr) throw ByteReadFault(fileOffset(), std::string(what) + " has no terminating NUL");
    std::size_t len = static_cast<const std::uint8_t*>(nul) - (data_.data() + pos_);
    std::string s(reinterpret_cast<const char*>(data_.data() + pos_), len);
    pos_ += len + 1;
    // Some writers drop the pad of a string that ends its chunk; accept that.
    if (((pos_ - start) & 1u) && left() > 0) ++pos_;
    return s;
  }
  void skip(std::size_t n, const char* what) {
    need(n, what);
    pos_ += n;
  }
  [[noreturn]] void fail(const std::string& why) const { throw ByteReadFault(fileOffset(), why); }

 private:
  std::span<const std::uint8_t> data_;
  std::int64_t base_;
  std::size_t pos_ = 0;
};

}  // namespace sim
