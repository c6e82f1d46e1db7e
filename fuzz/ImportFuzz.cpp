// Feeds arbitrary bytes to the reader of exported lists (recognition, header and footer
// stripping, conversion, column and date resolution, the lines) with every option that adds
// work turned on; questions are answered from a hash of the input. It must end cleanly, and a
// list it accepts must hold no more entries than it has bytes and no date beyond 2099.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/AppOptions.h"
#include "config/ConfigFile.h"
#include "core/ListEntry.h"
#include "import/ImportList.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Answers from the bits of a number, so that each input takes its own road through the
// questions and the same input always takes the same one.
class HashedAnswers final : public ordonna::Caller {
 public:
  explicit HashedAnswers(std::uint64_t bits) : bits_(bits) {}
  ordonna::Answer AskYesNo(std::string_view, std::string_view, ordonna::Answer) override {
    return Next(2) == 0 ? ordonna::Answer::Yes : ordonna::Answer::No;
  }
  ordonna::Answer AskYesNoCancel(std::string_view, std::string_view, ordonna::Answer) override {
    const std::uint64_t choice = Next(3);
    return choice == 0 ? ordonna::Answer::Yes : choice == 1 ? ordonna::Answer::No : ordonna::Answer::Cancel;
  }
  void ShowMessage(std::string_view, std::string_view, ordonna::MessageKind) override {}
  void SetStatus(std::string_view) override {}
  void ProcessEvents() override {}
  bool Running() const override { return true; }

 private:
  std::uint64_t Next(std::uint64_t choices) {
    bits_ = bits_ * 6364136223846793005ull + 1442695040888963407ull;  // one step of an LCG
    return (bits_ >> 33) % choices;
  }
  std::uint64_t bits_;
};

std::uint64_t Fnv1a(const std::uint8_t* data, std::size_t size) {
  std::uint64_t hash = 1469598103934665603ull;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
  return hash;
}

std::string WriteMessageFile(const char* name, const char* text) {
  const std::string path = "/dev/shm/ordonna-fuzz-import-" + std::to_string(getpid()) + "-" + name;
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fputs(text, file);
    std::fclose(file);
  }
  return path;
}

// Every option that makes the reader do more: header and footer files to strip (the seeds
// were exported with them), missing sizes and times, labels of fixed disks, today's date for
// entries without one, and the question about the date order.
const ordonna::AppOptions& Options() {
  static const ordonna::AppOptions options = [] {
    ordonna::AppOptions o{};
    ordonna::SetFactoryDefaults(o, {});
    o.Main.HeaderFromFile = 1;
    o.Main.FooterFromFile = 1;
    o.Main.TextHeaderFile.Set(WriteMessageFile("head", "My songs\nall of them\n"));
    o.Main.TextFooterFile.Set(WriteMessageFile("foot", "The end\n"));
    o.Dialog.ImportStripHeaderFooter = 1;
    o.Dialog.ImportCmf = 1;
    o.Dialog.ImportClab = 1;
    o.Dialog.ImportDateAddedFallback = 0;
    o.Dialog.ImportDateStyleFallback = 1;
    return o;
  }();
  return options;
}

// A converted date lies within the years the reader accepts (31.12.2099 is day 73,050), and
// so does today's day number that stands in for a missing date added.
void CheckDates(const ordonna::ListEntry& entry) {
  const std::int32_t fileDate = entry.FileDate;
  const std::int32_t dateAdded = entry.DateAdded;
  Require(fileDate <= 73050 && dateAdded <= 73050);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ordonna::ImportEnvironment environment{"/dev/shm", "%d/%m/%Y", 45000, {}};
  environment.FixedVolumes = {{"/", "ROOT", "00000001", 1}, {"/music", "MUSIC", "00000002", 2}};
  HashedAnswers caller(Fnv1a(data, size));
  ordonna::EntryList into;
  ordonna::ParsedList parsed;
  const ordonna::Status status = ordonna::ReadExportedList(bytes, Options(), environment, 0, into, parsed, caller);
  if (!status.ok()) return 0;
  // Every entry comes from a line of its own, which holds at least its delimiters.
  Require(into.ItemCount() <= size);
  for (const ordonna::ListEntry& entry : into.Entries()) CheckDates(entry);
  return 0;
}
