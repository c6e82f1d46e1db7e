// The folder listing of the Linux platform, shared by its implementation and its tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace ordonna {

bool ListLinuxFolder(const std::string& folder, std::uint64_t device, bool includeHidden, std::string_view fileSuffix,
                     std::vector<FolderItem>& items);

}  // namespace ordonna
