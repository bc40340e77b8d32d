// The one failure type: a Shift-JIS message that the general error handling
// shows as it stands.
#pragma once
#include <stdexcept>
#include <string>

#include "platform/text.h"

namespace platform {

class Failure : public std::runtime_error {
 public:
  explicit Failure(const Text& message) : std::runtime_error(message) {}
};

// The Windows error codes the program and its fakes name.
namespace error {
constexpr unsigned long kFileNotFound = 2;
constexpr unsigned long kPathNotFound = 3;
constexpr unsigned long kTooManyOpenFiles = 4;
constexpr unsigned long kAccessDenied = 5;
constexpr unsigned long kNotReady = 21;
constexpr unsigned long kDiskFull = 112;
constexpr unsigned long kInvalidName = 123;
constexpr unsigned long kAlreadyExists = 183;
}  // namespace error

// The clipboard is held by another program.
inline constexpr const char* kClipboardBusy = "クリップボードを開くことができません";

// A failed file-system call: the system error code and its reason in Japanese.
class IoError : public Failure {
 public:
  IoError(unsigned long code, const Text& reason) : Failure(reason), code_(code) {}
  unsigned long Code() const { return code_; }

 private:
  unsigned long code_;
};

// The system's reason for a Windows error code, in Japanese (Shift-JIS).
Text SystemReason(unsigned long code);

}  // namespace platform
