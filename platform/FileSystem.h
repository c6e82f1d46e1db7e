// Questions about named files and their removal: whether a name is a regular file, whether
// two names are one file; the snapshot files of the temporary folder and their clean-up.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ListEntry.h"
#include "core/ListStore.h"
#include "core/Status.h"

namespace ordonna {

// True when `path` names a regular file (after following links).
bool IsRegularFile(const std::string& path);
// True when something (of any kind) is at `path` (after following links).
bool PathExists(const std::string& path);
// True when `path` names a folder (after following links).
bool IsFolder(const std::string& path);
// Removes the file at `path`; false when it could not (a missing file included).
bool RemoveFile(const std::string& path);

// True when both names exist and are one file (the same device and inode, after following
// links), so that writing the one would destroy the other.
bool IsSameFile(const std::string& first, const std::string& second);

// The absolute, normalised name of `path` (which need not exist); empty when the current
// folder cannot be found.
std::string AbsolutePath(const std::string& path);
// The absolute, normalised name of the folder that holds `path` (which need not exist);
// empty when the current folder cannot be found.
std::string AbsoluteFolderOf(const std::string& path);

// Every regular file (links followed) below `folder` whose name ends in `suffix` (ASCII case
// ignored), sorted; folders that cannot be read are passed over, links to folders not entered.
std::vector<std::string> FilesBelow(const std::string& folder, std::string_view suffix);

// Writes `entries` as the snapshot file at `path`, readable by its owner only.
[[nodiscard]] Status WriteSnapshotFile(const std::string& path, std::span<const ListEntry> entries);
// Reads the snapshot file at `path` as ReadSnapshot does.
[[nodiscard]] Status ReadSnapshotFile(const std::string& path, std::uint32_t expectedCount, EntryList& list);

// Removes every snapshot and work file the operations keep from `folder`; those that are not
// there are no error.
void RemoveTemporaryFiles(const std::string& folder);

}  // namespace ordonna
