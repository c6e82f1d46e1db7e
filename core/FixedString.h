// A length-prefixed byte string of fixed capacity, stored byte for byte inside records.
// The stored length may lie (records come from files), so every read clamps it to the capacity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/Text.h"

namespace ordonna {

template <std::size_t Capacity>
struct FixedString {
  static_assert(Capacity <= 255, "the length is one byte");

  std::uint8_t Length;
  char Chars[Capacity];

  std::string_view View() const {
    std::size_t length = Length < Capacity ? Length : Capacity;
    return {Chars, length};
  }

  // Stores `text`, cut to the capacity on a character boundary; the bytes behind the
  // length are zeroed so that two records compare equal byte for byte.
  void Set(std::string_view text) {
    std::string_view kept = CutToCapacity(text, Capacity);
    std::memcpy(Chars, kept.data(), kept.size());
    std::memset(Chars + kept.size(), 0, Capacity - kept.size());
    Length = static_cast<std::uint8_t>(kept.size());
  }

  bool Empty() const { return View().empty(); }
};

}  // namespace ordonna
