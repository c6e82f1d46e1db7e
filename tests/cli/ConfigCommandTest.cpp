// ordonna-cli config, run as a separate program: the defaults init writes, the fields show
// and get print, and set changing every pair it is given or none.
#include <gtest/gtest.h>

#include "cli/CliTestUtil.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

TEST(ConfigCommand, InitWritesDefaultsShowPrintsThemInFileOrderSetWritesAllPairsOrNoneAndGetPrintsThem) {
  TempDir dir;
  Expect({{"config", "init", dir.File("ordonna.ini")}, 0, ""});
  std::string shown = Expect({{"config", "show", dir.File("ordonna.ini")}, 0, ""}).Out;
  std::vector<std::string> lines = Lines(shown);
  // 157 single fields, 14 column widths and 16 custom colours.
  ASSERT_EQ(lines.size(), 187u);
  // One field of each kind, so that a byte order that setting and getting share is still seen;
  // the values at their offsets are checked with the defaults themselves.
  for (const char* expected : {"MaxSizeMB 2048", "MainWindowColor BEDED5", "CustomColors[3] 00034654"}) {
    EXPECT_TRUE(Contains(shown, "\n" + std::string(expected) + "\n")) << expected;
  }
  EXPECT_TRUE(Contains(shown, "\nOptionsFolder " + dir.Path() + "\n"))
      << "the options folder is the folder of the file";

  const std::string file = dir.File("set.ini");
  Expect({{"config", "set", file, "MaxSizeMB=100", "CustomColors[3]=00112233"}, 0, ""});
  const std::string written = ReadFileBytes(file);
  ASSERT_EQ(written.size(), 7101u) << "a missing file starts from the factory defaults";
  lines = Lines(Expect({{"config", "get", file, "MaxSizeMB", "CustomColors"}, 0, ""}).Out);
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], "MaxSizeMB 100");
  EXPECT_EQ(lines[4], "CustomColors[3] 00112233");

  // One bad pair among good ones: exit 1, the pair named, the file byte for byte as it was.
  const std::pair<std::vector<std::string>, std::string> bad[] = {
      {{"MinSizeKB=20", "Nonsense=1"}, "Nonsense=1: unknown option"},
      {{"MaxSizeMB=2049", "MinSizeKB=20"}, "MaxSizeMB=2049: expected a number from 10 to 2048"},
  };
  for (auto [arguments, named] : bad) {
    arguments.insert(arguments.begin(), {"config", "set", file});
    Expect({arguments, 1, named});
    EXPECT_EQ(ReadFileBytes(file), written) << named;
  }
}

}  // namespace
}  // namespace ordonna
