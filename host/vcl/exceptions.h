// Exceptions of the runtime. Every error that reaches the person running a
// report is one of these, carrying the message they see (UTF-8, Portuguese for
// the system's own errors).
#pragma once

#include <stdexcept>
#include <string>

namespace vcl {

// Base of every runtime error; what() is the user-facing message.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A text that does not convert to the number, date or boolean asked for.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A misuse of a dataset (unknown field, bad index, field of the wrong type).
class EDatabaseError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace vcl
