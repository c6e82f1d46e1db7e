// The texts the program shows when the configuration file cannot be written or loaded.
// Code names a message by its enum; only this table holds the words.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace ordonna {

enum class ConfigMessage : std::size_t {
  InitializeFailed,  // writing the first configuration file failed; the program ends
  InitializeFailedTitle,
  WriteFailed,  // any other write failure; the options stay in memory
  WriteFailedTitle,
  LoadFailed,  // "Load options from" a file that is not a configuration file
};

inline constexpr std::array<std::string_view, 5> kConfigMessageText = {
    "Disk error attempting to initialize configuration file",
    "FATAL ERROR",
    "Disk error writing configuration file",
    "Error",
    "Loading options failed.\r\nProbably not a Ordonna configuration file.",
};

constexpr std::string_view ConfigMessageText(ConfigMessage message) {
  return kConfigMessageText[static_cast<std::size_t>(message)];
}

}  // namespace ordonna
