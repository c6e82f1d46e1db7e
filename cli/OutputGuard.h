// Checks of an output name made before a command writes anything, so that no command destroys
// what it reads: an output that is one of its inputs, or a log named as a list file.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace ordonna::cli {

// True when `output` is none of `inputs` (compared as files: device and inode, after
// following links); otherwise says so on the error stream.
bool OutputSparesInputs(std::string_view command, const std::string& output,
                        std::initializer_list<std::string_view> inputs);

// True when the name of a log does not end in ".ordl" (letter case ignored): a log never
// takes a list file's name. Otherwise says so on the error stream.
bool LogNameAllowed(std::string_view command, const std::string& log);

}  // namespace ordonna::cli
