// One running copy per user: the first copy holds a lock and listens on a local socket
// named after the program; a later copy finds the lock taken and hands its command line
// (a list file to open) to the first copy instead of starting.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ordonna {

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;

  // File descriptor that becomes readable when another copy connects, or -1 when no
  // socket could be made; the window watches it and then calls TakeMessages.
  virtual int ListenDescriptor() const = 0;
  // The messages sent by later copies since the last call (each one a file path, or empty
  // for "come to the front").
  virtual std::vector<std::string> TakeMessages() = 0;
};

// Takes the per-user lock `name` (the lock and socket live in `folder`). Nothing when
// another copy holds it. When the lock or the socket cannot be made at all (a read-only
// folder, a path too long for a socket) the program still runs: the object then guards
// or listens as far as it could.
std::unique_ptr<SingleInstance> AcquireSingleInstance(const std::string& folder, const std::string& name);

// Sends `message` to the copy that holds the lock; false when none answers.
bool SendToRunningInstance(const std::string& folder, const std::string& name, const std::string& message);

}  // namespace ordonna
