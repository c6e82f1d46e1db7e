// The settings' schema: one row per field of AppOptions in file order (name, file offset,
// stored type, valid range or items). "config show/get/set" and the options window's
// validation all read and write fields through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/AppOptions.h"
#include "core/Status.h"

namespace ordonna {

enum class FieldKind : std::uint8_t {
  U8,
  U16,
  I32,
  Color,      // i32 0x00BBGGRR, written as six hex digits BBGGRR
  Text,       // length byte and up to 255 bytes
  ColorText,  // length byte and up to 8 characters: a custom colour as eight hex digits
};

struct ConfigField {
  std::string_view Name;
  std::size_t Offset;  // in the file (and in AppOptions)
  FieldKind Kind;
  std::size_t Count;  // elements of an array field, else 1
  // Valid values of a number, both ends included; a text's capacity in bytes is its Max.
  std::int64_t Min;
  std::int64_t Max;
  // A choice's items: the value is the index of the item.
  std::span<const std::string_view> Items;
};

// One element of a field: "Name", or "Name[i]" for an array field.
struct FieldElement {
  const ConfigField* Field;
  std::size_t Index;
};

// Every field, in file order; together they cover the 7,101 bytes exactly once.
std::span<const ConfigField> ConfigFields();

// Bytes of one element.
std::size_t ElementSize(FieldKind kind);

// The field of that exact name (no index), or null.
const ConfigField* FindConfigField(std::string_view name);

// The elements a name stands for: "Name" is the field (every element of an array field),
// "Name[i]" one element of an array. Empty when no field is named so.
std::vector<FieldElement> ElementsNamed(std::string_view name);

// "Name", or "Name[i]" for an element of an array field.
std::string ElementName(FieldElement element);

// The value as "config show" prints it: numbers in decimal, colours as BBGGRR hex (eight
// digits when the unused top byte is set), texts decoded for display with control
// characters written \xNN. Values are shown as stored, without load repairs.
std::string ElementText(const AppOptions& options, FieldElement element);

// A typed number for a numeric field: decimal digits (a leading "-" where the range allows
// it) within the field's range; nothing otherwise.
std::optional<std::int64_t> ParseFieldNumber(const ConfigField& field, std::string_view text);

// Checks `value` against the element's field and stores it: a number in range, a colour as
// six hex digits, a text of at most the capacity (taken as it is, no escapes), a custom colour
// as eight hex digits. A failure says why and leaves `options` untouched.
[[nodiscard]] Status SetElementText(AppOptions& options, FieldElement element, std::string_view value);

}  // namespace ordonna
