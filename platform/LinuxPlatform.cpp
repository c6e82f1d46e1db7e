// The Linux host: XDG folders (or $ORDONNA_HOME), the locale's date format, atomic replace.
#include "platform/Platform.h"

#include <langinfo.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>

namespace ordonna {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string Home() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

// Creates `folder` and its parents (owner-only for the ones made here); returns it.
std::string EnsureFolder(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) break;
    if (slash == std::string::npos) break;
  }
  return folder;
}

std::string UserFolder(const char* xdgVariable, const char* fallback) {
  std::string home = Environment("ORDONNA_HOME");
  if (!home.empty()) return EnsureFolder(home);
  std::string base = Environment(xdgVariable);
  if (base.empty() || base[0] != '/') base = Home() + fallback;
  return EnsureFolder(base + "/ordonna");
}

class LinuxPlatform final : public Platform {
 public:
  std::string ConfigFolder() override { return UserFolder("XDG_CONFIG_HOME", "/.config"); }
  std::string TempFolder() override { return UserFolder("XDG_CACHE_HOME", "/.cache"); }
  std::string HomeFolder() override { return Home(); }

  std::string ShortDateFormat() override {
    // The user's LC_TIME, read without changing the program's own locale.
    locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) return "%m/%d/%y";
    std::string format = nl_langinfo_l(D_FMT, locale);
    freelocale(locale);
    return format.empty() ? "%m/%d/%y" : format;
  }
};

Status ErrnoStatus(std::string_view what, const std::string& path) {
  return Status::IoError(what, path + " (" + std::strerror(errno) + ")");
}

}  // namespace

std::unique_ptr<Platform> MakeHostPlatform() { return std::make_unique<LinuxPlatform>(); }

Status ReplaceFileAtomically(const std::string& path, const void* data, std::size_t size) {
  std::string temporary = path + ".tmp-XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) return ErrnoStatus("Cannot create file", temporary);

  Status status;
  const auto* bytes = static_cast<const char*>(data);
  for (std::size_t done = 0; done < size && status.ok();) {
    ssize_t written = write(fd, bytes + done, size - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      status = ErrnoStatus("Cannot write file", temporary);
    } else {
      done += static_cast<std::size_t>(written);
    }
  }
  // mkstemp makes the file owner-only; a replaced file keeps the permissions it had.
  struct stat old {};
  if (status.ok() && stat(path.c_str(), &old) == 0 && fchmod(fd, old.st_mode & 07777) != 0) {
    status = ErrnoStatus("Cannot write file", temporary);
  }
  if (status.ok() && fsync(fd) != 0) status = ErrnoStatus("Cannot write file", temporary);
  if (close(fd) != 0 && status.ok()) status = ErrnoStatus("Cannot write file", temporary);
  if (status.ok() && rename(temporary.c_str(), path.c_str()) != 0) status = ErrnoStatus("Cannot replace file", path);
  if (!status.ok()) unlink(temporary.c_str());
  return status;
}

}  // namespace ordonna
