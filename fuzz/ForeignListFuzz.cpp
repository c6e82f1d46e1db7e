// Feeds arbitrary bytes to the foreign text-list reader, line by line as the reader cuts
// them and as one whole list; every line must parse without reading past its end.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/Caller.h"
#include "import/ForeignList.h"

namespace {

class FuzzCaller final : public ordonna::Caller {
 public:
  ordonna::Answer AskYesNo(std::string_view, std::string_view, ordonna::Answer) override {
    return ordonna::Answer::Yes;
  }
  ordonna::Answer AskYesNoCancel(std::string_view, std::string_view, ordonna::Answer) override {
    return ordonna::Answer::Yes;
  }
  void ShowMessage(std::string_view, std::string_view, ordonna::MessageKind) override {}
  void SetStatus(std::string_view) override {}
  void ProcessEvents() override {}
  bool Running() const override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (bool mirc : {false, true}) {
    ordonna::ForeignTextOptions options;
    options.MircLines = mirc;
    options.KeepSourceLine = true;
    std::size_t start = 0;
    while (start <= bytes.size()) {
      std::size_t end = bytes.find('\n', start);
      if (end == std::string_view::npos) end = bytes.size();
      // Each line is copied into a buffer of its own size, so a read past it is caught.
      std::string line(bytes.substr(start, end - start));
      ordonna::ListEntry entry{};
      (void)ordonna::ParseForeignLine(line, options, entry);
      start = end + 1;
    }
  }
  ordonna::MemoryInput source(std::span(data, size));
  ordonna::EntryList entries;
  FuzzCaller caller;
  (void)ordonna::ImportForeignText(source, {}, entries, caller);
  return 0;
}
