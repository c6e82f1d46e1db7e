// ordonna-cli against what may lie at its file names: every writer follows a link to its target,
// writes a device or FIFO straight through and refuses a folder; no command writes over one of
// its inputs or puts a log under a list file's name; no reader waits on a FIFO.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "cli/CliTestUtil.h"
#include "config/ConfigFile.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

// Runs under a time limit, so that a command waiting on a FIFO fails (status 124) rather
// than hanging the suite.
CliResult RunLimited(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {"20", ORDONNA_CLI_PATH});
  return RunProgram("timeout", arguments);
}

bool IsKind(const std::string& path, mode_t kind) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == kind;
}

struct Files {
  TempDir dir;
  std::map<std::string, std::string> path = {{"LIST", dir.File("list.ordl")},
                                             {"EXTERNAL", dir.File("external.ordl")},
                                             {"TEXT", dir.File("songs.txt")},
                                             {"OPTIONS", dir.File("options.ini")}};

  Files() {
    WriteList(path["LIST"], {"Same Song", "Other", "same song", "Lone"});
    WriteList(path["EXTERNAL"], {"Same Song"});
    std::string songs = "Filename\tTime\r\n";
    for (int i = 0; i < 40; ++i) songs += "Song number " + std::to_string(i) + "\t3:" + std::to_string(10 + i) + "\r\n";
    WriteFileBytes(path["TEXT"], songs);
    AppOptions defaults{};
    SetFactoryDefaults(defaults, {});
    EXPECT_TRUE(WriteConfiguration(path["OPTIONS"], defaults).ok());
  }

  // `arguments` with OUT standing for `out` and the words of `path` for these files.
  std::vector<std::string> Filled(std::vector<std::string> arguments, const std::string& out) {
    path["OUT"] = out;
    for (std::string& argument : arguments) {
      if (path.count(argument) != 0) argument = path[argument];
    }
    return arguments;
  }
};

TEST(FileRulesCli, EveryWriterFollowsLinksWritesThroughDevicesAndFifosAndRefusesFolders) {
  // Each writer of the command line and the extension its output takes.
  const std::pair<std::vector<std::string>, std::string> writers[] = {
      {{"export", "--type", "text", "LIST", "OUT"}, ".txt"},
      {{"export", "--type", "xls", "LIST", "OUT"}, ".xls"},
      {{"dupes", "--percent", "80", "--action", "auto", "--log", "OUT", "LIST"}, ".txt"},
      {{"compare", "--action", "7", "--ordl", "LIST", "EXTERNAL", "-o", "OUT"}, ".txt"},
      {{"import", "--yes", "--options", "OPTIONS", "TEXT", "-o", "OUT"}, ".ordl"},
      {{"config", "init", "--force", "OUT"}, ".ini"},
  };
  for (const auto& [writer, x] : writers) {
    SCOPED_TRACE(writer.front() + " " + writer[2]);
    Files f;
    std::filesystem::create_directory(f.dir.File("lists"));
    WriteFileBytes(f.dir.File("lists/real" + x), "old");
    std::filesystem::create_symlink("lists/real" + x, f.dir.File("link" + x));
    std::filesystem::create_directory(f.dir.File("folder" + x));
    ASSERT_EQ(mkfifo(f.dir.File("pipe" + x).c_str(), 0600), 0);
    const std::string device = NullDeviceIn(f.dir);
    auto write = [&](const std::string& out, int status) {
      CliResult result = RunLimited(f.Filled(writer, out));
      EXPECT_EQ(result.ExitCode, status) << out << "\n" << result.Err;
    };

    write(f.dir.File("link" + x), 0);
    EXPECT_GT(ReadFileBytes(f.dir.File("lists/real" + x)).size(), 3u) << "the link's target is written";
    EXPECT_TRUE(IsKind(f.dir.File("link" + x), S_IFLNK)) << "the link stays";
    // A reader is there before the writer opens the FIFO; what it gets is read afterwards.
    const int reader = open(f.dir.File("pipe" + x).c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    write(f.dir.File("pipe" + x), 0);
    char buffer[4096];
    EXPECT_GT(read(reader, buffer, sizeof buffer), 0) << "the reader of the FIFO gets the output";
    close(reader);
    EXPECT_TRUE(IsKind(f.dir.File("pipe" + x), S_IFIFO)) << "the FIFO stays";
    write(device, 0);
    EXPECT_TRUE(IsKind(device, S_IFCHR)) << "the device stays";
    write(f.dir.File("folder" + x), 1);
    EXPECT_TRUE(std::filesystem::is_empty(f.dir.File("folder" + x)));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dir.File("lists")), {}), 1) << "no temporary left";
  }
  Files f;
  CliResult out = RunLimited({"export", "--type", "text", f.path["LIST"], "/dev/stdout"});
  EXPECT_EQ(out.ExitCode, 0) << out.Err;
  EXPECT_EQ(out.Out.substr(0, 10), "Same Song,") << "the pipe of standard output receives the list";
}

// Status 1, the input byte for byte as it was, and nothing else written.
TEST(FileRulesCli, NoCommandWritesOverItsInputOrALogUnderAListName) {
  Files f;
  const std::string list = f.path["LIST"], external = f.path["EXTERNAL"], options = f.path["OPTIONS"];
  std::filesystem::create_symlink(list, f.dir.File("list-link.ordl"));
  std::filesystem::create_symlink(list, f.dir.File("log.txt"));
  std::filesystem::create_symlink(external, f.dir.File("external-log.txt"));
  std::filesystem::copy_file(f.path["TEXT"], f.dir.File("text.ordl"));
  std::filesystem::copy_file(options, f.dir.File("options.ordl"));
  std::filesystem::create_directory(f.dir.File("music"));

  const std::vector<std::string> cases[] = {
      {"export", "--type", "text", list, f.dir.File("list-link.ordl")},
      {"export", "--type", "text", "--options", options, list, options},
      {"dupes", "--percent", "80", "--action", "auto", "--log", f.dir.File("log.txt"), list},
      {"dupes", "--percent", "80", "--action", "auto", "--log", f.dir.File("new.ordl"), list},
      {"compare", "--action", "7", "--ordl", list, external, "-o", f.dir.File("external-log.txt")},
      {"compare", "--action", "7", "--ordl", list, external, "-o", f.dir.File("new.ORDL")},
      {"compare", "--action", "1", "--ordl", list, external, "-o", external},
      {"import", "--yes", f.dir.File("text.ordl"), "-o", f.dir.File("text.ordl")},
      {"scan", "--options", f.dir.File("options.ordl"), "-o", f.dir.File("options.ordl"), f.dir.File("music")},
  };
  auto state = [&] {
    std::string files;
    for (const auto& item : std::filesystem::directory_iterator(f.dir.Path())) {
      if (!item.is_directory()) files += item.path().string() + ":" + ReadFileBytes(item.path()).substr(0, 64) + "|";
    }
    return files;
  };
  const std::string before = state();
  for (const std::vector<std::string>& arguments : cases) {
    CliResult result = RunLimited(arguments);
    EXPECT_EQ(result.ExitCode, 1) << arguments.back() << "\n" << result.Out << result.Err;
    EXPECT_EQ(state(), before) << arguments.back();
  }
}

TEST(FileRulesCli, ReadersFailAtOnceOnAFifo) {
  Files f;
  const std::string fifo = f.dir.File("pipe.ordl"), list = f.path["LIST"];
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::vector<std::string> cases[] = {
      {"list", fifo},
      {"list", "--options", fifo, list},
      {"config", "show", fifo},
      {"export", "--type", "text", fifo, f.dir.File("out.txt")},
      {"compare", "--action", "7", "--ordl", list, fifo, "-o", f.dir.File("out.txt")},
      {"import", "--yes", fifo, "-o", f.dir.File("out.ordl")},
  };
  for (const std::vector<std::string>& arguments : cases) {
    CliResult result = RunLimited(arguments);
    EXPECT_EQ(result.ExitCode, 1) << arguments.front() << "\n" << result.Err;
    EXPECT_FALSE(result.Err.empty()) << arguments.front();
  }
}

}  // namespace
}  // namespace ordonna
