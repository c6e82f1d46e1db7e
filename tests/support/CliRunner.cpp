// Program runs through the shell, stderr through a temporary file.
#include "support/CliRunner.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>

#include "support/TempDir.h"

namespace ordonna::testing {
namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

CliResult RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  TempDir dir;
  std::string command = Quoted(program);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  command += " 2>" + Quoted(dir.File("stderr.txt")) + " </dev/null";
  CliResult result;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.Out.append(buffer, read);
  int status = pclose(pipe);
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.Err = ReadFileBytes(dir.File("stderr.txt"));
  return result;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace ordonna::testing
