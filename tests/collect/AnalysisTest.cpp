// The analysis of generated MP3 data in both modes: every field and every error text.
// Each file also goes through the small-read source and the reference walk (Analyze).
#include "collect/Analysis.h"

#include <gtest/gtest.h>

#include <string>

#include "AnalysisTestUtil.h"
#include "support/Mp3Builder.h"

namespace ordonna {
namespace {

using testing::Analyze;
using testing::ExactSource;
using testing::Frame;
using testing::Frames;
using testing::FrameSpec;
using testing::Id3v1Tag;
using testing::Id3v2Tag;
using testing::Lyrics3v1;
using testing::Lyrics3v2;
using testing::RiffWave;
using testing::VbrFrame;

using namespace std::string_literals;

constexpr ProcessingMode kFast = ProcessingMode::Fast;
constexpr ProcessingMode kSlow = ProcessingMode::Slow;

void ExpectOk(const AnalysisResult& r, int bitrate, int frames, int stereo, int frequency, const std::string& what) {
  EXPECT_TRUE(r.Ok()) << what << ": " << r.ErrorText();
  EXPECT_EQ(r.BitrateCode, bitrate) << what;
  EXPECT_EQ(r.Frames, frames) << what;
  EXPECT_EQ(r.StereoMode, stereo) << what;
  EXPECT_EQ(r.FrequencyCode, frequency) << what;
}

// Both modes, which differ only in the frame count.
void ExpectOkBothModes(const std::string& file, int bitrate, int fastFrames, int slowFrames, int stereo, int frequency,
                       const std::string& what) {
  ExpectOk(Analyze(file, kFast), bitrate, fastFrames, stereo, frequency, what + " (fast)");
  ExpectOk(Analyze(file, kSlow), bitrate, slowFrames, stereo, frequency, what + " (slow)");
}

void ExpectError(const AnalysisResult& r, std::string_view text, int frames, const std::string& what) {
  EXPECT_EQ(r.ErrorText(), text) << what;
  EXPECT_EQ(r.Frames, frames) << what;
  EXPECT_EQ(r.BitrateCode, 255) << what;
  EXPECT_EQ(r.StereoMode, 4) << what;
  EXPECT_EQ(r.FrequencyCode, 3) << what;
}

void ExpectErrorBothModes(const std::string& file, std::string_view text, const std::string& what) {
  ExpectError(Analyze(file, kFast), text, 0, what + " (fast)");
  ExpectError(Analyze(file, kSlow), text, 0, what + " (slow)");
}

// A Layer I header: fails the file where the walk meets it in the first two frames.
std::string Layer1Header() { return testing::FrameHeader(FrameSpec{.Layer = 3}); }

FrameSpec FrameOf(int bitrate, int sampling = 0, int channels = 1) {
  FrameSpec shape;
  shape.Bitrate = static_cast<std::uint8_t>(bitrate);
  shape.Sampling = static_cast<std::uint8_t>(sampling);
  shape.Channels = static_cast<std::uint8_t>(channels);
  return shape;
}

// Frames of alternating bitrates: a VBR stream.
std::string MixedFrames(int count, int sampling = 0) {
  std::string frames;
  for (int i = 0; i < count; ++i) frames += Frame(FrameOf(i % 3 == 0 ? 11 : 9, sampling));
  return frames;
}

TEST(Analysis, ConstantBitrateFileIsEstimatedInFastModeAndCountedInSlowMode) {
  // 128 kbps at 44.1 kHz with the encoder's padding: 417 or 418 bytes a frame.
  const std::string file = Id3v2Tag(1000) + Frames(3000, FrameOf(9), true) + Id3v1Tag();
  ASSERT_EQ(file.size(), 1010u + 1253877u + 128u);
  AnalysisResult slow = Analyze(file, kSlow);
  ExpectOk(slow, 9, 3000, 1, 0, "slow");
  EXPECT_EQ(slow.FileSizeBytes, 1255015);
  EXPECT_EQ(slow.SizeKB, 1226);
  // The last sync is the start of the last frame: 2,999 frames lie before it.
  ExpectOk(Analyze(file, kFast), 9, 2999, 1, 0, "fast");

  // Fast mode reads the head and the tail only.
  ExactSource source(file);
  ASSERT_TRUE(AnalyzeSource(source, kFast).Ok());
  for (auto [pos, need] : source.requests) {
    bool head = pos + static_cast<std::int64_t>(need) <= 1010 + 201 * 418;
    bool tail = pos >= static_cast<std::int64_t>(file.size()) - 8192 - 137;
    EXPECT_TRUE(head || tail) << "read of " << need << " bytes at " << pos;
  }

  // 48 kHz, 320 kbps: exactly 960 bytes a frame, so the estimate is exact.
  ExpectOkBothModes(Frames(1000, FrameOf(14, 1, 0)), 14, 999, 1000, 0, 1, "48 kHz");
  ExpectOkBothModes(Frames(1000, FrameOf(1, 2, 3)), 1, 999, 1000, 3, 2, "32 kHz");
}

TEST(Analysis, VbrHeaderCountIsUsedInFastModeOnly) {
  for (const char* tag : {"Xing", "Info", "VBRI", "FBRI"}) {
    ExpectOkBothModes(VbrFrame(FrameOf(9), tag, 5000) + MixedFrames(400), 16, 5000, 401, 1, 0, tag);
    // The header frame's own bitrate does not make a constant stream variable.
    ExpectOkBothModes(VbrFrame(FrameOf(5), tag, 300) + Frames(299, FrameOf(10)), 10, 300, 300, 1, 0,
                      std::string(tag) + " constant");
  }
  // Without the count flag a Xing header gives nothing to use: mixed bitrates are counted,
  // a constant bitrate is estimated (the header frame is the first of the average).
  const std::string noCount = VbrFrame(FrameOf(9), "Xing", std::nullopt) + MixedFrames(400);
  ExpectOk(Analyze(noCount, kFast), 16, 401, 1, 0, "Xing without count, mixed");
  ExpectOkBothModes(VbrFrame(FrameOf(11, 1), "Info", std::nullopt, 40) + Frames(500, FrameOf(11, 1)), 11, 500, 501, 1,
                    1, "Info without count, constant");
  // A count of 2^31 or more is no count.
  const std::string huge = VbrFrame(FrameOf(9), "Xing", 0x80000000u) + MixedFrames(300);
  ExpectOk(Analyze(huge, kFast), 16, 301, 1, 0, "count of 2^31");
  const std::string largest = VbrFrame(FrameOf(9), "Xing", 0x7FFFFFFFu) + MixedFrames(300);
  ExpectOk(Analyze(largest, kFast), 16, 2147483647, 1, 0, "count of 2^31 - 1");
  // Mono and CRC move the tag; VBRI's count sits 14 bytes behind the tag.
  FrameSpec mono = FrameOf(9, 0, 3);
  ExpectOk(Analyze(VbrFrame(mono, "Xing", 777) + Frames(300, mono), kFast), 9, 777, 3, 0, "mono");
  const FrameSpec crc{.Crc = true};
  ExpectOk(Analyze(VbrFrame(crc, "Xing", 777) + Frames(300, crc), kFast), 9, 777, 1, 0, "crc");
  // The search covers 40 positions from 33 bytes behind the frame start (35 with CRC).
  ExpectOk(Analyze(VbrFrame(FrameOf(9), "Xing", 777, 72) + MixedFrames(300), kFast), 16, 777, 1, 0, "last position");
  ExpectOk(Analyze(VbrFrame(FrameOf(9), "Xing", 777, 73) + MixedFrames(300), kFast), 16, 301, 1, 0, "one too far");
  ExpectOk(Analyze(VbrFrame(FrameOf(9), "Xing", 777, 32) + MixedFrames(300), kFast), 16, 301, 1, 0, "one too early");
  ExpectOk(Analyze(VbrFrame(crc, "Xing", 777, 74) + Frames(300, crc), kFast), 9, 777, 1, 0, "crc last position");
  // Only the first frame is searched.
  const std::string second = Frame(FrameOf(9)) + VbrFrame(FrameOf(9), "Xing", 777) + MixedFrames(300);
  ExpectOk(Analyze(second, kFast), 16, 302, 1, 0, "header in the second frame");
}

TEST(Analysis, FastModeCountsShortFilesAndMixedBitrates) {
  ExpectOkBothModes(Id3v2Tag(300) + Frames(150, FrameOf(9), true), 9, 150, 150, 1, 0, "150 frames");
  // A header count is not used when the walk ends before 200 frames.
  const std::string xing = VbrFrame(FrameOf(9), "Xing", 999) + MixedFrames(198);
  ExpectOk(Analyze(xing, kFast), 16, 199, 1, 0, "199 frames with Xing");
  const std::string xing200 = VbrFrame(FrameOf(9), "Xing", 999) + MixedFrames(199);
  ExpectOk(Analyze(xing200, kFast), 16, 999, 1, 0, "200 frames with Xing");
  // A header frame alone: one frame of its own bitrate.
  ExpectOk(Analyze(VbrFrame(FrameOf(9), "Xing", 5), kSlow), 9, 1, 1, 0, "header frame only");
  // Mixed bitrates without a header count are counted.
  ExpectOkBothModes(Id3v2Tag(50) + MixedFrames(1000) + Id3v1Tag(), 16, 1000, 1000, 1, 0, "mixed");
  // One frame of another bitrate among 199 decides: mixed.
  const std::string oneOff = Frames(199, FrameOf(9)) + Frame(FrameOf(10)) + Frames(100, FrameOf(9));
  ExpectOk(Analyze(oneOff, kFast), 16, 300, 1, 0, "one other frame");
}

TEST(Analysis, LayerAndVersionEndTheAnalysisOnlyInTheFirstTwoFrames) {
  struct Case {
    int version, layer;
    const char* text;
  };
  const Case cases[] = {
      {3, 0, "Unknown mpeg layer version."},   {3, 2, "Seems like mp2, not mp3 file."},
      {3, 3, "Seems like mp1, not mp3 file."}, {0, 1, "Mpeg version 2.5 not supported"},
      {1, 1, "Unknown mpeg version"},          {2, 1, "Mpeg version 2 not supported"},
      {2, 2, "Seems like mp2, not mp3 file."},  // the layer is checked first
  };
  for (const Case& c : cases) {
    FrameSpec bad = FrameOf(9);
    bad.Version = static_cast<std::uint8_t>(c.version);
    bad.Layer = static_cast<std::uint8_t>(c.layer);
    std::string what = std::to_string(c.version) + "/" + std::to_string(c.layer);
    ExpectErrorBothModes(Frames(300, bad), c.text, what + " at frame 0");
    ExpectErrorBothModes(Frame(FrameOf(9)) + Frames(300, bad), c.text, what + " at frame 1");
    // From frame 2 on it is a false sync, skipped by one byte; its body holds no sync.
    const std::string later = Frames(2, FrameOf(9)) + Frame(bad) + Frames(300, FrameOf(9));
    // Fast: frame 199 lies one frame further than 199 average frames, 302 * 199 / 200 = 300.49.
    ExpectOkBothModes(later, 9, 300, 302, 1, 0, what + " at frame 2");
  }
}

TEST(Analysis, InvalidBitrateAndSamplingRateEndTheAnalysisAtAnyFrame) {
  FrameSpec bitrate15 = FrameOf(15);
  FrameSpec sampling3 = FrameOf(9, 3);
  for (int at : {0, 1, 2, 250}) {
    std::string what = "at frame " + std::to_string(at);
    ExpectError(Analyze(Frames(at, FrameOf(9)) + Frame(bitrate15) + Frames(10, FrameOf(9)), kSlow),
                "Invalid bitrate detected", 0, what);
    ExpectError(Analyze(Frames(at, FrameOf(9)) + Frame(sampling3) + Frames(10, FrameOf(9)), kSlow),
                "Invalid sampling rate", 0, what);
  }
  // Past frame 199 a constant-bitrate file is already estimated in fast mode.
  ExpectOk(Analyze(Frames(250, FrameOf(9)) + Frame(bitrate15) + Frames(10, FrameOf(9)), kFast), 9, 260, 1, 0,
           "after the fast decision");
}

TEST(Analysis, SamplingRateAndStereoModeMayChangeOnlyBehindAHeaderFrame) {
  ExpectErrorBothModes(Frame(FrameOf(9, 0)) + Frames(300, FrameOf(9, 1)), "Can't process variable sampling rate files",
                       "frame 1 without header");
  ExpectErrorBothModes(Frame(FrameOf(9, 0, 1)) + Frames(300, FrameOf(9, 0, 0)),
                       "Can't process variable stereo mode files", "frame 1 without header");
  ExpectErrorBothModes(Frames(5, FrameOf(9, 0)) + Frames(300, FrameOf(9, 2)),
                       "Can't process variable sampling rate files", "frame 5");
  // Sampling rate is checked before the stereo mode.
  ExpectErrorBothModes(Frame(FrameOf(9, 0, 1)) + Frames(300, FrameOf(9, 1, 0)),
                       "Can't process variable sampling rate files", "both change");
  // Behind a header frame, frame 1 sets the file's rate and mode; the frame length follows
  // the new rate (384 bytes at 48 kHz, 417 would lose the frames).
  ExpectOkBothModes(VbrFrame(FrameOf(9, 0, 1), "Xing", std::nullopt) + Frames(300, FrameOf(9, 1, 3)), 9, 300, 301, 3, 1,
                    "changed after header frame");
  ExpectError(Analyze(VbrFrame(FrameOf(9, 0), "Xing", 400) + Frame(FrameOf(9, 0)) + Frames(300, FrameOf(9, 1)), kSlow),
              "Can't process variable sampling rate files", 400, "frame 2 after header frame");
  ExpectError(
      Analyze(VbrFrame(FrameOf(9, 0, 1), "Info", 400) + Frame(FrameOf(9, 0, 1)) + Frames(300, FrameOf(9, 0, 2)), kSlow),
      "Can't process variable stereo mode files", 400, "frame 2 after header frame");
}

TEST(Analysis, MoreThan262143FramesAreRefused) {
  // Free-format mono frames are the shortest the walk steps over: 14 bytes.
  FrameSpec tiny = FrameOf(0, 1, 3);
  ExpectOkBothModes(Frames(262143, tiny), 16, 262143, 262143, 3, 1, "262,143 frames");
  ExpectError(Analyze(Frames(262144, tiny), kSlow), "More than 256 kiloframes, not allowed", 0, "262,144 frames");
  ExpectError(Analyze(VbrFrame(FrameOf(1, 1, 3), "Xing", 12345) + Frames(262143, tiny), kSlow),
              "More than 256 kiloframes, not allowed", 12345, "with a header count");
}

TEST(Analysis, Id3v2TagIsSkipped) {
  // A Layer I sync at the tag's last byte would fail the file if the tag were walked.
  std::string tag = Id3v2Tag(267);
  tag.replace(tag.size() - 4, 4, Layer1Header());
  ExpectOk(Analyze(tag + Frames(300, FrameOf(9)), kSlow), 9, 300, 1, 0, "tag body skipped");
  // Only the low seven bits of each size byte count.
  std::string highBits = Id3v2Tag(300);
  highBits[9] = static_cast<char>(300 % 128 | 0x80);
  ExpectOk(Analyze(highBits + Frames(300, FrameOf(9)), kSlow), 9, 300, 1, 0, "high size bits");
  // A footer is not part of the declared size: the walk passes over it as junk.
  ExpectOk(Analyze(Id3v2Tag(500, std::nullopt, true) + Frames(300, FrameOf(9)), kSlow), 9, 300, 1, 0, "footer");
  // The limit counts the 10 header bytes.
  ExpectOk(Analyze(Id3v2Tag(1048566) + Frames(300, FrameOf(9)), kSlow), 9, 300, 1, 0, "1,048,576 bytes");
  ExpectErrorBothModes(Id3v2Tag(1048567) + Frames(300, FrameOf(9)), "Header (ID3v2) tag larger than 1 Mb.",
                       "1,048,577 bytes");
  // Declared 2 MB, the file larger still.
  ExpectErrorBothModes(Id3v2Tag(2000000, 100) + Frames(6000, FrameOf(9)), "Header (ID3v2) tag larger than 1 Mb.",
                       "declared 2 MB");
}

TEST(Analysis, RiffWaveIsReadFromItsDataChunk) {
  ExpectOkBothModes(RiffWave(Frames(300, FrameOf(11, 1))), 11, 299, 300, 1, 1, "wave");
  // An ID3v2 tag inside the data chunk is skipped, unless one stood before "RIFF".
  std::string inner = Id3v2Tag(100);
  inner.replace(50, 4, Layer1Header());
  ExpectOk(Analyze(RiffWave(inner + Frames(300, FrameOf(9))), kSlow), 9, 300, 1, 0, "inner tag");
  ExpectErrorBothModes(Id3v2Tag(20) + RiffWave(inner + Frames(300, FrameOf(9))), "Seems like mp1, not mp3 file.",
                       "inner tag behind an outer one");
  // "data" is looked for over 516 positions behind "RIFF"; without it the walk starts where
  // the search ended, 520 bytes behind "RIFF".
  std::string noData = "RIFF" + std::string(600, 'x') + Frames(300, FrameOf(9));
  ExpectOk(Analyze(noData, kSlow), 9, 300, 1, 0, "no data chunk");
  noData.replace(519, 4, Layer1Header());
  ExpectOk(Analyze(noData, kSlow), 9, 300, 1, 0, "sync before the search end");
  noData.replace(520, 4, Layer1Header());
  ExpectErrorBothModes(noData, "Seems like mp1, not mp3 file.", "sync at the search end");
  // A sync in the chunk length shows whether the walk starts behind "data" or at it.
  auto dataAt = [&](std::size_t position) {
    std::string file = RiffWave(Frames(300, FrameOf(9)), position - 16);
    file.replace(position + 4, 4, Layer1Header());
    return file;
  };
  ExpectOk(Analyze(dataAt(519), kSlow), 9, 300, 1, 0, "data at the last position");
  ExpectErrorBothModes(dataAt(520), "Seems like mp1, not mp3 file.", "data one too far");
}

TEST(Analysis, AudioStartPastTheEndOfTheFileFindsNoFrames) {
  const char* noFile = "Doesn't seem like a 32/44.1/48 KHz mp3 file";
  ExpectErrorBothModes(Id3v2Tag(500000, 100), noFile, "tag longer than the file");
  ExpectErrorBothModes("RIFF" + std::string(20, 'x'), noFile, "short RIFF");
  ExpectErrorBothModes(RiffWave("", 0), noFile, "empty data chunk");
  ExpectErrorBothModes("", noFile, "empty file");
  ExpectErrorBothModes(std::string(70000, '\0'), noFile, "zeros");
}

TEST(Analysis, TrailingTagsBoundOnlyTheFastEstimate) {
  // A sync pattern in the trailing tags: the estimate stops before the tags, the walk counts
  // nothing there because the pattern fails the header checks after frame 1.
  const std::string sync = "\xFF\xE2\x10\x00"s;
  std::string id3v1 = Id3v1Tag();
  id3v1.replace(40, 4, sync);
  const std::string frames = Frames(400, FrameOf(9, 1));
  ExpectOkBothModes(frames + id3v1, 9, 399, 400, 1, 1, "ID3v1");
  for (std::size_t back = 124; back <= 130; ++back) {
    // "TAG" `back` bytes before the end: found from 129 to 125 bytes.
    std::string moved = frames + (back < 128 ? id3v1.substr(0, back) : id3v1 + std::string(back - 128, ' '));
    int expected = back >= 125 && back <= 129 ? 399 : 400;
    ExpectOk(Analyze(moved, kFast), 9, expected, 1, 1, "TAG " + std::to_string(back) + " bytes before the end");
  }
  const std::string lyrics = std::string(sync) + "la la";
  for (const std::string& tail :
       {Lyrics3v1(lyrics), Lyrics3v2(lyrics), Lyrics3v1(lyrics) + id3v1, Lyrics3v2(lyrics) + id3v1}) {
    ExpectOkBothModes(frames + tail, 9, 399, 400, 1, 1, "lyrics " + tail.substr(tail.size() - 9));
  }
  // Lyrics3 v1 is looked for only in the last 5,100 bytes; v2 in the last 301,000.
  const std::string longV1 = Lyrics3v1(sync + std::string(5100, 'a'));
  ExpectOk(Analyze(frames + longV1, kFast), 9, 400, 1, 1, "v1 start out of reach");
  const std::string longV2 = Lyrics3v2(sync + std::string(99990, 'a'));
  ExpectOk(Analyze(frames + longV2, kFast), 9, 399, 1, 1, "long v2");
}

TEST(Analysis, FastModeCountsWhenNoSyncFollowsFrame199) {
  // "LYRICSBEGIN" inside frame 10 puts the audio end among the first frames; inside frame 199
  // the last sync before it is frame 199 itself, not behind it; inside frame 200 it is frame
  // 200: 200 frames estimated.
  FrameSpec shape = FrameOf(1, 1);
  for (auto [frame, expected] : {std::pair{10, 250}, {199, 250}, {200, 200}}) {
    std::string frames = Frames(250, shape);
    frames.replace(static_cast<std::size_t>(frame) * 96 + 20, 11, "LYRICSBEGIN");
    ExpectOk(Analyze(frames + "LYRICS200", kFast), 1, expected, 1, 1, "audio end in frame " + std::to_string(frame));
  }
  // ... or before the first frame, with no sync in front of it at all.
  std::string tag = Id3v2Tag(40);
  tag.replace(20, 11, "LYRICSBEGIN");
  ExpectOk(Analyze(tag + Frames(250, shape) + "LYRICS200", kFast), 1, 250, 1, 1, "audio end before frame 0");
}

TEST(Analysis, JunkAndFalseSyncsBeforeAndBetweenFrames) {
  std::string junk;
  for (int i = 0; i < 3000; ++i) junk += static_cast<char>(i % 7 == 0 ? 0xFF : 'a' + i % 26);
  ExpectOk(Analyze(junk + Frames(300, FrameOf(9)), kSlow), 9, 300, 1, 0, "junk in front");
  // A false sync in front is frame 0 when it passes the checks: 29 bytes of free format.
  ExpectOk(Analyze("\xFF\xFB\x00\x40"s + std::string(25, 'a') + Frames(300, FrameOf(9)), kSlow), 16, 301, 1, 0,
           "free-format false sync");
  // Junk between frames is skipped byte by byte.
  std::string gaps = Frames(100, FrameOf(9)) + std::string(1000, 'j') + Frames(200, FrameOf(9));
  ExpectOk(Analyze(gaps, kSlow), 9, 300, 1, 0, "gap");
}

TEST(Analysis, FrameLengths) {
  // 320 kbps at 44.1 kHz: 1044.9 bytes, cut to 1044 (1045 would land the walk inside frames).
  ExpectOk(Analyze(Frames(300, FrameOf(14)), kSlow), 14, 300, 1, 0, "1,044 bytes");
  // Free format steps 29 bytes (14 mono), 2 more with CRC; CRC does not change other lengths.
  FrameSpec free = FrameOf(0, 0, 0);
  ExpectOk(Analyze(Frames(300, free), kSlow), 16, 300, 0, 0, "29 bytes");
  free.Crc = true;
  ExpectOk(Analyze(Frames(300, free), kSlow), 16, 300, 0, 0, "31 bytes");
  free.Channels = 3;
  ExpectOk(Analyze(Frames(300, free), kSlow), 16, 300, 3, 0, "16 bytes");
  const FrameSpec crc{.Crc = true, .Sampling = 2};
  ExpectOk(Analyze(Frames(300, crc), kSlow), 9, 300, 1, 2, "CRC at 32 kHz");
}

TEST(SizeKB, BytesToNearestKilobyteHalvesToEven) {
  EXPECT_EQ(SizeKBFromBytes(512), 0);
  EXPECT_EQ(SizeKBFromBytes(513), 1);
  EXPECT_EQ(SizeKBFromBytes(1536), 2);
  EXPECT_EQ(SizeKBFromBytes(2560), 2);
  EXPECT_EQ(SizeKBFromBytes(4294967296), 4194304) << "sizes past 32 bits";
}

}  // namespace
}  // namespace ordonna
