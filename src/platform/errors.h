#pragma once

#include <stdexcept>
#include <string>

namespace orvanta {

// Every failure the program reports carries a message a user can read.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Reading or writing a byte stream failed (short read, seek outside the data, I/O error).
class StreamError : public Error {
 public:
  using Error::Error;
};

// A file could not be opened, created or written.
class FileError : public Error {
 public:
  using Error::Error;
};

// Input data is not what its format promises.
class FormatError : public Error {
 public:
  using Error::Error;
};

}  // namespace orvanta
