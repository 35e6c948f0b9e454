#pragma once

#include <string>

#include "platform/errors.h"

namespace orvanta {

// A request the API cannot take: malformed JSON, a wrong type, an unknown name.
class RequestError : public FormatError {
 public:
  using FormatError::FormatError;
};

// The document is held by another operation (a rebuild); the user sees the message as it is.
class BusyError : public Error {
 public:
  BusyError() : Error("Please waiting ...") {}
};

// A change made against a document that has moved on since the caller read it.
class StaleRevisionError : public Error {
 public:
  using Error::Error;
};

// An operation the document refuses with a message the user reads ("Max 10 webpages!").
class RefusedError : public Error {
 public:
  using Error::Error;
};

// A path that leaves the folder it must stay in.
class OutsideRootError : public Error {
 public:
  using Error::Error;
};

}  // namespace orvanta
