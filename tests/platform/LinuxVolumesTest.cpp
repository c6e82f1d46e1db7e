// Volumes from a mount table and udev links, and the folder listing of the scan.
#include "platform/LinuxVolumes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/LinuxFolders.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace linux_volumes;
using testing::TempDir;
using testing::WriteFileBytes;

TEST(LinuxVolumes, MusicVolumesComeFromTheMountTableWithLabelsAndSerialsFromTheDiskLinks) {
  TempDir dir;
  for (const char* folder : {"dev", "disk/by-label", "disk/by-uuid"})
    std::filesystem::create_directories(dir.File(folder));
  for (const char* device : {"dev/sdb1", "dev/sdc1", "dev/sdd1"}) WriteFileBytes(dir.File(device), "");
  std::string longLabel(40, 'L');
  std::filesystem::create_symlink("../../dev/sdb1", dir.File("disk/by-label/My\\x20Music"));
  std::filesystem::create_symlink("../../dev/sdb1", dir.File("disk/by-uuid/ABCD-1234"));
  std::filesystem::create_symlink("../../dev/sdc1", dir.File("disk/by-label/" + longLabel));
  std::string table = "22 27 0:21 / /proc rw,relatime - proc proc rw\ngarbage line\n";
  const std::pair<const char*, const char*> mounts[] = {
      {"1 0 8:17 / /media/My\\040b rw,nosuid shared:5 - vfat ", "sdb1"},
      {"2 0 8:33 / /media/a rw - ext4 ", "sdc1"},
      {"3 0 8:49 / /media/c rw - ext4 ", "sdd1"},
      {"4 0 8:17 / /srv/bind rw - vfat ", "sdb1"},
      {"5 0 7:1 / /mnt/image rw - ext4 ", "loop1"}};
  for (const auto& [head, device] : mounts) table += head + dir.File("dev/") + device + " rw\n";
  WriteFileBytes(dir.File("mountinfo"), table);
  std::vector<std::string> seen;
  for (const Volume& v : ReadVolumes({dir.File("mountinfo"), dir.File("disk"), dir.File("dev")}))
    seen.push_back(v.Root + "|" + v.Label + "|" + v.Serial);
  // Neither /proc nor a loop device holds music, a bind mount of the same file system is no
  // second volume, labels keep at most 32 bytes, and a volume without one never takes its
  // mount point's name.
  EXPECT_EQ(seen, (std::vector<std::string>{"/media/My b|My Music|ABCD1234",
                                            "/media/a|" + std::string(32, 'L') + "|00000000", "/media/c||00000000"}));
  // NTFS serials show their low half.
  EXPECT_EQ(SerialFromUuid("1b4e28ba-2fa1-11d2-883f-0016d3cca427"), "1B4E28BA");
  EXPECT_EQ(SerialFromUuid("7A2C1A9E2C1A5A0B"), "2C1A5A0B");
}

// A /sys/class/block of links into a device tree, as the kernel lays it out: partitions are
// folders inside their disk's folder, and only disks carry "removable".
TEST(LinuxVolumes, FixedDisksAreNonRemovableDisksBehindTheMount) {
  TempDir dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir.File("dev/mapper"));
  fs::create_directories(dir.File("sys/class/block"));
  for (const std::string device :
       {"pci/block/sda/sda1", "usb/block/sdb/sdb1", "virtual/block/dm-0", "pci/block/sdd/sdd1"}) {
    fs::create_directories(dir.File("sys/devices/" + device));
    fs::create_symlink("../../devices/" + device, dir.File("sys/class/block/" + fs::path(device).filename().string()));
  }
  for (const char* device : {"sda1", "sdb1", "dm-0", "sdd1"}) WriteFileBytes(dir.File("dev/") + device, "");
  fs::create_symlink("../dm-0", dir.File("dev/mapper/vg-music"));
  for (const char* attribute :
       {"pci/block/sda/removable=0", "pci/block/sda/sda1/partition=1", "usb/block/sdb/removable=1",
        "usb/block/sdb/sdb1/partition=1", "virtual/block/dm-0/removable=0", "pci/block/sdd/sdd1/partition=1"}) {
    const std::string text = attribute;
    WriteFileBytes(dir.File("sys/devices/" + text.substr(0, text.size() - 2)), text.substr(text.size() - 1) + "\n");
  }
  WriteFileBytes(dir.File("mountinfo"), "1 0 8:1 / /data rw - ext4 " + dir.File("dev/sda1") + " rw\n" +
                                            "2 0 8:17 / /media/stick rw - vfat " + dir.File("dev/sdb1") + " rw\n" +
                                            "4 0 254:0 / /lvm rw - xfs " + dir.File("dev/mapper/vg-music") + " rw\n" +
                                            "5 0 8:49 / /nodisk rw - ext4 " + dir.File("dev/sdd1") + " rw\n");
  auto platform =
      MakeLinuxPlatform({dir.File("mountinfo"), dir.File("disk"), dir.File("dev"), dir.File("sys/class/block")});
  std::vector<std::string> fixed;
  for (const Volume& volume : platform->Volumes()) {
    if (platform->IsFixedDisk(volume)) fixed.push_back(volume.Root);
  }
  EXPECT_EQ(fixed, (std::vector<std::string>{"/data", "/lvm"}))
      << "not the removable stick, not a partition whose disk has no attribute";
}

TEST(LinuxFolders, ListingKeepsMatchingRegularFilesAndLinksToThemButNoFolderOfAnotherVolume) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("Album"));
  WriteFileBytes(dir.File("a.mp3"), "12345");
  WriteFileBytes(dir.File("c.mp3.txt"), "");
  std::filesystem::create_symlink(dir.File("a.mp3"), dir.File("link.MP3"));
  struct stat info {};
  ASSERT_EQ(stat(dir.Path().c_str(), &info), 0);
  std::vector<FolderItem> items;
  // Listed as if on the next device: Album is on another volume.
  ASSERT_TRUE(ListLinuxFolder(dir.Path(), static_cast<std::uint64_t>(info.st_dev) + 1, false, ".mp3", items));
  std::vector<std::string> names;
  for (const FolderItem& item : items) names.push_back(item.Name + (item.IsFolder ? "/" : std::to_string(item.Size)));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.mp35", "link.MP35"}));
  EXPECT_FALSE(ListLinuxFolder(dir.File("missing"), 0, false, ".mp3", items));
}

}  // namespace
}  // namespace ordonna
