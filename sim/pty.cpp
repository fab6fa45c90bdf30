#include "pty.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

Pty::Pty() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    const std::string reason = std::strerror(errno);
    if (master_ >= 0) ::close(master_);
    throw std::runtime_error("cannot create a pseudo-terminal: " + reason);
  }
  char name[128];
  if (::ptsname_r(master_, name, sizeof name) != 0) {
    ::close(master_);
    throw std::runtime_error("cannot name the pseudo-terminal");
  }
  slavePath_ = name;
  // On Linux the line discipline settings of the pair belong to the slave;
  // setting them through the master reaches it.
  struct termios tio;
  if (::tcgetattr(master_, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::tcsetattr(master_, TCSANOW, &tio);
  }
  slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

Pty::~Pty() { HangUp(); }

void Pty::HangUp() {
  if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
  if (master_ >= 0) ::close(master_);
  slaveKeeper_ = master_ = -1;
}

void Pty::Write(const std::string& bytes) {
  size_t done = 0;
  while (master_ >= 0 && done < bytes.size()) {
    const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      struct pollfd p = {master_, POLLOUT, 0};
      if (::poll(&p, 1, 1000) == 0) break;  // nobody reads the other side
    } else {
      break;
    }
  }
}

std::string Pty::Read(int timeoutMs) {
  std::string out;
  if (master_ < 0) return out;
  struct pollfd p = {master_, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0 || !(p.revents & POLLIN)) return out;
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n > 0) {
      out.append(buf, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    break;
  }
  return out;
}
