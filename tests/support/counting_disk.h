// A headless file system whose files written in pieces keep only their
// size, for members larger than a test should hold in memory; it counts
// the bytes and notes the largest piece. The files and their temporaries
// come and go as on the headless file system.
#pragma once
#include <algorithm>
#include <memory>

#include "platform/headless/file_system.h"

class CountingDisk : public headless::FileSystem {
 public:
  uint64_t written = 0;
  size_t largestPiece = 0;

  std::unique_ptr<platform::FileWriter> CreateWriter(const Path& path) override {
    return std::make_unique<Writer>(headless::FileSystem::CreateWriter(path), *this);
  }

 private:
  class Writer : public platform::FileWriter {
   public:
    Writer(std::unique_ptr<platform::FileWriter> file, CountingDisk& disk) : file_(std::move(file)), disk_(disk) {}
    void Write(const char*, size_t size) override {
      disk_.written += size;
      disk_.largestPiece = std::max(disk_.largestPiece, size);
    }
    void Commit() override { file_->Commit(); }
    void CommitNew() override { file_->CommitNew(); }

   private:
    std::unique_ptr<platform::FileWriter> file_;
    CountingDisk& disk_;
  };
};
