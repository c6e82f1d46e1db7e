// The analysis against the reference walk on generated files, the corpus files and a few
// thousand randomly damaged copies of them (Analyze compares the three ways).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AnalysisTestUtil.h"
#include "support/Mp3Builder.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::Analyze;
using testing::FrameSpec;
using testing::TestRandom;

std::vector<std::string> GeneratedFiles() {
  FrameSpec shape;
  FrameSpec mono48;
  mono48.Sampling = 1;
  mono48.Channels = 3;
  mono48.Bitrate = 5;
  FrameSpec crc32;
  crc32.Sampling = 2;
  crc32.Crc = true;
  crc32.Bitrate = 11;
  std::string mixed;
  for (int i = 0; i < 260; ++i) {
    FrameSpec s = shape;
    s.Bitrate = static_cast<std::uint8_t>(1 + i % 14);
    mixed += testing::Frame(s);
  }
  return {
      testing::Id3v2Tag(700) + testing::Frames(400, shape, true) + testing::Id3v1Tag(),
      testing::VbrFrame(shape, "Xing", 260) + mixed,
      testing::VbrFrame(mono48, "VBRI", 300) + testing::Frames(299, mono48),
      testing::VbrFrame(crc32, "Info", std::nullopt) + testing::Frames(250, crc32) + testing::Lyrics3v1("x"),
      testing::RiffWave(testing::Id3v2Tag(40) + testing::Frames(220, mono48)) + testing::Lyrics3v2("y") +
          testing::Id3v1Tag(),
      std::string(5000, 'j') + testing::Frames(150, shape),
      mixed,
  };
}

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(ORDONNA_CORPUS_DIR, error)) {
    if (item.path().extension() == ".mp3") files.push_back(testing::ReadFileBytes(item.path().string()));
  }
  return files;
}

// Damage that reaches the decisions of the analysis: flipped bits, sync patterns, tag and
// container names, cuts and insertions.
std::string Mutate(std::string file, TestRandom& random) {
  static const std::string kWords[] = {"\xFF\xFB", "\xFF\xE0", "\xFF\xFF", "ID3",         "RIFF",      "data",
                                       "TAG",      "Xing",     "Info",     "LYRICSBEGIN", "LYRICS200", "LYRICSEND"};
  int edits = 1 + static_cast<int>(random.Below(4));
  for (int e = 0; e < edits; ++e) {
    std::size_t at = file.empty() ? 0 : random.Below(static_cast<std::uint32_t>(file.size()));
    // Edits cluster at the ends, where the tags and the first frames are.
    if (random.Below(2) == 0 && file.size() > 600) at = random.Below(2) == 0 ? at % 600 : file.size() - 1 - at % 600;
    switch (random.Below(6)) {
      case 0:
        if (!file.empty()) file[at] = static_cast<char>(file[at] ^ (1 << random.Below(8)));
        break;
      case 1: {
        const std::string& word = kWords[random.Below(std::size(kWords))];
        file.replace(at, std::min(word.size(), file.size() - at), word);
        break;
      }
      case 2: file.insert(at, kWords[random.Below(std::size(kWords))]); break;
      case 3: file.resize(at); break;
      case 4: file.insert(at, std::string(random.Below(3000), static_cast<char>(random.Below(256)))); break;
      default:
        if (at + 10 <= file.size()) {
          for (int i = 6; i < 10; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<char>(random.Below(128));
        }
        break;
    }
  }
  return file;
}

TEST(ReferenceComparison, GeneratedCorpusAndDamagedFilesAgree) {
  std::vector<std::string> bases = GeneratedFiles();
  for (std::string& file : CorpusFiles()) bases.push_back(std::move(file));
  for (std::string& file : bases) {
    for (ProcessingMode mode : {ProcessingMode::Fast, ProcessingMode::Slow}) (void)Analyze(file, mode);
    // Long files make slow comparisons when damaged; their heads and tails hold the interesting parts.
    if (file.size() > 300000) file = file.substr(0, 150000) + file.substr(file.size() - 150000);
  }
  if (::testing::Test::HasFailure()) return;
  TestRandom random(20240611);
  int failures = 0;
  for (int i = 0; i < 3000 && failures < 5; ++i) {
    std::string file = Mutate(bases[random.Below(static_cast<std::uint32_t>(bases.size()))], random);
    for (ProcessingMode mode : {ProcessingMode::Fast, ProcessingMode::Slow}) {
      (void)Analyze(file, mode);
      if (::testing::Test::HasFailure()) {
        ++failures;
        ADD_FAILURE() << "damaged file " << i << " of " << file.size() << " bytes";
      }
    }
  }
}

}  // namespace
}  // namespace ordonna
