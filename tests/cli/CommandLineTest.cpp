// ordonna-cli as a user meets it, run as a separate program: bad usage, results that must
// not be saved, questions answered on the user's behalf, names that carry control bytes,
// and the temporary files a run leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::CliResult;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

CliResult RunCli(const std::vector<std::string>& arguments) { return testing::RunProgram(ORDONNA_CLI_PATH, arguments); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(BadUsage, UnknownCommandsAndEmptyOutputNamesAreRefused) {
  CliResult bogus = RunCli({"bogus"});
  EXPECT_EQ(bogus.ExitCode, 2);
  EXPECT_TRUE(Contains(bogus.Err, "unknown command \"bogus\"")) << bogus.Err;

  TempDir dir;
  WriteFileBytes(dir.File("in.txt"), "x\n");
  const std::vector<std::vector<std::string>> emptyOutputs = {
      {"scan", "-o", "", dir.Path()},
      {"import", "-o", "", dir.File("in.txt")},
      {"export", dir.File("l.ordl"), ""},
      {"dupes", "--log", "", dir.File("l.ordl")},
      {"dupes", "-o", "", dir.File("l.ordl")},
      {"compare", "-o", "", dir.File("l.ordl"), dir.File("l.ordl")},
      {"config", "init", ""},
  };
  for (const std::vector<std::string>& arguments : emptyOutputs) {
    CliResult result = RunCli(arguments);
    EXPECT_EQ(result.ExitCode, 2) << arguments[0] << ": " << result.Err;
    EXPECT_TRUE(Contains(result.Err, "an empty name")) << result.Err;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "nothing was written";
}

}  // namespace
}  // namespace ordonna
