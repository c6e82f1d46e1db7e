// Encoding of one record.
#include "listfile/OrdlFormat.h"

#include <cstring>

namespace ordonna {
namespace {

template <std::size_t N>
void AppendString(std::string& out, const FixedString<N>& field) {
  std::string_view text = field.View();
  out.push_back(static_cast<char>(text.size()));
  out.append(text);
}

}  // namespace

void AppendOrdlRecord(std::string& out, const ListEntry& entry) {
  AppendString(out, entry.FileName);
  AppendString(out, entry.Folder);
  AppendString(out, entry.VolumeLabel);
  const auto* image = reinterpret_cast<const char*>(&entry);
  out.append(image + kOrdlTailOffset, kOrdlTailSize);
}

}  // namespace ordonna
