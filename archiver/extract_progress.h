// Reports of an unpack, member by member, for an owner that shows progress
// and may stop it. Portable: the DLL front turns them into window messages.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "archiver/unlha_api.h"
#include "platform/cp932.h"
#include "platform/text.h"

namespace archiver {

enum class ExtractStage {
  Begin,      // a member is about to be written
  InProcess,  // its data has been written, or another part of a large one
  End,        // the command has finished, with or without every member
};

struct ExtractProgress {
  ExtractStage stage = ExtractStage::Begin;
  Path archive;      // as the command line names it
  Path target;       // the file being written; empty at End
  uint64_t size = 0;        // the member's original size
  uint64_t written = 0;     // bytes of it written so far
};

// Answers true to go on; false stops the command before the next member,
// or midway through a large one, which then leaves no file.
using ExtractObserver = std::function<bool(const ExtractProgress&)>;

// The report as the owner-window message carries it: sizes beyond 32 bits
// are cut to the largest value, names to the field's length, in Shift-JIS
// as the published layout has them (a character it lacks as '?'). The program
// reads the message with these alone, without the codec.
namespace detail {

inline uint32_t Clamp32(uint64_t v) { return static_cast<uint32_t>(std::min<uint64_t>(v, UINT32_MAX)); }

template <size_t N>
void CopyName(char (&field)[N], const Text& text) {
  const Bytes name = cp932::Encode(cp932::Fitting(text)).value_or("");
  const size_t n = std::min(name.size(), N - 1);
  std::memcpy(field, name.data(), n);
  field[n] = '\0';
}

}  // namespace detail

inline ExtractingInfo ToExtractingInfo(const ExtractProgress& progress) {
  ExtractingInfo info{};
  info.fileSize = detail::Clamp32(progress.size);
  info.writeSize = detail::Clamp32(progress.written);
  detail::CopyName(info.sourceFileName, progress.archive);
  detail::CopyName(info.destFileName, progress.target);
  return info;
}

inline ExtractProgress FromExtractingInfo(int wireStage, const ExtractingInfo& info) {
  ExtractProgress p;
  p.stage = wireStage == extract_message::kBegin       ? ExtractStage::Begin
            : wireStage == extract_message::kInProcess ? ExtractStage::InProcess
                                                       : ExtractStage::End;
  p.archive = cp932::Decode(std::string_view(info.sourceFileName, strnlen(info.sourceFileName, sizeof info.sourceFileName)));
  p.target = cp932::Decode(std::string_view(info.destFileName, strnlen(info.destFileName, sizeof info.destFileName)));
  p.size = info.fileSize;
  p.written = info.writeSize;
  return p;
}

inline int WireStage(ExtractStage stage) {
  switch (stage) {
    case ExtractStage::Begin: return extract_message::kBegin;
    case ExtractStage::InProcess: return extract_message::kInProcess;
    case ExtractStage::End: break;
  }
  return extract_message::kEnd;
}

}  // namespace archiver
