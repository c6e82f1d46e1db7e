// The file an export writes: a temporary file beside the chosen name that replaces it only
// when the export is complete, so a failed or cancelled export leaves an earlier file as it was.
#pragma once

#include <string>
#include <string_view>

#include "core/Status.h"
#include "export/ExportJob.h"
#include "platform/AtomicFile.h"

namespace ordonna {

class ExportFile final : public ExportSink {
 public:
  // Creates the temporary file beside `target`.
  [[nodiscard]] Status Open(const std::string& target) { return file_.Open(target); }
  [[nodiscard]] Status Write(std::string_view bytes) override { return file_.Write(bytes.data(), bytes.size()); }
  // Puts the complete file in place of the target; any failure leaves the target untouched.
  [[nodiscard]] Status Commit() { return file_.Commit(); }
  // Drops the temporary file (also done on destruction when not committed).
  void Discard() { file_.Discard(); }

 private:
  AtomicFile file_;
};

}  // namespace ordonna
