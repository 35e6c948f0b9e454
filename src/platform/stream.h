#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace orvanta {

// A seekable byte stream. Reads never go past the end: a short read raises StreamError.
class TStream {
 public:
  virtual ~TStream() = default;

  // Reads exactly Count bytes or throws StreamError.
  virtual void ReadBuffer(void* Buffer, size_t Count) = 0;
  virtual void WriteBuffer(const void* Buffer, size_t Count) = 0;
  virtual uint64_t Position() const = 0;
  virtual void SetPosition(uint64_t Pos) = 0;
  virtual uint64_t Size() const = 0;

  // The stream as a growable memory stream, when it is one (lets writers frame data in place).
  virtual class TMemoryStream* AsMemoryStream() { return nullptr; }
  // The unread bytes, when the stream keeps them in memory, so a consumer can work on them in
  // place and then move the position past what it used; empty for other streams.
  virtual std::span<const uint8_t> PeekRemaining() const { return {}; }

  uint64_t Remaining() const {
    uint64_t pos = Position(), size = Size();
    return pos < size ? size - pos : 0;
  }
  // Copies Count bytes from Source's current position to this stream's position.
  void CopyFrom(TStream& Source, uint64_t Count);
};

// A growable in-memory stream.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> Data) : data_(std::move(Data)) {}
  TMemoryStream(const uint8_t* Data, size_t Count) : data_(Data, Data + Count) {}

  void ReadBuffer(void* Buffer, size_t Count) override;
  void WriteBuffer(const void* Buffer, size_t Count) override;
  uint64_t Position() const override { return pos_; }
  void SetPosition(uint64_t Pos) override;
  uint64_t Size() const override { return data_.size(); }

  TMemoryStream* AsMemoryStream() override { return this; }
  std::span<const uint8_t> PeekRemaining() const override {
    return std::span<const uint8_t>(data_).subspan(pos_);
  }

  void Clear() {
    data_.clear();
    pos_ = 0;
  }
  void Reserve(size_t Count) { data_.reserve(Count); }
  // Drops everything past Count bytes.
  void Truncate(size_t Count);
  uint8_t* MutableData() { return data_.data(); }
  const std::vector<uint8_t>& Bytes() const { return data_; }
  std::vector<uint8_t> TakeBytes() {
    pos_ = 0;
    return std::move(data_);
  }
  std::span<const uint8_t> View() const { return data_; }

 private:
  std::vector<uint8_t> data_;
  size_t pos_ = 0;
};

// A read-only stream over bytes owned by someone else; the bytes must outlive the stream.
class TMemoryViewStream : public TStream {
 public:
  explicit TMemoryViewStream(std::span<const uint8_t> Data) : data_(Data) {}

  void ReadBuffer(void* Buffer, size_t Count) override;
  void WriteBuffer(const void* Buffer, size_t Count) override;
  uint64_t Position() const override { return pos_; }
  void SetPosition(uint64_t Pos) override;
  uint64_t Size() const override { return data_.size(); }
  std::span<const uint8_t> PeekRemaining() const override { return data_.subspan(pos_); }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
};

// A file on disk, opened for reading or created for writing.
class TFileStream : public TStream {
 public:
  enum class Mode { Read, Create };
  TFileStream(const std::string& FileName, Mode OpenMode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  void ReadBuffer(void* Buffer, size_t Count) override;
  void WriteBuffer(const void* Buffer, size_t Count) override;
  uint64_t Position() const override;
  void SetPosition(uint64_t Pos) override;
  uint64_t Size() const override;
  // Flushes and closes; raises FileError when the data could not be written.
  void Close();

 private:
  std::string name_;
  std::FILE* file_ = nullptr;
};

// Whole-file helpers for callers that do not need streaming.
std::vector<uint8_t> ReadWholeFile(const std::string& FileName);
void WriteWholeFile(const std::string& FileName, std::span<const uint8_t> Data);

}  // namespace orvanta
