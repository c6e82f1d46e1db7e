// The foreign text-list reader: the documented lines, every message and status text of both
// callers, long lines in text and unix mode, chat-server lines, bounded numbers and a binary file.
#include "import/ForeignList.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/ScriptedCaller.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::ScriptedCaller;
using testing::TempDir;
using testing::WriteFileBytes;

ListEntry Parse(std::string_view line, bool mirc = false) {
  ForeignTextOptions options;
  options.MircLines = mirc;
  ListEntry entry{};
  EXPECT_TRUE(ParseForeignLine(line, options, entry)) << line;
  return entry;
}

TEST(ForeignList, DocumentedLines) {
  ListEntry e = Parse("Artist - Song.mp3 3:45 128kbps 4.5MB 44.1kHz Joint Stereo");
  EXPECT_EQ(e.FileName.View(), "Artist - Song");
  EXPECT_EQ(e.StereoMode, 1);
  EXPECT_EQ(e.BitrateCode, 9);
  EXPECT_EQ(+e.SizeKB, 4608);
  EXPECT_EQ(e.FrequencyCode, 0);
  EXPECT_EQ(+e.Frames, 8613) << "225 s / 0.0261224489795918";

  e = Parse("01 Intro: 2:10");
  EXPECT_EQ(e.FileName.View(), "01 Intro");
  EXPECT_EQ(+e.Frames, 4977) << "130 s";
  EXPECT_EQ(e.FrequencyCode, 255);

  e = Parse("Seven77");
  EXPECT_EQ(e.FileName.View(), "Seven77");
  EXPECT_EQ(std::tuple(+e.Frames, +e.SizeKB, +e.BitrateCode, +e.StereoMode, +e.FrequencyCode, +e.FileDate),
            std::tuple(-1, -1, 255, 4, 255, 0));
  EXPECT_TRUE(e.Folder.Empty());

  EXPECT_EQ(Parse("Song name.mp3 vbr 192 kbps").BitrateCode, 16) << "vbr wins over a later kbps number";
  EXPECT_EQ(Parse("Song name.mp3 var kbps 3:00").BitrateCode, 16) << "var kbps reads as one word";
  EXPECT_EQ(+Parse("Song name.mp3 1.5 GB").SizeKB, 1572864);
  EXPECT_EQ(+Parse("Song name.mp3 3000 GB").SizeKB, -1);
  EXPECT_EQ(+Parse("Song name.mp3 45 sec").Frames, 1723) << "45 s with 0 minutes";
  EXPECT_EQ(+Parse("Song name.mp3 320kbps 48kHz 3:00").Frames, 7500) << "180 s at 48 kHz";
  EXPECT_EQ(Parse("Song name.mp3 320kbps 48kHz").BitrateCode, 14);
  e = Parse("Song name.mp3 32kHz mono");
  EXPECT_EQ(std::tuple(+e.FrequencyCode, +e.StereoMode), std::tuple(2, 3));
  EXPECT_EQ(Parse("Song name.mp3 22kHz").FrequencyCode, 255);
  EXPECT_EQ(Parse("Song name.mp3 dual channel").StereoMode, 2);
  EXPECT_EQ(Parse("Song name.mp3 stereo").StereoMode, 0);
  EXPECT_EQ(Parse("Song name.mp3 130kbps").BitrateCode, 255);
  EXPECT_EQ(+Parse("Song name.mp3 4000 KB 5000 KB").SizeKB, 5000) << "later tokens overwrite";
  EXPECT_EQ(Parse("Song name.MP3 4000 KB").FileName.View(), "Song name") << "the extension in any case";
  EXPECT_EQ(Parse("Song without attributes").FileName.View(), "Song without attributes");
}

TEST(ForeignList, NumbersThatDoNotFitAreIgnored) {
  EXPECT_EQ(+Parse("Song name.mp3 99999999999 KB").SizeKB, -1);
  EXPECT_EQ(+Parse("Song name.mp3 2097151.9999 MB").SizeKB, -1) << "rounds to 2^31";
  EXPECT_EQ(+Parse("Song name.mp3 2047.9 GB").SizeKB, 2147378790);
  EXPECT_EQ(+Parse("Song name.mp3 99999999:00").Frames, -1) << "too long for a frame count";
  EXPECT_EQ(+Parse("Song name.mp3 1.2.3 MB").SizeKB, -1) << "not a decimal value";
  EXPECT_EQ(+Parse("Song name.mp3 12345678901234567890123456789012 MB").SizeKB, -1) << "32 digits end the line";
  EXPECT_EQ(Parse("Song name.mp3 64").BitrateCode, 255) << "a number without a unit ends the line";
}

TEST(ForeignList, NameCutReadsNothingPastTheLine) {
  // ".mp" at the very end must not be taken for ".mp3" by reading beyond it.
  std::string line = "Long name.mp";
  ListEntry e = Parse(std::string_view(line.data(), line.size()));
  EXPECT_EQ(e.FileName.View(), "Long name.mp");
  // A ":" at the first position gives an empty name.
  EXPECT_EQ(Parse(":12345678").FileName.View(), "");
}

TEST(ForeignList, ChatServerLines) {
  ForeignTextOptions options;
  options.MircLines = true;
  ListEntry entry{};
  EXPECT_FALSE(ParseForeignLine("Artist - Song.mp3", options, entry));
  EXPECT_EQ(Parse("!nick Artist - Song.mp3 4.5MB", true).FileName.View(), "Artist - Song");
  EXPECT_EQ(+Parse("!nick Artist - Song.mp3 4.5MB", true).SizeKB, 4608);
  EXPECT_EQ(Parse("!ab", true).FileName.View(), "!ab") << "3 characters keep their trigger";
  EXPECT_EQ(Parse("!nickname ", true).FileName.View(), "!nickname ") << "no space before the last character";
  options.KeepSourceLine = true;
  options.MircLines = false;
  ASSERT_TRUE(ParseForeignLine("Artist - Song.mp3 4.5MB", options, entry));
  EXPECT_EQ(entry.Folder.View(), "Artist - Song.mp3 4.5MB");
}

struct FileRun {
  ForeignTextResult Result;
  EntryList Entries;
};

FileRun Read(const std::string& bytes, ScriptedCaller& caller, ForeignTextOptions options = {}) {
  TempDir dir;
  WriteFileBytes(dir.File("list.txt"), bytes);
  FileRun run;
  run.Result = ImportForeignText(dir.File("list.txt"), options, run.Entries, caller);
  return run;
}

TEST(ForeignList, FileReadingAndStatusTexts) {
  ScriptedCaller caller;
  FileRun run = Read("Artist - One.mp3 3:00\r\n\r\nArtist - Two.mp3 4:00\nshort\n", caller);
  ASSERT_TRUE(run.Result.Ok);
  EXPECT_EQ(run.Result.Lines, 4u);
  ASSERT_EQ(run.Entries.ItemCount(), 3u);
  EXPECT_EQ(run.Entries.Entry(1).FileName.View(), "Artist - Two");
  EXPECT_EQ(run.Entries.Entry(2).FileName.View(), "short");
  EXPECT_EQ(caller.statuses.front(), "Importing unknown type text list...");
  EXPECT_EQ(caller.statuses.back(), "Read 4 lines. Imported 3 items.");

  ScriptedCaller merging;
  ForeignTextOptions options;
  options.TotalBase = 10;
  run = Read("a\nb\n", merging, options);
  EXPECT_EQ(merging.statuses.back(), "Read 2, imported 2, total 12 items.");

  ScriptedCaller missing;
  EntryList entries;
  EXPECT_FALSE(ImportForeignText("/nonexistent/list.txt", {}, entries, missing).Ok);
  ASSERT_EQ(missing.messages.size(), 1u);
  EXPECT_EQ(missing.messages[0].Text, "Unable to open the external text file.");
  ScriptedCaller comparing;
  ForeignTextOptions compare;
  compare.Messages = kCompareForeignMessages;
  EXPECT_FALSE(ImportForeignText("/nonexistent/list.txt", compare, entries, comparing).Ok);
  ASSERT_EQ(comparing.messages.size(), 1u);
  EXPECT_EQ(comparing.messages[0].Text, "Not able to open the external text file.");

  ScriptedCaller folder;
  TempDir dir;
  EXPECT_FALSE(ImportForeignText(dir.Path(), {}, entries, folder).Ok) << "a folder cannot be read";
  ASSERT_EQ(folder.messages.size(), 1u);
  EXPECT_EQ(folder.messages[0].Text, "Can't read external text file.");
}

TEST(ForeignList, LongLinesAskAboutUnixText) {
  const std::string longLine(2048, 'x');
  ScriptedCaller declines;
  declines.Expect("Too large string. Could be binary file or unix text file.\r\nTry to process as unix text?",
                  Answer::No);
  FileRun run = Read("first\n" + longLine + "\nlast\n", declines);
  EXPECT_FALSE(run.Result.Ok);
  EXPECT_TRUE(declines.AllAnswered());

  // Yes reads again from the start in unix mode, where the long line is skipped and a CR
  // stays part of its line.
  ScriptedCaller accepts;
  accepts.Expect("", Answer::Yes);
  run = Read("first\r\n" + longLine + "\nlast\n", accepts);
  ASSERT_TRUE(run.Result.Ok);
  ASSERT_EQ(run.Entries.ItemCount(), 2u);
  EXPECT_EQ(run.Entries.Entry(0).FileName.View(), "first\r");
  EXPECT_EQ(run.Entries.Entry(1).FileName.View(), "last");

  // 2,047 characters and a CR LF end are no long line.
  ScriptedCaller quiet;
  run = Read(std::string(2047, 'y') + "\r\n", quiet);
  ASSERT_TRUE(run.Result.Ok);
  EXPECT_EQ(run.Entries.ItemCount(), 1u);

  ScriptedCaller comparing;
  comparing.Expect("Too large string. Could be a binary file or unix text file.\r\nTry to process as unix text?",
                   Answer::No);
  ForeignTextOptions compare;
  compare.Messages = kCompareForeignMessages;
  EXPECT_FALSE(Read(longLine, comparing, compare).Result.Ok);
}

TEST(ForeignList, BinaryFileAndCancel) {
  std::string binary;
  for (int i = 0; i < 70000; ++i) binary.push_back(static_cast<char>((i * 7919) % 256 == 10 ? 0 : (i * 7919) % 256));
  ScriptedCaller caller;
  caller.Expect("", Answer::Yes);
  FileRun run = Read(binary, caller);
  EXPECT_TRUE(run.Result.Ok) << "read in unix mode, long lines skipped";

  std::string many;
  for (int i = 0; i < 1000; ++i) many += "Song " + std::to_string(i) + ".mp3 3:00\n";
  ScriptedCaller cancelling;
  cancelling.CancelAfter(1);
  run = Read(many, cancelling);
  EXPECT_FALSE(run.Result.Ok);
  EXPECT_EQ(run.Entries.ItemCount(), 0u);
}

}  // namespace
}  // namespace ordonna
