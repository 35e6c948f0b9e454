#include "platform/stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/errors.h"

namespace orvanta {

void TStream::CopyFrom(TStream& Source, uint64_t Count) {
  uint8_t chunk[65536];
  while (Count > 0) {
    size_t n = static_cast<size_t>(std::min<uint64_t>(Count, sizeof chunk));
    Source.ReadBuffer(chunk, n);
    WriteBuffer(chunk, n);
    Count -= n;
  }
}

namespace {

[[noreturn]] void ThrowShortRead(size_t wanted, uint64_t pos, uint64_t size) {
  throw StreamError("read of " + std::to_string(wanted) + " bytes at offset " +
                    std::to_string(pos) + " runs past the end of the data (" +
                    std::to_string(size) + " bytes)");
}

void CheckedSeek(uint64_t pos, uint64_t size) {
  if (pos > size)
    throw StreamError("seek to offset " + std::to_string(pos) + " outside the data (" +
                      std::to_string(size) + " bytes)");
}

}  // namespace

void TMemoryStream::ReadBuffer(void* Buffer, size_t Count) {
  if (Count > data_.size() - pos_) ThrowShortRead(Count, pos_, data_.size());
  if (Count > 0) std::memcpy(Buffer, data_.data() + pos_, Count);
  pos_ += Count;
}

void TMemoryStream::WriteBuffer(const void* Buffer, size_t Count) {
  if (Count == 0) return;
  auto* bytes = static_cast<const uint8_t*>(Buffer);
  if (pos_ == data_.size()) {
    // Bit fields and small integers arrive a byte or two at a time: appending them one by one
    // beats a general copy.
    if (Count <= 8) {
      for (size_t i = 0; i < Count; ++i) data_.push_back(bytes[i]);
    } else {
      data_.insert(data_.end(), bytes, bytes + Count);
    }
  } else {
    if (pos_ + Count > data_.size()) data_.resize(pos_ + Count);
    std::memcpy(data_.data() + pos_, bytes, Count);
  }
  pos_ += Count;
}

void TMemoryStream::Truncate(size_t Count) {
  if (Count < data_.size()) data_.resize(Count);
  pos_ = std::min(pos_, data_.size());
}

void TMemoryStream::SetPosition(uint64_t Pos) {
  CheckedSeek(Pos, data_.size());
  pos_ = static_cast<size_t>(Pos);
}

void TMemoryViewStream::ReadBuffer(void* Buffer, size_t Count) {
  if (Count > data_.size() - pos_) ThrowShortRead(Count, pos_, data_.size());
  if (Count > 0) std::memcpy(Buffer, data_.data() + pos_, Count);
  pos_ += Count;
}

void TMemoryViewStream::WriteBuffer(const void*, size_t) {
  throw StreamError("write to a read-only memory stream");
}

void TMemoryViewStream::SetPosition(uint64_t Pos) {
  CheckedSeek(Pos, data_.size());
  pos_ = static_cast<size_t>(Pos);
}

TFileStream::TFileStream(const std::string& FileName, Mode OpenMode) : name_(FileName) {
  file_ = std::fopen(FileName.c_str(), OpenMode == Mode::Read ? "rb" : "w+b");
  if (!file_)
    throw FileError("cannot " + std::string(OpenMode == Mode::Read ? "open" : "create") + " \"" +
                    FileName + "\": " + std::strerror(errno));
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

void TFileStream::ReadBuffer(void* Buffer, size_t Count) {
  if (Count == 0) return;
  uint64_t pos = Position();
  if (std::fread(Buffer, 1, Count, file_) != Count) ThrowShortRead(Count, pos, Size());
}

void TFileStream::WriteBuffer(const void* Buffer, size_t Count) {
  if (Count == 0) return;
  if (std::fwrite(Buffer, 1, Count, file_) != Count)
    throw FileError("cannot write \"" + name_ + "\": " + std::strerror(errno));
}

uint64_t TFileStream::Position() const { return static_cast<uint64_t>(std::ftell(file_)); }

void TFileStream::SetPosition(uint64_t Pos) {
  CheckedSeek(Pos, Size());
  std::fseek(file_, static_cast<long>(Pos), SEEK_SET);
}

uint64_t TFileStream::Size() const {
  long pos = std::ftell(file_);
  std::fseek(file_, 0, SEEK_END);
  long size = std::ftell(file_);
  std::fseek(file_, pos, SEEK_SET);
  return static_cast<uint64_t>(size);
}

void TFileStream::Close() {
  if (!file_) return;
  bool failed = std::fflush(file_) != 0;
  failed = std::fclose(file_) != 0 || failed;
  file_ = nullptr;
  if (failed) throw FileError("cannot write \"" + name_ + "\": " + std::strerror(errno));
}

std::vector<uint8_t> ReadWholeFile(const std::string& FileName) {
  TFileStream file(FileName, TFileStream::Mode::Read);
  std::vector<uint8_t> data(static_cast<size_t>(file.Size()));
  file.ReadBuffer(data.data(), data.size());
  return data;
}

void WriteWholeFile(const std::string& FileName, std::span<const uint8_t> Data) {
  TFileStream file(FileName, TFileStream::Mode::Create);
  file.WriteBuffer(Data.data(), Data.size());
  file.Close();
}

}  // namespace orvanta
