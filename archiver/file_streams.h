// The codec's streams over the file system's readers and writers, so that
// neither an archive nor a member is ever held whole in memory.
#pragma once
#include <algorithm>
#include <cstring>
#include <vector>

#include "archiver/streams.h"
#include "platform/failure.h"
#include "platform/file_system.h"

namespace archiver {

// Reads in large pieces: headers come in a few small reads each, which
// would each be a system call.
class FileInStream : public InStream {
 public:
  explicit FileInStream(platform::FileReader& file) : file_(file), buffer_(kBuffer) {}
  // A failed read is a broken archive for the codec.
  size_t Read(uint8_t* data, size_t size) override {
    size_t done = 0;
    while (done < size) {
      if (pos_ == end_) {
        if (ended_) break;
        Refill();
        continue;
      }
      const size_t n = std::min(size - done, end_ - pos_);
      std::memcpy(data + done, buffer_.data() + pos_, n);
      pos_ += n;
      done += n;
    }
    return done;
  }

 private:
  static constexpr size_t kBuffer = 65536;
  void Refill() {
    try {
      end_ = file_.Read(buffer_.data(), buffer_.size());
    } catch (const platform::IoError&) {
      throw ArchiveError("cannot read the archive");
    }
    pos_ = 0;
    ended_ = end_ == 0;
  }

  platform::FileReader& file_;
  std::vector<char> buffer_;
  size_t pos_ = 0, end_ = 0;
  bool ended_ = false;
};

// Passes each piece on; a failed write stays an IoError, so that it is told
// apart from damaged data.
class FileOutStream : public OutStream {
 public:
  explicit FileOutStream(platform::FileWriter& file) : file_(file) {}
  void Write(const uint8_t* data, size_t size) override { file_.Write(reinterpret_cast<const char*>(data), size); }

 private:
  platform::FileWriter& file_;
};

}  // namespace archiver
