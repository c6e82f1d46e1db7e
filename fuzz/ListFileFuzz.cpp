// Feeds arbitrary bytes to the list-file reader in both layouts; it must end cleanly.
#include <cstdint>

#include "listfile/OrdlReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (ordonna::OrdlLayout layout : {ordonna::OrdlLayout::Current, ordonna::OrdlLayout::Version4}) {
    ordonna::OrdlMemoryInput source({data, size});
    ordonna::EntryList entries;
    (void)ordonna::ReadOrdl(source, layout, entries);
  }
  return 0;
}
