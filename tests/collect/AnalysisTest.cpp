// The analysis of generated MP3 data in both modes: every field and each kind of error, as
// tables of files and their results. Each file also goes through the small-read source (Analyze).
#include "collect/Analysis.h"

#include "AnalysisTestUtil.h"
#include "support/Mp3Builder.h"

namespace ordonna {
namespace {

using namespace testing;
using namespace std::string_literals;

constexpr ProcessingMode kFast = ProcessingMode::Fast;
constexpr ProcessingMode kSlow = ProcessingMode::Slow;

// "bitrate frames stereo frequency", or "error (frames)"; a failed file leaves the rest undetermined.
std::string Summary(const AnalysisResult& r) {
  if (!r.Ok()) {
    EXPECT_EQ(std::vector<int>({r.BitrateCode, r.StereoMode, r.FrequencyCode}), std::vector<int>({255, 4, 3}))
        << r.ErrorText();
    return std::string(r.ErrorText()) + " (" + std::to_string(r.Frames) + ")";
  }
  return std::to_string(r.BitrateCode) + " " + std::to_string(r.Frames) + " " + std::to_string(r.StereoMode) + " " +
         std::to_string(r.FrequencyCode);
}

struct Case {
  std::string What;
  std::string File;
  std::string Fast;  // Summary in fast mode; empty: not run
  std::string Slow;  // the same in slow mode; "=" as in fast mode
};

void Check(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(c.Fast.empty() ? "" : Summary(Analyze(c.File, kFast)), c.Fast) << c.What << " (fast)";
    const std::string slow = c.Slow == "=" ? c.Fast : c.Slow;
    EXPECT_EQ(slow.empty() ? "" : Summary(Analyze(c.File, kSlow)), slow) << c.What << " (slow)";
  }
}

FrameSpec FrameOf(int bitrate, int sampling = 0, int channels = 1) {
  using B = std::uint8_t;
  return {.Bitrate = B(bitrate), .Sampling = B(sampling), .Channels = B(channels)};
}

// Frames of alternating bitrates: a VBR stream.
std::string MixedFrames(int count) {
  std::string frames;
  for (int i = 0; i < count; ++i) frames += Frame(FrameOf(i % 3 == 0 ? 11 : 9));
  return frames;
}

// A Layer I header: fails the file where the walk meets it in the first two frames.
const std::string kLayer1 = FrameHeader(FrameSpec{.Layer = 3});
const std::string kMp1 = "Seems like mp1, not mp3 file. (0)";

TEST(Analysis, ConstantBitrateFileIsEstimatedInFastModeAndCountedInSlowMode) {
  // 128 kbps at 44.1 kHz with the encoder's padding: 417 or 418 bytes a frame.
  const std::string file = Id3v2Tag(1000) + Frames(3000, FrameOf(9), true) + Id3v1Tag();
  AnalysisResult slow = Analyze(file, kSlow);
  EXPECT_EQ(Summary(slow), "9 3000 1 0");
  EXPECT_EQ(std::pair(slow.FileSizeBytes, slow.SizeKB), std::pair(std::int64_t{1255015}, 1226));
  // The last sync is the start of the last frame: 2,999 frames lie before it.
  EXPECT_EQ(Summary(Analyze(file, kFast)), "9 2999 1 0");
}

TEST(Analysis, FrameLengthsAndCounts) {
  // Free-format frames filled with 0xFF: a step one byte short or long lands on a Layer I sync.
  auto freeFormat = [](int channels, bool crc) {
    FrameSpec shape = FrameOf(0, 0, channels);
    shape.Crc = crc;
    shape.Fill = '\xFF';
    return Frames(300, shape);
  };
  Check({
      // 320 kbps at 44.1 kHz: 1044.9 bytes, cut to 1044 (1045 would land the walk inside frames).
      {"1,044 bytes", Frames(300, FrameOf(14)), "", "14 300 1 0"},
      // Free format steps 29 bytes (14 mono), 2 more with CRC: 16 in mono with CRC.
      {"29 bytes", freeFormat(0, false), "", "16 300 0 0"},
      {"16 bytes", freeFormat(3, true), "", "16 300 3 0"},
      // One frame of another bitrate among 199 decides: mixed.
      {"one other frame", Frames(199, FrameOf(9)) + Frame(FrameOf(10)) + Frames(100, FrameOf(9)), "16 300 1 0", ""},
  });
}

TEST(Analysis, VbrHeaderCountIsUsedInFastModeOnly) {
  std::vector<Case> cases;
  for (const char* tag : {"Xing", "Info", "VBRI", "FBRI"}) {
    cases.push_back({tag, VbrFrame(FrameOf(9), tag, 5000) + MixedFrames(400), "16 5000 1 0", "16 401 1 0"});
    // The header frame's own bitrate does not make a constant stream variable.
    cases.push_back({tag + " constant"s, VbrFrame(FrameOf(5), tag, 300) + Frames(299, FrameOf(10)), "10 300 1 0", "="});
  }
  const FrameSpec mono = FrameOf(9, 0, 3);
  const FrameSpec crc{.Crc = true};
  Check(cases);
  Check({
      // Xing without a count: mixed bitrates are counted, a constant one estimated (header frame included).
      {"Xing without count, mixed", VbrFrame(FrameOf(9), "Xing", std::nullopt) + MixedFrames(400), "16 401 1 0", ""},
      {"Info without count, constant", VbrFrame(FrameOf(11, 1), "Info", std::nullopt, 40) + Frames(500, FrameOf(11, 1)),
       "11 500 1 1", "11 501 1 1"},
      // A count of 2^31 or more is no count.
      {"count of 2^31", VbrFrame(FrameOf(9), "Xing", 0x80000000u) + MixedFrames(300), "16 301 1 0", ""},
      {"count of 2^31 - 1", VbrFrame(FrameOf(9), "Xing", 0x7FFFFFFFu) + MixedFrames(300), "16 2147483647 1 0", ""},
      // The search covers 40 positions from 33 bytes behind the frame start (18 mono, +2 CRC).
      {"mono first position", VbrFrame(mono, "Xing", 777, 18) + Frames(300, mono), "9 777 3 0", ""},
      {"mono one too early", VbrFrame(mono, "Xing", 777, 17) + Frames(300, mono), "9 300 3 0", ""},
      {"crc first position", VbrFrame(crc, "Xing", 777, 35) + Frames(300, crc), "9 777 1 0", ""},
      {"crc last position", VbrFrame(crc, "Xing", 777, 74) + Frames(300, crc), "9 777 1 0", ""},
      {"last position", VbrFrame(FrameOf(9), "Xing", 777, 72) + MixedFrames(300), "16 777 1 0", ""},
      {"one too far", VbrFrame(FrameOf(9), "Xing", 777, 73) + MixedFrames(300), "16 301 1 0", ""},
      {"one too early", VbrFrame(FrameOf(9), "Xing", 777, 32) + MixedFrames(300), "16 301 1 0", ""},
      {"header in the second frame", Frame(FrameOf(9)) + VbrFrame(FrameOf(9), "Xing", 777) + MixedFrames(300),
       "16 302 1 0", ""},
      // A header count is used only when the walk reaches 200 frames.
      {"199 frames with Xing", VbrFrame(FrameOf(9), "Xing", 999) + MixedFrames(198), "16 199 1 0", ""},
      {"200 frames with Xing", VbrFrame(FrameOf(9), "Xing", 999) + MixedFrames(199), "16 999 1 0", ""},
      {"header frame only", VbrFrame(FrameOf(9), "Xing", 5), "", "9 1 1 0"},
  });
}

TEST(Analysis, HeaderFaultsAndChanges) {
  FrameSpec mp2 = FrameOf(9);
  mp2.Layer = 2;
  const FrameSpec tiny = FrameOf(0, 1, 3);
  const std::string limit = "More than 256 kiloframes, not allowed";
  const std::string rate = "Can't process variable sampling rate files";
  const std::string stereo = "Can't process variable stereo mode files";
  Check({
      // Layer and version end the analysis only in the first two frames, later it is a false sync skipped
      // by one byte (fast: frame 199 lies one frame beyond 199 average frames, 302 * 199 / 200 = 300.49).
      {"layer at frame 1", Frame(FrameOf(9)) + Frames(300, mp2), "Seems like mp2, not mp3 file. (0)", "="},
      {"layer at frame 2", Frames(2, FrameOf(9)) + Frame(mp2) + Frames(300, FrameOf(9)), "9 300 1 0", "9 302 1 0"},
      // An invalid bitrate or sampling rate ends the analysis at any frame.
      {"index 15 at frame 250", Frames(250, FrameOf(9)) + Frame(FrameOf(15)) + Frames(10, FrameOf(9)), "9 260 1 0",
       "Invalid bitrate detected (0)"},
      {"sampling 3 at frame 2", Frames(2, FrameOf(9)) + Frame(FrameOf(9, 3)) + Frames(10, FrameOf(9)), "",
       "Invalid sampling rate (0)"},
      // Rate and mode may change only at frame 1 behind a header frame; the rate is checked first.
      {"rate at frame 1", Frame(FrameOf(9, 0)) + Frames(300, FrameOf(9, 1)), rate + " (0)", "="},
      {"mode at frame 5", Frames(5, FrameOf(9, 0, 1)) + Frames(300, FrameOf(9, 0, 0)), stereo + " (0)", "="},
      // Behind a header frame, frame 1 sets rate and mode; lengths follow the new rate (384 bytes at 48 kHz).
      {"changed after header frame", VbrFrame(FrameOf(9, 0, 1), "Xing", std::nullopt) + Frames(300, FrameOf(9, 1, 3)),
       "9 300 3 1", "9 301 3 1"},
      {"mode at frame 2 after header frame",
       VbrFrame(FrameOf(9, 0, 1), "Info", 400) + Frame(FrameOf(9, 0, 1)) + Frames(300, FrameOf(9, 0, 2)), "",
       stereo + " (400)"},
      // More than 262,143 frames are refused (free-format mono: the shortest step, 14 bytes).
      {"262,143 frames", Frames(262143, tiny), "16 262143 3 1", "="},
      {"262,144 frames", Frames(262144, tiny), "", limit + " (0)"},
  });
}

TEST(Analysis, WrappersAndJunkInFront) {
  // Only the low seven bits of each size byte count.
  std::string highBits = Id3v2Tag(300);
  for (std::size_t i = 6; i < 10; ++i) highBits[i] = static_cast<char>(highBits[i] | 0x80);
  // An ID3v2 tag inside a RIFF data chunk is skipped, unless one stood before "RIFF".
  std::string inner = Id3v2Tag(100);
  inner.replace(50, 4, kLayer1);
  // "data" is sought at 516 positions behind "RIFF"; a sync in the chunk length shows where the walk starts.
  auto dataAt = [](std::size_t position) {
    return RiffWave(Frames(300, FrameOf(9)), position - 16).replace(position + 4, 4, kLayer1);
  };
  const std::string tooLarge = "Header (ID3v2) tag larger than 1 Mb. (0)";
  const std::string noAudio = "Doesn't seem like a 32/44.1/48 KHz mp3 file (0)";
  Check({
      {"high size bits", highBits + Frames(300, FrameOf(9)), "", "9 300 1 0"},
      // The limit counts the 10 header bytes; a tag declared larger fails even in a larger file.
      {"1,048,576 bytes", Id3v2Tag(1048566) + Frames(300, FrameOf(9)), "", "9 300 1 0"},
      {"1,048,577 bytes", Id3v2Tag(1048567) + Frames(300, FrameOf(9)), tooLarge, "="},
      {"inner tag", RiffWave(inner + Frames(300, FrameOf(9))), "", "9 300 1 0"},
      {"inner tag behind an outer one", Id3v2Tag(20) + RiffWave(inner + Frames(300, FrameOf(9))), kMp1, "="},
      {"data at the last position", dataAt(519), "", "9 300 1 0"},
      {"data one too far", dataAt(520), kMp1, "="},
      // An audio start past the end of the file finds no frames.
      {"tag longer than the file", Id3v2Tag(500000, 100), noAudio, "="},
      {"short RIFF", "RIFF" + std::string(20, 'x'), noAudio, "="},
      {"empty file", "", noAudio, "="},
      // A false sync in front is frame 0 when it passes the checks: 29 bytes of free format.
      {"free-format false sync", "\xFF\xFB\x00\x40"s + std::string(25, 'a') + Frames(300, FrameOf(9)), "",
       "16 301 1 0"},
      // Junk between frames is skipped byte by byte.
      {"gap", Frames(100, FrameOf(9)) + std::string(1000, 'j') + Frames(200, FrameOf(9)), "", "9 300 1 0"},
  });
}

TEST(Analysis, TrailingTagsBoundOnlyTheFastEstimate) {
  // A sync pattern in the trailing tags: the estimate stops before them, the walk rejects it after frame 1.
  const std::string sync = "\xFF\xE2\x10\x00"s;
  std::string id3v1 = Id3v1Tag();
  id3v1.replace(40, 4, sync);
  const std::string frames = Frames(400, FrameOf(9, 1));
  std::vector<Case> cases = {{"lyrics", frames + Lyrics3v2(sync + "la la") + id3v1, "9 399 1 1", "9 400 1 1"}};
  for (std::size_t back = 124; back <= 130; ++back) {
    // "TAG" `back` bytes before the end: found from 129 to 125 bytes.
    std::string moved = frames + (back < 128 ? id3v1.substr(0, back) : id3v1 + std::string(back - 128, ' '));
    cases.push_back({"TAG " + std::to_string(back) + " bytes before the end", moved,
                     back >= 125 && back <= 129 ? "9 399 1 1" : "9 400 1 1", back == 128 ? "9 400 1 1" : ""});
  }
  // "LYRICSBEGIN" inside frame 10 puts the audio end among the first frames; inside frame 199 the last
  // sync before it is frame 199 itself; inside frame 200 it is frame 200: 200 frames estimated.
  for (auto [frame, expected] : {std::pair{10, "1 250 1 1"}, {199, "1 250 1 1"}, {200, "1 200 1 1"}}) {
    std::string walked = Frames(250, FrameOf(1, 1));
    walked.replace(static_cast<std::size_t>(frame) * 96 + 20, 11, "LYRICSBEGIN");
    cases.push_back({"audio end in frame " + std::to_string(frame), walked + "LYRICS200", expected, ""});
  }
  // ... or before the first frame, with no sync in front of it at all.
  std::string tag = Id3v2Tag(40);
  tag.replace(20, 11, "LYRICSBEGIN");
  cases.push_back({"audio end before frame 0", tag + Frames(250, FrameOf(1, 1)) + "LYRICS200", "1 250 1 1", ""});
  Check(cases);
}

TEST(SizeKB, BytesToNearestKilobyteHalvesToEven) {
  const std::pair<std::int64_t, std::int32_t> rows[] = {
      {512, 0}, {513, 1}, {1536, 2}, {2560, 2}, {4294967296, 4194304}};
  for (const auto& [bytes, kb] : rows) EXPECT_EQ(SizeKBFromBytes(bytes), kb) << bytes;
}

}  // namespace
}  // namespace ordonna
