// Linux realisation of SerialDevice on termios2, so that any rate (14400,
// 28800, 56000 …) can be set and read back exactly through BOTHER; the
// record mapping itself is in termios_codec.cpp.
#include <asm/termbits.h>  // termios2; must not meet <termios.h> in this file
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <utility>

#include "serial_device.h"
#include "serial_trace.h"
#include "termios_codec.h"

struct SerialDevice::SavedTermios {
  struct termios2 tio;
};

namespace {

std::string ErrnoText(int err) { return std::strerror(err); }

int IoctlRetry(int fd, unsigned long request, void* arg) {
  int rc;
  do {
    rc = ::ioctl(fd, request, arg);
  } while (rc < 0 && errno == EINTR);
  return rc;
}

}  // namespace

SerialDevice::SerialDevice(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path, std::string* error) {
  auto fail = [&](int err) -> std::unique_ptr<SerialDevice> {
    if (error) *error = ErrnoText(err);
    qCDebug(lcSerial, "open %s failed: %s", path.c_str(), ErrnoText(err).c_str());
    return nullptr;
  };
  if (path.empty()) return fail(ENOENT);
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return fail(errno);
  // The lock makes a second open fail also inside this process and for
  // root, who is not held back by TIOCEXCL.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(fd);
    return fail(err);
  }
  auto saved = std::make_unique<SavedTermios>();
  if (IoctlRetry(fd, TCGETS2, &saved->tio) != 0) {  // not a terminal
    const int err = errno;
    ::close(fd);
    return fail(err);
  }
  IoctlRetry(fd, TIOCEXCL, nullptr);

  struct termios2 raw = saved->tio;
  raw.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                   IXANY | INPCK | IUCLC | IMAXBEL);
  raw.c_oflag &= ~OPOST;
  raw.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  raw.c_cflag |= CREAD | CLOCAL;
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  IoctlRetry(fd, TCSETS2, &raw);

  std::unique_ptr<SerialDevice> device(new SerialDevice(fd, path));
  device->rtsControl_ = (raw.c_cflag & CRTSCTS) ? 2 : 0;
  device->original_ = std::move(saved);
  qCDebug(lcSerial, "opened %s as fd %d", path.c_str(), fd);
  return device;
}

bool SerialDevice::Probe(const std::string& path) {
  if (path.empty()) return false;
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct termios2 tio;
  const bool usable = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && IoctlRetry(fd, TCGETS2, &tio) == 0;
  ::close(fd);
  return usable;
}

SerialDevice::~SerialDevice() {
  if (original_) IoctlRetry(fd_, TCSETS2, &original_->tio);
  ::close(fd_);
  qCDebug(lcSerial, "closed %s", path_.c_str());
}

bool SerialDevice::GetLineSettings(LineSettings& settings) const {
  struct termios2 tio;
  if (IoctlRetry(fd_, TCGETS2, &tio) != 0) return false;
  DecodeTermios(tio, rtsControl_, settings);
  return true;
}

bool SerialDevice::SetLineSettings(const LineSettings& settings) {
  if (!IsAcceptableLineSettings(settings)) {
    qCDebug(lcSerial, "line setting refused (%u baud, %u bits, stop code %u)", settings.BaudRate,
            settings.ByteSize, settings.StopBits);
    return false;
  }
  struct termios2 tio;
  if (IoctlRetry(fd_, TCGETS2, &tio) != 0) return false;
  EncodeTermios(settings, tio);
  if (IoctlRetry(fd_, TCSETS2, &tio) != 0) return false;
  rtsControl_ = settings.fRtsControl;
  if (settings.fRtsControl == 0 || settings.fRtsControl == 1) {
    // Devices without modem lines (a pseudo-terminal) refuse this; that is fine.
    int rts = TIOCM_RTS;
    IoctlRetry(fd_, settings.fRtsControl == 1 ? TIOCMBIS : TIOCMBIC, &rts);
  }
  return true;
}

int SerialDevice::InputQueueCount() const {
  int count = 0;
  if (IoctlRetry(fd_, FIONREAD, &count) != 0) return 0;
  return count;
}

long SerialDevice::Read(void* buffer, size_t size, std::string* error) const {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, size);
    if (n > 0) return n;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return 0;
    // End of file on a terminal means the other side hung up.
    if (error) *error = ErrnoText(n == 0 ? EIO : errno);
    return -1;
  }
}

size_t SerialDevice::Write(const void* data, size_t size) const {
  using Clock = std::chrono::steady_clock;
  const auto budget = std::chrono::milliseconds(timeouts_.WriteTotalTimeoutMultiplier * size +
                                                timeouts_.WriteTotalTimeoutConstant);
  const auto deadline = Clock::now() + budget;
  const auto* bytes = static_cast<const unsigned char*>(data);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd_, bytes + done, size - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) break;
    // The driver's buffer is full: wait for room, within the time-out.
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    struct pollfd p = {fd_, POLLOUT, 0};
    const int rc = ::poll(&p, 1, static_cast<int>(left));
    if (rc < 0 && errno != EINTR) break;
    if (rc > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) break;
  }
  qCDebug(lcSerial, "wrote %zu of %zu bytes", done, size);
  return done;
}
