// Linux realisation of SerialDevice on termios2, so that any rate (14400,
// 28800, 56000 …) can be set and read back exactly through BOTHER.
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

struct SerialDevice::SavedTermios {
  struct termios2 tio;
};

namespace {

struct StandardRate {
  unsigned code;
  uint32_t rate;
};

// Rates with a classic code are set with it (every driver knows them); any
// other rate goes through BOTHER.
constexpr StandardRate kStandardRates[] = {
    {B50, 50},         {B75, 75},         {B110, 110},       {B134, 134},
    {B150, 150},       {B200, 200},       {B300, 300},       {B600, 600},
    {B1200, 1200},     {B1800, 1800},     {B2400, 2400},     {B4800, 4800},
    {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600},
    {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

std::string ErrnoText(int err) { return std::strerror(err); }

int IoctlRetry(int fd, unsigned long request, void* arg) {
  int rc;
  do {
    rc = ::ioctl(fd, request, arg);
  } while (rc < 0 && errno == EINTR);
  return rc;
}

uint32_t RateOf(const struct termios2& tio) {
  const unsigned code = tio.c_cflag & CBAUD;
  if (code == BOTHER) return tio.c_ospeed;
  for (const auto& r : kStandardRates) {
    if (r.code == code) return r.rate;
  }
  return tio.c_ospeed;
}

void SetRate(struct termios2& tio, uint32_t rate) {
  tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));  // input rate follows output
  unsigned code = BOTHER;
  for (const auto& r : kStandardRates) {
    if (r.rate == rate) code = r.code;
  }
  tio.c_cflag |= code;
  tio.c_ispeed = rate;
  tio.c_ospeed = rate;
}

bool IsAcceptable(const LineSettings& s) {
  if (s.BaudRate == 0 || s.ByteSize < 5 || s.ByteSize > 8) return false;
  if (s.Parity > 4 || s.StopBits > 2 || s.fRtsControl > 3) return false;
  // One and a half stop bits exist only with 5 data bits, two only without.
  if (s.StopBits == 1 && s.ByteSize != 5) return false;
  if (s.StopBits == 2 && s.ByteSize == 5) return false;
  return true;
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

SerialDevice::~SerialDevice() {
  if (original_) IoctlRetry(fd_, TCSETS2, &original_->tio);
  ::close(fd_);
  qCDebug(lcSerial, "closed %s", path_.c_str());
}

bool SerialDevice::GetLineSettings(LineSettings& s) const {
  struct termios2 tio;
  if (IoctlRetry(fd_, TCGETS2, &tio) != 0) return false;
  s.BaudRate = RateOf(tio);
  switch (tio.c_cflag & CSIZE) {
    case CS5: s.ByteSize = 5; break;
    case CS6: s.ByteSize = 6; break;
    case CS7: s.ByteSize = 7; break;
    default: s.ByteSize = 8; break;
  }
  if (!(tio.c_cflag & PARENB)) {
    s.Parity = 0;
  } else if (tio.c_cflag & CMSPAR) {
    s.Parity = (tio.c_cflag & PARODD) ? 3 : 4;
  } else {
    s.Parity = (tio.c_cflag & PARODD) ? 1 : 2;
  }
  if (!(tio.c_cflag & CSTOPB)) {
    s.StopBits = 0;
  } else {
    s.StopBits = s.ByteSize == 5 ? 1 : 2;  // the UART gives 1.5 with 5 data bits
  }
  s.XonChar = tio.c_cc[VSTART];
  s.XoffChar = tio.c_cc[VSTOP];
  const bool ctsrts = (tio.c_cflag & CRTSCTS) != 0;
  s.fOutxCtsFlow = ctsrts;
  // CRTSCTS drives RTS as a handshake unless RTS was asked to stay on.
  if (ctsrts) {
    s.fRtsControl = rtsControl_ == 1 || rtsControl_ == 3 ? rtsControl_ : 2;
  } else {
    s.fRtsControl = rtsControl_ == 2 ? 0 : rtsControl_;
  }
  return true;
}

bool SerialDevice::SetLineSettings(const LineSettings& s) {
  if (!IsAcceptable(s)) {
    qCDebug(lcSerial, "line setting refused (%u baud, %u bits, stop code %u)", s.BaudRate,
            s.ByteSize, s.StopBits);
    return false;
  }
  struct termios2 tio;
  if (IoctlRetry(fd_, TCGETS2, &tio) != 0) return false;
  SetRate(tio, s.BaudRate);
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  static constexpr unsigned kSizes[] = {CS5, CS6, CS7, CS8};
  tio.c_cflag |= kSizes[s.ByteSize - 5];
  if (s.Parity != 0) tio.c_cflag |= PARENB;
  if (s.Parity == 1 || s.Parity == 3) tio.c_cflag |= PARODD;
  if (s.Parity >= 3) tio.c_cflag |= CMSPAR;
  if (s.StopBits != 0) tio.c_cflag |= CSTOPB;
  if (s.fOutxCtsFlow || s.fRtsControl == 2) tio.c_cflag |= CRTSCTS;
  tio.c_cc[VSTART] = s.XonChar;
  tio.c_cc[VSTOP] = s.XoffChar;
  if (IoctlRetry(fd_, TCSETS2, &tio) != 0) return false;
  rtsControl_ = s.fRtsControl;
  if (s.fRtsControl == 0 || s.fRtsControl == 1) {
    // Devices without modem lines (a pseudo-terminal) refuse this; that is fine.
    int rts = TIOCM_RTS;
    IoctlRetry(fd_, s.fRtsControl == 1 ? TIOCMBIS : TIOCMBIC, &rts);
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
