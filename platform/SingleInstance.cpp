// POSIX single instance: flock on "<name>.lock" and a Unix socket "<name>.sock", both in a
// per-user folder.
#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ordonna {
namespace {

// A socket address for `folder`/`name`.sock; false when the path does not fit.
bool SocketAddress(const std::string& folder, const std::string& name, sockaddr_un& address) {
  std::string path = folder + "/" + name + ".sock";
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// Reads one message: the peer writes it and closes. Gives up after a second of silence.
std::string ReadMessage(int fd) {
  std::string message;
  char buffer[4096];
  for (;;) {
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, 1000) <= 0) break;
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) break;
    message.append(buffer, static_cast<std::size_t>(got));
    if (message.size() > 65536) break;
  }
  return message;
}

class PosixSingleInstance final : public SingleInstance {
 public:
  PosixSingleInstance(int lockFd, int listenFd, std::string socketPath)
      : lockFd_(lockFd), listenFd_(listenFd), socketPath_(std::move(socketPath)) {}
  ~PosixSingleInstance() override {
    if (listenFd_ >= 0) {
      close(listenFd_);
      unlink(socketPath_.c_str());
    }
    if (lockFd_ >= 0) close(lockFd_);
  }

  int ListenDescriptor() const override { return listenFd_; }

  std::vector<std::string> TakeMessages() override {
    std::vector<std::string> messages;
    while (listenFd_ >= 0) {
      int client = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) break;
      messages.push_back(ReadMessage(client));
      close(client);
    }
    return messages;
  }

 private:
  int lockFd_;
  int listenFd_;
  std::string socketPath_;
};

}  // namespace

std::unique_ptr<SingleInstance> AcquireSingleInstance(const std::string& folder, const std::string& name) {
  std::string lockPath = folder + "/" + name + ".lock";
  int lockFd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lockFd >= 0 && flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
    bool heldElsewhere = errno == EWOULDBLOCK;
    close(lockFd);
    if (heldElsewhere) return nullptr;
    lockFd = -1;
  }
  sockaddr_un address{};
  int listenFd = -1;
  if (lockFd >= 0 && SocketAddress(folder, name, address)) {
    listenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // Holding the lock, a socket file left behind by a crashed copy can go.
    unlink(address.sun_path);
    if (listenFd >= 0 &&
        (bind(listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listenFd, 8) != 0)) {
      close(listenFd);
      listenFd = -1;
    }
  }
  return std::make_unique<PosixSingleInstance>(lockFd, listenFd, listenFd >= 0 ? address.sun_path : "");
}

bool SendToRunningInstance(const std::string& folder, const std::string& name, const std::string& message) {
  sockaddr_un address{};
  if (!SocketAddress(folder, name, address)) return false;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  bool sent = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  for (std::size_t done = 0; sent && done < message.size();) {
    ssize_t written = write(fd, message.data() + done, message.size() - done);
    if (written <= 0) sent = false;
    done += written > 0 ? static_cast<std::size_t>(written) : 0;
  }
  close(fd);
  return sent;
}

}  // namespace ordonna
