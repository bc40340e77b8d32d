// The ring buffer the LZ decoders write into: matches copy from earlier
// output, and every full turn of the ring goes to the output stream, so
// memory stays at one window whatever the member's size.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "archiver/streams.h"

namespace archiver {

class HistoryWindow {
 public:
  // size is a power of two; the ring starts filled with `fill`, which the
  // encoders may match against before any output exists.
  HistoryWindow(size_t size, OutStream& out, uint64_t outputSize, uint8_t fill = ' ')
      : buffer_(size, fill), mask_(size - 1), out_(out), left_(outputSize) {}

  uint8_t* Data() { return buffer_.data(); }
  size_t Size() const { return buffer_.size(); }
  // Moves the write position before any output, for formats that start
  // writing in the middle of their window.
  void StartAt(size_t pos) { pos_ = flushed_ = pos & mask_; }

  uint64_t Left() const { return left_; }
  bool Done() const { return left_ == 0; }
  size_t Position() const { return pos_; }

  void Put(uint8_t byte) {
    buffer_[pos_++] = byte;
    --left_;
    if (pos_ == buffer_.size()) Wrap();
  }

  // Copies length bytes from absolute ring position src, byte by byte in
  // effect, so a source overlapping the destination repeats a pattern.
  // Stops at the output size.
  void Copy(size_t src, size_t length) {
    if (length > left_) length = static_cast<size_t>(left_);
    left_ -= length;
    src &= mask_;
    const size_t size = buffer_.size();
    if (pos_ + length < size && src + length <= size) {
      uint8_t* d = buffer_.data() + pos_;
      const uint8_t* s = buffer_.data() + src;
      if (src + length <= pos_ || src >= pos_ + length) {
        std::memcpy(d, s, length);
      } else {
        for (size_t i = 0; i < length; ++i) d[i] = s[i];
      }
      pos_ += length;
      return;
    }
    for (size_t i = 0; i < length; ++i) {
      buffer_[pos_++] = buffer_[src];
      src = (src + 1) & mask_;
      if (pos_ == size) Wrap();
    }
  }

  // A match distance back from the write position (1 = the last byte).
  void CopyBack(size_t distance, size_t length) { Copy((pos_ - distance) & mask_, length); }

  // Writes what is left in the ring.
  void Finish() {
    if (pos_ > flushed_) out_.Write(buffer_.data() + flushed_, pos_ - flushed_);
    flushed_ = pos_;
  }

 private:
  void Wrap() {
    out_.Write(buffer_.data() + flushed_, buffer_.size() - flushed_);
    pos_ = flushed_ = 0;
  }

  std::vector<uint8_t> buffer_;
  size_t mask_;
  OutStream& out_;
  uint64_t left_;
  size_t pos_ = 0, flushed_ = 0;
};

}  // namespace archiver
