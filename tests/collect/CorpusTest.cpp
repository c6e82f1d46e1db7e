// Real encoder-made files, kept beside the repository (the test skips without them): both
// modes analyse every file without a crash and agree with a reference tool's readings in
// REFERENCE.tsv, except where the notes below give the reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "AnalysisTestUtil.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

struct Reading {
  std::string Codec;
  int SampleRate = 0, Channels = 0, Frames = 0;
  std::string VbrHeader;
  int VbrHeaderFrames = 0;
};

// REFERENCE.tsv by file name; empty when the corpus is not there.
std::map<std::string, Reading> References() {
  std::map<std::string, Reading> readings;
  std::ifstream in(std::string(ORDONNA_CORPUS_DIR) + "/REFERENCE.tsv");
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream row(line);
    for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
    if (cells.size() < 8) continue;
    auto number = [](const std::string& text) { return text.empty() ? 0 : std::stoi(text); };
    readings[cells[0]] = {cells[2], number(cells[3]), number(cells[4]), number(cells[5]), cells[6], number(cells[7])};
  }
  return readings;
}

// Where the catalogue's rules legitimately give another result than the reference tool: the
// error (empty when the file analyses), the frames counted and the reason.
const std::map<std::string, std::tuple<std::string_view, int, const char*>> kDepartures = {
    {"freeformat_450k_44k.mp3",
     {"Can't process variable sampling rate files", 308,
      "free format: the walk steps 29 bytes into the audio and meets a false sync; Frames keeps the Info count"}},
    {"leading_text_junk.mp3", {"", 385, "the reference tool counts the Xing frame behind the junk as audio"}},
    {"id3v2_over_1mb_picture.mp3", {"Header (ID3v2) tag larger than 1 Mb.", 0, "ID3v2 tags above 1 MiB are refused"}},
};

int FrequencyCodeOf(int sampleRate) { return sampleRate == 44100 ? 0 : sampleRate == 48000 ? 1 : 2; }

TEST(Corpus, EveryFileAgreesWithTheReferenceReadings) {
  std::map<std::string, Reading> references = References();
  if (references.empty()) GTEST_SKIP() << "no corpus at " << ORDONNA_CORPUS_DIR;
  int compared = 0;
  for (const auto& [name, ref] : references) {
    SCOPED_TRACE(name);
    const std::string file = testing::ReadFileBytes(std::string(ORDONNA_CORPUS_DIR) + "/" + name);
    AnalysisResult fast = testing::Analyze(file, ProcessingMode::Fast);
    AnalysisResult slow = testing::Analyze(file, ProcessingMode::Slow);
    EXPECT_EQ(slow.FileSizeBytes, static_cast<std::int64_t>(file.size()));
    if (ref.Codec != "mp3" || (ref.SampleRate != 32000 && ref.SampleRate != 44100 && ref.SampleRate != 48000)) {
      EXPECT_FALSE(slow.Ok() || fast.Ok()) << "only MPEG-1 Layer III is catalogued";
      continue;
    }
    ++compared;
    bool headerFrame = ref.VbrHeader == "Xing" || ref.VbrHeader == "Info" || ref.VbrHeader == "VBRI";
    int expectedFrames = ref.Frames + (headerFrame ? 1 : 0);
    if (auto departure = kDepartures.find(name); departure != kDepartures.end()) {
      const auto& [error, slowFrames, reason] = departure->second;
      EXPECT_EQ(std::tuple(slow.ErrorText(), slow.Frames, fast.ErrorText()), std::tuple(error, slowFrames, error))
          << reason;
      if (!slow.Ok()) continue;
      expectedFrames = slowFrames;
    }
    ASSERT_TRUE(slow.Ok()) << slow.ErrorText();
    ASSERT_TRUE(fast.Ok()) << fast.ErrorText();
    EXPECT_EQ(slow.Frames, expectedFrames) << "reference " << ref.Frames << ", header " << ref.VbrHeader;
    EXPECT_EQ(slow.FrequencyCode, FrequencyCodeOf(ref.SampleRate));
    EXPECT_EQ(slow.StereoMode == 3, ref.Channels == 1) << "mono, or one of the two-channel modes";
    EXPECT_EQ(std::tuple(fast.FrequencyCode, fast.StereoMode, fast.BitrateCode),
              std::tuple(slow.FrequencyCode, slow.StereoMode, slow.BitrateCode));
    if (ref.VbrHeaderFrames != 0 && slow.Frames >= 200) {
      // Also when the count is stale (the truncated file): fast mode trusts the header.
      EXPECT_EQ(fast.Frames, ref.VbrHeaderFrames) << "fast mode uses the header count";
    } else if (slow.Frames < 200) {
      EXPECT_EQ(fast.Frames, slow.Frames) << "fewer than 200 frames are counted";
    } else if (slow.BitrateCode != 16) {
      EXPECT_NEAR(fast.Frames, slow.Frames, 1) << "estimated from the last sync";
    } else {
      EXPECT_EQ(fast.Frames, slow.Frames) << "mixed bitrates without a count are counted";
    }
  }
  EXPECT_GE(compared, 20);
}

}  // namespace
}  // namespace ordonna
