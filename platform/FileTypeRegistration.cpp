// The freedesktop MIME package and desktop entry for list files, written only when they
// are missing or differ, so a start normally touches nothing.
#include "platform/FileTypeRegistration.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/InputFile.h"
#include "platform/OutputFile.h"
#include "platform/Platform.h"

extern char** environ;

namespace ordonna {
namespace {

constexpr const char* kMimePackage =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-ordonna-list\">\n"
    "    <comment>mp3 list</comment>\n"
    "    <magic priority=\"50\">\n"
    "      <match type=\"string\" offset=\"0\" value=\"\\x03Ord\"/>\n"
    "    </magic>\n"
    "    <glob pattern=\"*.ordl\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

// Exec= quoting of desktop entries: the path in double quotes, `"`, `` ` ``, `$` and `\`
// escaped by a backslash; the value's string escaping then doubles every backslash.
std::string QuotedExec(const std::string& executable) {
  std::string quoted = "\"";
  for (char c : executable) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += "\\\\";
    quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
  }
  return quoted + "\"";
}

std::string DesktopEntry(const std::string& executable) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Ordonna\n"
         "Comment=Catalogue MP3 collections\n"
         "Exec=" +
         QuotedExec(executable) +
         " %f\n"
         "MimeType=application/x-ordonna-list;\n"
         "Terminal=false\n"
         "Categories=AudioVideo;Audio;\n";
}

// The bytes of a regular file; nothing when it is none or cannot be read.
std::optional<std::string> FileContent(const std::string& path) {
  InputFile file;
  if (!file.Open(path).ok()) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  std::size_t got = 0;
  if (!file.ReadAt(0, bytes.data(), bytes.size(), got).ok()) return std::nullopt;
  bytes.resize(got);
  return bytes;
}

enum class WriteResult { Same, Written, Failed };

WriteResult WriteIfDifferent(const std::string& folder, const std::string& name, const std::string& content) {
  std::string path = folder + "/" + name;
  if (FileContent(path) == content) return WriteResult::Same;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return WriteWholeFile(path, content).ok() ? WriteResult::Written : WriteResult::Failed;
}

// Rebuilds the user's MIME cache when the tool is there; without it the package still
// takes effect the next time the desktop rebuilds the cache.
void UpdateMimeDatabase(const std::string& mimeFolder) {
  pid_t child = 0;
  const char* argv[] = {"update-mime-database", mimeFolder.c_str(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  if (posix_spawnp(&child, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ) == 0) {
    int status = 0;
    waitpid(child, &status, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

std::string UserDataHome() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.local/share";
}

FileTypeResult RegisterListFileType(const std::string& dataHome, const std::string& executable) {
  WriteResult mime = WriteIfDifferent(dataHome + "/mime/packages", "ordonna-list.xml", kMimePackage);
  if (mime == WriteResult::Failed) return FileTypeResult::CannotStart;
  if (mime == WriteResult::Written) UpdateMimeDatabase(dataHome + "/mime");
  WriteResult desktop = WriteIfDifferent(dataHome + "/applications", "ordonna.desktop", DesktopEntry(executable));
  if (desktop == WriteResult::Failed) return FileTypeResult::Incomplete;
  return mime == WriteResult::Same && desktop == WriteResult::Same ? FileTypeResult::Unchanged
                                                                   : FileTypeResult::Registered;
}

}  // namespace ordonna
