#include "archiver/extract_progress.h"

#include <algorithm>
#include <cstring>

namespace archiver {

namespace {

uint32_t Clamp32(uint64_t v) { return static_cast<uint32_t>(std::min<uint64_t>(v, UINT32_MAX)); }

template <size_t N>
void CopyName(char (&field)[N], const std::string& name) {
  const size_t n = std::min(name.size(), N - 1);
  std::memcpy(field, name.data(), n);
  field[n] = '\0';
}

}  // namespace

ExtractingInfo ToExtractingInfo(const ExtractProgress& progress) {
  ExtractingInfo info{};
  info.fileSize = Clamp32(progress.size);
  info.writeSize = Clamp32(progress.written);
  CopyName(info.sourceFileName, progress.archive);
  CopyName(info.destFileName, progress.target);
  return info;
}

ExtractProgress FromExtractingInfo(int wireStage, const ExtractingInfo& info) {
  ExtractProgress p;
  p.stage = wireStage == extract_message::kBegin       ? ExtractStage::Begin
            : wireStage == extract_message::kInProcess ? ExtractStage::InProcess
                                                       : ExtractStage::End;
  p.archive.assign(info.sourceFileName, strnlen(info.sourceFileName, sizeof info.sourceFileName));
  p.target.assign(info.destFileName, strnlen(info.destFileName, sizeof info.destFileName));
  p.size = info.fileSize;
  p.written = info.writeSize;
  return p;
}

int WireStage(ExtractStage stage) {
  switch (stage) {
    case ExtractStage::Begin: return extract_message::kBegin;
    case ExtractStage::InProcess: return extract_message::kInProcess;
    case ExtractStage::End: break;
  }
  return extract_message::kEnd;
}

}  // namespace archiver
