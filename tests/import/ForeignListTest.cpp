// The foreign text-list reader: the documented lines, its failures, long lines in text and unix
// mode, chat-server lines, bounded numbers and a cancel.
#include "import/ForeignList.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "export/ExportTestUtil.h"
#include "support/Faults.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::Describe;
using testing::ScriptedCaller;
using testing::TempDir;

// The entry read from one line, as Describe writes it ("" when the line is refused).
std::string Parse(std::string_view line, bool mirc = false, bool keepLine = false) {
  ForeignTextOptions options;
  options.MircLines = mirc;
  options.KeepSourceLine = keepLine;
  ListEntry entry{};
  return ParseForeignLine(line, options, entry) ? Describe(entry) : "";
}

// Fields after the name: folder|label|bitrate size frames stereo frequency date added.
TEST(ForeignList, DocumentedLinesAndBoundedNumbers) {
  const std::pair<std::string_view, std::string> cases[] = {
      // 225 s / 0.0261224489795918 frames
      {"Artist - Song.mp3 3:45 128kbps 4.5MB 44.1kHz Joint Stereo", "Artist - Song|||9 4608 8613 1 0 0 0"},
      {"01 Intro: 2:10", "01 Intro|||255 -1 4977 4 255 0 0"},
      {"Sev:n77", "Sev:n77|||255 -1 -1 4 255 0 0"},  // seven characters are a name as they are
      {"Eig:t 88", "Eig|||255 -1 -1 4 255 0 0"},
      {"Song name.mp3 vbr 192 kbps", "Song name|||16 -1 -1 4 255 0 0"},        // vbr wins over a later number
      {"Song name.mp3 320kbps 48kHz 3:00", "Song name|||14 -1 7500 4 1 0 0"},  // 180 s at 48 kHz
      {"Song name.mp3 2097151.9999 MB", "Song name|||255 -1 -1 4 255 0 0"},    // rounds to 2^31
      {"Song name.mp3 2047.9 GB", "Song name|||255 2147378790 -1 4 255 0 0"},
      {"Long name.mp", "Long name.mp|||255 -1 -1 4 255 0 0"},  // nothing read past the end for ".mp3"
  };
  for (const auto& [line, fields] : cases) EXPECT_EQ(Parse(line), fields) << line;

  // chat-server lines and the kept source line
  EXPECT_EQ(Parse("Artist - Song.mp3", true), "") << "no trigger";
  EXPECT_EQ(Parse("!nick Artist - Song.mp3 4.5MB", true), "Artist - Song|||255 4608 -1 4 255 0 0");
  EXPECT_EQ(Parse("!ab", true).substr(0, 4), "!ab|") << "3 characters keep their trigger";
  EXPECT_EQ(Parse("Artist - Song.mp3 4.5MB", false, true).substr(0, 38), "Artist - Song|Artist - Song.mp3 4.5MB|");
}

// The names read from `bytes`, each followed by "|", or "failed".
std::string Names(const std::string& bytes, ScriptedCaller& caller) {
  MemoryInput input(bytes);
  EntryList entries;
  if (!ImportForeignText(input, {}, entries, caller).Ok) return "failed" + std::to_string(entries.ItemCount());
  std::string names;
  for (const ListEntry& e : entries.Entries()) names += std::string(e.FileName.View()) + "|";
  return names;
}

TEST(ForeignList, FileReadingAndFailures) {
  // A byte-order mark and NUL bytes before the first line are no part of its name.
  ScriptedCaller caller;
  const std::string lead("\0\0\xEF\xBB\xBF\0", 6);
  EXPECT_EQ(Names(lead + "Artist - One.mp3 3:00\r\n\r\nArtist - Two.mp3 4:00\nshort\n", caller),
            "Artist - One|Artist - Two|short|");

  // Only a regular file opens; a FIFO fails at once instead of waiting for a writer.
  TempDir dir;
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  ScriptedCaller failing;
  ForeignTextOptions comparing;
  comparing.Messages = kCompareForeignMessages;
  EntryList entries;
  EXPECT_FALSE(ImportForeignText(dir.File("pipe"), comparing, entries, failing).Ok);
  EXPECT_EQ(testing::MessageTexts(failing), std::vector<std::string>{"Not able to open the external text file."});
  ScriptedCaller unreadable;
  std::string lines;
  for (int i = 0; i < 50000; ++i) lines += "a\n";
  testing::FailingInput damaged(lines, 70000);
  EXPECT_FALSE(ImportForeignText(damaged, {}, entries, unreadable).Ok);
  EXPECT_EQ(testing::MessageTexts(unreadable), std::vector<std::string>{"Can't read external text file."});

  ScriptedCaller cancelling;
  cancelling.CancelAfter(1);
  EXPECT_EQ(Names(lines, cancelling), "failed0") << "a cancel keeps nothing";
}

TEST(ForeignList, LongLinesAskAboutUnixText) {
  const std::string longLine(2048, 'x');
  ScriptedCaller caller;
  caller.Expect("Too large string. Could be binary file or unix text file.\r\nTry to process as unix text?",
                Answer::No);
  EXPECT_EQ(Names("first\n" + longLine + "\nlast\n", caller), "failed0");
  // Yes reads again from the start in unix mode, where the long line is skipped and a CR
  // stays part of its line.
  caller.Expect("", Answer::Yes);
  EXPECT_EQ(Names("first\r\n" + longLine + "\nlast\n", caller), "first\r|last|");
  EXPECT_TRUE(caller.AllAnswered());
  EXPECT_EQ(Names(std::string(2047, 'y') + "\r\n", caller).substr(0, 2), "yy")
      << "2,047 characters and a CR LF end are no long line";
}

}  // namespace
}  // namespace ordonna
