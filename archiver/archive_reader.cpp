#include "archiver/archive_reader.h"

#include <algorithm>

#include "archiver/bit_reader.h"
#include "archiver/crc16.h"
#include "archiver/header_reader.h"
#include "archiver/lh1_decoder.h"
#include "archiver/lh_decoder.h"
#include "archiver/lz_decoders.h"

namespace archiver {

namespace {

// The current member's data: at most `left` bytes of the archive.
class MemberDataStream : public InStream {
 public:
  MemberDataStream(InStream& in, uint64_t& left, bool& truncated) : in_(in), left_(left), truncated_(truncated) {}
  size_t Read(uint8_t* data, size_t size) override {
    if (size > left_) size = static_cast<size_t>(left_);
    const size_t n = ReadFully(in_, data, size);
    left_ -= n;
    if (n < size) left_ = 0, truncated_ = true;
    return n;
  }
  bool Truncated() const { return truncated_; }

 private:
  InStream& in_;
  uint64_t& left_;
  bool& truncated_;
};

// Passes the output on while taking its CRC.
class CheckedOutStream : public OutStream {
 public:
  explicit CheckedOutStream(OutStream& out) : out_(out) {}
  void Write(const uint8_t* data, size_t size) override {
    crc_.Update(data, size);
    written_ += size;
    out_.Write(data, size);
  }
  uint16_t Crc() const { return crc_.Value(); }
  uint64_t Written() const { return written_; }

 private:
  OutStream& out_;
  Crc16 crc_;
  uint64_t written_ = 0;
};

void CopyStored(InStream& in, OutStream& out, uint64_t size) {
  uint8_t buffer[16384];
  while (size > 0) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(size, sizeof buffer));
    const size_t n = ReadFully(in, buffer, want);
    if (n < want) throw ArchiveError("truncated data");
    out.Write(buffer, n);
    size -= n;
  }
}

}  // namespace

class ArchiveReader::Impl {
 public:
  explicit Impl(InStream& in) : in_(in) {}

  std::optional<Member> Next() {
    if (broken_) throw ArchiveError("broken archive");
    try {
      if (truncated_) throw ArchiveError("truncated archive");
      SkipData();
      if (ended_) return std::nullopt;
      HeaderRead read = ReadHeader(in_);
      if (!read.member) {
        if (read.endOfInput && members_ == 0) throw ArchiveError("not an archive: empty file");
        ended_ = true;
        return std::nullopt;
      }
      ++members_;
      current_ = std::move(read.member);
      left_ = current_->packedSize;
      dataTouched_ = false;
      return current_;
    } catch (const ArchiveError&) {
      broken_ = true;
      current_.reset();
      throw;
    }
  }

  void Extract(OutStream& out) {
    if (!current_ || dataTouched_) throw ArchiveError("no member to extract");
    dataTouched_ = true;
    const Member& m = *current_;
    if (m.IsDirectory()) return;
    MemberDataStream data(in_, left_, truncated_);
    CheckedOutStream checked(out);
    try {
      Decode(m, data, checked);
    } catch (const InputEnded&) {
      // Within a complete archive this is damaged data running on.
      if (data.Truncated()) throw;
      throw ArchiveError("CRC error: compressed data ends early");
    }
    if (data.Truncated()) throw ArchiveError("truncated data");
    if (checked.Written() != m.originalSize) throw ArchiveError("wrong data size");
    if (checked.Crc() != m.crc) throw ArchiveError("CRC error");
  }

  static void Decode(const Member& m, InStream& data, OutStream& checked) {
    const std::string& method = m.method;
    if (method == "-lh0-" || method == "-lz4-") {
      CopyStored(data, checked, m.originalSize);
    } else if (const auto bits = LhDictionaryBits(method)) {
      DecodeLh(data, checked, m.originalSize, *bits);
    } else if (method == "-lh1-") {
      DecodeLh1(data, checked, m.originalSize);
    } else if (method == "-lz5-") {
      DecodeLz5(data, checked, m.originalSize);
    } else if (method == "-lzs-") {
      DecodeLzs(data, checked, m.originalSize);
    } else {
      throw ArchiveError("unsupported method " + SafeMethodText(method));
    }
  }

  std::string ReadPacked() {
    if (!current_ || dataTouched_) throw ArchiveError("no member to read");
    dataTouched_ = true;
    std::string packed;
    uint8_t buffer[16384];
    while (left_ > 0) {
      const size_t want = static_cast<size_t>(std::min<uint64_t>(left_, sizeof buffer));
      const size_t n = ReadFully(in_, buffer, want);
      packed.append(reinterpret_cast<const char*>(buffer), n);
      left_ -= n;
      if (n < want) {
        left_ = 0;
        truncated_ = true;
        throw ArchiveError("truncated data");
      }
    }
    return packed;
  }

 private:
  // Error texts stay printable ASCII whatever the header held.
  static std::string SafeMethodText(const std::string& method) {
    std::string text = method;
    for (char& c : text)
      if (c < 0x20 || c > 0x7E) c = '?';
    return text;
  }

  void SkipData() {
    uint8_t buffer[16384];
    while (left_ > 0) {
      const size_t want = static_cast<size_t>(std::min<uint64_t>(left_, sizeof buffer));
      const size_t n = ReadFully(in_, buffer, want);
      left_ -= n;
      if (n < want) throw ArchiveError("truncated archive");
    }
  }

  InStream& in_;
  std::optional<Member> current_;
  uint64_t left_ = 0;  // data bytes of the current member not yet read
  bool dataTouched_ = false;
  bool ended_ = false;
  bool truncated_ = false;  // the archive ended inside member data
  bool broken_ = false;
  int members_ = 0;
};

ArchiveReader::ArchiveReader(InStream& in) : impl_(std::make_unique<Impl>(in)) {}
ArchiveReader::~ArchiveReader() = default;
std::optional<Member> ArchiveReader::Next() { return impl_->Next(); }
void ArchiveReader::Extract(OutStream& out) { impl_->Extract(out); }
Bytes ArchiveReader::ReadPacked() { return impl_->ReadPacked(); }

}  // namespace archiver
