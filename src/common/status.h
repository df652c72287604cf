#pragma once

#include <memory>
#include <string>
#include <utility>

// The result of an engine call that can fail on bad input: OK, or an error with a message
// for the user. An OK status holds no allocation, so returning one is as cheap as a pointer.
// Messages are code page 1251 text like every engine text, unless the function that returns
// the status says otherwise.

namespace gryvel {

class [[nodiscard]] TStatus {
 public:
  TStatus() = default;
  TStatus(const TStatus& other)
      : message_(other.message_ ? std::make_unique<std::string>(*other.message_) : nullptr),
        system_error_(other.system_error_) {}
  TStatus& operator=(const TStatus& other) {
    if (this != &other) *this = TStatus(other);
    return *this;
  }
  TStatus(TStatus&&) noexcept = default;
  TStatus& operator=(TStatus&&) noexcept = default;

  // Success.
  static TStatus Ok() { return TStatus(); }

  // Failure with `message`; the status is not OK even when the message is empty.
  static TStatus Error(std::string message) {
    TStatus status;
    status.message_ = std::make_unique<std::string>(std::move(message));
    return status;
  }

  // Failure of a system call with errno `error`, which the user interface may put in its own
  // words.
  static TStatus SystemError(std::string message, int error) {
    TStatus status = Error(std::move(message));
    status.system_error_ = error;
    return status;
  }

  // True for success.
  bool ok() const { return message_ == nullptr; }

  // The error message; empty for success.
  const std::string& message() const {
    static const std::string kEmpty;
    return message_ ? *message_ : kEmpty;
  }

  // The errno of a SystemError; 0 otherwise.
  int system_error() const { return system_error_; }

 private:
  std::unique_ptr<std::string> message_;  // null when OK
  int system_error_ = 0;
};

}  // namespace gryvel
