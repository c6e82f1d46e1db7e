// The one road between the viewer's temporary images (undo and filter) and the file system:
// each image is a core snapshot of entries; everything else the undo needs stays in memory.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/ListStore.h"
#include "core/Status.h"

namespace ordonna {

[[nodiscard]] Status WriteImage(const std::string& path, std::span<const ListEntry> entries);

// Replaces `into` only after the whole image, of exactly `expectedCount` entries, was read.
[[nodiscard]] Status ReadImage(const std::string& path, std::uint32_t expectedCount, EntryList& into);

// Leaves an image that holds nothing (the file stays, as the temporary files do).
void EmptyImage(const std::string& path);

// Deletes an image that no longer stands for anything.
void RemoveImage(const std::string& path);

}  // namespace ordonna
