// MSB-first bit input over an InStream, as the LZH decoders read their
// streams, with a fixed buffer. Past the end of the input it supplies zero
// bits so that lookups of up to 32 bits near the end stay simple; using
// any of them is a truncation, reported on the next refill or by Overrun.
#pragma once
#include <cstddef>
#include <cstdint>

#include "archiver/streams.h"

namespace archiver {

// A decoder wanted more input than the member has.
struct InputEnded : ArchiveError {
  InputEnded() : ArchiveError("truncated data") {}
};

class BitReader {
 public:
  explicit BitReader(InStream& in) : in_(in) {}
  BitReader(const BitReader&) = delete;
  BitReader& operator=(const BitReader&) = delete;

  // The next n bits (1..32) without consuming them.
  uint32_t Peek(int n) {
    if (count_ < n) Refill();
    return static_cast<uint32_t>(bits_ >> (64 - n));
  }
  // Consumes n bits; only after a Peek of at least n.
  void Skip(int n) {
    bits_ <<= n;
    count_ -= n;
  }
  uint32_t Read(int n) {
    if (n == 0) return 0;
    const uint32_t v = Peek(n);
    Skip(n);
    return v;
  }
  // Whether bits past the end of the input were consumed.
  bool Overrun() const { return count_ < padBits_; }

 private:
  void Refill() {
    if (Overrun()) throw InputEnded();
    while (count_ <= 56) {
      if (pos_ == end_ && !eof_) {
        end_ = in_.Read(buffer_, sizeof buffer_);
        pos_ = 0;
        eof_ = end_ == 0;
      }
      uint64_t byte = 0;
      if (pos_ < end_) {
        byte = buffer_[pos_++];
      } else {
        padBits_ += 8;
      }
      bits_ |= byte << (56 - count_);
      count_ += 8;
    }
  }

  InStream& in_;
  uint64_t bits_ = 0;  // left-aligned
  int count_ = 0;      // valid bits in bits_
  int padBits_ = 0;    // zero bits appended after the end, still in bits_
  size_t pos_ = 0, end_ = 0;
  bool eof_ = false;
  uint8_t buffer_[4096];
};

}  // namespace archiver
