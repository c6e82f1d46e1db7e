// The result of an operation that can fail: OK, or a code with the fixed text to show and
// an optional detail (a file name, the system's reason). Cheap to return and to test.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace ordonna {

class [[nodiscard]] Status {
 public:
  enum class Code { Ok, IoError, Corrupt, Mismatch, Invalid, Cancelled };

  Status() = default;
  static Status Ok() { return {}; }
  static Status IoError(std::string_view message, std::string_view detail = {}) {
    return {Code::IoError, message, detail};
  }
  static Status Corrupt(std::string_view message, std::string_view detail = {}) {
    return {Code::Corrupt, message, detail};
  }
  static Status Mismatch(std::string_view message, std::string_view detail = {}) {
    return {Code::Mismatch, message, detail};
  }
  static Status Invalid(std::string_view message, std::string_view detail = {}) {
    return {Code::Invalid, message, detail};
  }
  static Status Cancelled(std::string_view message = "Cancelled") { return {Code::Cancelled, message, {}}; }

  bool ok() const { return code_ == Code::Ok; }
  Code code() const { return code_; }
  const std::string& message() const { return message_; }
  const std::string& detail() const { return detail_; }
  // "message: detail", or the message alone.
  std::string ToString() const { return detail_.empty() ? message_ : message_ + ": " + detail_; }

 private:
  Status(Code code, std::string_view message, std::string_view detail)
      : code_(code), message_(message), detail_(detail) {}

  Code code_ = Code::Ok;
  std::string message_;
  std::string detail_;
};

}  // namespace ordonna
