// Reports of an unpack, member by member, for an owner that shows progress
// and may stop it. Portable: the DLL front turns them into window messages.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "archiver/unlha_api.h"

namespace archiver {

enum class ExtractStage {
  Begin,      // a member is about to be written
  InProcess,  // its data has been written
  End,        // the command has finished, with or without every member
};

struct ExtractProgress {
  ExtractStage stage = ExtractStage::Begin;
  std::string archive;      // as the command line names it
  std::string target;       // the file being written; empty at End
  uint64_t size = 0;        // the member's original size
  uint64_t written = 0;     // bytes of it written so far
};

// Answers true to go on; false stops the command before the next member.
using ExtractObserver = std::function<bool(const ExtractProgress&)>;

// The report as the owner-window message carries it: sizes beyond 32 bits
// are cut to the largest value, names to the field's length.
ExtractingInfo ToExtractingInfo(const ExtractProgress& progress);
int WireStage(ExtractStage stage);
// The report that a message of the protocol carries; an unknown stage reads
// as End.
ExtractProgress FromExtractingInfo(int wireStage, const ExtractingInfo& info);

}  // namespace archiver
