// Host services behind one interface, so the logic never calls the operating system
// directly and tests can substitute a fake. One implementation per operating system.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Status.h"

namespace ordonna {

// The longest path, in bytes, that the system opens by name. A file below a longer path can
// be listed (folders are then opened one step at a time) but not analysed.
inline constexpr std::size_t kLongestOpenablePath = 4095;

// A mounted file system that can hold music: its root is where the scan starts.
struct Volume {
  std::string Root;      // mount point, "/" separated, no trailing "/" except "/" itself
  std::string Label;     // file-system label, at most 32 bytes, empty when it has none
  std::string Serial;    // eight upper-case hex digits from the file-system UUID, or 00000000
  std::uint64_t Device;  // device number of the root, to keep a walk on this volume
};

// One entry of a folder listing.
struct FolderItem {
  std::string Name;
  bool IsFolder;              // a real folder on the same volume (symbolic links excluded)
  std::int64_t Size;          // bytes, regular files only
  std::int64_t ModifiedTime;  // seconds since 1970, regular files only
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Folder of "ordonna.ini": $ORDONNA_HOME when set, else the user's configuration folder.
  // Created (owner-only) when missing. No trailing separator.
  virtual std::string ConfigFolder() = 0;
  // Folder of the temporary list files: $ORDONNA_HOME when set, else the user's cache folder;
  // while a RunFolder lives (a command-line run), that folder.
  virtual std::string TempFolder() = 0;
  // The user's home folder; stands for the stored default folder "c:\".
  virtual std::string HomeFolder() = 0;

  // The locale's short date format as strftime conversions (%d, %m, %y, %Y, ...).
  virtual std::string ShortDateFormat() = 0;

  // Mounted file systems on real block devices, in mount-point order.
  virtual std::vector<Volume> Volumes() = 0;
  // The volume holding `folder` (any file system), or nothing when it cannot be examined.
  virtual std::optional<Volume> VolumeOf(const std::string& folder) = 0;
  // True when `volume` lies on a local disk that cannot be removed (a partition counts as
  // its disk). Its label then stands for the folders below its root in imported lists.
  // Hosts that cannot tell report no fixed disk, so no label is ever guessed.
  virtual bool IsFixedDisk(const Volume& volume) {
    (void)volume;
    return false;
  }

  // Lists `folder`: its subfolders that lie on `device` (a mount point below is a volume of
  // its own) and its regular files whose names end in `fileSuffix` (ASCII case ignored).
  // Names starting with "." count only with `includeHidden`. False when the folder cannot
  // be read.
  virtual bool ListFolder(const std::string& folder, std::uint64_t device, bool includeHidden,
                          std::string_view fileSuffix, std::vector<FolderItem>& items) = 0;
};

// The implementation for the system this program was built for.
std::unique_ptr<Platform> MakeHostPlatform();

// Where the Linux implementation reads the mount table, the udev disk links and the block
// devices' attributes; tests point it at files of their own.
struct LinuxSystemFiles {
  std::string MountInfo = "/proc/self/mountinfo";
  std::string DiskLinks = "/dev/disk";
  std::string Devices = "/dev";                 // where block devices live; "/dev/loop*" are disk images
  std::string BlockClass = "/sys/class/block";  // one link per disk and partition, by name
};
std::unique_ptr<Platform> MakeLinuxPlatform(const LinuxSystemFiles& files);

}  // namespace ordonna
