// Every writer of the program puts its bytes into an output sink, so one injected fault (a
// disk that fills after any number of bytes) reaches each: the writer stops with the sink's
// failure, whether it comes at the first byte, in the middle or at the last.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "config/ConfigFile.h"
#include "core/Snapshot.h"
#include "export/ExportTestUtil.h"
#include "export/HtmlExport.h"
#include "export/TextExport.h"
#include "export/XlsExport.h"
#include "listfile/ListFileCommands.h"
#include "match/MatchLog.h"
#include "support/Faults.h"

namespace ordonna {
namespace {

using testing::FailingSink;
using testing::FullEntry;

TEST(Writers, AFaultOfTheSinkEndsEveryWriterAsAFailure) {
  testing::ExportFixture fixture;
  fixture.options = testing::AllColumnsOptions();
  for (int i = 0; i < 300; ++i) fixture.Add(FullEntry("Artist - Title " + std::to_string(i)));
  const EntryList& entries = fixture.list.Working();
  const std::vector<std::string> lines(300, "Artist - Title, 3:45, 128 kbps");

  const std::pair<std::string, std::function<Status(OutputSink&)>> writers[] = {
      {"list file", [&](OutputSink& sink) { return WriteListFile(sink, entries, 0); }},
      {"snapshot", [&](OutputSink& sink) { return WriteSnapshot(sink, entries.Entries()); }},
      {"configuration", [&](OutputSink& sink) { return WriteConfiguration(sink, fixture.options); }},
      {"log",
       [&](OutputSink& sink) {
         return WriteLogFile(sink, "Log at ", {"1.1.2026", "12:00"}, "300:", lines);
       }},
      {"text", [&](OutputSink& sink) { return ExportText(fixture.Job(), sink); }},
      {"plain html", [&](OutputSink& sink) { return ExportPlainHtml(fixture.Job(), sink); }},
      {"html table", [&](OutputSink& sink) { return ExportHtmlTable(fixture.Job(), {}, sink); }},
      {"xls", [&](OutputSink& sink) { return WriteXlsFile(fixture.Job(), sink); }},
  };
  for (const auto& [name, write] : writers) {
    MemorySink whole;
    ASSERT_TRUE(write(whole).ok()) << name;
    const std::size_t size = whole.Bytes.size();
    for (std::size_t limit : {std::size_t{0}, size / 2, size - 1}) {
      FailingSink failing(limit);
      EXPECT_EQ(write(failing).ToString(), "Cannot write file: disk full") << name << " failing after " << limit;
    }
    FailingSink roomy(size);
    EXPECT_TRUE(write(roomy).ok()) << name;
  }
}

}  // namespace
}  // namespace ordonna
