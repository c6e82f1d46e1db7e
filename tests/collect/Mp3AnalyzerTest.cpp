// Analysing files on disk: the status text (the path without its last four characters), I/O
// errors, the buffer kept between files and files of 2 GiB and more.
#include "collect/Mp3Analyzer.h"

#include <filesystem>
#include <fstream>
#include <tuple>

#include "AnalysisTestUtil.h"
#include "support/Mp3Builder.h"
#include "support/ScriptedCaller.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

TEST(Mp3Analyzer, StatusTextAndUnreadableFiles) {
  EXPECT_EQ(StatusTextOf("/m/a.\xC3\xA9\xC3\xA9\xC3\xA9"), "/m/a");
  EXPECT_EQ(StatusTextOf("ab"), "");

  TempDir dir;
  Mp3Analyzer analyzer;
  ScriptedCaller caller;
  for (const std::string& path : {dir.File("missing.mp3"), dir.Path()}) {
    AnalysisResult r = analyzer.AnalyzeFile(path, ProcessingMode::Slow, caller);
    EXPECT_EQ(r.ErrorText(), "I/O error reading the file") << path;
    EXPECT_EQ(r.FileSizeBytes, -1);
  }
  // A file that shrinks while it is read reads short: an I/O error, not zeros in its place.
  WriteFileBytes(dir.File("a.mp3"), Frames(300, FrameSpec{}));
  std::vector<std::uint8_t> buffer(ByteSource::kMaxFetch + FileSource::kReadSlack);
  FileSource shrinking(buffer, 16384);
  ASSERT_TRUE(shrinking.Open(dir.File("a.mp3")));
  std::filesystem::resize_file(dir.File("a.mp3"), 1000);
  EXPECT_EQ(AnalyzeSource(shrinking, ProcessingMode::Fast).ErrorText(), "I/O error reading the file");
}

TEST(Mp3Analyzer, FilesGiveTheSameResultsAsMemoryWhateverCameBefore) {
  TempDir dir;
  Mp3Analyzer analyzer;
  ScriptedCaller caller;
  FrameSpec shape;
  // The fast decision leaves the tail in the buffer: the walk goes on from fresh reads, not from it.
  std::string lyricsAmongFirstFrames = Id3v2Tag(33) + Frames(250, shape, true);
  lyricsAmongFirstFrames.replace(43 + 10 * 417 + 20, 11, "LYRICSBEGIN");
  lyricsAmongFirstFrames += "LYRICS200";
  const std::string files[] = {
      // A previous file full of 0xFF bytes must not show through behind a short file.
      std::string(3 << 20, '\xFF'),
      "\xFF\xFB",
      Id3v2Tag(300) + Frames(5000, shape, true) + Id3v1Tag(),
      RiffWave(Frames(3000, shape)) + Lyrics3v2("la la") + Id3v1Tag(),
      lyricsAmongFirstFrames,
  };
  for (const std::string& file : files) {
    WriteFileBytes(dir.File("a.mp3"), file);
    for (ProcessingMode mode : {ProcessingMode::Fast, ProcessingMode::Slow}) {
      EXPECT_EQ(analyzer.AnalyzeFile(dir.File("a.mp3"), mode, caller), AnalyzeMemory(AsBytes(file), mode))
          << "file of " << file.size() << " bytes";
    }
  }
  // The two-byte file: zeros behind it make a free-format header.
  AnalysisResult shortFile = AnalyzeMemory(AsBytes(files[1]), ProcessingMode::Slow);
  EXPECT_TRUE(shortFile.Ok() && shortFile.Frames == 1 && shortFile.BitrateCode == 16) << shortFile.ErrorText();
}

TEST(Mp3Analyzer, FilesOf2GiBAndMoreUse64BitPositions) {
  // 6,000,000 frames of 417 bytes, zeros in the middle (a sparse file): 2,502,000,000 bytes.
  TempDir dir;
  const std::string path = dir.File("big.mp3");
  const std::int64_t size = 417LL * 6000000;
  FrameSpec shape;
  {
    std::ofstream out(path, std::ios::binary);
    const std::string head = Frames(300, shape);
    out.write(head.data(), static_cast<std::streamsize>(head.size()));
    const std::string tail = Frames(10, shape);
    out.seekp(size - static_cast<std::int64_t>(tail.size()));
    out.write(tail.data(), static_cast<std::streamsize>(tail.size()));
    ASSERT_TRUE(out.good()) << "cannot write a sparse file here";
  }
  Mp3Analyzer analyzer;
  ScriptedCaller caller;
  AnalysisResult r = analyzer.AnalyzeFile(path, ProcessingMode::Fast, caller);
  EXPECT_TRUE(r.Ok()) << r.ErrorText();
  EXPECT_EQ(std::tuple(r.FileSizeBytes, r.SizeKB, r.Frames, +r.BitrateCode),
            std::tuple(2502000000, 2443359, 5999999, 9));
}

}  // namespace
}  // namespace ordonna
