#include "exchange/unlha32.h"

#include <cstdio>

#include "archiver/unlha_operations.h"

namespace exchange {

Unlha32::Unlha32(platform::LibraryLoader& libraries, platform::Toolkit& toolkit)
    : toolkit_(toolkit), library_(libraries.Load("UNLHA32.DLL")) {
  if (!library_) return;
  for (size_t i = 0; i < entries_.size(); ++i) entries_[i] = library_->Export(archiver::kUnlhaExports[i]);
}

bool Unlha32::Bound(const std::string& name) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (name == archiver::kUnlhaExports[i]) return entries_[i] != nullptr;
  return false;
}

void Unlha32::Panic(const char* name) {
  toolkit_.MessageBox(nullptr, std::string(name) + ": LHA.DLL not loaded.", "PANIC!!", platform::Icon::Stop,
                      platform::Buttons::Ok);
}

int Unlha32::Unlha(std::uintptr_t owner, const std::string& commandLine) {
  if (!entries_[0]) {
    Panic(archiver::kUnlhaExports[0]);
    return 0;
  }
  const auto unlha = reinterpret_cast<archiver::UnlhaFunction>(entries_[0]);
  return unlha(reinterpret_cast<void*>(owner), commandLine.c_str(), nullptr, 0);
}

std::string Unlha32::UnpackCommand(const std::string& archive, const std::string& folder) {
  return "e -y \"" + archive + "\" \"" + folder + "\\\" *.* ";
}

std::string Unlha32::PackCommand(const std::string& archive, const std::string& folder) {
  return "a -x1 -r1 \"" + archive + "\" \"" + folder + "\\\" *.* ";
}

std::string Unlha32::ErrorText(int code) {
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
