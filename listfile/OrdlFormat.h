// The ".ordl" list file: the signature 03 "Ord", the SortState byte, then one record per
// entry up to the end of the file: three length-prefixed strings and a 19-byte numeric tail.
// Older files ("v4.0-v4.12") have an 18-byte tail with the play time in seconds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ListEntry.h"

namespace ordonna {

inline constexpr std::array<std::uint8_t, 4> kOrdlSignature = {3, 'O', 'r', 'd'};
inline constexpr std::size_t kOrdlHeaderSize = 5;
// The tail is the record's bytes 545..563: bitrate, size, frames, stereo, frequency, dates.
inline constexpr std::size_t kOrdlTailOffset = 545;
inline constexpr std::size_t kOrdlTailSize = 19;
inline constexpr std::size_t kOrdlV4TailSize = 18;

enum class OrdlLayout { Current, Version4 };

// Appends the record of `entry` in the current layout.
void AppendOrdlRecord(std::string& out, const ListEntry& entry);

}  // namespace ordonna
