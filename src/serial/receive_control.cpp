#include "receive_control.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <stdexcept>

ReceiveControl::ReceiveControl() : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (wakeFd_ < 0) throw std::runtime_error("cannot create the receive thread's wake-up event");
}

ReceiveControl::~ReceiveControl() { ::close(wakeFd_); }

void ReceiveControl::SetChunkSize(int n) {
  chunkSize_.store(std::clamp(n, 1, kMaxChunk));
  Wake();
}

void ReceiveControl::SetHook(ReceiveHook hook) {
  hook_.store(hook);
  Wake();
}

void ReceiveControl::Wake() {
  const uint64_t one = 1;
  ssize_t rc;
  do {
    rc = ::write(wakeFd_, &one, sizeof one);
  } while (rc < 0 && errno == EINTR);
}

void ReceiveControl::DrainWake() {
  uint64_t count;
  ssize_t rc;
  do {
    rc = ::read(wakeFd_, &count, sizeof count);
  } while (rc < 0 && errno == EINTR);
}
