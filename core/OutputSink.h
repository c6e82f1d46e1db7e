// Where a writer puts its bytes: a file (platform/ makes those, with the rules for what may be
// replaced) or memory in tests. Every writer takes one, so a fault injected here reaches each.
#pragma once

#include <string>
#include <string_view>

#include "core/Status.h"

namespace ordonna {

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // The first failure is kept and returned again by every later call.
  [[nodiscard]] virtual Status Write(std::string_view bytes) = 0;
};

inline Status WriteBytes(OutputSink& sink, const void* data, std::size_t size) {
  return sink.Write(std::string_view(static_cast<const char*>(data), size));
}

class MemorySink final : public OutputSink {
 public:
  [[nodiscard]] Status Write(std::string_view bytes) override {
    Bytes += bytes;
    return Status::Ok();
  }

  std::string Bytes;
};

}  // namespace ordonna
