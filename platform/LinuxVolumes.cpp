// Volumes from /proc/self/mountinfo; labels and serials from /dev/disk/by-label and by-uuid;
// the fixed-disk test from the "removable" attribute in /sys.
#include "platform/LinuxVolumes.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Text.h"

namespace ordonna::linux_volumes {
namespace {

constexpr std::array<std::string_view, 23> kNotMusicFileSystems = {
    "proc",    "sysfs",    "tmpfs",     "devtmpfs", "overlay",  "squashfs",    "autofs", "devpts",
    "cgroup",  "cgroup2",  "mqueue",    "debugfs",  "tracefs",  "securityfs",  "pstore", "bpf",
    "fusectl", "configfs", "hugetlbfs", "ramfs",    "efivarfs", "binfmt_misc", "nsfs"};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string DecodeOctalEscapes(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && field.size() - i >= 4 && field[i + 1] >= '0' && field[i + 1] <= '3' &&
        field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
      out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(field[i]);
    }
  }
  return out;
}

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// The name of the link in `folder` that points at `device`, decoded, or empty.
std::string LinkNameFor(const std::string& folder, const std::string& device) {
  std::error_code error;
  for (const auto& link : std::filesystem::directory_iterator(folder, error)) {
    if (RealPath(link.path().string()) == device) return DecodeLinkName(link.path().filename().string());
  }
  return {};
}

Volume VolumeFromMount(const LinuxSystemFiles& files, const MountEntry& mount) {
  Volume volume{mount.MountPoint, {}, "00000000", mount.Device};
  if (HoldsMusic(mount, files.Devices)) {
    std::string device = RealPath(mount.Source);
    volume.Label = std::string(CutToCapacity(LinkNameFor(files.DiskLinks + "/by-label", device), 32));
    volume.Serial = SerialFromUuid(LinkNameFor(files.DiskLinks + "/by-uuid", device));
  }
  return volume;
}

std::vector<MountEntry> ReadMounts(const LinuxSystemFiles& files) {
  std::ifstream in(files.MountInfo);
  std::stringstream text;
  text << in.rdbuf();
  return ParseMountInfo(text.str());
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
  std::vector<MountEntry> mounts;
  std::istringstream lines{std::string(text)};
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string id, parent, majorMinor, root, mountPoint;
    if (!(fields >> id >> parent >> majorMinor >> root >> mountPoint)) continue;
    std::string field;
    while (fields >> field && field != "-") {
    }
    MountEntry mount;
    if (!(fields >> mount.FileSystem >> mount.Source)) continue;
    unsigned major = 0, minor = 0;
    if (std::sscanf(majorMinor.c_str(), "%u:%u", &major, &minor) != 2) continue;
    mount.Device = makedev(major, minor);
    mount.MountPoint = DecodeOctalEscapes(mountPoint);
    mount.Source = DecodeOctalEscapes(mount.Source);
    mounts.push_back(std::move(mount));
  }
  return mounts;
}

bool HoldsMusic(const MountEntry& mount, const std::string& devices) {
  if (mount.Source.rfind(devices + "/", 0) != 0 || mount.Source.rfind(devices + "/loop", 0) == 0) return false;
  return std::find(kNotMusicFileSystems.begin(), kNotMusicFileSystems.end(), mount.FileSystem) ==
         kNotMusicFileSystems.end();
}

std::string SerialFromUuid(std::string_view uuid) {
  std::string digits;
  for (char c : uuid) {
    if (HexValue(c) >= 0) digits.push_back(AsciiUpper(c));
  }
  if (digits.empty()) return "00000000";
  // NTFS serials have sixteen digits; the system shows their low half.
  if (digits.size() == 16) return digits.substr(8);
  digits.resize(8, '0');
  return digits;
}

std::string DecodeLinkName(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && name.size() - i >= 4 && name[i + 1] == 'x' && HexValue(name[i + 2]) >= 0 &&
        HexValue(name[i + 3]) >= 0) {
      out.push_back(static_cast<char>(HexValue(name[i + 2]) * 16 + HexValue(name[i + 3])));
      i += 3;
    } else {
      out.push_back(name[i]);
    }
  }
  return out;
}

std::vector<Volume> ReadVolumes(const LinuxSystemFiles& files) {
  std::vector<MountEntry> mounts = ReadMounts(files);
  std::vector<Volume> volumes;
  for (const MountEntry& mount : mounts) {
    if (!HoldsMusic(mount, files.Devices)) continue;
    // A file system mounted twice (a bind mount) is one volume, at its first mount point.
    bool seen = std::any_of(volumes.begin(), volumes.end(), [&](const Volume& v) { return v.Device == mount.Device; });
    if (!seen) volumes.push_back(VolumeFromMount(files, mount));
  }
  std::sort(volumes.begin(), volumes.end(), [](const Volume& a, const Volume& b) { return a.Root < b.Root; });
  return volumes;
}

std::optional<Volume> ReadVolumeOf(const LinuxSystemFiles& files, const std::string& folder) {
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0) return std::nullopt;
  std::string path = RealPath(folder);
  const MountEntry* best = nullptr;
  std::vector<MountEntry> mounts = ReadMounts(files);
  for (const MountEntry& mount : mounts) {
    if (mount.Device != info.st_dev) continue;
    const std::string& root = mount.MountPoint;
    bool contains = root == "/" || path == root || path.rfind(root + "/", 0) == 0;
    if (contains && (best == nullptr || root.size() > best->MountPoint.size())) best = &mount;
  }
  if (best == nullptr) return Volume{path, {}, "00000000", static_cast<std::uint64_t>(info.st_dev)};
  return VolumeFromMount(files, *best);
}

bool IsFixedDisk(const LinuxSystemFiles& files, const Volume& volume) {
  const std::vector<MountEntry> mounts = ReadMounts(files);
  const auto mounted = std::find_if(mounts.begin(), mounts.end(), [&](const MountEntry& mount) {
    return mount.MountPoint == volume.Root && mount.Device == volume.Device;
  });
  if (mounted == mounts.end() || !HoldsMusic(*mounted, files.Devices)) return false;
  // "/dev/mapper/x" and "/dev/disk/by-uuid/..." are links to the kernel's own name ("dm-0",
  // "sdb1"), which is the name the block class knows.
  const std::string name = std::filesystem::path(RealPath(mounted->Source)).filename().string();
  if (name.empty()) return false;
  std::error_code error;
  std::filesystem::path device = std::filesystem::canonical(files.BlockClass + "/" + name, error);
  if (error) return false;
  // A partition sits in the folder of its disk, which alone carries "removable".
  if (std::filesystem::exists(device / "partition", error)) device = device.parent_path();
  std::ifstream removable(device / "removable");
  char flag = 0;
  return removable.get(flag) && flag == '0';
}

}  // namespace ordonna::linux_volumes
