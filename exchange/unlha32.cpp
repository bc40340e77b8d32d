#include "exchange/unlha32.h"

#include <cstdio>
#include <cstring>

#include "archiver/unlha_operations.h"
#include "platform/cp932.h"
#include "platform/utf8.h"

namespace exchange {

Unlha32::Unlha32(platform::LibraryLoader& libraries, platform::Toolkit& toolkit)
    : toolkit_(toolkit), library_(libraries.Load("UNLHA32.DLL")) {
  if (!library_) return;
  for (size_t i = 0; i < entries_.size(); ++i) entries_[i] = library_->Export(archiver::kUnlhaExports[i]);
}

template <class F>
F Unlha32::Entry(const char* name) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (std::strcmp(name, archiver::kUnlhaExports[i]) == 0) return reinterpret_cast<F>(entries_[i]);
  return nullptr;
}

bool Unlha32::Bound(const Text& name) const { return Entry<void*>(name.c_str()) != nullptr; }

void Unlha32::Panic(const char* name) {
  toolkit_.MessageBox(nullptr, std::string(name) + ": LHA.DLL not loaded.", "PANIC!!", platform::Icon::Stop,
                      platform::Buttons::Ok);
}

int Unlha32::Unlha(std::uintptr_t owner, const Text& commandLine) {
  // The wide entry carries every name; a library without it gets the
  // command in Shift-JIS, where a name it cannot hold fails as not found.
  if (const auto wide = Entry<archiver::UnlhaWFunction>("UnlhaW")) {
    return wide(reinterpret_cast<void*>(owner), utf8::ToUtf16(commandLine).c_str(), nullptr, 0);
  }
  if (!entries_[0]) {
    Panic(archiver::kUnlhaExports[0]);
    return 0;
  }
  const auto unlha = reinterpret_cast<archiver::UnlhaFunction>(entries_[0]);
  const Bytes line = cp932::Encode(cp932::Fitting(commandLine)).value_or("");
  return unlha(reinterpret_cast<void*>(owner), line.c_str(), nullptr, 0);
}

namespace {

// The window hears the library's reports while it is the library's owner.
class OwnerSession {
 public:
  OwnerSession(platform::Window& window, archiver::UnlhaSetOwnerFunction set, archiver::UnlhaClearOwnerFunction clear,
               const archiver::ExtractObserver& onMember)
      : window_(window), clear_(clear) {
    window_.SetMessageHandler(archiver::kExtractMessageName, [&onMember](std::uintptr_t stage, std::intptr_t info) {
      const auto* data = reinterpret_cast<const archiver::ExtractingInfo*>(info);
      if (!data) return std::intptr_t{0};
      return std::intptr_t{onMember(archiver::FromExtractingInfo(static_cast<int>(stage), *data)) ? 0 : 1};
    });
    owning_ = set && clear && set(reinterpret_cast<void*>(window.Id()));
  }
  ~OwnerSession() {
    if (owning_) clear_();
    window_.SetMessageHandler(archiver::kExtractMessageName, nullptr);
  }
  OwnerSession(const OwnerSession&) = delete;
  OwnerSession& operator=(const OwnerSession&) = delete;

 private:
  platform::Window& window_;
  archiver::UnlhaClearOwnerFunction clear_;
  bool owning_ = false;
};

}  // namespace

int Unlha32::Unlha(platform::Window& owner, const Text& commandLine, const archiver::ExtractObserver& onMember) {
  const OwnerSession session(owner, Entry<archiver::UnlhaSetOwnerFunction>("UnlhaSetOwnerWindow"),
                             Entry<archiver::UnlhaClearOwnerFunction>("UnlhaClearOwnerWindow"), onMember);
  return Unlha(owner.Id(), commandLine);
}

Text Unlha32::UnpackCommand(const Path& archive, const Path& folder) {
  return "e -y \"" + archive + "\" \"" + folder + "\\\" *.* ";
}

Text Unlha32::PackCommand(const Path& archive, const Path& folder) {
  return "a -x1 -r1 \"" + archive + "\" \"" + folder + "\\\" *.* ";
}

Text Unlha32::ErrorText(int code) {
  namespace e = archiver::unlha_error;
  switch (code) {
    case e::kArchiveOpen: return "圧縮ファイルを開けません";
    case e::kNotAnArchive: return "LZH 形式の圧縮ファイルではありません";
    case e::kBroken: return "ヘッダが壊れています";
    case e::kMember: return "CRC が合わないか、展開できない形式のファイルがあります";
    case e::kCannotWrite: return "ファイルを書き込めません";
    case e::kSkipped: return "展開しなかったファイルがあります";
  }
  char text[32];
  std::snprintf(text, sizeof text, "エラー 0x%04X", static_cast<unsigned>(code));
  return text;
}

}  // namespace exchange
