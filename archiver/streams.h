// Byte streams for the codec, as small as the archive code needs them:
// archives and members are read front to back and written front to back.
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace archiver {

// A broken archive, an unsupported method, a wrong CRC, a read or write
// failure: ends the work on one archive or member. The text is short ASCII
// English, for the caller's report.
struct ArchiveError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class InStream {
 public:
  virtual ~InStream() = default;
  // Up to size bytes; fewer only at the end of the stream (0 there).
  virtual size_t Read(uint8_t* data, size_t size) = 0;
};

class OutStream {
 public:
  virtual ~OutStream() = default;
  virtual void Write(const uint8_t* data, size_t size) = 0;  // throws ArchiveError
};

class MemoryInStream : public InStream {
 public:
  explicit MemoryInStream(std::string_view bytes) : bytes_(bytes) {}
  size_t Read(uint8_t* data, size_t size) override {
    const size_t n = size < bytes_.size() - pos_ ? size : bytes_.size() - pos_;
    for (size_t i = 0; i < n; ++i) data[i] = static_cast<uint8_t>(bytes_[pos_ + i]);
    pos_ += n;
    return n;
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

class StringOutStream : public OutStream {
 public:
  void Write(const uint8_t* data, size_t size) override { bytes.append(reinterpret_cast<const char*>(data), size); }
  Bytes bytes;
};

}  // namespace archiver
