// The mount table and udev disk links of Linux, turned into volumes with label and serial.
// Internal to the platform layer; split out so tests can feed it text and folders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace ordonna::linux_volumes {

struct MountEntry {
  std::string MountPoint;
  std::string FileSystem;
  std::string Source;
  std::uint64_t Device = 0;  // as stat() reports it for files on this mount
};

// The lines of /proc/self/mountinfo; octal escapes such as "\040" are decoded.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// True for file systems on real block devices (below `devices`), not kernel, memory,
// overlay or image mounts.
bool HoldsMusic(const MountEntry& mount, const std::string& devices);

// Eight upper-case hex digits from a UUID ("abcd-1234" gives ABCD1234); 00000000 without one.
std::string SerialFromUuid(std::string_view uuid);

// udev link names escape bytes as "\xHH".
std::string DecodeLinkName(std::string_view name);

std::vector<Volume> ReadVolumes(const LinuxSystemFiles& files);
std::optional<Volume> ReadVolumeOf(const LinuxSystemFiles& files, const std::string& folder);

// True when the device mounted at the volume's root is a partition of a disk (or a whole
// disk) whose "removable" attribute is 0. False when the mount or the device is not found.
bool IsFixedDisk(const LinuxSystemFiles& files, const Volume& volume);

}  // namespace ordonna::linux_volumes
